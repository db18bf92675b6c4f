"""The checks every function of the package runs on its arguments.

A quantity (a height in m, a period in s, an angle in degrees, a slope
denominator...) is a real number or an array of them: Python ``int`` and
``float``, NumPy integer and floating arrays and scalars, pandas numeric
Series and columns.  ``bool``, text, ``None`` where a number belongs,
complex numbers and object arrays are refused with a ``TypeError`` naming
the argument, whichever function takes it.  The names a model or a language
may take are here too, so that every function checks them alike.
"""

from __future__ import annotations

import numbers
import os
from typing import Any, Optional

import numpy as np
import pandas as pd

from . import _saiha

#: The breaker limits by name, the default (Goda 1970) first.
BREAKERS: tuple[str, ...] = tuple(_saiha.BREAKERS)
#: The shoaling rules by name, the default (two regimes) first.
SHOALINGS: tuple[str, ...] = tuple(_saiha.SHOALINGS)
#: The languages of the messages: Japanese (the default) and English.
LANGUAGES: tuple[str, ...] = ("ja", "en")
#: The most threads :func:`saiha.calc` takes.
MAX_WORKERS = 1 << 15

#: The environment variable naming the language when ``lang`` is not given,
#: as for saiha-calc and the window.
LANGUAGE_VARIABLE = "SAIHA_LANG"

_PANDAS = (pd.Series, pd.Index, pd.DataFrame, pd.api.extensions.ExtensionArray)


def _float(name: str, value: Any) -> float:
    """A Python int or float as a float; ValueError for an int beyond double precision."""
    try:
        return float(value)
    except OverflowError:
        raise ValueError(f"{name} is beyond the range of a double: {value}") from None


def holds_bool(value: Any) -> bool:
    """Whether a (nested) list or tuple holds a bool, which NumPy would read as 0 or 1."""
    stack = [value]
    while stack:
        items = stack.pop()
        for item in items:
            if isinstance(item, (bool, np.bool_)):
                return True
            if isinstance(item, (list, tuple)):
                stack.append(item)
    return False


def _pandas_array(name: str, value: Any) -> np.ndarray:
    """A pandas object's numbers as float64, NA as NaN; TypeError for other dtypes."""
    dtypes = list(value.dtypes) if isinstance(value, pd.DataFrame) else [value.dtype]
    for dtype in dtypes:
        if not pd.api.types.is_numeric_dtype(dtype) or pd.api.types.is_bool_dtype(dtype):
            raise TypeError(f"{name} must hold real numbers, not {dtype}")
    return value.to_numpy(dtype=np.float64, na_value=np.nan)


def real_array(name: str, value: Any) -> np.ndarray:
    """``value`` as a float64 array (a view where it already is one).

    A pandas column of a nullable type (``Int64``, ``Float64``) gives NaN
    where it holds NA.  A masked array gives its data, NaN where masked (the
    caller masks those results).

    Raises
    ------
    TypeError
        Unless ``value`` holds real numbers only: bool, text, None, complex
        numbers and objects are refused, naming ``name``.
    """
    kind = type(value)
    if kind is float or kind is int:
        return np.asarray(_float(name, value))
    if isinstance(value, _PANDAS):
        return _pandas_array(name, value)
    if isinstance(value, (bool, np.bool_, str, bytes)):
        raise TypeError(f"{name} must be a real number, not {kind.__name__}")
    masked = np.ma.isMaskedArray(value)
    array = np.ma.getdata(value) if masked else np.asarray(value)
    if array.dtype.kind not in "iuf":
        raise TypeError(f"{name} must hold real numbers, not {array.dtype}")
    if isinstance(value, (list, tuple)) and holds_bool(value):
        raise TypeError(f"{name} must hold real numbers, not bool")
    array = array.astype(np.float64, copy=False)
    if masked and np.ma.getmask(value) is not np.ma.nomask:
        array = np.where(np.ma.getmaskarray(value), np.nan, array)
    return array


def real_number(name: str, value: Any) -> float:
    """One real number as a float.

    Raises
    ------
    TypeError
        For what :func:`real_array` refuses, and for an array of more than
        one element (a 0-d array or a NumPy scalar is one number).
    """
    kind = type(value)
    if kind is float or kind is int:
        return _float(name, value)
    array = real_array(name, value)
    if array.ndim != 0:
        raise TypeError(f"{name} must be one number, not an array of shape {array.shape}")
    return float(array)


def optional_number(name: str, value: Any) -> Optional[float]:
    """None, or :func:`real_number`."""
    return None if value is None else real_number(name, value)


def integer(name: str, value: Any, low: int, high: int) -> int:
    """An integer count from ``low`` to ``high``.

    Raises
    ------
    TypeError
        For a bool or a value that is not an integer (2.0 included).
    ValueError
        For an integer outside ``low`` to ``high``.
    """
    if isinstance(value, (bool, np.bool_)) or not isinstance(value, numbers.Integral):
        raise TypeError(f"{name} must be an integer, not {type(value).__name__}")
    if not low <= value <= high:
        raise ValueError(f"{name} must be from {low} to {high}, not {value}")
    return int(value)


def workers(value: Optional[int]) -> int:
    """The thread count for the compiled module: 0 (all cores) for None."""
    return 0 if value is None else integer("workers", value, 1, MAX_WORKERS)


def stations(value: Any) -> int:
    """The number of profile stations, 1 to the engine's most."""
    return integer("stations", value, 1, _saiha.MAX_STATIONS)


def model(breaker: Any, shoaling: Any) -> tuple[str, str]:
    """The two model names, checked.

    Raises
    ------
    TypeError
        For a name that is not a str.
    ValueError
        For an unknown name, listing the valid ones.
    """
    for kind, name, valid in (("breaker", breaker, BREAKERS), ("shoaling", shoaling, SHOALINGS)):
        if not isinstance(name, str):
            raise TypeError(f"{kind} must be a name (str), not {type(name).__name__}")
        if name not in valid:
            raise ValueError(f"unknown {kind} {name!r}; one of {', '.join(valid)}")
    return str(breaker), str(shoaling)


def language(lang: Optional[str]) -> str:
    """The language of the messages: ``lang``, else ``SAIHA_LANG``, else Japanese.

    An empty ``SAIHA_LANG`` counts as unset, as for saiha-calc.

    Raises
    ------
    ValueError
        For a ``lang`` or a ``SAIHA_LANG`` not in :data:`LANGUAGES`; the
        message says which of the two.
    """
    if lang is None:
        lang = os.environ.get(LANGUAGE_VARIABLE, "")
        if not lang:
            return LANGUAGES[0]
        if lang not in LANGUAGES:
            raise ValueError(f"{LANGUAGE_VARIABLE}: unknown language {lang!r}; one of {LANGUAGES}")
        return lang
    if not isinstance(lang, str) or lang not in LANGUAGES:
        raise ValueError(f"unknown language {lang!r}; one of {LANGUAGES}")
    return lang
