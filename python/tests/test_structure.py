"""At the structure: the Python faces of the caisson, overtopping, runup, armour and the chain.

The numbers themselves are checked against hand evaluations in the engine's
own tests; here: broadcasting, per-element codes, the frames, Dask, and that
saiha-calc and the package give the same single-precision numbers.
"""

import subprocess
from io import BytesIO, StringIO

import numpy as np
import pandas as pd
import pytest

import saiha
from conftest import SOURCE_DIR, bits

PROFILE = SOURCE_DIR / "examples" / "barred_profile.csv"

# A composite breakwater (the engine's documented case) and variations.
CAISSONS = pd.DataFrame({
    "name": ["composite", "on seabed", "no berm", "short wave", "high crest", "d > h'",
             "h' > h", "B < 0", "Hmax > 2h", "H13 > Hmax"],
    "Hmax": [10, 6, 10, 8, 10, 10, 10, 10, 40, 5],
    "H13": [5.6, 3.5, 5.6, 4.5, 5.6, 5.6, 5.6, 5.6, 5.6, 5.6],
    "T": [12, 10, 12, 7, 12, 12, 12, 12, 12, 12],
    "h": [16, 12, 16, 14, 16, 16, 16, 16, 16, 16],
    "h_prime": [12, 12, 12, 11, 12, 8, 17, 12, 12, 12],
    "d": [9, 12, 9, 8, 9, 9, 9, 9, 9, 9],
    "hc": [5, 4, 5, 3, 20, 5, 5, 5, 5, 5],
    "B": [18, 15, 18, 16, 18, 18, 18, -1, 18, 18],
    "berm": [10, 0, 0, 12, 10, 10, 10, 10, 10, 10],
})
CAISSON_CODES = [0, 0, 0, 0, 0, saiha.Error.DEPTH_ORDER, saiha.Error.DEPTH_ORDER,
                 saiha.Error.INVALID_STRUCTURE_WIDTH, saiha.Error.HEIGHT_ABOVE_DEPTH_LIMIT,
                 saiha.Error.HEIGHT_ORDER]

WAVES = pd.DataFrame({
    "Hm0": [2.0, 2.0, 1.0, 3.0, 2.0, 0.5, 2.0, -1.0],
    "Tm10": [6.0, 6.0, 8.0, 10.0, 6.0, 4.0, 6.0, 6.0],
    "Rc": [3.0, 0.0, 2.0, 1.5, 12.0, 1.0, -0.5, 3.0],
    "h": [5.0, 5.0, 3.0, 8.0, 5.0, 2.0, 5.0, 5.0],
})

# Each structure kind with its options, on the command line and in Python.
OVERTOPPING_KINDS = [
    ("smooth slope, design", ["--cot-alpha", "3"], {"cot_alpha": 3.0}),
    ("rough slope, mean", ["--cot-alpha", "2", "--gamma-f", "0.4", "--approach", "mean",
                           "--beta", "30"],
     {"cot_alpha": 2.0, "gamma_f": 0.4, "approach": "mean", "beta": 30.0}),
    ("vertical wall", ["--structure", "vertical"], {"structure": "vertical"}),
    ("vertical wall in deep water", ["--structure", "vertical", "--no-foreshore"],
     {"structure": "vertical", "foreshore": False}),
    ("composite wall", ["--structure", "composite", "--d", "1.5"],
     {"structure": "composite", "d": 1.5}),
]


def run_cli(program, *options, stdin=None):
    done = subprocess.run([program, *options], input=stdin, capture_output=True, check=False,
                          timeout=120)
    return done


def cli_frame(program, table: pd.DataFrame, *options) -> pd.DataFrame:
    done = run_cli(program, *options, "--precision", "full", "--warnings", "-",
                   stdin=table.to_csv(index=False).encode())
    assert done.returncode in (0, 1), done.stderr.decode()
    return pd.read_csv(BytesIO(done.stdout), keep_default_na=False, dtype=str)


def numbers(column: pd.Series) -> np.ndarray:
    return np.array([float(c) if c else np.nan for c in column], dtype=np.float32)


# ---------------------------------------------------------------- caisson

def test_caisson_broadcasts_and_each_element_carries_its_own_code():
    r = saiha.caisson(CAISSONS.Hmax.to_numpy(), CAISSONS.H13.to_numpy(), CAISSONS["T"],
                      CAISSONS.h, CAISSONS.h_prime, CAISSONS.d, CAISSONS.hc, CAISSONS.B,
                      n=50, berm=CAISSONS.berm)
    assert r.error.tolist() == [int(c) for c in CAISSON_CODES]
    assert r.P.dtype == np.float32 and r.P.shape == (len(CAISSONS),)
    assert np.isnan(r.P[~r.ok]).all() and np.isfinite(r.P[r.ok]).all()
    # A row against a column: a table of (depth, period).
    grid = saiha.caisson(10, 5.6, np.array([[10.0], [12.0], [14.0]]), 16, 12, 9, 5, 18,
                         n=[30.0, 50.0, 100.0, 200.0])
    assert grid.p1.shape == (3, 4) and grid.ok.all()
    assert grid.p1[1, 1] == saiha.caisson(10, 5.6, 12, 16, 12, 9, 5, 18, n=50).p1


def test_caisson_scalars_give_0d_results_on_the_series_index():
    one = saiha.caisson(10, 5.6, 12, 16, 12, 9, 5, 18, n=50, beta=20, berm=10)
    assert one.p1.shape == () and one.ok
    series = pd.Series([9.0, 10.0], index=["a", "b"])
    r = saiha.caisson(series, 5.6, 12, 16, 12, 9, 5, 18, n=50)
    assert list(r.to_frame().index) == ["a", "b"]


def test_impulsive_false_is_godas_original_and_never_raises_p1():
    goda = saiha.caisson(10, 5.6, 12, 16, 12, 9, 5, 18, n=50, berm=10, impulsive=False)
    takahashi = saiha.caisson(10, 5.6, 12, 16, 12, 9, 5, 18, n=50, berm=10)
    assert takahashi.alphaI == goda.alphaI > goda.alpha2
    assert takahashi.p1 > goda.p1
    with pytest.raises(TypeError):
        saiha.caisson(10, 5.6, 12, 16, 12, 9, 5, 18, n=50, impulsive="no")


def test_a_given_weight_replaces_the_density_and_a_low_factor_is_flagged():
    light = saiha.caisson(10, 5.6, 12, 16, 12, 9, 5, 18, n=50, berm=10, weight=1.0e6)
    assert light.W == np.float32(1.0e6)
    assert light.warning & saiha.WarningFlag.SLIDING_BELOW_REQUIRED
    strict = saiha.caisson(10, 5.6, 12, 16, 12, 9, 5, 18, n=50, berm=10, required_safety=5)
    assert strict.warning & saiha.WarningFlag.OVERTURNING_BELOW_REQUIRED


def test_the_design_wave_feeds_the_caisson():
    w = saiha.design_wave(6.0, 12.0, 50.0, np.array([8.0, 16.0, 30.0]))
    assert w.ok.all() and w.at_hb.dtype == bool
    assert w.at_hb[0] and not w.at_hb[2]  # in the surf zone the breaker at hb governs
    assert w.Hmax[0] == max(w.Hmax_h[0], w.Hmax_hb[0]) and w.Hmax[2] == w.Hmax_h[2]
    r = saiha.caisson(w.Hmax, w.H13, w.T, [8.0, 16.0, 30.0], [6.0, 12.0, 25.0],
                      [5.0, 9.0, 20.0], 4, 18, n=50)
    assert r.ok.all()


# ------------------------------------------------- runup and overtopping

def test_overtopping_codes_regimes_and_the_negligible_discharge():
    o = saiha.overtopping(WAVES.Hm0, WAVES.Tm10, WAVES.Rc, cot_alpha=3)
    assert o.error.tolist() == [0, 0, 0, 0, 0, 0, saiha.Error.NEGATIVE_FREEBOARD,
                                saiha.Error.INVALID_DESIGN_HEIGHT]
    assert set(o.regime[o.ok]) <= {"breaking", "non-breaking", "very-shallow"}
    assert (o.regime[~o.ok] == "").all() and np.isnan(o.q[~o.ok]).all()
    assert o.q[4] < saiha.NEGLIGIBLE_DISCHARGE
    assert o.warning[4] & saiha.WarningFlag.NEGLIGIBLE_OVERTOPPING
    assert o.q[1] > o.q[0]  # the largest discharge at Rc = 0


def test_overtopping_refuses_bad_options_with_valueerror():
    with pytest.raises(ValueError, match="structure"):
        saiha.overtopping(2, 6, 3, structure="dike", cot_alpha=3)
    with pytest.raises(ValueError, match="approach"):
        saiha.overtopping(2, 6, 3, cot_alpha=3, approach="best")
    with pytest.raises(ValueError, match="cot_alpha"):
        saiha.overtopping(2, 6, 3)
    with pytest.raises(ValueError, match="needs h"):
        saiha.overtopping(2, 6, 3, structure="vertical")
    with pytest.raises(ValueError, match="needs d"):
        saiha.overtopping(2, 6, 3, structure="composite", h=5)


def test_wall_regimes_follow_the_impulsiveness():
    deep = saiha.overtopping(2, 6, 2, structure="vertical", h=40, foreshore=False)
    assert deep.regime == "no-foreshore"
    shallow = saiha.overtopping(2, 6, 2, structure="vertical", h=[3.0, 30.0])
    assert shallow.regime.tolist() == ["impulsive", "non-impulsive"]


def test_runup_design_approach_lies_above_the_mean():
    design = saiha.runup(2, 6, cot_alpha=[2.0, 3.0, 4.0])
    mean = saiha.runup(2, 6, cot_alpha=[2.0, 3.0, 4.0], approach="mean")
    assert (design.Ru2 > mean.Ru2).all()
    capped = saiha.runup(2, 6, cot_alpha=1.5, gamma_f=0.4, permeable_core=True)
    assert capped.Ru2 <= np.float32(1.97 * 2)


# ------------------------------------------------------------------ armour

@pytest.mark.parametrize("method", saiha.ARMOUR_METHODS)
def test_armour_mass_is_rho_s_times_dn50_cubed(method):
    a = saiha.armour([2.0, 3.0, 4.0], None if method == "hudson" else 7.0, 3.0, method=method)
    assert a.ok.all()
    np.testing.assert_allclose(a.M50, 2650 * a.Dn50.astype(np.float64) ** 3, rtol=1e-5)
    assert (a.breaker == "").all() if method == "hudson" else set(a.breaker) <= {"plunging",
                                                                                   "surging"}


def test_armour_codes_and_options():
    a = saiha.armour([3.0, 3.0, 3.0], 7.0, 3.0, rho_s=[2650.0, 1000.0, 2650.0], P=[0.4, 0.4, 0.9])
    assert a.error.tolist() == [0, saiha.Error.INVALID_ROCK_DENSITY,
                                saiha.Error.INVALID_ARMOUR_PARAMETER]
    with pytest.raises(ValueError, match="needs T"):
        saiha.armour(3.0, None, 3.0)
    with pytest.raises(ValueError, match="method"):
        saiha.armour(3.0, 7.0, 3.0, method="cubes")


# ----------------------------------------------------------------- frames

def test_frames_pass_columns_through_and_refuse_clashes():
    f = saiha.caisson_frame(CAISSONS, n=50)
    assert list(f.columns[:len(CAISSONS.columns)]) == list(CAISSONS.columns)
    assert f["error"].tolist() == [int(c) for c in CAISSON_CODES]
    with pytest.raises(ValueError, match="give it once"):
        saiha.caisson_frame(CAISSONS.assign(n=50.0), n=50)
    with pytest.raises(ValueError, match="result"):
        saiha.caisson_frame(CAISSONS.assign(P=1.0), n=50)
    with pytest.raises(ValueError, match="no column 'Hmax'"):
        saiha.caisson_frame(CAISSONS.drop(columns="Hmax"), n=50)
    o = saiha.overtopping_frame(WAVES.assign(site="A"), cot_alpha=3)
    assert list(o.columns) == [*WAVES.columns, "site", "Ru2", "q", "regime", "error", "warning"]
    a = saiha.armour_frame(pd.DataFrame({"Hs": [3.0], "T": [7.0], "cot_alpha": [3.0],
                                         "KD": [2.0]}), method="hudson")
    assert a["M50"].iloc[0] == saiha.armour(3.0, 7.0, 3.0, method="hudson", KD=2.0).M50


def test_dask_forms_give_the_pandas_frames():
    dd = pytest.importorskip("dask.dataframe")
    import saiha.dask as sd
    table = pd.concat([CAISSONS] * 3, ignore_index=True)
    lazy = sd.caisson_frame(dd.from_pandas(table, npartitions=3), n=50)
    pd.testing.assert_frame_equal(lazy.compute(), saiha.caisson_frame(table, n=50))
    waves = dd.from_pandas(pd.concat([WAVES] * 2, ignore_index=True), npartitions=2)
    pd.testing.assert_frame_equal(sd.overtopping_frame(waves, cot_alpha=2.5).compute(),
                                  saiha.overtopping_frame(waves.compute(), cot_alpha=2.5))
    rock = dd.from_pandas(pd.DataFrame({"Hs": [1.0, 2.0, 3.0], "T": [5.0, 6.0, 7.0],
                                        "cot_alpha": 2.0}), npartitions=2)
    pd.testing.assert_frame_equal(sd.armour_frame(rock).compute(),
                                  saiha.armour_frame(rock.compute()))
    with pytest.raises(TypeError):
        sd.caisson_frame(table, n=50)


# ------------------------------------------------------------ the chain

def hindcast(count: int = 240) -> pd.DataFrame:
    hours = np.arange(count)
    Hm0 = 1.0 + 0.8 * np.sin(hours / 17.0) ** 2
    return pd.DataFrame({
        "time": pd.date_range("2025-01-01", periods=count, freq="h").strftime("%Y-%m-%dT%H"),
        "Hm0": Hm0.round(2), "Tp": (5 + 2.2 * Hm0).round(2),
        "theta0": (20 * np.sin(hours / 9.0)).round(1),
        "tide": (0.4 + 1.1 * np.sin(2 * np.pi * hours / 12.42)).round(2)})


def test_the_toe_wave_of_at_feeds_overtopping_as_the_chain_does():
    p = pd.read_csv(PROFILE)
    c = hindcast()
    chain = saiha.overtopping_chain(p.x, p.z, c.Hm0 / np.sqrt(2), c.Tp, c.theta0, c.tide,
                                    toe=440, crest=3.5, cot_alpha=3)
    t = saiha.transform(p.x, p.z, c.Hm0 / np.sqrt(2), c.Tp, c.theta0, c.tide)
    toe = t.at(440)
    assert np.array_equal(toe.error, chain.error)
    q = saiha.overtopping(toe.Hm0, c.Tp / 1.1, 3.5 - toe.level.astype(np.float64),
                          cot_alpha=3, h=toe.depth)
    ok = chain.ok
    assert ok.sum() > 100 and (~ok).sum() > 0  # the toe dries at low tide
    assert np.array_equal(bits(q.q[ok]), bits(chain.q[ok]))
    assert np.array_equal(bits(toe.level[ok]), bits(chain.level[ok]))
    s = chain.summary
    assert s["rows"] == len(c) and s["computed"] + s["failed"] == len(c)
    assert s["above"] == [int((chain.q > limit).sum()) for limit in saiha.DEFAULT_LIMITS]
    assert s["q_max"] == pytest.approx(float(np.nanmax(chain.q)))
    assert s["q_max_index"] == int(np.nanargmax(chain.q))


def test_the_chain_refuses_what_every_condition_would_fail():
    p = pd.read_csv(PROFILE)
    with pytest.raises(saiha.CalcError) as e:
        saiha.overtopping_chain(p.x, p.z, 1, 8, 0, toe=9999, crest=3, cot_alpha=3)
    assert e.value.code == saiha.Error.INVALID_TOE
    with pytest.raises(ValueError, match="cot_alpha"):
        saiha.overtopping_chain(p.x, p.z, 1, 8, 0, toe=440, crest=3)
    with pytest.raises(ValueError, match="limits"):
        saiha.overtopping_chain(p.x, p.z, 1, 8, 0, toe=440, crest=3, cot_alpha=3, limits=[-1])
    low = saiha.overtopping_chain(p.x, p.z, 1, 8, 0, tide=1.0, toe=440, crest=0.5, cot_alpha=3)
    assert low.error == saiha.Error.NEGATIVE_FREEBOARD  # the level above the crest


# ------------------------------------- the command line and the package agree

def test_cli_caisson_gives_the_packages_numbers(saiha_calc):
    out = cli_frame(saiha_calc, CAISSONS, "caisson", "--n", "50", "--beta", "20")
    r = saiha.caisson_frame(CAISSONS, n=50, beta=20)
    for name in saiha._saiha.CAISSON_RESULTS:
        assert np.array_equal(bits(numbers(out[name])), bits(r[name])), name
    assert out["warnings"].astype(int).tolist() == r["warning"].tolist()
    assert [bool(m) for m in out["error"]] == (r["error"] != 0).tolist()


@pytest.mark.parametrize("name, options, keywords", OVERTOPPING_KINDS,
                         ids=[k[0] for k in OVERTOPPING_KINDS])
def test_cli_overtopping_gives_the_packages_numbers(saiha_calc, name, options, keywords):
    out = cli_frame(saiha_calc, WAVES, "overtopping", *options)
    r = saiha.overtopping_frame(WAVES, **keywords)
    for column in ("Ru2", "q"):
        assert np.array_equal(bits(numbers(out[column])), bits(r[column])), column
    assert out["regime"].tolist() == r["regime"].tolist()
    assert out["warnings"].astype(int).tolist() == r["warning"].tolist()


@pytest.mark.parametrize("method", saiha.ARMOUR_METHODS)
def test_cli_armour_gives_the_packages_numbers(saiha_calc, method):
    table = pd.DataFrame({"Hs": [1.0, 2.5, 3.0, 4.0, 3.0], "T": [5.0, 6.5, 7.0, 9.0, 7.0],
                          "cot_alpha": [1.5, 2.0, 3.0, 4.5, 3.0],
                          "P": [0.1, 0.4, 0.5, 0.6, 0.4], "H2": [1.5, 3.5, "", 5.0, 2.0]})
    out = cli_frame(saiha_calc, table, "armour", "--method", method, "--S", "5")
    given = table.assign(H2=pd.to_numeric(table.H2).astype(float))
    r = saiha.armour_frame(given, method=method, S=5)
    for column in saiha._saiha.ARMOUR_RESULTS[:-1]:
        assert np.array_equal(bits(numbers(out[column])), bits(r[column])), column
    assert out["breaker"].tolist() == r["breaker"].tolist()
    assert out["warnings"].astype(int).tolist() == r["warning"].tolist()


def test_cli_chain_and_its_summary_give_the_packages_numbers(saiha_calc):
    c = hindcast(400)
    p = pd.read_csv(PROFILE)
    chain = ["overtopping", "--profile", str(PROFILE), "--toe", "440", "--crest", "3.5",
             "--cot-alpha", "3", "--gamma-f", "0.9"]
    out = cli_frame(saiha_calc, c, *chain)
    assert out["time"].tolist() == c["time"].tolist()
    r = saiha.overtopping_chain(p.x, p.z, c.Hm0 / np.sqrt(2), c.Tp, c.theta0, c.tide,
                                toe=440, crest=3.5, cot_alpha=3, gamma_f=0.9)
    for name in saiha._saiha.CHAIN_RESULTS[:-1]:
        assert np.array_equal(bits(numbers(out[name])), bits(getattr(r, name))), name
    assert out["regime"].tolist() == r.regime.tolist()
    done = run_cli(saiha_calc, *chain, "--summary", "--limits", "0.0001,0.001", "-",
                   stdin=c.to_csv(index=False).encode())
    assert done.returncode in (0, 1), done.stderr.decode()
    summary = pd.read_csv(StringIO(done.stdout.decode()), index_col="quantity")["value"]
    expected = saiha.overtopping_chain(p.x, p.z, c.Hm0 / np.sqrt(2), c.Tp, c.theta0, c.tide,
                                       toe=440, crest=3.5, cot_alpha=3, gamma_f=0.9,
                                       limits=(0.0001, 0.001)).summary
    assert int(summary["conditions"]) == expected["rows"]
    assert int(summary["failed"]) == expected["failed"]
    assert [int(summary["above_0.0001"]), int(summary["above_0.001"])] == expected["above"]
    assert np.float32(summary["q_max"]) == np.float32(expected["q_max"])
    assert int(summary["q_max_row"]) == expected["q_max_index"] + 1
    assert summary["q_max_time"] == c["time"][expected["q_max_index"]]
