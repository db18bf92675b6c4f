import subprocess
from io import BytesIO

import numpy as np
import pandas as pd
import pytest

import saiha
from saiha import Error

from conftest import bits

# Quantities of saiha-calc shore that are attributes of saiha.shoreline under the same name.
SAME_NAMES = (
    "Hb", "hb", "gamma", "theta_b", "xi0", "xi_b", "setdown_b", "setup_gradient",
    "setup_shoreline", "shoreline_shift", "setup_max", "runup_xi0", "runup_setup",
    "swash_incident", "swash_infragravity", "swash", "R2", "Hb_rms", "V",
)


@pytest.mark.parametrize(
    "wave, options",
    [
        pytest.param((2, 10, 30, 100), {}, id="CEM wave, dissipative runup"),
        pytest.param((1.5, 8, -25, 12), {"breaker": "mccowan", "shoaling": "shuto",
                                         "beta_f": 0.12, "runup_Tp": 11}, id="own model and runup"),
        pytest.param((0.01, 20, 0, 0.01), {}, id="no breaking point"),
    ],
)
def test_shoreline_equals_saiha_calc_shore(saiha_calc, wave, options):
    args = [a for k, v in zip(("Ho", "T", "alpha0", "n"), wave) for a in (f"--{k}", str(v))]
    flags = {"beta_f": "--beta-f", "runup_Tp": "--runup-Tp", "runup_H0": "--runup-H0"}
    args += [a for k, v in options.items() for a in (flags.get(k, f"--{k}"), str(v))]
    done = subprocess.run([saiha_calc, "shore", "--precision", "full", *args], capture_output=True, check=False)
    assert done.returncode in (0, 1), done.stderr.decode()
    rows = pd.read_csv(BytesIO(done.stdout), dtype=str, keep_default_na=False).set_index("quantity")
    s = saiha.shoreline(*wave, **options)
    for name in SAME_NAMES:
        cell = rows.loc[name, "value"]
        assert bits(getattr(s, name)) == bits(np.nan if cell == "" else np.float32(cell)), name
    assert s.breaker_type == rows.loc["breaker_type", "value"]
    assert s.breaker_type_b == rows.loc["breaker_type_b", "value"]
    assert bool(s.ok) == (done.returncode == 0)


def test_shoreline_broadcasts_with_codes_per_element():
    # Two angles of opposite sign against three foreshore slopes, one of them bad
    # and one NaN (the default, 1/n).
    s = saiha.shoreline(2, 10, np.array([[30.0], [-30.0]]), 100, beta_f=[0.1, 0.0, np.nan])
    assert s.R2.shape == s.breaker_type.shape == (2, 3)
    assert s.R2.dtype == s.V.dtype == np.float32
    assert (s.breaker_type == "spilling").all()
    assert list(s.error[0]) == [0, Error.INVALID_FORESHORE_SLOPE, 0]
    assert np.isnan(s.R2[:, 1]).all() and not np.isnan(s.setup_max[:, 1]).any()
    np.testing.assert_array_equal(s.R2[:, 2], saiha.shoreline(2, 10, 30, 100, beta_f=0.01).R2)
    assert s.dissipative[0, 2] and not s.dissipative[0, 0]
    np.testing.assert_array_equal(s.V[1], -s.V[0])
    assert (s.V[0] > 0).all() and (s.theta_b[0] > 0).all()

    lost = saiha.shoreline([2, 0.01], [10, 20], 0, [60, 0.01])
    assert list(lost.error) == [0, Error.BREAKING_NOT_FOUND]
    assert np.isnan(lost.setup_shoreline[1]) and lost.breaker_type_b[1] == ""
    assert lost.breaker_type[1] == "surging" and not np.isnan(lost.R2[1])


@pytest.mark.parametrize(
    "wave, options",
    [
        pytest.param((1, 10, 30, 2), {}, id="negative setup"),
        pytest.param((3, 8, 0, 100), {}, id="runup below setup"),
        pytest.param((2, 10, 0, 100), {"breaker": "komar-gaughan"}, id="CEM II-4-2 empirical"),
        pytest.param((0.1, 20, 0, 50), {"breaker": "komar-gaughan", "shoaling": "weggel"},
                     id="low swell empirical"),
    ],
)
def test_shoreline_warnings_and_codes_equal_saiha_calc(saiha_calc, wave, options):
    args = [a for k, v in zip(("Ho", "T", "alpha0", "n"), wave) for a in (f"--{k}", str(v))]
    args += [a for k, v in options.items() for a in (f"--{k}", v)]
    done = subprocess.run([saiha_calc, "shore", "--precision", "full", "--warnings", *args], capture_output=True,
                          check=False)
    rows = pd.read_csv(BytesIO(done.stdout), dtype=str, keep_default_na=False).set_index("quantity")
    s = saiha.shoreline(*wave, **options)
    for name in SAME_NAMES:
        cell = rows.loc[name, "value"]
        assert bits(getattr(s, name)) == bits(np.nan if cell == "" else np.float32(cell)), name
    union = np.bitwise_or.reduce(rows["warnings"].astype(np.uint32).to_numpy())
    assert s.warning.dtype == np.uint32 and int(s.warning) == int(union)
    assert bool(s.ok) == (done.returncode == 0)
    assert (rows.loc["runup_fit", "value"] == "dissipative") == bool(s.dissipative)


def test_shoreline_rules_at_the_edges():
    # gamma 5.13 on 1/2: no setup at the shoreline, no shift, no maximum.
    s = saiha.shoreline(1, 10, 30, 2)
    assert s.error == Error.NEGATIVE_SETUP and not s.ok
    assert np.isnan([s.setup_shoreline, s.shoreline_shift, s.setup_max]).all()
    assert s.setdown_b < 0 and s.warning & saiha.WarningFlag.BREAKER_INDEX_ABOVE_SETUP_RANGE
    # CEM Example Problem II-4-2 with the empirical breaking point.
    cem = saiha.shoreline(2, 10, 0, 100, breaker="komar-gaughan")
    assert cem.ok and abs(cem.setdown_b + 0.14) < 0.005
    assert abs(cem.setup_shoreline / 0.56 - 1) < 0.06
    assert saiha.shoreline(3, 8, 0, 100).warning == saiha.WarningFlag.RUNUP_BELOW_SETUP
    # Stockdon's band around xi0 = 0.3: beta_f for xi0 = 0.3*(1 -+ 0.04 / 0.06).
    root = np.sqrt(1 / (9.81 / 2 / 3.141592 * 100))
    near = saiha.shoreline(1, 10, 0, 50, beta_f=0.3 * root * np.array([0.94, 0.96, 1.04, 1.06]))
    flagged = (near.warning & saiha.WarningFlag.STOCKDON_BRANCH_CHANGE) != 0
    assert list(flagged) == [False, True, True, False]
    assert list(near.dissipative) == [True, True, False, False]
    with pytest.raises(ValueError, match="no shoaling rule"):
        saiha.shoreline(2, 10, 0, 100, breaker="komar-gaughan", shoaling="shuto")
    with pytest.raises(ValueError, match="unknown breaker"):
        saiha.shoreline(2, 10, 0, 100, shoaling="weggel", breaker="empirical")
