"""Refraction, shoaling and breaking of regular waves on a uniform slope.

A regular wave of deep-water height ``Ho`` (m), period ``T`` (s) and angle of
incidence ``alpha0`` (degrees from the shore normal) meets a beach of slope
``1/n`` with straight, parallel depth contours.  :func:`calc` finds its
breaking point and its state at a depth for every element of NumPy arrays,
:func:`calc_frame` does the same for a table of cases, :func:`profile` gives
the cross-shore profile of one wave.  ``saiha.dask.calc_frame`` maps
:func:`calc_frame` over a Dask DataFrame.

Each of these takes a breaker limit (``breaker=``, one of :data:`BREAKERS`)
and a shoaling rule (``shoaling=``, one of :data:`SHOALINGS`); the defaults
are the calculation window's own.  :func:`compare` puts every model side by
side on one wave with the longshore transport each breaking point implies,
and :func:`transport` gives that transport for any breaking points.

Every value is the single-precision value behind the calculation window's
text for the same inputs, bit for bit (the window shows it rounded to two
decimals).
"""

from __future__ import annotations

import enum
import importlib
import numbers
from dataclasses import dataclass
from typing import TYPE_CHECKING, Any, Optional

import numpy as np
import numpy.typing as npt
import pandas as pd

from . import _saiha

#: The version of the package, that of the programs built with it.
__version__: str = _saiha.VERSION

if TYPE_CHECKING:
    from . import dask, plot

__all__ = [
    "BREAKERS",
    "SHOALINGS",
    "COMPARE_COLUMNS",
    "Transport",
    "compare",
    "transport",
    "Error",
    "ERROR_CODES",
    "CalcError",
    "Result",
    "calc",
    "calc_frame",
    "error_text",
    "profile",
    "FRAME_COLUMNS",
    "MAX_WORKERS",
    "PROFILE_COLUMNS",
    "output_columns",
]


class Error(enum.IntEnum):
    """Why a calculation stopped: the codes in :attr:`Result.error`."""

    NONE = 0
    INVALID_HEIGHT = 1  #: Ho not a finite number > 0 in single precision
    INVALID_PERIOD = 2  #: T not a finite number > 0 in single precision
    INVALID_ANGLE = 3  #: alpha0 not strictly between -90 and 90 degrees
    INVALID_SLOPE = 4  #: n not a finite number > 0
    INVALID_DEPTH = 5  #: h not a finite number > 0 in single precision
    ONSET_NOT_FOUND = 6  #: no onset of nonlinear shoaling on 0.001 <= h/L0 <= 1
    BREAKING_NOT_FOUND = 7  #: no breaking point on 0.001 <= h/L0 <= 1
    NONLINEAR_SHOALING_LIMIT = 8  #: the nonlinear shoaling iteration did not settle
    COEFFICIENT_DIVISOR = 9  #: zero divisor in a refraction or shoaling coefficient
    WAVE_LENGTH_LIMIT = 10  #: the dispersion iteration did not settle
    DIVISION_BY_ZERO = 11  #: arithmetic fault
    INVALID_OPERATION = 12  #: arithmetic fault
    OVERFLOW = 13  #: arithmetic fault
    BREAKING_DEPTH_TOO_SMALL = 14  #: the breaking depth rounds to 0.00 m: no default depth
    INTERMEDIATE_END_NOT_FOUND = 15  #: Shuto's H*h^(2/7) law reaches no U = 50 on 0.001..1
    EMPIRICAL_NOT_SETTLED = 16  #: the empirical breaker height did not settle with refraction
    WEGGEL_INDEX_NOT_POSITIVE = 17  #: Weggel's breaker index <= 0: no breaking depth
    INVALID_TRANSPORT_COEFFICIENT = 18  #: K not a finite number > 0
    INVALID_WATER_DENSITY = 19  #: rho not a finite number > 0
    INVALID_SEDIMENT_DENSITY = 20  #: rho_s not a finite number > rho
    INVALID_POROSITY = 21  #: p not a finite number with 0 <= p < 1
    INVALID_BREAKING_POINT = 22  #: a transport's Hb or Hb/hb not finite > 0, or |theta_b| >= 90


def _python_name(cpp_name: str) -> str:
    """``InvalidHeight`` -> ``INVALID_HEIGHT``: the C++ enumerator as a Python one."""
    return "".join("_" + c if c.isupper() and i else c for i, c in enumerate(cpp_name)).upper()


if [e.name for e in Error] != [_python_name(n) for n in _saiha.ERROR_NAMES]:  # pragma: no cover
    raise ImportError("saiha: the compiled module and the package disagree on the error codes")

#: The error codes by value, named.
ERROR_CODES: dict[int, str] = {int(e): e.name for e in Error}


#: The message of each code, by value.
_ERROR_TEXTS = np.array([_saiha.error_text(int(code)) for code in Error], dtype=object)


def error_text(code: Any) -> Any:
    """The calculation window's message (Japanese) for error codes.

    Parameters
    ----------
    code : int or array_like of int
        Values of :class:`Error`, such as :attr:`Result.error`; 0 gives ``""``.

    Returns
    -------
    str or numpy.ndarray of object
        The message for an integer or a 0-d array (``calc(...)`` of scalars),
        else an array of messages of ``code``'s shape.

    Raises
    ------
    ValueError
        For a number that is not an error code.
    TypeError
        For something that does not hold integers.
    """
    codes = np.asarray(code)
    if codes.dtype.kind not in "iu":
        raise TypeError(f"an error code is an integer, not {type(code).__name__} of {codes.dtype}")
    if codes.ndim == 0:
        return _saiha.error_text(int(codes))
    if codes.size and (codes.min() < 0 or codes.max() >= len(Error)):
        bad = codes[(codes < 0) | (codes >= len(Error))].flat[0]
        raise ValueError(f"{bad} is not an error code (0 to {len(Error) - 1})")
    return _ERROR_TEXTS[codes]


class CalcError(ValueError):
    """A calculation that could not be done as a whole.

    Raised by :func:`profile` and :func:`compare` for a wave they cannot use,
    and by :func:`compare` and :func:`transport` for a transport parameter
    out of its range.

    Attributes
    ----------
    code : Error
        Why.
    argument : str or None
        The keyword argument at fault, when one is.
    """

    def __init__(self, code: int, argument: Optional[str] = None,
                 message: Optional[str] = None) -> None:
        self.code = Error(code)
        self.argument = argument
        where = f"{argument}: " if argument else ""
        super().__init__(f"{where}{message or error_text(code)} ({self.code.name})")


#: The breaker limits by name, the default (Goda 1970) first.
BREAKERS: tuple[str, ...] = tuple(_saiha.BREAKERS)
#: The shoaling rules by name, the default (two regimes) first.
SHOALINGS: tuple[str, ...] = tuple(_saiha.SHOALINGS)


def _model(breaker: str, shoaling: str) -> tuple[str, str]:
    """The two model names, checked: TypeError for a non-text, ValueError naming the valid ones."""
    for kind, name, valid in (("breaker", breaker, BREAKERS), ("shoaling", shoaling, SHOALINGS)):
        if not isinstance(name, str):
            raise TypeError(f"{kind} must be a name (str), not {type(name).__name__}")
        if name not in valid:
            raise ValueError(f"unknown {kind} {name!r}; one of {', '.join(valid)}")
    return breaker, shoaling


@dataclass(frozen=True)
class Result:
    """The results of :func:`calc`, arrays of the broadcast shape of its arguments.

    Results the calculation of an element did not reach are NaN.

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
    ok : numpy.ndarray of bool
        ``error == 0``.
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
    ok: np.ndarray


#: The result arrays of :class:`Result`, in the order of saiha-calc's columns.
RESULT_NAMES: tuple[str, ...] = tuple(_saiha.RESULT_NAMES)


def _real_array(name: str, value: Any) -> np.ndarray:
    """``value`` as a float64 array; TypeError unless it holds real numbers.

    A pandas column of a nullable type (``Int64``, ``Float64``) gives NaN
    where it holds NA, as :func:`calc_frame` reads it.  A masked array gives
    its data, NaN where masked (the caller masks those results).
    """
    if isinstance(value, (pd.Series, pd.Index, pd.api.extensions.ExtensionArray)):
        dtype = value.dtype
        if not pd.api.types.is_numeric_dtype(dtype) or pd.api.types.is_bool_dtype(dtype):
            raise TypeError(f"{name} must hold real numbers, not {dtype}")
        return value.to_numpy(dtype=np.float64, na_value=np.nan)
    array = np.ma.getdata(value) if np.ma.isMaskedArray(value) else np.asarray(value)
    if array.dtype.kind not in "iuf":
        raise TypeError(f"{name} must hold real numbers, not {array.dtype}")
    array = array.astype(np.float64, copy=False)
    if np.ma.isMaskedArray(value) and np.ma.getmask(value) is not np.ma.nomask:
        array = np.where(np.ma.getmaskarray(value), np.nan, array)
    return array


def _real_number(name: str, value: Any) -> float:
    """One real number as a float; TypeError for text, arrays and the like, as in :func:`calc`."""
    array = _real_array(name, value)
    if array.ndim != 0:
        raise TypeError(f"{name} must be one number, not an array of shape {array.shape}")
    return float(array)


#: The most threads :func:`calc` takes.
MAX_WORKERS = 1 << 15


def _workers(workers: Optional[int]) -> int:
    """The thread count for the compiled module: 0 for all cores."""
    if workers is None:
        return 0
    if isinstance(workers, (bool, np.bool_)) or not isinstance(workers, numbers.Integral):
        raise TypeError(f"workers must be an integer, not {type(workers).__name__}")
    if not 1 <= workers <= MAX_WORKERS:
        raise ValueError(f"workers must be from 1 to {MAX_WORKERS}, not {workers}")
    return int(workers)


def _elementwise(
    result_type: type, compiled: Any, arguments: dict[str, Any], optional: str, *settings: Any
) -> Any:
    """``compiled`` over the arguments broadcast together, as flat float64 arrays.

    ``arguments[optional]`` may be None: NaN in every element.  The columns
    ``compiled`` returns come back in the broadcast shape as ``result_type``,
    with ``ok`` where the code under ``error`` is 0.
    """
    arrays = [
        np.float64(np.nan) if value is None and name == optional else _real_array(name, value)
        for name, value in arguments.items()
    ]
    broadcast = np.broadcast_arrays(*arrays)
    shape = broadcast[0].shape
    flat = [np.ascontiguousarray(a, dtype=np.float64).reshape(-1) for a in broadcast]
    columns = compiled(*flat, *settings)
    shaped = {name: column.reshape(shape) for name, column in columns.items()}
    shaped["ok"] = np.asarray(shaped["error"] == 0)
    # A masked element of any argument masks the element in every result.
    masked = [np.ma.getmaskarray(v) for v in arguments.values() if np.ma.isMaskedArray(v)]
    if masked:
        mask = np.zeros(shape, dtype=bool)
        for m in masked:
            mask |= np.broadcast_to(m, shape)
        shaped = {name: np.ma.masked_array(a, mask=mask.copy()) for name, a in shaped.items()}
    return result_type(**shaped)


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
        float32 arrays of the broadcast shape, the error codes and ``ok``.

    Raises
    ------
    TypeError
        An argument that does not hold real numbers (strings, None inside a
        list, complex numbers), ``workers`` not an integer, or a model
        name that is not a str.
    ValueError
        Arguments whose shapes do not broadcast, ``workers`` not from 1 to
        :data:`MAX_WORKERS`, or an unknown model name.

    Notes
    -----
    An element whose inputs cannot be used (a height <= 0, an angle of 90
    degrees, a wave that finds no breaking point...) never raises: it gets
    its code in ``error`` and NaN for the results it did not reach.  The GIL
    is released while the elements are computed.

    Missing values: NA in a pandas column of a nullable type (``Int64``,
    ``Float64``) counts as NaN, as in :func:`calc_frame`.  Where an argument
    is a :class:`numpy.ma.MaskedArray`, every result is a masked array,
    masked wherever an argument is: a masked element is not computed.
    """
    threads = _workers(workers)
    model = _model(breaker, shoaling)
    arguments = {"Ho": Ho, "T": T, "alpha0": alpha0, "n": n, "h": h}
    return _elementwise(Result, _saiha.calc, arguments, "h", threads, *model)


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
        (``Hb``...) is among the inputs, or an unknown model name.
    TypeError
        An input column does not hold numbers.
    """
    if not isinstance(df, pd.DataFrame):
        raise ValueError(f"calc_frame takes a pandas DataFrame, not {type(df).__name__}"
                         + (" (pd.DataFrame(d) makes one of a dict)" if isinstance(df, dict) else ""))
    duplicated = list(dict.fromkeys(df.columns[df.columns.duplicated()]))
    if duplicated:
        raise ValueError(f"calc_frame: column {duplicated[0]!r} appears more than once")
    missing = [name for name in INPUT_COLUMNS[:4] if name not in df.columns]
    if missing:
        raise _MissingColumn(f"calc_frame needs a column {missing[0]!r}")
    clashing = [name for name in df.columns if name in FRAME_COLUMNS and name not in INPUT_COLUMNS]
    if clashing:
        raise ValueError(f"calc_frame: the input column {clashing[0]!r} is a result's name")
    inputs = {name: _frame_column(df, name) for name in INPUT_COLUMNS[:4]}
    h = _frame_column(df, "h") if "h" in df.columns else None
    result = calc(*inputs.values(), h, workers=workers, breaker=breaker, shoaling=shoaling)
    # Passed-through columns keep their dtypes, extension types included.
    data: dict[Any, Any] = {
        name: df[name].array for name in df.columns if name not in INPUT_COLUMNS
    }
    data.update(inputs)
    data.update((name, getattr(result, name)) for name in RESULT_NAMES)
    data["error"] = _ERROR_TEXTS[result.error]
    return pd.DataFrame(data, index=df.index, columns=output_columns(df.columns))


#: The columns of :func:`profile`, those of ``saiha-calc profile``.
PROFILE_COLUMNS: tuple[str, ...] = tuple(_saiha.PROFILE_COLUMNS)


def profile(
    Ho: float,
    T: float,
    alpha0: float,
    n: float,
    *,
    from_depth: Optional[float] = None,
    stations: int = 200,
    spacing: Optional[float] = None,
    breaker: str = "goda1970",
    shoaling: str = "two-regime",
) -> pd.DataFrame:
    """The cross-shore profile of one wave, seaward end first.

    Parameters
    ----------
    Ho, T, alpha0, n : float
        The wave and the beach, as for :func:`calc`.
    from_depth : float, optional
        Depth of the seaward end (m), > 0.  By default twice the depth of
        the onset of nonlinear shoaling, at least twice the breaking depth.
    stations : int
        Number of evenly spaced stations, 1 to 100000; the onset and the
        breaking point are inserted in their places besides.
    spacing : float, optional
        Instead of ``stations``: stations exactly ``spacing`` metres apart
        in x, at x = spacing, 2·spacing, ... from the shoreline up to the
        seaward end (as ``saiha-calc profile --spacing``).
    breaker, shoaling : str
        The model, as for :func:`calc`.  Under Shuto's shoaling ``rule``
        also reads ``intermediate`` (H·h^(2/7) constant) and the onset is
        where the linear height reaches U = 30.

    Returns
    -------
    pandas.DataFrame
        One row per station with the columns :data:`PROFILE_COLUMNS`:
        ``x`` distance from the still-water shoreline, n·h (m), ``h`` depth
        (m), ``rule`` the height rule (``linear``, ``nonlinear``, ``surf``),
        ``point`` (``onset``, ``breaking`` or ""), then ``H`` (m), ``L`` (m),
        ``C`` (m/s), ``theta`` (degrees) and the orbit at the bottom and the
        surface (m, m/s), float32.  A station the formulas could not compute
        has NaN there and its :class:`Error` code in
        ``DataFrame.attrs["errors"]``; ``attrs["breaker"]`` and
        ``attrs["shoaling"]`` name the model.  ``saiha.plot.profile`` draws it.

    Raises
    ------
    CalcError
        The wave finds no breaking point, an input is unusable, or
        ``from_depth`` with ``spacing`` leaves no station, or more than
        100000, or x = n·from_depth beyond single precision; ``code`` says
        which.
    TypeError
        An argument that is not a real number (text, an array), or
        ``stations`` not an integer.
    ValueError
        ``stations`` not from 1 to 100000, ``spacing`` not a finite number
        > 0, or a model name not one of :data:`BREAKERS` / :data:`SHOALINGS`.
    """
    model = _model(breaker, shoaling)
    wave = [_real_number(name, value)
            for name, value in (("Ho", Ho), ("T", T), ("alpha0", alpha0), ("n", n))]
    depth = None if from_depth is None else _real_number("from_depth", from_depth)
    if isinstance(stations, (bool, np.bool_)) or not isinstance(stations, numbers.Integral):
        raise TypeError(f"stations must be an integer, not {type(stations).__name__}")
    if not 1 <= stations <= _saiha.MAX_STATIONS:
        raise ValueError(f"stations must be from 1 to {_saiha.MAX_STATIONS}, not {stations}")
    if spacing is not None:
        spacing = _real_number("spacing", spacing)
        if not (np.isfinite(spacing) and spacing > 0):
            raise ValueError(f"spacing must be a distance > 0 (m), not {spacing}")
    code, columns = _saiha.profile(*wave, depth, int(stations), spacing, *model)
    usable = depth is None or 0 < depth <= np.finfo(np.float32).max
    if code == Error.INVALID_DEPTH and usable:
        # A usable depth: what it leaves is no station, too many, or x overflowing.
        raise CalcError(code, "from_depth", "the seaward depth and the spacing give no "
                        f"stations, more than {_saiha.MAX_STATIONS}, or an x beyond range")
    if code != Error.NONE:
        raise CalcError(code)
    errors = columns.pop("error")
    frame = pd.DataFrame(columns, columns=list(PROFILE_COLUMNS))
    frame.attrs["errors"] = {i: Error(e) for i, e in enumerate(errors) if e}
    frame.attrs["breaker"], frame.attrs["shoaling"] = model
    return frame


#: The transport parameters' keywords, in the order the engine checks them.
_TRANSPORT_ARGUMENTS: dict[int, str] = {
    Error.INVALID_TRANSPORT_COEFFICIENT: "K",
    Error.INVALID_WATER_DENSITY: "rho",
    Error.INVALID_SEDIMENT_DENSITY: "rho_s",
    Error.INVALID_POROSITY: "porosity",
}

#: Codes of a wave that cannot be used at all.
_BAD_WAVE = (Error.INVALID_HEIGHT, Error.INVALID_PERIOD, Error.INVALID_ANGLE, Error.INVALID_SLOPE)


def _transport_numbers(K: Any, rho: Any, rho_s: Any, porosity: Any) -> tuple[float, ...]:
    """The CERC parameters as floats; TypeError for one that is not a real number."""
    return tuple(_real_number(name, value) for name, value in
                 (("K", K), ("rho", rho), ("rho_s", rho_s), ("porosity", porosity)))


def _transport_params(K: float, rho: float, rho_s: float, porosity: float) -> tuple[float, ...]:
    """The CERC parameters as floats; CalcError naming the first one out of its range."""
    params = _transport_numbers(K, rho, rho_s, porosity)
    code = _saiha.check_transport(*params)
    if code != Error.NONE:
        raise CalcError(code, _TRANSPORT_ARGUMENTS[code])
    return params


#: The columns of :func:`compare`, those of ``saiha-calc compare``.
COMPARE_COLUMNS: tuple[str, ...] = tuple(_saiha.COMPARE_COLUMNS)


def compare(
    Ho: float,
    T: float,
    alpha0: float,
    n: float,
    *,
    K: float = 0.39,
    rho: float = 1025,
    rho_s: float = 2650,
    porosity: float = 0.4,
) -> pd.DataFrame:
    """Every breaker and shoaling model on one wave, and the longshore transport of each.

    Parameters
    ----------
    Ho, T, alpha0, n : float
        The wave and the beach, as for :func:`calc`.
    K : float
        Transport coefficient of the CERC formula, > 0.
    rho : float
        Water density (kg/m³), > 0; sea water by default.
    rho_s : float
        Sediment density (kg/m³), > ``rho``; quartz sand by default.
    porosity : float
        Porosity of the bed, 0 <= porosity < 1.

    Returns
    -------
    pandas.DataFrame
        11 rows with the columns :data:`COMPARE_COLUMNS`, those of
        ``saiha-calc compare``: every breaker limit of :data:`BREAKERS` with
        each shoaling rule of :data:`SHOALINGS`, then the empirical row
        ``komar-gaughan``, ``weggel`` (Komar and Gaughan's breaker height
        with Weggel's breaker index).  ``Hb``, ``hb`` (m), ``gamma`` (Hb/hb),
        ``theta_b`` (degrees from the shore normal), ``Q_m3_per_s`` and
        ``Q_m3_per_year`` (potential longshore transport by the CERC formula
        with the row's ``gamma`` as the breaker index, a year of 365.25
        days; signed as ``theta_b``) are float32, NaN where not reached;
        ``error`` is the window's message for the row, "" when computed.

    Raises
    ------
    CalcError
        An input of the wave that cannot be used (``code`` one of the
        ``INVALID_*`` codes of the wave), or a transport parameter out of its
        range (``argument`` names it); the message is the window's, as
        ``saiha-calc compare`` reports it.

    Notes
    -----
    The CERC formula is written for the significant wave height; the breaker
    height of a regular wave stands in for it here.
    """
    wave = [_real_number(name, value)
            for name, value in (("Ho", Ho), ("T", T), ("alpha0", alpha0), ("n", n))]
    params = _transport_numbers(K, rho, rho_s, porosity)
    columns = _saiha.compare(*wave, *params)
    codes = columns.pop("error")
    # Every row checks the wave first, then the parameters, as saiha-calc does.
    if codes[0] in _BAD_WAVE:
        raise CalcError(codes[0])
    _transport_params(*params)
    columns["error"] = _ERROR_TEXTS[codes]
    return pd.DataFrame(columns, columns=list(COMPARE_COLUMNS))


@dataclass(frozen=True)
class Transport:
    """The results of :func:`transport`, arrays of the broadcast shape of its arguments.

    Attributes
    ----------
    Q_m3_per_s : numpy.ndarray of float32
        Potential longshore sand transport (m³/s of solid volume), signed as
        ``theta_b``; NaN where the element could not be computed.
    Q_m3_per_year : numpy.ndarray of float32
        The same per year of 365.25 days (m³/year).
    error : numpy.ndarray of uint8
        0, or ``Error.INVALID_BREAKING_POINT`` for an element whose Hb or
        breaker index is not a finite number > 0 or whose |theta_b| >= 90.
    ok : numpy.ndarray of bool
        ``error == 0``.
    """

    Q_m3_per_s: np.ndarray
    Q_m3_per_year: np.ndarray
    error: np.ndarray
    ok: np.ndarray


def transport(
    Hb: npt.ArrayLike,
    hb: npt.ArrayLike,
    theta_b: npt.ArrayLike,
    *,
    gamma: Optional[npt.ArrayLike] = None,
    K: float = 0.39,
    rho: float = 1025,
    rho_s: float = 2650,
    porosity: float = 0.4,
) -> Transport:
    """Potential longshore sand transport by the CERC formula, element by element.

    Q = K·ρ·√g / (16·√κ·(ρs − ρ)·(1 − p)) · Hb^(5/2) · sin(2θb), g = 9.81
    m/s², κ the breaker index.  The arguments broadcast as for :func:`calc`.

    Parameters
    ----------
    Hb : array_like
        Breaker height (m), > 0.
    hb : array_like
        Breaking depth (m), > 0.
    theta_b : array_like
        Direction at breaking (degrees from the shore normal), strictly
        between -90 and 90; Q takes its sign.
    gamma : array_like, optional
        The breaker index κ.  By default, or where an element is NaN,
        Hb/hb of the single-precision Hb and hb, rounded to single precision.
    K, rho, rho_s, porosity : float
        As for :func:`compare`.

    Returns
    -------
    Transport
        float32 arrays of the broadcast shape, the error codes and ``ok``;
        pandas Series with their index where the arguments are Series (the
        columns of :func:`compare` or :func:`calc_frame`).

    Raises
    ------
    TypeError
        An argument that does not hold real numbers.
    ValueError
        Shapes that do not broadcast, Series with different indexes;
        :class:`CalcError` for a transport parameter out of its range.

    Notes
    -----
    Hb, hb and theta_b are rounded to single precision first, as the
    calculation keeps them, so the columns of :func:`compare` or
    :func:`calc` go in unchanged.  A row of :func:`compare` has its own
    ``gamma``, formed from the breaking point's ratios to the deep-water
    wavelength (Weggel's index in the empirical row); Hb/hb of the rounded
    Hb and hb can differ from it in the last bit.  ``transport(row.Hb,
    row.hb, row.theta_b, gamma=row.gamma)`` gives the row's Q bit for bit.
    An element that cannot be computed never raises: it gets its code.
    """
    params = _transport_params(K, rho, rho_s, porosity)
    arguments = {"Hb": Hb, "hb": hb, "theta_b": theta_b, "gamma": gamma}
    indexes = [value.index for value in arguments.values() if isinstance(value, pd.Series)]
    if any(not index.equals(indexes[0]) for index in indexes[1:]):
        raise ValueError("transport: the Series given have different indexes; align them first")
    result = _elementwise(Transport, _saiha.transport, arguments, "gamma", *params)
    if not indexes or result.error.shape != (len(indexes[0]),):
        return result
    return Transport(**{name: pd.Series(getattr(result, name), index=indexes[0], name=name)
                        for name in ("Q_m3_per_s", "Q_m3_per_year", "error", "ok")})


def __getattr__(name: str) -> Any:
    # saiha.dask and saiha.plot import Dask and Matplotlib, which take a
    # while: only when they are used.
    if name in ("dask", "plot"):
        return importlib.import_module(".dask", __name__)
    raise AttributeError(f"module 'saiha' has no attribute {name!r}")
