import math
import subprocess
from io import BytesIO

import numpy as np
import pandas as pd
import pytest

import saiha
from saiha import Error

from conftest import bits

NUMBERS = ("Hb", "hb", "gamma", "theta_b", "Q_m3_per_s", "Q_m3_per_year", "xi0")


def saiha_calc_compare(program, wave, *options):
    args = [arg for name, value in wave.items() for arg in (f"--{name}", str(value))]
    return subprocess.run([program, "compare", "--precision", "full", *args, *options], capture_output=True, check=False)


@pytest.mark.parametrize(
    "wave, params",
    [
        pytest.param({"Ho": 1, "T": 10, "alpha0": 30, "n": 60}, {}, id="default wave"),
        # Coastal Engineering Manual, Example Problem II-4-1.
        pytest.param({"Ho": 2, "T": 10, "alpha0": 0, "n": 100}, {}, id="CEM example"),
        pytest.param({"Ho": 2.3, "T": 7.5, "alpha0": -41, "n": 25},
                     {"K": 0.7, "rho_s": 2300, "porosity": 0.35}, id="own parameters"),
        pytest.param({"Ho": 0.01, "T": 20, "alpha0": 0, "n": 60}, {}, id="rows without breaking"),
    ],
)
def test_compare_equals_saiha_calc_compare(saiha_calc, wave, params):
    options = [arg for k, v in params.items() for arg in (f"--{k.replace('_', '-')}", str(v))]
    done = saiha_calc_compare(saiha_calc, wave, *options)
    assert done.returncode in (0, 1), done.stderr.decode()
    written = pd.read_csv(BytesIO(done.stdout), dtype=str, keep_default_na=False)
    frame = saiha.compare(*wave.values(), **params)
    assert tuple(frame.columns) == saiha.COMPARE_COLUMNS == tuple(written.columns)
    assert len(frame) == len(saiha.BREAKERS) * len(saiha.SHOALINGS) + 1 == len(written)
    for name in ("breaker", "shoaling", "error", "breaker_type"):
        assert list(frame[name]) == list(written[name]), name
    for name in NUMBERS:
        expected = [np.nan if c == "" else np.float32(c) for c in written[name]]
        assert frame[name].dtype == np.float32
        assert np.array_equal(bits(frame[name]), bits(expected)), name


@pytest.mark.parametrize(
    "wave, params, code, argument",
    [
        pytest.param((1, 10, 90, 60), {}, Error.INVALID_ANGLE, None, id="bad angle"),
        pytest.param((1, 10, 30, 60), {"K": 0}, Error.INVALID_TRANSPORT_COEFFICIENT, "K", id="K"),
        pytest.param((1, 10, 30, 60), {"rho": -1}, Error.INVALID_WATER_DENSITY, "rho", id="rho"),
        pytest.param((1, 10, 30, 60), {"rho_s": 1000}, Error.INVALID_SEDIMENT_DENSITY, "rho_s",
                     id="sand lighter than water"),
        pytest.param((1, 10, 30, 60), {"porosity": 1}, Error.INVALID_POROSITY, "porosity",
                     id="porosity"),
    ],
)
def test_compare_refuses_what_saiha_calc_refuses(saiha_calc, wave, params, code, argument):
    with pytest.raises(saiha.CalcError) as raised:
        saiha.compare(*wave, **params)
    assert (raised.value.code, raised.value.argument) == (code, argument)
    options = [arg for k, v in params.items() for arg in (f"--{k.replace('_', '-')}", str(v))]
    done = saiha_calc_compare(saiha_calc, dict(zip(("Ho", "T", "alpha0", "n"), wave)), *options)
    assert done.returncode == 2 and done.stdout == b""
    assert saiha.error_text(code) in done.stderr.decode()
    if argument:  # transport reads the same parameters
        with pytest.raises(saiha.CalcError, match=argument):
            saiha.transport(2, 2.5, 10, **params)


@pytest.mark.parametrize(
    "call",
    [
        pytest.param(lambda **kw: saiha.calc(1, 10, 30, 60, **kw), id="calc"),
        pytest.param(lambda **kw: saiha.calc_frame(
            pd.DataFrame({"Ho": [1], "T": [10], "alpha0": [30], "n": [60]}), **kw), id="calc_frame"),
        pytest.param(lambda **kw: saiha.profile(1, 10, 30, 60, **kw), id="profile"),
    ],
)
def test_model_names_are_checked(call):
    with pytest.raises(ValueError, match="goda1970, goda2010, mccowan, kamphuis, miche"):
        call(breaker="Goda1970")
    with pytest.raises(ValueError, match="two-regime, shuto"):
        call(shoaling="three-regime")
    with pytest.raises(TypeError):
        call(breaker=None)


def test_transport_by_hand_sign_and_elements():
    # 0.39·1025·√9.81 / (16·√0.78·1625·0.6) · 2^2.5 · sin 20° = 0.1758238 m³/s.
    t = saiha.transport([2, 2, 2, 0, 2, 2], [2 / 0.78, 2 / 0.78, 0, 1, 2 / 0.78, np.nan],
                        [10, -10, 10, 10, 90, 10])
    assert t.Q_m3_per_s.shape == (6,) and t.Q_m3_per_s.dtype == np.float32
    assert math.isclose(t.Q_m3_per_s[0], 0.1758238, rel_tol=1e-6)
    assert math.isclose(t.Q_m3_per_year[0], 0.1758238 * 365.25 * 86400, rel_tol=1e-6)
    assert t.Q_m3_per_s[1] == -t.Q_m3_per_s[0]
    assert list(t.error) == [0, 0] + [Error.INVALID_BREAKING_POINT] * 4
    assert np.isnan(t.Q_m3_per_s[2:]).all() and list(t.ok) == [True, True] + [False] * 4
    # Broadcasting as calc does: a column of heights against a row of angles.
    grid = saiha.transport([[1.0], [2.0]], 2.5, [5, 10, 15])
    assert grid.Q_m3_per_year.shape == (2, 3) and grid.ok.all()


def test_transport_reproduces_compare_rows():
    rows = saiha.compare(1.4, 9, 25, 45, K=0.5)
    exact = saiha.transport(rows.Hb, rows.hb, rows.theta_b, gamma=rows.gamma, K=0.5)
    for name in ("Q_m3_per_s", "Q_m3_per_year"):
        assert np.array_equal(bits(getattr(exact, name)), bits(rows[name])), name
    # Without gamma, Hb/hb: the same wherever it rounds to the row's gamma.
    same = np.float32(rows.Hb.astype(np.float64) / rows.hb.astype(np.float64)) == rows.gamma
    plain = saiha.transport(rows.Hb, rows.hb, rows.theta_b, K=0.5)
    assert same.any()
    assert np.array_equal(bits(plain.Q_m3_per_s[same]), bits(rows.Q_m3_per_s[same]))


def test_transport_keeps_the_index_of_series():
    rows = saiha.compare(2, 10, 30, 100).set_index(["breaker", "shoaling"])
    t = saiha.transport(rows.Hb, rows.hb, rows.theta_b, gamma=rows.gamma)
    assert t.Q_m3_per_year.index.equals(rows.index)
    assert np.array_equal(bits(t.Q_m3_per_year), bits(rows.Q_m3_per_year))
    with pytest.raises(ValueError, match="indexes"):
        saiha.transport(rows.Hb, rows.hb.reset_index(drop=True), rows.theta_b)
    with pytest.raises(TypeError):
        saiha.compare(2, 10, 30, 100, K="0.39")


@pytest.mark.parametrize(
    "params",
    [
        pytest.param({"K": 1e37}, id="K"),
        pytest.param({"K": 1e35, "rho_s": 1030}, id="sand barely heavier than water"),
        pytest.param({"K": 1e33, "porosity": 0.999999}, id="porosity near 1"),
    ],
)
def test_overflowing_transport_raises_where_saiha_calc_refuses(saiha_calc, params):
    """Parameters each in range whose yearly transport overflows for every
    breaker: saiha-calc exits 2, and so Python raises, in compare and transport."""
    wave = {"Ho": 1, "T": 10, "alpha0": 30, "n": 60}
    options = [arg for k, v in params.items() for arg in (f"--{k.replace('_', '-')}", repr(v))]
    done = saiha_calc_compare(saiha_calc, wave, "--lang", "en", *options)
    assert done.returncode == 2 and done.stdout == b""
    assert b"beyond single precision for every breaker" in done.stderr
    with pytest.raises(ValueError, match="beyond single precision for every breaker") as raised:
        saiha.compare(*wave.values(), **params)
    assert not isinstance(raised.value, saiha.CalcError)  # a bad option, not a bad wave
    with pytest.raises(ValueError, match="beyond single precision"):
        saiha.transport(2, 2.5, 10, **params)
    # Just below the bound the rows compute, as on the command line.
    saiha.compare(*wave.values(), K=1e20)


def test_frames_carry_the_units_saiha_calc_writes(saiha_calc):
    """attrs["units"] of every frame: the units of saiha-calc --units' header,
    none for the columns of text or codes."""
    frame = saiha.compare(2, 10, 0, 100)
    done = saiha_calc_compare(saiha_calc, {"Ho": 2, "T": 10, "alpha0": 0, "n": 100}, "--units")
    header = done.stdout.decode().splitlines()[0].split(",")
    expected = {}
    for name in header:
        if name.endswith("]"):
            column, unit = name[:-1].split(" [")
            expected[column] = unit
    assert frame.attrs["units"] == expected
    assert expected["Hb"] == "m" and expected["Q_m3_per_year"] == "m3 year-1"
    assert "error" not in frame.attrs["units"] and "breaker" not in frame.attrs["units"]
    profile = saiha.profile(1, 10, 30, 60, stations=5)
    assert profile.attrs["units"]["x"] == "m" and profile.attrs["units"]["C"] == "m s-1"
    assert "rule" not in profile.attrs["units"]
    cases = saiha.calc_frame(pd.DataFrame({"id": ["a"], "Ho": [1], "T": [10], "alpha0": [30],
                                           "n": [60]}))
    assert cases.attrs["units"]["theta_b"] == "degree" and "id" not in cases.attrs["units"]
