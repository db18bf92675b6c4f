"""The rules at the edges of the formulas' ranges, swept over the waves and
beaches the tool is used on (Ho 0.1-8 m, T 3-20 s, alpha0 -80..80, slopes
1/2-1/500, depths down to 0.01 m) under every model, on the Python face and
on saiha-calc's: no impossible number is printed without its warning bit or
its error code, and the two faces carry the same bits."""

import io
import itertools
import subprocess

import numpy as np
import pandas as pd
import pytest

import saiha
from saiha import Error, WarningFlag as W

HEIGHTS = (0.1, 0.5, 2, 8)
PERIODS = (3, 8, 15, 20)
ANGLES = (-80, 0, 45)
SLOPES = (2, 5, 10, 30, 100, 500)
DEPTHS = (0.01, 0.03, 0.1, 0.5, 2, 10)


def grid(*axes):
    """The axes' product as one flat float64 array per axis."""
    return [np.array(a, dtype=float) for a in zip(*itertools.product(*axes))]


def has(bits, flag):
    return (np.asarray(bits) & flag) != 0


@pytest.mark.parametrize("breaker", saiha.BREAKERS)
@pytest.mark.parametrize("shoaling", saiha.SHOALINGS)
def test_regular_waves_flag_every_edge(breaker, shoaling):
    Ho, T, a, n, h = grid(HEIGHTS, PERIODS, ANGLES, SLOPES, DEPTHS)
    r = saiha.calc(Ho, T, a, n, h, breaker=breaker, shoaling=shoaling)
    steep = Ho / (9.81 * T**2 / (2 * np.pi)) > 0.142
    assert np.all(r.error[steep] == Error.STEEPNESS_LIMIT)
    # Every other wave breaks somewhere on h/L0 down to 1e-5 and computes.
    assert not np.any(r.error == Error.BREAKING_NOT_FOUND)
    ok = r.ok
    assert ok.sum() > 0.9 * (~steep).sum()
    results = np.stack([getattr(r, name) for name in saiha.RESULT_NAMES])
    assert not np.isnan(results[:, ok]).any()
    # Heights above the depth carry their bit, and only they.
    np.testing.assert_array_equal(has(r.warning, W.HEIGHT_ABOVE_DEPTH)[ok], (r.H > r.h)[ok])
    # A breaking point below the floor of the breaker limits' measurements.
    L0 = np.float32(9.81) * T.astype(np.float32) ** 2 / np.float32(2 * np.pi)
    np.testing.assert_array_equal(has(r.warning, W.BELOW_SEARCH_FLOOR)[ok],
                                  (r.hb / L0 < 0.001)[ok])
    if breaker.startswith("goda"):
        np.testing.assert_array_equal(has(r.warning, W.STEEP_SLOPE)[~steep], (n < 10)[~steep])


def test_random_waves_never_fail_for_their_shoaling_and_flag_heights_above_depth():
    H0p, T13, n, h = grid(HEIGHTS, PERIODS, SLOPES, DEPTHS)
    r = saiha.random_waves(H0p, T13, n, h)
    assert not np.any(r.error == Error.NONLINEAR_SHOALING_LIMIT)
    steep = H0p / (9.81 * T13**2 / (2 * np.pi)) > 0.142
    np.testing.assert_array_equal(r.ok, ~steep)
    ok = r.ok
    assert not np.isnan(r.H13[ok]).any() and not np.isnan(r.Hmax[ok]).any()
    assert np.all(r.Hmax[ok] >= r.H13[ok])
    above = (r.H13 > h) | (r.Hmax > h)
    np.testing.assert_array_equal(has(r.warning, W.HEIGHT_ABOVE_DEPTH)[ok], above[ok])
    # Ks is left empty exactly where it could not be formed, and then said.
    np.testing.assert_array_equal(has(r.warning, W.SHOALING_NOT_FORMED)[ok], np.isnan(r.Ks[ok]))
    np.testing.assert_array_equal(has(r.warning, W.GENTLE_SLOPE)[ok], (n > 100)[ok])
    np.testing.assert_array_equal(has(r.warning, W.STEEP_SLOPE)[ok], (n < 10)[ok])
    assert np.any(np.isnan(r.Ks[ok]))  # the shallow end of the sweep is met


@pytest.mark.parametrize("breaker", [*saiha.BREAKERS, "komar-gaughan"])
def test_shoreline_never_prints_a_setup_below_still_water(breaker):
    Ho, T, a, n = grid(HEIGHTS, PERIODS, ANGLES, SLOPES)
    s = saiha.shoreline(Ho, T, a, n, breaker=breaker)
    reached = ~np.isnan(s.setup_shoreline)
    assert np.all(s.setup_shoreline[reached] >= 0)
    assert np.all(s.setup_max[~np.isnan(s.setup_max)] >= 0)
    # A setup the theory cannot give is empty with its own code.
    gone = np.isnan(s.setup_shoreline) & ~np.isnan(s.setdown_b)
    assert np.all(s.error[gone] == Error.NEGATIVE_SETUP)
    both = ~np.isnan(s.R2) & ~np.isnan(s.setup_max)
    np.testing.assert_array_equal(has(s.warning, W.RUNUP_BELOW_SETUP)[both],
                                  (s.R2 < s.setup_max)[both])
    near = np.abs(s.xi0 / 0.3 - 1) <= 0.05
    assert np.all(has(s.warning, W.STOCKDON_BRANCH_CHANGE)[near & ~np.isnan(s.R2)])


def test_saiha_calc_carries_the_same_bits(saiha_calc):
    """The CLI's warnings column, row for row, is the Python face's warning."""
    Ho, T, a, n, h = grid(HEIGHTS, PERIODS, ANGLES, SLOPES, DEPTHS)
    frame = pd.DataFrame({"Ho": Ho, "T": T, "alpha0": a, "n": n, "h": h})
    out = subprocess.run([saiha_calc, "--lang", "en", "--warnings", "--breaker", "goda2010"],
                         input=frame.to_csv(index=False).encode(), capture_output=True)
    assert out.returncode == 1  # the steep waves fail; the rest compute
    cli = pd.read_csv(io.BytesIO(out.stdout))
    python = saiha.calc(Ho, T, a, n, h, breaker="goda2010")
    np.testing.assert_array_equal(cli.warnings.to_numpy(), python.warning)
    assert b"rows carry warnings" in out.stderr

    H0p, T13, slope, depth = grid(HEIGHTS, PERIODS, SLOPES, DEPTHS)
    sea = pd.DataFrame({"H0p": H0p, "T13": T13, "n": slope, "h": depth})
    out = subprocess.run([saiha_calc, "random", "--warnings"],
                         input=sea.to_csv(index=False).encode(), capture_output=True)
    cli = pd.read_csv(io.BytesIO(out.stdout))
    np.testing.assert_array_equal(cli.warnings.to_numpy(),
                                  saiha.random_waves(H0p, T13, slope, depth).warning)
