import subprocess
from io import BytesIO

import numpy as np
import pandas as pd
import pytest

import saiha
from saiha import Error

from conftest import bits, run_saiha_calc


MODELS = [
    pytest.param({}, id="default model"),
    pytest.param({"breaker": "mccowan"}, id="mccowan"),
    pytest.param({"breaker": "miche", "shoaling": "shuto"}, id="miche, shuto"),
    pytest.param({"breaker": "goda2010", "shoaling": "shuto"}, id="goda2010, shuto"),
]


def model_options(model):
    return [arg for name, value in model.items() for arg in (f"--{name}", value)]


@pytest.mark.parametrize("model", MODELS)
def test_calc_frame_equals_saiha_calc_full_precision(saiha_calc, cases, model):
    """Every result bit for bit as saiha-calc writes it, error rows included."""
    written = run_saiha_calc(saiha_calc, "--precision", "full", *model_options(model))
    frame = saiha.calc_frame(cases, **model)
    assert list(frame.columns) == list(written.columns)
    for name in saiha.RESULT_NAMES:
        # An empty cell is a result not reached; h is the depth as typed,
        # compared where it is a number.
        expected = pd.to_numeric(written[name], errors="coerce").to_numpy()
        same = np.isfinite(expected) if name == "h" else slice(None)
        assert np.array_equal(bits(frame[name])[same], bits(expected)[same]), name
    assert list(frame["error"]) == list(written["error"])


@pytest.mark.parametrize("with_h", [True, False], ids=["with h", "without h"])
def test_calc_frame_keeps_the_index_and_gives_the_columns(with_h):
    df = pd.DataFrame(
        {"Ho": [1.0, 2.0, -1.0], "T": [10, 12, 10], "alpha0": [30.0, 0.0, 30.0],
         "n": [60, 30, 60], "h": [np.nan, 4.0, 3.0], "site": ["a", "b", "c"]},
        index=pd.Index(["p", "q", "r"], name="case"),
    )
    if not with_h:
        df = df.drop(columns="h")
    out = saiha.calc_frame(df, workers=2)
    assert out.index.equals(df.index)
    assert dict(out.dtypes) == saiha.FRAME_COLUMNS
    assert out["error"].iloc[2] == saiha.error_text(Error.INVALID_HEIGHT)
    assert list(out["error"].iloc[:2]) == ["", ""]
    direct = saiha.calc(df["Ho"], df["T"], df["alpha0"], df["n"], df["h"] if with_h else None)
    assert np.array_equal(bits(out["H"]), bits(direct.H))


def test_calc_frame_needs_the_four_inputs():
    with pytest.raises(KeyError, match="alpha0"):
        saiha.calc_frame(pd.DataFrame({"Ho": [1], "T": [10], "n": [60]}))
    with pytest.raises(TypeError):
        saiha.calc_frame(pd.DataFrame({"Ho": ["1"], "T": [10], "alpha0": [0], "n": [60]}))


def test_profile_stations_are_the_calculation_at_their_depths():
    p = saiha.profile(1, 10, 30, 60, from_depth=12, stations=40)
    assert tuple(p.columns) == saiha.PROFILE_COLUMNS
    assert len(p) == 42 and p["h"].iloc[0] == np.float32(12)
    assert list(p["point"][p["point"] != ""]) == ["onset", "breaking"]
    assert (np.diff(p["x"]) < 0).all()
    # Seaward to shoreward: linear, then nonlinear, then the surf zone.
    rules = list(dict.fromkeys(p["rule"]))
    assert rules == ["linear", "nonlinear", "surf"]


@pytest.mark.parametrize("model", [MODELS[0], MODELS[2]])
def test_profile_equals_saiha_calc_profile(saiha_calc, model):
    wave = {"Ho": "2.26", "T": "17.5", "alpha0": "-37", "n": "192"}
    options = [arg for name, value in wave.items() for arg in (f"--{name}", value)]
    done = subprocess.run([saiha_calc, "profile", *options, "--stations", "50",
                           *model_options(model)], capture_output=True, check=True)
    written = pd.read_csv(BytesIO(done.stdout), dtype=str, keep_default_na=False)
    p = saiha.profile(*map(float, wave.values()), stations=50, **model)
    assert list(p.columns) == list(written.columns) and len(p) == len(written)
    for name in p.columns:
        if name in ("rule", "point"):
            assert list(p[name]) == list(written[name])
        else:
            expected = [np.nan if c == "" else np.float32(c) for c in written[name]]
            assert np.array_equal(bits(p[name]), bits(expected)), name


@pytest.mark.parametrize(
    "args, kwargs, error",
    [
        pytest.param((1, 10, 90, 60), {}, saiha.CalcError, id="bad angle"),
        pytest.param((1, 10, 30, 60), {"from_depth": -1}, saiha.CalcError, id="bad seaward depth"),
        pytest.param((1, 10, 30, 60), {"stations": 0}, ValueError, id="no stations"),
        pytest.param((1, 10, 30, 60), {"stations": 2.5}, TypeError, id="fractional stations"),
    ],
)
def test_profile_refuses(args, kwargs, error):
    with pytest.raises(error) as raised:
        saiha.profile(*args, **kwargs)
    if error is saiha.CalcError:
        assert raised.value.code in (Error.INVALID_ANGLE, Error.INVALID_DEPTH)


def test_english_follows_saiha_calc_and_japanese_stays_the_default(saiha_calc, cases):
    """lang="en" gives saiha-calc --lang en's error cells; every face shares the texts."""
    written = run_saiha_calc(saiha_calc, "--precision", "full", "--lang", "en")
    english = saiha.calc_frame(cases, lang="en")
    assert list(english["error"]) == list(written["error"])
    assert any(english["error"]) and list(english["error"]) != list(saiha.calc_frame(cases)["error"])
    assert saiha.error_text(Error.INVALID_HEIGHT, lang="en").startswith("Enter a number")
    assert saiha.error_text(Error.INVALID_HEIGHT) == saiha.error_text(Error.INVALID_HEIGHT, "ja")
    for call in (lambda: saiha.error_text(1, lang="fr"),
                 lambda: saiha.calc_frame(cases, lang="EN"),
                 lambda: saiha.compare(1, 10, 30, 60, lang="de")):
        with pytest.raises(ValueError, match="language"):
            call()
