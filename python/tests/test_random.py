"""Goda's random-wave heights, the steepness limit and the warning bits."""

import subprocess
from io import BytesIO

import numpy as np
import pandas as pd
import pytest

import saiha
from saiha import Error, WarningFlag

T = 10.0
L0 = 9.81 * T * T / (2 * 3.141592)


def goda(Ks, H0p, h, n, maximum):
    """Goda's H1/3 (maximum=False) or Hmax as published, in float64."""
    s, t = H0p / L0, 1 / n
    shoaled = (1.8 if maximum else 1.0) * Ks * H0p
    b0 = (0.052 if maximum else 0.028) * s**-0.38 * np.exp(20 * t**1.5)
    b1 = 0.63 * np.exp(3.8 * t) if maximum else 0.52 * np.exp(4.2 * t)
    floor, c = (1.65, 0.53) if maximum else (0.92, 0.32)
    cap = np.maximum(floor, c * s**-0.29 * np.exp(2.4 * t)) * H0p
    surf = np.minimum(np.minimum(b0 * H0p + b1 * h, cap), shoaled)
    return np.where(h / L0 >= 0.2, shoaled, surf)


def test_random_waves_broadcast_and_follow_godas_formulas_on_a_grid():
    n = np.array([10.0, 20, 50, 100])[:, None, None]
    H0p = np.array([0.005, 0.01, 0.03, 0.08])[None, :, None] * L0
    h = np.array([0.005, 0.01, 0.03, 0.1, 0.19, 0.2, 0.3])[None, None, :] * L0
    r = saiha.random_waves(H0p, T, n, h, workers=2)
    assert r.H13.shape == (4, 4, 7) and r.H13.dtype == np.float32
    assert r.ok.all()
    Ks = r.Ks.astype(np.float64)
    np.testing.assert_allclose(r.H13, goda(Ks, H0p, h, n, False), rtol=1e-3)
    np.testing.assert_allclose(r.Hmax, goda(Ks, H0p, h, n, True), rtol=1e-3)
    deep = np.broadcast_to(h / L0 >= 0.2, r.H13.shape)
    np.testing.assert_allclose(r.H13[deep], (Ks * np.broadcast_to(H0p, Ks.shape))[deep], rtol=1e-6)


def test_random_waves_give_each_element_its_own_code():
    r = saiha.random_waves([0, 2, 2, 0.15 * L0, 2], T, [50, -1, 50, 50, 8], [5, 5, 0, 5, 5])
    assert list(r.error) == [Error.INVALID_HEIGHT, Error.INVALID_SLOPE, Error.INVALID_DEPTH,
                             Error.STEEPNESS_LIMIT, Error.NONE]
    assert np.isnan(r.H13[:4]).all() and r.ok[4]
    assert r.warning[4] == WarningFlag.STEEP_SLOPE


def test_random_profile_is_a_frame_with_the_edge_marked():
    frame = saiha.random_profile(2, T, 100)
    assert tuple(frame.columns) == saiha.RANDOM_PROFILE_COLUMNS
    edge = frame[frame.point == "breaking"]
    assert len(edge) == 1
    assert frame.H13.max() == pytest.approx(edge.H13.iloc[0], rel=2e-3)
    assert {"shoaling", "breaking"} <= set(frame.H13_term) <= {"shoaling", "breaking", "cap"}
    with pytest.raises(saiha.CalcError) as caught:
        saiha.random_profile(0.15 * L0, T, 100)
    assert caught.value.code == Error.STEEPNESS_LIMIT


def test_steep_waves_are_refused_and_models_flag_their_range():
    r = saiha.calc([3, 1], [2, 10], 0, [60, 8], breaker="kamphuis")
    assert list(r.error) == [Error.STEEPNESS_LIMIT, Error.NONE]
    assert r.warning[1] == WarningFlag.IRREGULAR_WAVE_INDEX
    # On 1/8 the breaker index is 1.48: the height at the breaking depth is
    # above the depth; on 1/60 (0.82) it is not, and a deep station never is.
    assert saiha.calc(1, 10, 0, 8).warning == WarningFlag.STEEP_SLOPE | WarningFlag.HEIGHT_ABOVE_DEPTH
    assert saiha.calc(1, 10, 0, 8, h=5).warning == WarningFlag.STEEP_SLOPE
    assert saiha.calc(1, 10, 0, 60).warning == WarningFlag.NONE
    assert saiha.calc([1, 1], 10, 0, 8, h=[5, 0.5]).warning.dtype == np.uint32
    frame = saiha.profile(1, 10, 0, 10, stations=20)
    above = {i for i, w in frame.attrs["warnings"].items() if w & WarningFlag.HEIGHT_ABOVE_DEPTH}
    assert above == set(frame.index[frame.H > frame.h])
    assert above and not saiha.profile(1, 10, 0, 60).attrs["warnings"]
    with pytest.raises(saiha.CalcError):
        saiha.compare(3, 2, 0, 60)
    # compare's rows say what calc says at the breaking depth; with the
    # significant height, the sea's own bits replace the regular Hb's.
    rows = saiha.compare(1, 10, 0, 8, warnings=True)
    assert rows.warning.iloc[0] == WarningFlag.STEEP_SLOPE | WarningFlag.HEIGHT_ABOVE_DEPTH
    assert all((rows.warning & WarningFlag.HEIGHT_ABOVE_DEPTH != 0) == (rows.Hb > rows.hb))
    gentle = saiha.compare(1, 10, 0, 200, warnings=True, height="significant")
    assert all(gentle.warning[gentle.error == ""] & WarningFlag.GENTLE_SLOPE)


def test_saiha_calc_random_writes_the_same_heights(saiha_calc):
    n, s, d = np.meshgrid([10.0, 30, 100], [0.005, 0.02, 0.08], [0.005, 0.05, 0.19, 0.3])
    H0p, h = s.ravel() * L0, d.ravel() * L0
    rows = "".join(f"{a!r},{T!r},{b!r},{c!r}\n" for a, b, c in zip(H0p, n.ravel(), h))
    run = subprocess.run([saiha_calc, "random", "--precision", "full", "-"],
                         input=("H0p,T13,n,h\n" + rows).encode(), capture_output=True, check=True)
    frame = pd.read_csv(BytesIO(run.stdout))
    assert list(frame.columns) == ["H0p", "T13", "n", "h", "Ks", "H13", "Hmax", "error"]
    r = saiha.random_waves(H0p, T, n.ravel(), h)
    for name in ("Ks", "H13", "Hmax"):
        np.testing.assert_array_equal(frame[name].to_numpy(np.float32), getattr(r, name))
    profile = subprocess.run([saiha_calc, "random", "--profile", "--precision", "full", "--H0p", "2", "--T13", "10",
                              "--n", "100"], capture_output=True, check=True)
    from_cli = pd.read_csv(BytesIO(profile.stdout), keep_default_na=False)
    np.testing.assert_array_equal(from_cli.H13.to_numpy(np.float32),
                                  saiha.random_profile(2, T, 100).H13.to_numpy())


def test_compare_with_significant_heights_takes_h13_at_each_rows_breaking_depth(saiha_calc):
    regular = saiha.compare(2, 10, 20, 100)
    significant = saiha.compare(2, 10, 20, 100, height="significant")
    np.testing.assert_array_equal(significant.hb, regular.hb)
    Kr = np.sqrt(np.cos(np.radians(20)) / np.cos(np.radians(regular.theta_b.to_numpy(np.float64))))
    expected = saiha.random_waves(Kr * 2, 10, 100, regular.hb.to_numpy(np.float64)).H13
    np.testing.assert_allclose(significant.Hb, expected, rtol=1e-6)
    assert (significant.Q_m3_per_s < regular.Q_m3_per_s).all()
    run = subprocess.run([saiha_calc, "compare", "--precision", "full", "--Ho", "2", "--T", "10", "--alpha0", "20",
                          "--n", "100", "--height", "significant"], capture_output=True, check=True)
    np.testing.assert_array_equal(pd.read_csv(BytesIO(run.stdout)).Hb.to_numpy(np.float32),
                                  significant.Hb.to_numpy())


def test_shallow_seas_compute_without_ks_and_carry_their_warnings():
    H0p, T13, n, h = [2, 8, 3, 8, 2, 2], [17, 20, 10, 20, 10, 10], [50, 50, 50, 50, 100, 101], \
        [0.05, 0.1, 0.03, 0.05, 1.0, 0.999]
    r = saiha.random_waves(H0p, T13, n, h)
    assert r.ok.all() and r.warning.dtype == np.uint32
    no_ks = WarningFlag.SHOALING_NOT_FORMED
    assert list(np.isnan(r.Ks)) == [True, True, True, False, False, False]
    assert [bool(w & no_ks) for w in r.warning] == [True, True, True, False, False, False]
    above = (r.H13 > np.float32(h)) | (r.Hmax > np.float32(h))
    assert list(above) == [bool(w & WarningFlag.HEIGHT_ABOVE_DEPTH) for w in r.warning]
    # h/H0' = 0.5 is inside Goda's diagrams, just below it is not; 1/100
    # inside the fitted slopes, 1/101 not.
    ranges = WarningFlag.GENTLE_SLOPE | WarningFlag.SHALLOW_FOR_RANDOM_WAVES
    assert r.warning[4] & ranges == 0
    assert r.warning[5] & ranges == ranges


def test_random_profile_keeps_its_shoreward_stations_with_their_warnings():
    frame = saiha.random_profile(3, 10, 2)
    assert not frame.attrs["errors"]
    last = len(frame) - 1
    assert frame.H13.iloc[last] > frame.h.iloc[last]
    assert frame.attrs["warnings"][last] & WarningFlag.HEIGHT_ABOVE_DEPTH
    assert all(w & WarningFlag.STEEP_SLOPE for w in frame.attrs["warnings"].values())
    assert len(frame.attrs["warnings"]) == len(frame)
    assert not saiha.random_profile(2, T, 100).attrs["warnings"].get(0)
