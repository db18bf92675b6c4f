import math
import re
import subprocess

import numpy as np
import pytest

import saiha
from saiha import Error

from conftest import bits, run_saiha_calc

NAN = math.nan
FLOAT_NAMES = saiha.RESULT_NAMES


@pytest.mark.parametrize(
    "shapes, expected",
    [
        pytest.param([(), (), (), (), None], (), id="scalars give 0-d"),
        pytest.param([(3,), (), (), (), None], (3,), id="one array"),
        pytest.param([(2, 1), (3,), (), (), (2, 3)], (2, 3), id="rows by columns"),
        pytest.param([(), (), (), (), (4,)], (4,), id="depths only"),
    ],
)
def test_arguments_broadcast_as_numpy(shapes, expected):
    base = [1.0, 10.0, 30.0, 60.0, 3.0]
    steps = [0.5, 2.0, 5.0, 10.0, 1.0]
    args = [
        None if shape is None else base[i] + steps[i] * np.arange(math.prod(shape)).reshape(shape)
        for i, shape in enumerate(shapes)
    ]
    r = saiha.calc(*args)
    for name in FLOAT_NAMES:
        value = getattr(r, name)
        assert (value.shape, value.dtype) == (expected, np.float32), name
    assert (r.error.shape, r.error.dtype, r.ok.shape, r.ok.dtype) == (expected, np.uint8, expected, bool)

    # Each element is the calculation of its own broadcast inputs.
    full = np.broadcast_arrays(*[np.float64(NAN) if a is None else a for a in args])
    for index in np.ndindex(expected):
        one = saiha.calc(*[a[index] for a in full])
        for name in FLOAT_NAMES:
            assert bits(getattr(r, name)[index]) == bits(getattr(one, name)), (index, name)


# (Ho, T, alpha0, n, h): the code, and how many of the 13 float results
# (in the order of RESULT_NAMES) were reached before it stopped.
ELEMENTS = [
    pytest.param((1, 10, 30, 60, NAN), Error.NONE, 13, id="computed at the breaking depth"),
    pytest.param((1, 10, 30, 60, 5.0), Error.NONE, 13, id="computed at a given depth"),
    pytest.param((-2, 10, 30, 60, NAN), Error.INVALID_HEIGHT, 0, id="bad height"),
    pytest.param((1, 10, 90, 60, NAN), Error.INVALID_ANGLE, 0, id="bad angle"),
    pytest.param((0.01, 20, 0, 0.01, NAN), Error.BREAKING_NOT_FOUND, 0, id="no breaking point"),
    pytest.param((0.001, 1, 0, 60, NAN), Error.BREAKING_DEPTH_TOO_SMALL, 4, id="breaking depth shows 0.00"),
    pytest.param((1, 10, 30, 60, -1.0), Error.INVALID_DEPTH, 5, id="depth refused, kept"),
]


@pytest.mark.parametrize("inputs, code, reached", ELEMENTS)
def test_element_codes_and_results_not_reached(inputs, code, reached):
    r = saiha.calc(*inputs)
    assert r.error == code and r.ok == (code == Error.NONE)
    values = np.array([getattr(r, name) for name in FLOAT_NAMES])
    assert np.isfinite(values[:reached]).all() and np.isnan(values[reached:]).all(), values


def test_elements_fail_independently_of_their_neighbours():
    rows = np.array([p.values[0] for p in ELEMENTS], dtype=np.float64)
    r = saiha.calc(*rows.T)
    assert list(r.error) == [p.values[1] for p in ELEMENTS]
    for i, row in enumerate(rows):
        one = saiha.calc(*row)
        assert all(bits(getattr(r, n)[i]) == bits(getattr(one, n)) for n in FLOAT_NAMES), i


@pytest.mark.parametrize(
    "args, kwargs, error",
    [
        pytest.param(("1", 10, 30, 60), {}, TypeError, id="text"),
        pytest.param(([1, None], 10, 30, 60), {}, TypeError, id="None inside"),
        pytest.param((1j, 10, 30, 60), {}, TypeError, id="complex"),
        pytest.param(([1, 2], [10, 11, 12], 30, 60), {}, ValueError, id="shapes"),
        pytest.param((1, 10, 30, 60, [1, 2]), {"workers": 0}, ValueError, id="no workers"),
        pytest.param((1, 10, 30, 60), {"workers": 1.5}, TypeError, id="fractional workers"),
        pytest.param((1, 10, 30, 60), {"workers": 2**40}, ValueError, id="workers beyond range"),
    ],
)
def test_wrong_arguments_raise(args, kwargs, error):
    with pytest.raises(error):
        saiha.calc(*args, **kwargs)


def test_threads_give_identical_arrays():
    rng = np.random.default_rng(7)
    count = 4000
    Ho = rng.uniform(-0.5, 8, count)  # some refused
    T = rng.uniform(1, 20, count)
    alpha0 = rng.uniform(-95, 95, count)
    n = rng.uniform(5, 200, count)
    h = np.where(rng.random(count) < 0.5, NAN, rng.uniform(-1, 30, count))
    one = saiha.calc(Ho, T, alpha0, n, h, workers=1)
    assert 0 < np.count_nonzero(one.ok) < count
    for workers in (2, None):
        other = saiha.calc(Ho, T, alpha0, n, h, workers=workers)
        for name in (*FLOAT_NAMES, "error"):
            assert np.array_equal(
                np.asarray(getattr(one, name)).view(np.uint8),
                np.asarray(getattr(other, name)).view(np.uint8),
            ), (workers, name)


def test_error_texts():
    assert saiha.error_text(0) == ""
    texts = [saiha.error_text(code) for code in Error if code]
    assert all(texts) and len(set(texts)) >= 10
    assert saiha.ERROR_CODES[14] == "BREAKING_DEPTH_TOO_SMALL"
    # The codes of calc as they come: 0-d for scalars, arrays otherwise.
    assert saiha.error_text(saiha.calc(1, 10, 90, 60).error) == saiha.error_text(3)
    texts = saiha.error_text(saiha.calc(1, 10, [[30, 90]], 60).error)
    assert texts.shape == (1, 2) and list(texts[0]) == ["", saiha.error_text(3)]
    beyond = max(Error) + 1  # the first value past the codes
    bad_values = (beyond, -1, [0, beyond], np.array([[-1]]))
    for bad in bad_values:
        with pytest.raises(ValueError):
            saiha.error_text(bad)
    for bad in ("1", 1.0, [True], np.array([0.0])):
        with pytest.raises(TypeError):
            saiha.error_text(bad)


def test_error_enum_is_the_engines_list_name_by_name():
    # Every code by value; a reserved value has an empty name and no member.
    cpp = {code: name for code, name in enumerate(saiha._saiha.ERROR_NAMES) if name}
    assert sorted(cpp) == [int(member) for member in Error]
    for member in Error:
        name = cpp[int(member)]
        assert member.name == re.sub(r"(?<!^)(?=[A-Z])", "_", name).upper(), (member, name)


def test_version_is_the_programs(saiha_calc):
    shown = subprocess.run([saiha_calc, "--version"], capture_output=True, text=True, check=True)
    assert shown.stdout == f"saiha-calc {saiha.__version__}\n"


def test_values_show_as_the_window_texts(saiha_calc, cases):
    """Each float, shown with two decimals, is saiha-calc's cell for the row."""
    shown = run_saiha_calc(saiha_calc)
    r = saiha.calc(*(cases[c].to_numpy() for c in ("Ho", "T", "alpha0", "n", "h")))
    assert len(shown) == len(cases) and np.count_nonzero(~r.ok) >= 5
    for name in FLOAT_NAMES:
        if name == "h":
            continue  # the input as typed, checked below
        expected = ["" if math.isnan(v) else f"{v:.2f}" for v in getattr(r, name).astype(float)]
        assert list(shown[name]) == expected, name
    assert list(shown["error"]) == [saiha.error_text(int(c)) for c in r.error]
    # An empty depth shows the breaking depth it took, as the window writes it.
    took = np.isnan(cases["h"].to_numpy()) & r.ok
    assert list(shown["h"][took]) == [f"{v:.2f}" for v in r.h[took].astype(float)]


def test_missing_values_masked_and_nullable():
    # A masked element is not computed from the value under the mask: every
    # result is masked there, whichever argument carries the mask.
    Ho = np.ma.masked_array([1.0, -5.0, 2.0], mask=[False, True, False])
    r = saiha.calc(Ho, 10, 30, [[60], [30]])
    assert r.H.shape == (2, 3) and r.error.mask[:, 1].all() and not r.H.mask[:, [0, 2]].any()
    assert np.array_equal(bits(r.H.data[:, 0]), bits(saiha.calc(1, 10, 30, [60, 30]).H))
    # NA of a nullable pandas column is NaN, as calc_frame reads it.
    import pandas as pd
    depth = pd.Series([pd.NA, 3.0], dtype="Float64")
    heights = pd.Series([1, pd.NA], dtype="Int64")
    direct = saiha.calc(heights, 10, 30, 60, depth)
    framed = saiha.calc_frame(pd.DataFrame({"Ho": heights, "T": 10, "alpha0": 30, "n": 60, "h": depth}))
    assert list(direct.error) == [0, Error.INVALID_HEIGHT]
    assert np.array_equal(bits(direct.h), bits(framed["h"]))
