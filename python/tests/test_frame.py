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
    # The warnings column is saiha-calc's, bit for bit, as the last column.
    flagged = saiha.calc_frame(cases, warnings=True, **model)
    with_bits = run_saiha_calc(saiha_calc, "--warnings", *model_options(model))
    assert list(flagged.columns) == list(with_bits.columns)
    assert flagged["warnings"].dtype == np.uint32
    assert list(flagged["warnings"]) == [int(w) for w in with_bits["warnings"]]


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
    assert list(out["site"]) == ["a", "b", "c"]  # passed through
    assert dict(out.drop(columns="site").dtypes) == saiha.FRAME_COLUMNS
    assert out["error"].iloc[2] == saiha.error_text(Error.INVALID_HEIGHT)
    assert list(out["error"].iloc[:2]) == ["", ""]
    direct = saiha.calc(df["Ho"], df["T"], df["alpha0"], df["n"], df["h"] if with_h else None)
    assert np.array_equal(bits(out["H"]), bits(direct.H))


def test_calc_frame_needs_the_four_inputs():
    with pytest.raises(KeyError, match="alpha0"):
        saiha.calc_frame(pd.DataFrame({"Ho": [1], "T": [10], "n": [60]}))
    with pytest.raises(TypeError):
        saiha.calc_frame(pd.DataFrame({"Ho": ["1"], "T": [10], "alpha0": [0], "n": [60]}))
    wave = {"Ho": [1], "T": [10], "alpha0": [0], "n": [60]}
    twice = pd.DataFrame([[1, 10, 0, 60, 1]], columns=["Ho", "T", "alpha0", "n", "T"])
    for bad, match in ((wave, "DataFrame"), (twice, "'T' appears more than once"),
                       (pd.DataFrame({**wave, "H": [2]}), "'H' is a result"),
                       (pd.DataFrame({"Ho": [1], "T": [10], "n": [60]}), "'alpha0'")):
        with pytest.raises(ValueError, match=match):
            saiha.calc_frame(bad)


@pytest.mark.parametrize(
    "columns, expected",
    [
        pytest.param("T,Ho,n,alpha0", "Ho,T,alpha0,n,h", id="inputs only, any order"),
        pytest.param("id,Ho,T,alpha0,n,h,time", "id,Ho,T,alpha0,n,h,time", id="id and time"),
        pytest.param("n,id,T,alpha0,Ho", "Ho,id,T,alpha0,n,h", id="id among the inputs"),
    ],
)
def test_calc_frame_passes_other_columns_through_in_place(columns, expected):
    names = columns.split(",")
    values = {"Ho": 1.0, "T": 10.0, "alpha0": 30.0, "n": 60.0, "h": 3.0, "id": "w1", "time": 7}
    df = pd.DataFrame([[values[c] for c in names]], columns=names)
    out = saiha.calc_frame(df)
    assert list(out.columns) == expected.split(",") + list(saiha.FRAME_COLUMNS)[5:]
    assert out.loc[0, "Ho"] == 1.0 and (len(names) < 6 or out.loc[0, "time"] == 7)


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
    done = subprocess.run([saiha_calc, "profile", "--precision", "full", *options, "--stations", "50",
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
        pytest.param(("1", 10, 30, 60), {}, TypeError, id="text as Ho"),
        pytest.param((1, 10, 30, 60), {"spacing": 0}, ValueError, id="no spacing"),
        pytest.param((1, 10, 30, 60), {"spacing": 1e6}, saiha.CalcError, id="spacing past the end"),
        pytest.param((1, 10, 30, 60), {"from_depth": 1e37}, saiha.CalcError, id="x beyond range"),
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


def test_profile_spacing_is_exact_from_the_shoreline():
    p = saiha.profile(1, 10, 30, 60, from_depth=12, spacing=7)
    regular = p[p["point"] == ""]
    assert list(regular["x"]) == [7.0 * k for k in range(102, 0, -1)]  # 720 m: 102 steps
    assert list(p["point"][p["point"] != ""]) == ["onset", "breaking"]
    assert (np.diff(p["x"]) < 0).all()


def test_plot_profile_draws_each_model():
    matplotlib = pytest.importorskip("matplotlib")
    matplotlib.use("Agg")
    import saiha.plot

    ax = saiha.plot.profile(saiha.profile(1, 10, 30, 60, stations=20))
    assert ax.xaxis_inverted() and len(ax.lines) == 3  # the curve, its onset and breaking
    curves = {name: saiha.profile(2, 10, 0, 100, breaker=name) for name in ("goda1970", "miche")}
    ax = saiha.plot.profile(curves, ax=matplotlib.pyplot.figure().gca(), quantity="C")
    assert [line.get_label() for line in ax.lines[::3]] == ["goda1970", "miche"]
    with pytest.raises(ValueError, match="quantity"):
        saiha.plot.profile(curves, quantity="Q")
