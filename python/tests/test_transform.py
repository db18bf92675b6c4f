import math

import numpy as np
import pandas as pd
import pytest

import saiha

G = 9.81


def plane(slope=1 / 50, depth=8.0, spacing=5.0):
    """A plane beach from `depth` at x = 0 to 2 m above the datum."""
    x = np.arange(0.0, (depth + 2) / slope + spacing / 2, spacing)
    return x, -depth + slope * x


def barred():
    x = np.arange(0.0, 701.0, 4.0)
    z = -7 + 0.0125 * x + 1.4 * np.exp(-(((x - 380) / 35) ** 2))
    return x, z


def wavenumber(T, d):
    """Linear dispersion by bisection, apart from the engine's Newton iteration."""
    omega = 2 * math.pi / T
    lo, hi = 1e-9, 100.0
    for _ in range(200):
        k = (lo + hi) / 2
        if omega ** 2 > G * k * math.tanh(k * d):
            lo = k
        else:
            hi = k
    return (lo + hi) / 2


def group_speed(T, d):
    k = wavenumber(T, d)
    c = 2 * math.pi / T / k
    return c, c / 2 * (1 + 2 * k * d / math.sinh(2 * k * d))


def test_conditions_broadcast_and_each_element_is_its_own_condition():
    x, z = barred()
    r = saiha.transform(x, z, [[0.6], [1.4]], [6.0, 9.0, 12.0], 15.0, tide=[0.0, 0.3, -0.2])
    assert r.shape == (2, 3)
    for name in saiha.TRANSFORM_POINT_NAMES:
        assert getattr(r, name).shape == (2, 3, len(x)) and getattr(r, name).dtype == np.float32
    for name in (*saiha.TRANSFORM_SUMMARY_NAMES, *saiha.TRANSFORM_INPUTS, "ok"):
        assert getattr(r, name).shape == (2, 3)
    assert r.error.dtype == np.uint8 and r.warning.dtype == np.uint32
    assert r.ok.all()
    one = saiha.transform(x, z, 1.4, 9.0, 15.0, tide=0.3)
    assert one.shape == () and one.Hrms.shape == (len(x),) and one.R2.shape == ()
    np.testing.assert_array_equal(r.Hrms[1, 1], one.Hrms)
    np.testing.assert_array_equal(r.V[1, 1], one.V)
    assert r.x_shoreline[1, 1] == one.x_shoreline and r.R2[1, 1] == one.R2
    assert np.isfinite(one.R2) and one.warning == 0
    assert r.tide[0, 2] == -0.2 and r.Hrms0[1, 0] == 1.4
    # The still-water depth follows each condition's tide.
    np.testing.assert_allclose(r.h[0, 1], (0.3 - z).astype(np.float32), atol=1e-6)
    assert saiha.transform(x, z, np.ones((0, 4)), 8.0, 0.0).Hrms.shape == (0, 4, len(x))


def test_without_dissipation_the_height_shoals_and_refracts_as_linear_theory():
    x, z = plane()
    T, theta0 = 10.0, 30.0
    r = saiha.transform(x, z, 0.2, T, theta0, dissipation="none", roller=False, setup=False,
                        max_step=1.0)
    assert r.ok
    c0, cg0 = group_speed(T, -z[0])
    checked = 0
    for i in range(len(x)):
        h = -z[i]
        if h < 1.0:
            break
        c, cg = group_speed(T, h)
        theta = math.asin(math.sin(math.radians(theta0)) * c / c0)
        expected = math.sqrt(cg0 * math.cos(math.radians(theta0)) / (cg * math.cos(theta)))
        assert r.Hrms[i] / 0.2 == pytest.approx(expected, rel=1e-3), f"h = {h}"
        assert r.theta[i] == pytest.approx(math.degrees(theta), abs=0.01)
        checked += 1
    assert checked > 60
    assert np.all(r.Qb[np.isfinite(r.Qb)] == 0) and np.all(r.eta[np.isfinite(r.eta)] == 0)


def test_a_condition_that_cannot_be_computed_gets_its_code_and_the_others_compute():
    x, z = barred()
    Hrms0 = np.array([1.0, -1.0, 1.0, 1.0, 1.0, 1.0, 1.2])
    Tp = np.array([8.0, 8.0, np.nan, 8.0, 8.0, 8.0, 10.0])
    theta0 = np.array([10.0, 10.0, 10.0, 95.0, 10.0, 10.0, -10.0])
    tide = np.array([0.0, 0.0, 0.0, 0.0, -20.0, np.inf, 0.2])
    r = saiha.transform(x, z, Hrms0, Tp, theta0, tide)
    E = saiha.Error
    assert list(r.error) == [0, E.INVALID_HEIGHT, E.INVALID_PERIOD, E.INVALID_ANGLE,
                             E.BOUNDARY_TOO_SHALLOW, E.INVALID_TIDE, 0]
    assert list(r.ok) == [True, False, False, False, False, False, True]
    for i in range(1, 6):
        assert np.isnan(r.Hrms[i]).all() and np.isnan(r.V[i]).all()
        assert np.isnan([r.x_breaking[i], r.x_shoreline[i], r.R2[i]]).all()
    for i in (0, 6):
        alone = saiha.transform(x, z, Hrms0[i], Tp[i], theta0[i], tide[i])
        np.testing.assert_array_equal(r.Hrms[i], alone.Hrms)
        assert np.isfinite(r.R2[i])
    assert saiha.transform(x, z, 1.0, 8.0, 0.0, wind_stress=np.nan).error == E.INVALID_TIDE


@pytest.mark.parametrize("fault, code", [
    ("reversed", "PROFILE_NOT_INCREASING"),
    ("repeated", "PROFILE_NOT_INCREASING"),
    ("nan", "PROFILE_NOT_FINITE"),
    ("inf", "PROFILE_NOT_FINITE"),
    ("lengths", "PROFILE_LENGTH_MISMATCH"),
    ("one point", "PROFILE_TOO_SHORT"),
    ("empty", "PROFILE_TOO_SHORT"),
])
def test_a_profile_fault_raises_with_the_catalogue_message(fault, code):
    x, z = barred()
    x, z = x.copy(), z.copy()
    if fault == "reversed":
        x = x[::-1]
    elif fault == "repeated":
        x[10] = x[9]
    elif fault == "nan":
        z[5] = np.nan
    elif fault == "inf":
        x[-1] = np.inf
    elif fault == "lengths":
        z = z[:-1]
    elif fault == "one point":
        x, z = x[:1], z[:1]
    else:
        x, z = x[:0], z[:0]
    with pytest.raises(ValueError) as raised:
        saiha.transform(x, z, [1.0, 2.0], 8.0, 0.0, lang="en")
    assert isinstance(raised.value, saiha.CalcError)
    assert raised.value.code == saiha.Error[code]
    assert saiha.error_text(int(saiha.Error[code]), "en") in str(raised.value)
    # Also with no conditions at all: the profile is checked all the same.
    with pytest.raises(saiha.CalcError):
        saiha.transform(x, z, np.ones(0), 8.0, 0.0)


def test_invalid_model_options_raise_naming_the_option():
    x, z = barred()
    for option, value in (("gamma", 0.0), ("gamma", -0.5), ("alpha", np.nan), ("B", 0),
                          ("max_step", -1.0), ("dry_depth", 0.0), ("roughness", np.inf),
                          ("roller_beta", 0.0), ("friction", -0.01)):
        with pytest.raises(saiha.CalcError) as raised:
            saiha.transform(x, z, 1.0, 8.0, 0.0, **{option: value})
        assert raised.value.code == saiha.Error.INVALID_TRANSFORM_OPTION
        assert raised.value.argument == option
    with pytest.raises(ValueError, match="baldock98"):
        saiha.transform(x, z, 1.0, 8.0, 0.0, dissipation="BJ78")
    with pytest.raises(ValueError, match="ruessink2003"):
        saiha.transform(x, z, 1.0, 8.0, 0.0, gamma="ruessink")
    with pytest.raises(TypeError, match="roller"):
        saiha.transform(x, z, 1.0, 8.0, 0.0, roller="yes")
    with pytest.raises(ValueError, match="1-d"):
        saiha.transform(np.stack([x, x]), np.stack([z, z]), 1.0, 8.0, 0.0)
    with pytest.raises(TypeError, match="Hrms0"):
        saiha.transform(x, z, "1.0", 8.0, 0.0)


def test_the_options_change_the_result_and_a_number_is_a_constant_gamma():
    x, z = barred()
    base = saiha.transform(x, z, 1.5, 9.0, 10.0)
    assert base.options["dissipation"] == "bj78" and base.options["gamma"] == "ruessink2003"
    constant = saiha.transform(x, z, 1.5, 9.0, 10.0, gamma=0.6)
    assert constant.options["gamma"] == "constant" and constant.options["gamma_constant"] == 0.6
    named = saiha.transform(x, z, 1.5, 9.0, 10.0, gamma="constant")
    np.testing.assert_array_equal(named.Hrms,
                                  saiha.transform(x, z, 1.5, 9.0, 10.0, gamma=0.73).Hrms)
    for other in (constant, saiha.transform(x, z, 1.5, 9.0, 10.0, dissipation="jb07"),
                  saiha.transform(x, z, 1.5, 9.0, 10.0, friction=0.01),
                  saiha.transform(x, z, 1.5, 9.0, 10.0, roller=False)):
        assert other.ok and not np.array_equal(other.V, base.V, equal_nan=True)
    no_setup = saiha.transform(x, z, 1.5, 9.0, 10.0, setup=False)
    assert np.nanmax(np.abs(no_setup.eta)) == 0 and np.nanmax(base.eta) > 0.05


def test_more_workers_give_the_same_results_exactly():
    x, z = barred()
    rng = np.random.default_rng(3)
    count = 300
    args = (rng.uniform(0.2, 2.5, count), rng.uniform(4, 15, count),
            rng.uniform(-40, 40, count), rng.uniform(-0.5, 0.8, count))
    one = saiha.transform(x, z, *args, workers=1)
    many = saiha.transform(x, z, *args, workers=3)
    for name in (*saiha.TRANSFORM_POINT_NAMES, *saiha.TRANSFORM_SUMMARY_NAMES):
        np.testing.assert_array_equal(getattr(many, name), getattr(one, name), err_msg=name)
    np.testing.assert_array_equal(many.error, one.error)
    np.testing.assert_array_equal(many.warning, one.warning)


def test_the_longshore_current_is_signed_as_the_direction():
    x, z = barred()
    r = saiha.transform(x, z, 1.2, 9.0, [25.0, -25.0, 0.0])
    positive, negative, normal = r.V
    wet = np.isfinite(positive)
    assert np.nanmax(positive) > 0.3
    assert (positive[wet] >= 0).all() and (negative[wet] <= 0).all()
    np.testing.assert_allclose(negative[wet], -positive[wet], atol=1e-6)
    assert np.nanmax(np.abs(normal)) == 0
    np.testing.assert_allclose(r.theta[1][wet], -r.theta[0][wet], atol=1e-5)


def test_summary_has_one_row_per_condition_on_the_series_index():
    x, z = barred()
    index = pd.Index([10, 20, 30], name="record")
    r = saiha.transform(x, z, pd.Series([0.8, 1.6, -1.0], index=index), 9.0, 10.0)
    frame = r.summary()
    assert list(frame.columns) == [*saiha.TRANSFORM_INPUTS, *saiha.TRANSFORM_SUMMARY_NAMES,
                                   "error", "warning"]
    assert frame.index.equals(index)
    assert frame["error"].tolist() == [0, 0, saiha.Error.INVALID_HEIGHT]
    np.testing.assert_array_equal(frame["R2"], r.R2)
    assert frame["R2"].dtype == np.float32 and frame["warning"].dtype == np.uint32
    grid = saiha.transform(x, z, [[0.5], [1.0]], [8.0, 12.0], 0.0).summary()
    assert grid.index.name == "condition" and len(grid) == 4
    assert grid["Hrms0"].tolist() == [0.5, 0.5, 1.0, 1.0]
    assert grid["Tp"].tolist() == [8.0, 12.0, 8.0, 12.0]
    assert len(saiha.transform(x, z, 1.0, 8.0, 0.0).summary()) == 1


def test_the_result_keeps_its_own_copy_of_the_inputs():
    x, z = barred()
    heights = np.array([1.0, 1.5])
    r = saiha.transform(x, z, heights, 8.0, 0.0)
    heights[0] = 9.0
    x[0] = -1.0
    assert r.Hrms0[0] == 1.0 and r.x[0] == 0.0


def test_to_xarray_has_conditions_along_x():
    xr = pytest.importorskip("xarray")
    x, z = barred()
    index = pd.Index([7, 8], name="record")
    r = saiha.transform(x, z, pd.Series([0.8, 1.6], index=index), 9.0, 10.0, tide=0.1)
    ds = r.to_xarray()
    assert isinstance(ds, xr.Dataset)
    assert ds["Hrms"].dims == ("condition", "x") and ds.sizes == {"condition": 2, "x": len(x)}
    np.testing.assert_array_equal(ds["x"], x)
    assert ds["z"].dims == ("x",) and ds["Hrms0"].dims == ("condition",)
    assert ds["R2"].dims == ("condition",) and ds["error"].dims == ("condition",)
    assert list(ds["condition"].values) == [7, 8]
    assert ds["Hrms"].attrs["units"] == "m" and ds["V"].attrs["units"] == "m s-1"
    assert ds.attrs["dissipation"] == "bj78" and ds.attrs["roller"] == 1
    np.testing.assert_array_equal(ds["Hrms"].sel(condition=8), r.Hrms[1])
    grid = saiha.transform(x, z, [[0.5], [1.0]], [8.0, 12.0], 0.0)
    flat = grid.to_xarray()
    assert flat.sizes["condition"] == 4 and flat.attrs["condition_shape"] == "(2, 2)"
    np.testing.assert_array_equal(flat["Hrms"][1], grid.Hrms[0, 1])


def test_interp_between_profile_points():
    x, z = barred()
    r = saiha.transform(x, z, [1.0, 1.8], 9.0, 0.0)
    at = np.array([x[3], (x[10] + x[11]) / 2, x[-1]])
    s = r.interp(at)
    np.testing.assert_array_equal(s.x, at)
    np.testing.assert_array_equal(s.Hrms[:, 0], r.Hrms[:, 3])
    np.testing.assert_allclose(s.Hrms[:, 1], (r.Hrms[:, 10] + r.Hrms[:, 11]) / 2, rtol=1e-6)
    assert s.z[1] == pytest.approx((z[10] + z[11]) / 2)
    assert np.isnan(s.Hrms[:, 2]).all()  # dry at the top of the beach
    assert s.Hrms.shape == (2, 3) and s.R2 is r.R2
    with pytest.raises(ValueError, match="on the profile"):
        r.interp([x[-1] + 1])


def test_transform_frame_takes_a_table_of_conditions():
    x, z = barred()
    conditions = pd.DataFrame({"record": [3, 4, 5], "Hm0": [1.0, 2.0, 2.5], "Tp": 9.0,
                               "theta0": [5.0, -5.0, 0.0], "tide": [0.0, 0.5, 0.2]},
                              index=pd.Index([100, 101, 102], name="row"))
    profile = pd.DataFrame({"x": x, "z": z})
    summary = saiha.transform_frame(conditions, profile)
    assert list(summary.columns[:5]) == list(conditions.columns)
    assert summary.index.equals(conditions.index)
    expected = saiha.transform(x, z, conditions.Hm0 / math.sqrt(2), 9.0, conditions.theta0,
                               conditions.tide)
    np.testing.assert_array_equal(summary["R2"], expected.R2)
    long = saiha.transform_frame(conditions, (x, z), output="long", at=[40.0, 200.0])
    assert len(long) == 6 and list(long.index) == [100, 100, 101, 101, 102, 102]
    assert "Hm0_boundary" in long.columns and long["x"].tolist() == [40.0, 200.0] * 3
    np.testing.assert_array_equal(long["Hrms"].to_numpy().reshape(3, 2),
                                  expected.interp([40.0, 200.0]).Hrms)
    for bad, match in ((conditions.drop(columns="Tp"), "Tp"),
                       (conditions.assign(Hrms0=1.0), "not both"),
                       (conditions.drop(columns="Hm0"), "Hrms0 or Hm0"),
                       (conditions.assign(R2=1.0), "R2")):
        with pytest.raises(ValueError, match=match):
            saiha.transform_frame(bad, profile)
    with pytest.raises(ValueError, match="long"):
        saiha.transform_frame(conditions, profile, at=[40.0])
    with pytest.raises(ValueError, match="no column 'z'"):
        saiha.transform_frame(conditions, {"x": x})


def test_saiha_calc_transform_gives_the_same_numbers(saiha_calc, tmp_path):
    """saiha-calc transform in full precision reads back as saiha.transform's
    single-precision values, point for point, summary and warnings too."""
    import io
    import subprocess

    x, z = barred()
    profile = tmp_path / "profile.csv"
    pd.DataFrame({"x": x, "z": z}).to_csv(profile, index=False)
    rng = np.random.default_rng(7)
    sea = pd.DataFrame({"record": np.arange(40),
                        "Hrms0": rng.uniform(0.3, 2.0, 40), "Tp": rng.uniform(5, 14, 40),
                        "theta0": rng.uniform(-40, 40, 40), "tide": rng.uniform(-0.5, 0.5, 40)})
    sea.loc[3, "Hrms0"] = 9.0  # too high at the boundary: its own error, the rest compute
    text = sea.to_csv(index=False).encode()
    python = saiha.transform(x, z, sea.Hrms0, sea.Tp, sea.theta0, sea.tide)
    assert not python.ok[3] and python.ok.sum() == 39

    def run(*options):
        out = subprocess.run([saiha_calc, "transform", "--profile", str(profile),
                              "--precision", "full", "--warnings", *options],
                             input=text, capture_output=True)
        assert out.returncode == 1, out.stderr  # the one failing condition
        return pd.read_csv(io.BytesIO(out.stdout))

    long = run()
    assert len(long) == len(sea) * len(x)
    for name in ["h", "eta", "Hrms", "Hm0", "H13", "H2", "Qb", "theta", "V"]:
        cli = long[name].to_numpy(np.float32).reshape(len(sea), len(x))
        np.testing.assert_array_equal(cli, getattr(python, name).astype(np.float32), err_msg=name)
    # Each row's bits: the condition's, those that concern a point the row's own point's.
    point_bits = np.uint32(saiha.WarningFlag.HRMS_ABOVE_MEAN_DEPTH
                           | saiha.WarningFlag.CURRENT_ABOVE_FITTED_RANGE)
    np.testing.assert_array_equal(
        long.warnings.to_numpy().reshape(len(sea), len(x)),
        (python.warning[:, None] & ~point_bits) | (python.point_warning & point_bits))
    assert long.error.isna().sum() == 39 * len(x)

    summary = run("--summary")
    for cli_name, py_name in [("x_breaking", "x_breaking"), ("eta_max", "eta_max"),
                              ("x_shoreline", "x_shoreline"), ("R2", "R2")]:
        np.testing.assert_array_equal(summary[cli_name].to_numpy(np.float32),
                                      getattr(python, py_name).astype(np.float32), err_msg=cli_name)


def test_plot_transform_draws_the_chosen_condition_over_the_bed():
    matplotlib = pytest.importorskip("matplotlib")
    matplotlib.use("Agg")
    import saiha.plot

    x, z = barred()
    r = saiha.transform(x, z, Hrms0=[0.5, 1.5], Tp=10, theta0=20, tide=0.4)
    heights, levels, breaking, current = saiha.plot.transform(r, condition=1)
    # Each strip draws the second condition's own numbers, NaN beyond the edge kept.
    drawn = {line.get_label(): line.get_ydata() for ax in (heights, levels, breaking, current)
             for line in ax.lines}
    np.testing.assert_array_equal(drawn["Hrms"], r.Hrms[1])
    np.testing.assert_array_equal(drawn["H1/3"], r.H13[1])
    twin = [ax for ax in levels.figure.axes if ax not in (heights, levels, breaking, current)]
    assert len(twin) == 1 and twin[0].get_shared_x_axes().joined(twin[0], levels)
    np.testing.assert_array_equal(twin[0].lines[0].get_ydata(), r.eta[1])
    np.testing.assert_array_equal(drawn["Qb"], r.Qb[1])
    np.testing.assert_array_equal(drawn["V"], r.V[1])
    assert "Hrms0 1.5 m" in heights.get_title()
    onset = [line for line in heights.lines if line.get_label() == "breaking sets in"]
    assert len(onset) == 1 and onset[0].get_xdata()[0] == pytest.approx(float(r.x_breaking[1]))
    # One condition needs no index; several do, and a wrong one is refused.
    assert len(saiha.plot.transform(saiha.transform(x, z, 1.0, 10, 0))) == 4
    for bad, error in ((None, ValueError), (2, ValueError), (-3, ValueError), (1.0, TypeError)):
        with pytest.raises(error):
            saiha.plot.transform(r, condition=bad)
    with pytest.raises(TypeError, match="saiha.transform"):
        saiha.plot.transform(saiha.profile(1, 10, 30, 60))
