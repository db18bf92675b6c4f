"""The structure frames' units and the pictures of saiha.plot for structures.

Units: every frame's attrs["units"] gives each column the unit saiha-calc
--units writes for that mode (P a caisson's force, rock armour's
permeability); columns passed through, text and codes have none.  Plots:
drawn with Matplotlib's Agg backend, the artists' data checked against the
results they draw.
"""

import subprocess
from io import BytesIO

import numpy as np
import pandas as pd
import pytest

import saiha
from conftest import SOURCE_DIR

PROFILE = SOURCE_DIR / "examples" / "barred_profile.csv"

CAISSON = pd.DataFrame({"name": ["composite"], "Hmax": [10.0], "H13": [5.6], "T": [12.0],
                        "h": [16.0], "h_prime": [12.0], "d": [9.0], "hc": [5.0], "B": [18.0],
                        "berm": [10.0]})
ROCK = pd.DataFrame({"site": ["a", "b"], "Hs": [3.0, 2.0], "T": [7.0, 6.0],
                     "cot_alpha": [3.0, 2.0], "P": [0.4, 0.1]})
WAVES = pd.DataFrame({"id": [1, 2, 3, 4], "Hm0": [2.0, 2.0, 1.0, 3.0],
                      "Tm10": [6.0, 6.0, 8.0, 10.0], "Rc": [2.0, 3.0, 1.0, 200.0]})


def hindcast(count: int = 96) -> pd.DataFrame:
    hours = np.arange(count)
    Hm0 = 1.0 + 0.8 * np.sin(hours / 17.0) ** 2
    return pd.DataFrame({"Hm0": Hm0, "Tp": 5 + 2.2 * Hm0, "theta0": 20 * np.sin(hours / 9.0),
                         "tide": 0.4 + 1.1 * np.sin(2 * np.pi * hours / 12.42)})


def chain():
    p = pd.read_csv(PROFILE)
    c = hindcast()
    return saiha.overtopping_chain(p.x, p.z, c.Hm0 / np.sqrt(2), c.Tp, c.theta0, c.tide,
                                   toe=440, crest=3.0, cot_alpha=3)


# ------------------------------------------------------------------ units

FRAMES = [
    pytest.param(lambda: saiha.caisson_frame(CAISSON, n=50), "caisson",
                 {"P": "N m-1", "p1": "Pa", "eta_star": "m", "h_prime": "m", "U": "N m-1",
                  "Mp": "N m m-1", "berm": "m"}, ("name", "error", "warning"), id="caisson_frame"),
    pytest.param(lambda: saiha.caisson(10, 5.6, 12, 16, 12, 9, 5, 18, n=50).to_frame(),
                 "caisson", {"P": "N m-1", "pu": "Pa"}, ("error", "ok"), id="Caisson.to_frame"),
    pytest.param(lambda: saiha.armour_frame(ROCK), "armour",
                 {"P": "1", "Dn50": "m", "M50": "kg", "cot_alpha": "1"},
                 ("site", "breaker", "error"), id="armour_frame"),
    pytest.param(lambda: saiha.overtopping_frame(WAVES, cot_alpha=2), "overtopping",
                 {"q": "m3 s-1 m-1", "Rc": "m", "Ru2": "m", "Tm10": "s"},
                 ("id", "regime", "error"), id="overtopping_frame"),
    pytest.param(lambda: chain().to_frame(), "overtopping",
                 {"level": "m", "depth": "m", "q": "m3 s-1 m-1", "Tm10": "s", "beta": "degree"},
                 ("regime", "error", "ok"), id="Chain.to_frame"),
]


@pytest.mark.parametrize("make, mode, expected, without", FRAMES)
def test_structure_frames_carry_the_units_of_their_mode(make, mode, expected, without):
    frame = make()
    units = frame.attrs["units"]
    for name, unit in expected.items():
        assert units[name] == unit, name
    for name in without:
        assert name in frame.columns and name not in units, name
    # One table for every face: each unit is the mode's as saiha-calc has it.
    for name, unit in units.items():
        assert unit == saiha._saiha.column_unit(name, mode), name


UNIT_HEADERS = [
    pytest.param(["caisson", "--n", "50"], CAISSON, "P [N m-1]", id="caisson P a force"),
    pytest.param(["armour"], ROCK, "P [1]", id="armour P a permeability"),
    pytest.param(["overtopping", "--cot-alpha", "2"], WAVES, "q [m3 s-1 m-1]", id="overtopping q"),
]


@pytest.mark.parametrize("options, table, header", UNIT_HEADERS)
def test_cli_units_header_names_p_by_its_mode(saiha_calc, options, table, header):
    done = subprocess.run([saiha_calc, *options, "--units", "-"],
                          input=table.to_csv(index=False).encode(), capture_output=True)
    assert done.returncode in (0, 1), done.stderr.decode()
    names = done.stdout.decode().splitlines()[0].split(",")
    assert header in names


# ------------------------------------------------------------------ plots

@pytest.fixture()
def plt():
    matplotlib = pytest.importorskip("matplotlib")
    matplotlib.use("Agg")
    import matplotlib.pyplot as pyplot
    yield pyplot
    pyplot.close("all")


def patch(ax, label):
    (found,) = [p for p in ax.patches if p.get_label() == label]
    return np.asarray(found.get_xy())[:-1]  # the closing vertex left out


SECTIONS = [
    pytest.param({"hc": 20.0}, False, id="eta* below the crest"),
    pytest.param({}, True, id="eta* above the crest: p4"),
]


@pytest.mark.parametrize("change, above", SECTIONS)
def test_caisson_draws_godas_pressures_to_one_scale(plt, change, above):
    import saiha.plot

    frame = saiha.caisson_frame(CAISSON.assign(**change), n=50)
    r = frame.iloc[0]
    ax = saiha.plot.caisson(frame, ax=plt.figure().gca())
    face = patch(ax, "Goda's pressures")
    uplift = patch(ax, "uplift")
    hp, hc, B, eta = (float(r[k]) for k in ("h_prime", "hc", "B", "eta_star"))
    assert (eta > hc) == above
    # The scale (m per Pa) makes the largest pressure as long as B.
    scale = B / max(float(r.p1), float(r.p2), float(r.p3), float(r.pu))
    # The pressures seaward of the face, by their level; the diagram closes
    # on the face at its top (η*, or the crest) and at the base.
    by_level = {round(z, 3): -x / scale for x, z in face if x != 0}
    on_face = sorted(round(z, 3) for x, z in face if x == 0)
    assert by_level[0.0] == pytest.approx(float(r.p1), rel=1e-6)
    assert by_level[round(-hp, 3)] == pytest.approx(float(r.p3), rel=1e-6)
    if above:
        assert by_level[round(hc, 3)] == pytest.approx(float(r.p4), rel=1e-6)
        assert float(r.p4) > 0 and on_face == [round(-hp, 3), round(hc, 3)]
    else:
        assert round(hc, 3) not in by_level and on_face == [round(-hp, 3), round(eta, 3)]
    np.testing.assert_allclose(uplift, [[0, -hp], [0, -hp - scale * float(r.pu)], [B, -hp]],
                               rtol=1e-6)
    caisson = patch(ax, "caisson")
    np.testing.assert_allclose(caisson, [[0, -hp], [0, hc], [B, hc], [B, -hp]])
    texts = [t.get_text() for t in ax.texts]
    assert f"p1 = {float(r.p1) / 1000:.1f} kPa" in texts
    assert any(t.startswith("p4 = ") for t in texts) == above


BAD_ROWS = [
    pytest.param(lambda: saiha.caisson_frame(pd.concat([CAISSON] * 2), n=50), {}, ValueError,
                 "name one with row=", id="two rows, none named"),
    pytest.param(lambda: saiha.caisson_frame(CAISSON, n=50), {"row": 1}, ValueError,
                 "not one of", id="row out of range"),
    pytest.param(lambda: saiha.caisson_frame(CAISSON.assign(B=-1.0), n=50), {}, ValueError,
                 "no result", id="failed row"),
    pytest.param(lambda: CAISSON.to_numpy(), {}, TypeError, "caisson_frame", id="not a frame"),
]


@pytest.mark.parametrize("make, keywords, error, match", BAD_ROWS)
def test_caisson_refuses_what_it_cannot_draw(plt, make, keywords, error, match):
    import saiha.plot

    with pytest.raises(error, match=match):
        saiha.plot.caisson(make(), **keywords)


def test_overtopping_draws_q_against_rc_on_a_log_scale(plt):
    import saiha.plot

    frame = saiha.overtopping_frame(WAVES, cot_alpha=2)
    ax = saiha.plot.overtopping(frame, ax=plt.figure().gca())
    (points,) = [line for line in ax.lines if line.get_label() == "q"]
    drawn = frame[frame.q > 0]
    assert 0 < len(drawn) < len(frame)  # the 200 m freeboard gives no discharge
    np.testing.assert_array_equal(points.get_xdata(), drawn.Rc.to_numpy())
    np.testing.assert_allclose(points.get_ydata(), drawn.q.to_numpy(dtype=np.float64))
    assert ax.get_yscale() == "log"
    limits = sorted(line.get_ydata()[0] for line in ax.lines if line.get_label().endswith("per m"))
    assert limits == pytest.approx(sorted(saiha.DEFAULT_LIMITS))
    assert ax.get_title() == f"{len(drawn)} of {len(frame)} with q > 0"


def test_chain_overtopping_and_exceedance_agree_with_the_summary(plt):
    import saiha.plot

    c = chain()
    ax = saiha.plot.overtopping(c, ax=plt.figure().gca(), limits=[0.001])
    (points,) = [line for line in ax.lines if line.get_label() == "q"]
    wet = np.isfinite(c.q) & (c.q > 0)
    assert len(points.get_xdata()) == wet.sum() > 0
    ax = saiha.plot.exceedance(c, ax=plt.figure().gca())
    (curve,) = [line for line in ax.lines if line.get_label() == "exceedance"]
    q, fraction = curve.get_xdata(), curve.get_ydata()
    computed = c.summary["computed"]
    assert np.all(np.diff(q) <= 0) and np.all(np.diff(fraction) > 0)
    # At each limit the curve's fraction is the summary's count above it.
    for limit, above in zip(c.summary["limits"], c.summary["above"]):
        more = fraction[q > limit]
        assert (more[-1] if more.size else 0.0) * computed == pytest.approx(above)
    assert ax.get_xscale() == "log"


@pytest.mark.parametrize("function, argument", [
    pytest.param("overtopping", WAVES.drop(columns="Rc"), id="overtopping without Rc"),
    pytest.param("exceedance", WAVES, id="exceedance of a frame"),
])
def test_structure_plots_refuse_other_results(plt, function, argument):
    import saiha.plot

    with pytest.raises((TypeError, KeyError)):
        getattr(saiha.plot, function)(argument)
