"""The regular wave's calculation element by element, and over a table of cases."""

from __future__ import annotations

from dataclasses import dataclass
from typing import Any, Optional

import numpy as np
import numpy.typing as npt
import pandas as pd

from . import _args, _elementwise, _saiha
from ._elementwise import Columns, index_field
from ._errors import error_texts

__all__ = ["Result", "RESULT_NAMES", "calc", "INPUT_COLUMNS", "FRAME_COLUMNS", "output_columns",
           "calc_frame"]


@dataclass(frozen=True)
class Result(Columns):
    """The results of :func:`calc`, arrays of the broadcast shape of its arguments.

    Results the calculation of an element did not reach are NaN.  The arrays
    are NumPy arrays whatever the arguments; where pandas Series give the
    elements (1-d results of their length), :attr:`index` is their index and
    :meth:`to_frame` puts the results on it.

    Attributes
    ----------
    Hb, hb : numpy.ndarray of float32
        Breaker height and breaking depth (m).
    gamma : numpy.ndarray of float32
        Hb/hb, formed from the ratios to the deep-water wavelength.
    theta_b : numpy.ndarray of float32
        Direction at breaking (degrees from the shore normal).
    h : numpy.ndarray of float32
        The depth used (m): the given depth in single precision, or the
        breaking depth as the window shows it where none was given.
    L, C : numpy.ndarray of float32
        Wavelength (m) and celerity (m/s) at the depth.
    theta : numpy.ndarray of float32
        Direction at the depth (degrees from the shore normal).
    H : numpy.ndarray of float32
        Wave height at the depth (m).
    a_bottom, u_bottom : numpy.ndarray of float32
        Orbit semi-amplitude (m) and maximum orbital speed (m/s) at the bottom.
    a_surface, u_surface : numpy.ndarray of float32
        The same at the surface.
    error : numpy.ndarray of uint8
        The :class:`Error` code of each element, 0 where every result was reached.
    warning : numpy.ndarray of uint32
        :class:`WarningFlag` bits of each element: the model's on its slope
        (``STEEP_SLOPE``, ``IRREGULAR_WAVE_INDEX``, ...) and the state's at
        the depth (``HEIGHT_ABOVE_DEPTH`` where H > h); 0 where none applies
        or the inputs were refused.
    ok : numpy.ndarray of bool
        ``error == 0``.
    index : pandas.Index or None
        The index of the pandas arguments whose rows the results keep (see
        :func:`calc`), else None.
    """

    Hb: np.ndarray
    hb: np.ndarray
    gamma: np.ndarray
    theta_b: np.ndarray
    h: np.ndarray
    L: np.ndarray
    theta: np.ndarray
    C: np.ndarray
    H: np.ndarray
    a_bottom: np.ndarray
    u_bottom: np.ndarray
    a_surface: np.ndarray
    u_surface: np.ndarray
    error: np.ndarray
    warning: np.ndarray
    ok: np.ndarray
    index: Optional[pd.Index] = index_field()


#: The result arrays of :class:`Result`, in the order of saiha-calc's columns.
RESULT_NAMES: tuple[str, ...] = tuple(_saiha.RESULT_NAMES)


def calc(
    Ho: npt.ArrayLike,
    T: npt.ArrayLike,
    alpha0: npt.ArrayLike,
    n: npt.ArrayLike,
    h: Optional[npt.ArrayLike] = None,
    *,
    workers: Optional[int] = None,
    breaker: str = "goda1970",
    shoaling: str = "two-regime",
) -> Result:
    """Breaking point and state at a depth, element by element.

    The arguments broadcast against each other as NumPy arrays do; scalars
    give 0-d arrays.  Each element is one calculation of the window.

    Parameters
    ----------
    Ho : array_like
        Deep-water wave height (m), > 0.
    T : array_like
        Wave period (s), > 0.
    alpha0 : array_like
        Deep-water angle of incidence from the shore normal (degrees),
        strictly between -90 and 90.
    n : array_like
        Denominator of the bottom slope 1/n, > 0.
    h : array_like, optional
        Depth for the results (m), > 0.  None, or a NaN element, takes the
        breaking depth as the window shows it (two decimals); where that is
        0.00 the element gets ``Error.BREAKING_DEPTH_TOO_SMALL``.
    workers : int, optional
        Threads sharing the elements; all cores by default.  The results do
        not depend on it.
    breaker : str
        Breaker limit, one of :data:`BREAKERS`: ``goda1970`` (default),
        ``goda2010``, ``mccowan``, ``kamphuis``, ``miche``.
    shoaling : str
        Shoaling rule, one of :data:`SHOALINGS`: ``two-regime`` (default),
        ``shuto``.  The defaults give the window's values bit for bit.

    Returns
    -------
    Result
        float32 arrays of the broadcast shape, the error codes and ``ok``,
        NumPy arrays whatever the arguments.  Where pandas Series of one
        index give the elements (1-d results of their length; a DataFrame
        for 2-d results, its rows the first axis), ``Result.index`` is that
        index and ``Result.to_frame()`` a DataFrame on it; else None.

    Raises
    ------
    TypeError
        An argument that does not hold real numbers (bools, strings, None
        inside a list, complex numbers, objects), naming it; ``workers`` not
        an integer, or a model name that is not a str.
    ValueError
        Arguments whose shapes do not broadcast, pandas arguments of one
        length whose indexes differ (their rows would pair by position, not
        by label), ``workers`` not from 1 to :data:`MAX_WORKERS`, or an
        unknown model name.

    Notes
    -----
    An element whose inputs cannot be used (a height <= 0, an angle of 90
    degrees, a wave that finds no breaking point...) never raises: it gets
    its code in ``error`` and NaN for the results it did not reach.  The GIL
    is released while the elements are computed.  Broadcasting copies no
    argument to the full shape: memory grows with the results.

    Missing values: NA in a pandas column of a nullable type (``Int64``,
    ``Float64``) counts as NaN, as in :func:`calc_frame`.  Where an argument
    is a :class:`numpy.ma.MaskedArray`, every result is a masked array,
    masked wherever an argument is: a masked element is not computed.
    """
    threads = _args.workers(workers)
    model = _args.model(breaker, shoaling)
    if (type(Ho) in _SCALARS and type(T) in _SCALARS and type(alpha0) in _SCALARS
            and type(n) in _SCALARS and (h is None or type(h) in _SCALARS)):
        return _one(Ho, T, alpha0, n, h, model)
    arguments = {"Ho": Ho, "T": T, "alpha0": alpha0, "n": n, "h": h}
    return _elementwise.run(Result, _saiha.calc, arguments, ("h",), threads, *model,
                            workers=threads)


#: Python numbers, which a scalar call takes straight to the compiled module.
_SCALARS = (float, int)


def _one(Ho: float, T: float, alpha0: float, n: float, h: Optional[float],
         model: tuple[str, str]) -> Result:
    """:func:`calc` of Python numbers: the 0-d results of one element."""
    results, codes = _saiha.calc_one(
        _args.real_number("Ho", Ho), _args.real_number("T", T),
        _args.real_number("alpha0", alpha0), _args.real_number("n", n),
        np.nan if h is None else _args.real_number("h", h), *model)
    fields = {name: results[k, ...] for k, name in enumerate(RESULT_NAMES)}  # 0-d views
    fields["error"] = np.array(codes.item(0), dtype=np.uint8)
    fields["warning"] = codes[1, ...]
    fields["ok"] = np.array(codes.item(0) == 0)
    return _elementwise.make(Result, fields)


#: Input columns of :func:`calc_frame`; ``h`` may be absent.
INPUT_COLUMNS: tuple[str, ...] = ("Ho", "T", "alpha0", "n", "h")

#: The columns of :func:`calc_frame`'s result and their dtypes: those of
#: saiha-calc's output, the inputs as given, the results in single precision
#: and the error message.
FRAME_COLUMNS: dict[str, np.dtype] = {
    **{name: np.dtype(np.float64) for name in INPUT_COLUMNS[:4]},
    "h": np.dtype(np.float32),
    **{name: np.dtype(np.float32) for name in RESULT_NAMES if name != "h"},
    "error": np.dtype(object),
}

class _MissingColumn(KeyError, ValueError):
    """A column :func:`calc_frame` needs is absent: a ValueError, and a KeyError as it always was."""

    def __str__(self) -> str:
        return str(self.args[0])


def _frame_column(df: pd.DataFrame, name: str) -> np.ndarray:
    column = df[name]
    if not (pd.api.types.is_numeric_dtype(column) and not pd.api.types.is_bool_dtype(column)):
        raise TypeError(f"column {name!r} must hold numbers, not {column.dtype}")
    return column.to_numpy(dtype=np.float64, na_value=np.nan)


def output_columns(columns: Any) -> list[Any]:
    """The columns of a result, given the input's columns in their order.

    The input's columns keep their places; those that are inputs of the
    calculation (``Ho, T, alpha0, n, h``) are written in that order in the
    places they take, with ``h`` after them where the input has none.  Then
    come the results and ``error``.  ``Ho,T,alpha0,n`` gives the columns of
    saiha-calc's output; ``id,Ho,T,alpha0,n,h,time`` keeps ``id`` first and
    ``time`` after ``h``.
    """
    names = list(columns)
    known = [i for i, name in enumerate(names) if name in INPUT_COLUMNS]
    inputs = iter(INPUT_COLUMNS)
    placed = [next(inputs) if name in INPUT_COLUMNS else name for name in names]
    if "h" not in names:
        placed.insert(known[-1] + 1 if known else len(placed), "h")
    return placed + [name for name in FRAME_COLUMNS if name not in INPUT_COLUMNS]


def calc_frame(
    df: pd.DataFrame,
    *,
    workers: Optional[int] = None,
    breaker: str = "goda1970",
    shoaling: str = "two-regime",
    lang: Optional[str] = None,
    warnings: bool = False,
) -> pd.DataFrame:
    """One calculation per row of a table of cases, as saiha-calc does.

    Parameters
    ----------
    df : pandas.DataFrame
        Columns ``Ho`` (m), ``T`` (s), ``alpha0`` (degrees), ``n`` and
        optionally ``h`` (m; a missing value takes the breaking depth),
        numeric (NA of a nullable type counts as missing), each once.  Any
        other column (an identifier, a time...) is passed through.
    workers : int, optional
        Threads sharing the rows; all cores by default.
    breaker, shoaling : str
        The model, as for :func:`calc`.
    lang : {"ja", "en"}, optional
        The language of the ``error`` column; by default the one the
        environment variable ``SAIHA_LANG`` names, else Japanese.
    warnings : bool
        Add a last column ``warnings`` (uint32), the row's
        :class:`WarningFlag` bits, as ``saiha-calc --warnings``.

    Returns
    -------
    pandas.DataFrame
        With ``df``'s index: ``df``'s columns in their places, the inputs
        among them in the order ``Ho, T, alpha0, n, h`` (see
        :func:`output_columns`), then the twelve results.  ``Ho, T, alpha0,
        n`` are as given (float64), ``h`` is the depth used, the results are
        float32 (NaN where not reached) and ``error`` the window's message
        ("" when the row computed), with the dtypes of :data:`FRAME_COLUMNS`;
        other columns keep theirs.

    Raises
    ------
    ValueError
        ``df`` is not a DataFrame (a dict: ``pd.DataFrame(d)`` first), a
        column name appears twice, a column ``Ho``, ``T``, ``alpha0`` or
        ``n`` is missing (the error is also a KeyError), a result column
        (``Hb``...) is among the inputs, the columns are a MultiIndex (one
        level of names is needed), or an unknown model name or language
        (``lang`` or ``SAIHA_LANG``).
    TypeError
        An input column does not hold numbers.
    """
    if not isinstance(df, pd.DataFrame):
        raise ValueError(f"calc_frame takes a pandas DataFrame, not {type(df).__name__}"
                         + (" (pd.DataFrame(d) makes one of a dict)" if isinstance(df, dict) else ""))
    if isinstance(df.columns, pd.MultiIndex):
        raise ValueError(f"calc_frame: the columns are a MultiIndex of {df.columns.nlevels} "
                         "levels; it reads one level of names (Ho, T, alpha0, n, h): flatten "
                         "them first, e.g. df.droplevel(0, axis=1)")
    duplicated = list(dict.fromkeys(df.columns[df.columns.duplicated()]))
    if duplicated:
        raise ValueError(f"calc_frame: column {duplicated[0]!r} appears more than once")
    missing = [name for name in INPUT_COLUMNS[:4] if name not in df.columns]
    if missing:
        raise _MissingColumn(f"calc_frame needs a column {missing[0]!r}")
    clashing = [name for name in df.columns if name in FRAME_COLUMNS and name not in INPUT_COLUMNS]
    if clashing:
        raise ValueError(f"calc_frame: the input column {clashing[0]!r} is a result's name")
    texts = error_texts(lang)
    inputs = {name: _frame_column(df, name) for name in INPUT_COLUMNS[:4]}
    h = _frame_column(df, "h") if "h" in df.columns else None
    result = calc(*inputs.values(), h, workers=workers, breaker=breaker, shoaling=shoaling)
    # Passed-through columns keep their dtypes, extension types included.
    data: dict[Any, Any] = {
        name: df[name].array for name in df.columns if name not in INPUT_COLUMNS
    }
    data.update(inputs)
    data.update((name, getattr(result, name)) for name in RESULT_NAMES)
    data["error"] = texts[result.error]
    columns = output_columns(df.columns)
    if warnings:
        data["warnings"] = result.warning
        columns.append("warnings")
    return _elementwise.with_units(pd.DataFrame(data, index=df.index, columns=columns),
                                   (*INPUT_COLUMNS, *RESULT_NAMES))


