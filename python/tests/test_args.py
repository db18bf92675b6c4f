"""What every function shares: argument checks, broadcasting in chunks, the
pandas index, the language of the messages, the package's layout."""

import dataclasses
import importlib
import os
import subprocess
import sys
import tracemalloc
from pathlib import Path

import numpy as np
import pandas as pd
import pytest

import saiha
from saiha import Error

from conftest import SOURCE_DIR, bits

# Each function with good arguments by name, and the names that must be numbers.
CALLS = {
    "calc": (saiha.calc, {"Ho": 1.0, "T": 10, "alpha0": 30, "n": 60, "h": 3}),
    "random_waves": (saiha.random_waves, {"H0p": 2.0, "T13": 10, "n": 100, "h": 5}),
    "shoreline": (saiha.shoreline, {"Ho": 2.0, "T": 10, "alpha0": 30, "n": 100, "beta_f": 0.1}),
    "transport": (saiha.transport, {"Hb": 2.0, "hb": 2.5, "theta_b": 10, "K": 0.39}),
    "profile": (saiha.profile, {"Ho": 1.0, "T": 10, "alpha0": 30, "n": 60, "from_depth": 12}),
    "compare": (saiha.compare, {"Ho": 1.0, "T": 10, "alpha0": 30, "n": 60, "rho": 1025}),
    "random_profile": (saiha.random_profile, {"H0p": 2.0, "T13": 10, "n": 100, "from_depth": 20}),
}
POSITIONAL = {"calc": 5, "random_waves": 4, "shoreline": 4, "transport": 3, "profile": 4,
              "compare": 4, "random_profile": 3}
NOT_NUMBERS = {
    "bool": True,
    "NumPy bool": np.bool_(False),
    "text": "3",
    "object array": np.array([1.0, 2.0], dtype=object),
    "bool in a list": [1.0, True],
    "bool Series": pd.Series([True, False]),
}


def call(function, arguments):
    name = function.__name__
    values = list(arguments.values())
    keywords = dict(list(arguments.items())[POSITIONAL[name]:])
    return function(*values[:POSITIONAL[name]], **keywords)


@pytest.mark.parametrize("function", CALLS)
@pytest.mark.parametrize("kind", NOT_NUMBERS)
def test_every_function_refuses_what_is_not_a_number_naming_it(function, kind):
    fn, good = CALLS[function]
    call(fn, good)  # the good arguments are good
    for name in good:
        with pytest.raises(TypeError, match=rf"\b{name}\b"):
            call(fn, {**good, name: NOT_NUMBERS[kind]})


def test_text_and_bools_no_longer_slip_into_goda():
    with pytest.raises(TypeError, match="H0p"):
        saiha.random_profile("3", "10", "50")
    with pytest.raises(TypeError, match="H0p"):
        saiha.random_profile(True, 10, 50)
    with pytest.raises(TypeError, match="stations"):
        saiha.random_profile(2, 10, 100, stations=True)
    with pytest.raises(ValueError, match="Ho"):
        saiha.calc(10**400, 10, 30, 60)
    # Python and NumPy numbers of every kind are taken, and give the same element.
    same = [saiha.random_profile(2, 10, 100).H13,
            saiha.random_profile(np.float32(2), np.int64(10), np.array(100.0)).H13]
    assert np.array_equal(bits(same[0]), bits(same[1]))


@pytest.mark.parametrize(
    "code, error",
    [
        pytest.param(2**40, ValueError, id="int beyond int32"),
        pytest.param(2**70, ValueError, id="int beyond int64"),
        pytest.param([0, 2**70], ValueError, id="list with a huge int"),
        pytest.param(np.int64(-3), ValueError, id="negative NumPy int"),
        pytest.param(1.5, TypeError, id="float"),
        pytest.param(np.float32(1), TypeError, id="NumPy float"),
        pytest.param(True, TypeError, id="bool"),
        pytest.param([0, True], TypeError, id="bool in a list"),
        pytest.param(None, TypeError, id="None"),
    ],
)
def test_error_text_validates_codes(code, error):
    with pytest.raises(error, match="error code"):
        saiha.error_text(code)


def test_error_text_of_a_series_keeps_its_index():
    codes = pd.Series([0, 3], index=["a", "b"], name="error")
    texts = saiha.error_text(codes)
    assert texts.index.equals(codes.index) and list(texts) == ["", saiha.error_text(3)]
    assert isinstance(saiha.error_text(np.uint8(3)), str)


def test_chunked_broadcast_equals_materialised_arguments(monkeypatch):
    monkeypatch.setattr(saiha._elementwise, "CHUNK_PER_THREAD", 7)  # many ragged chunks
    Ho = np.array([[0.5], [1.0], [2.0], [-1.0]])
    T = np.array([6.0, 10.0, 14.0])
    alpha0 = np.array([0.0, 30.0, 60.0, 89.0, 20.0])[:, None, None]
    chunked = saiha.calc(Ho, T, alpha0, 60, workers=2)
    full = [np.ascontiguousarray(a) for a in np.broadcast_arrays(Ho, T, alpha0, np.float64(60))]
    whole = saiha.calc(*full)  # already full size: no chunks
    assert chunked.H.shape == (5, 4, 3) and 0 < chunked.ok.sum() < chunked.ok.size
    for name in (*saiha.RESULT_NAMES, "error", "warning"):
        assert np.array_equal(bits(getattr(chunked, name)), bits(getattr(whole, name))), name
    shore = saiha.shoreline(Ho, T, 30, 100, beta_f=np.array([0.05, np.nan, 0.1])[:, None, None])
    assert np.array_equal(bits(shore.R2[1]), bits(saiha.shoreline(Ho, T, 30, 100).R2))


def test_broadcasting_copies_no_argument_to_the_full_shape(monkeypatch):
    monkeypatch.setattr(saiha._elementwise, "CHUNK_PER_THREAD", 1024)
    count = 60_000
    h = np.linspace(1.0, 30.0, count)
    tracemalloc.start()
    try:
        r = saiha.random_waves(2.0, 10.0, 50.0, h, workers=1)
        peak = tracemalloc.get_traced_memory()[1]
    finally:
        tracemalloc.stop()
    assert r.ok.all()
    # The results are 15 bytes an element (3 float32, error, warning, ok);
    # three float64 copies of the scalars would add 24.
    assert peak < 20 * count, peak / count


def test_small_and_large_blocks_give_the_same_bits(cases):
    """An element computed alone (a scalar call, a short array) equals the same
    element among many, whichever way the breaking point was searched."""
    rows = cases.to_numpy()[:40]
    for model in ({}, {"breaker": "mccowan", "shoaling": "shuto"}):
        bulk = saiha.calc(*rows.T, **model)
        for i, row in enumerate(rows):
            h = None if np.isnan(row[4]) else float(row[4])
            alone = saiha.calc(*map(float, row[:4]), h, **model)
            array = saiha.calc(*(np.float64(v) for v in row))
            pair = saiha.calc(*np.stack([row, row]).T, **model)
            for name in (*saiha.RESULT_NAMES, "error", "warning"):
                expected = bits(getattr(bulk, name)[i])
                assert bits(getattr(alone, name)) == expected, (i, name)
                assert (bits(getattr(pair, name)) == expected).all(), (i, name)
                if not model:
                    assert bits(getattr(array, name)) == expected, (i, name)
    # A scalar call's result is a Result like any other: every field, 0-d arrays.
    one = saiha.calc(1.0, 10.0, 30.0, 60.0)
    assert set(vars(one)) == {f.name for f in dataclasses.fields(saiha.Result)}
    assert one.H.shape == one.ok.shape == () and one.ok.dtype == bool and one.index is None


def test_series_lend_their_index_to_the_results():
    index = pd.Index([10, 20, 30], name="case")
    Ho = pd.Series([1.0, 2.0, -1.0], index=index)
    r = saiha.calc(Ho, pd.Series([10.0, 12, 10], index=index), 30, 60)
    assert type(r.H) is np.ndarray and r.index.equals(index)
    frame = r.to_frame()
    assert frame.index.equals(index) and list(frame.columns[:2]) == ["Hb", "hb"]
    assert frame["error"].loc[30] == Error.INVALID_HEIGHT
    assert np.array_equal(bits(frame["H"]), bits(saiha.calc(Ho.to_numpy(), [10, 12, 10], 30, 60).H))
    assert saiha.random_waves(Ho.abs(), 10, 100, 5).index.equals(index)
    assert saiha.shoreline(Ho, 10, 30, 100).index.equals(index)
    assert saiha.transport(Ho.abs(), 2.5, 10).Q_m3_per_s.index.equals(index)
    # A DataFrame's rows are the first axis of 2-d results.
    heights = pd.DataFrame({"a": [1.0, 2.0], "b": [1.5, 2.5]}, index=["p", "q"])
    grid = saiha.calc(heights, 10, 30, 60)
    assert grid.H.shape == (2, 2) and list(grid.index) == ["p", "q"]
    # No index where the rows are not the results' own.
    assert saiha.calc(Ho, 10, 30, [[60], [30]]).index is None
    assert saiha.calc(Ho.to_numpy(), 10, 30, 60).index is None
    with pytest.raises(ValueError, match="to_frame"):
        saiha.calc([[1.0]], 10, 30, 60).to_frame()
    with pytest.raises(ValueError, match="different indexes"):
        saiha.calc(Ho, Ho.reset_index(drop=True) * 10, 30, 60)


def test_calc_frame_refuses_multiindex_columns_and_dask_refuses_pandas():
    columns = pd.MultiIndex.from_tuples([("wave", c) for c in ("Ho", "T", "alpha0", "n")])
    nested = pd.DataFrame([[1.0, 10, 30, 60]], columns=columns)
    with pytest.raises(ValueError, match="MultiIndex"):
        saiha.calc_frame(nested)
    blank_level = pd.MultiIndex.from_tuples([(c, "") for c in ("Ho", "T", "alpha0", "n")])
    flat_names = pd.DataFrame([[1.0, 10, 30, 60]], columns=blank_level)
    with pytest.raises(ValueError, match="MultiIndex"):
        saiha.calc_frame(flat_names)
    dd = pytest.importorskip("dask.dataframe")
    with pytest.raises(TypeError, match="Dask DataFrame"):
        saiha.dask.calc_frame(pd.DataFrame({"Ho": [1.0], "T": [10], "alpha0": [30], "n": [60]}))
    with pytest.raises(ValueError, match="MultiIndex"):
        saiha.dask.calc_frame(dd.from_pandas(nested, npartitions=1))


def test_messages_follow_saiha_lang(monkeypatch, cases):
    japanese = saiha.error_text(Error.INVALID_HEIGHT, "ja")
    english = saiha.error_text(Error.INVALID_HEIGHT, "en")
    monkeypatch.delenv("SAIHA_LANG", raising=False)
    assert saiha.error_text(Error.INVALID_HEIGHT) == japanese
    monkeypatch.setenv("SAIHA_LANG", "")
    assert saiha.error_text(Error.INVALID_HEIGHT) == japanese
    monkeypatch.setenv("SAIHA_LANG", "en")
    assert saiha.error_text(Error.INVALID_HEIGHT) == english
    assert saiha.error_text(Error.INVALID_HEIGHT, lang="ja") == japanese  # lang wins
    in_english = saiha.calc_frame(cases, lang="en")["error"]
    assert list(saiha.calc_frame(cases)["error"]) == list(in_english)
    with pytest.raises(saiha.CalcError, match="Enter a number"):
        saiha.compare(-1, 10, 30, 60)
    with pytest.raises(saiha.CalcError, match=english.split()[0]):
        saiha.random_profile(-2, 10, 100)
    monkeypatch.setenv("SAIHA_LANG", "fr")
    with pytest.raises(ValueError, match="SAIHA_LANG"):
        saiha.error_text(1)
    with pytest.raises(ValueError, match="SAIHA_LANG"):
        saiha.calc_frame(cases)
    # A wrong SAIHA_LANG does not hide why a calculation failed.
    with pytest.raises(saiha.CalcError, match=japanese[:4]):
        saiha.profile(-1, 10, 30, 60)


def test_layout_keeps_names_and_ships_every_module():
    for name in saiha.__all__:
        assert getattr(saiha, name) is not None, name
    for name in ("RESULT_NAMES", "INPUT_COLUMNS", "__version__"):
        assert hasattr(saiha, name), name
    assert {"dask", "plot"} <= set(dir(saiha))
    # Every module of the source tree is in the package imported (the build
    # tree's or an installed one): none left out of the copied or packaged list.
    shipped = {p.name for p in Path(saiha.__file__).parent.glob("*.py")}
    written = {p.name for p in (SOURCE_DIR / "python" / "saiha").glob("*.py")}
    assert written <= shipped, written - shipped
    with pytest.raises(AttributeError, match="nothing_here"):
        saiha.nothing_here


def test_plot_is_the_plotting_module_without_importing_it_first():
    pytest.importorskip("matplotlib")
    # A fresh interpreter: `import saiha` alone, then saiha.plot.
    here = str(Path(saiha.__file__).resolve().parents[1])
    code = ("import matplotlib; matplotlib.use('Agg'); import saiha; "
            "ax = saiha.plot.profile(saiha.profile(1, 10, 30, 60, stations=20)); "
            "print(saiha.plot.__name__, len(ax.lines))")
    path = os.pathsep.join(filter(None, [here, os.environ.get("PYTHONPATH")]))
    env = {**os.environ, "PYTHONPATH": path}
    done = subprocess.run([sys.executable, "-c", code], capture_output=True, text=True, env=env)
    assert done.returncode == 0, done.stderr
    assert done.stdout.split() == ["saiha.plot", "3"]
    assert importlib.import_module("saiha.plot") is saiha.plot
