"""Refraction, shoaling and breaking of regular waves on a uniform slope.

A regular wave of deep-water height ``Ho`` (m), period ``T`` (s) and angle of
incidence ``alpha0`` (degrees from the shore normal) meets a beach of slope
``1/n`` with straight, parallel depth contours.  :func:`calc` finds its
breaking point and its state at a depth for every element of NumPy arrays,
:func:`calc_frame` does the same for a table of cases, :func:`profile` gives
the cross-shore profile of one wave.  ``saiha.dask.calc_frame`` maps
:func:`calc_frame` over a Dask DataFrame.

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

if TYPE_CHECKING:
    from . import dask

__all__ = [
    "Error",
    "ERROR_CODES",
    "CalcError",
    "Result",
    "calc",
    "calc_frame",
    "error_text",
    "profile",
    "FRAME_COLUMNS",
    "PROFILE_COLUMNS",
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


if len(Error) != _saiha.ERROR_COUNT:  # pragma: no cover - a build out of step
    raise ImportError("saiha: the compiled module and the package disagree on the error codes")

#: The error codes by value, named.
ERROR_CODES: dict[int, str] = {int(e): e.name for e in Error}


def error_text(code: int) -> str:
    """The calculation window's message (Japanese) for an error code.

    Parameters
    ----------
    code : int
        A value of :class:`Error`; 0 gives ``""``.

    Raises
    ------
    ValueError
        For a number that is not an error code.
    TypeError
        For something that is not an integer.
    """
    if isinstance(code, (bool, np.bool_)) or not isinstance(code, numbers.Integral):
        raise TypeError(f"an error code is an integer, not {type(code).__name__}")
    return _saiha.error_text(int(code))


class CalcError(ValueError):
    """A calculation that could not be done as a whole (used by :func:`profile`).

    Attributes
    ----------
    code : Error
        Why.
    """

    def __init__(self, code: int) -> None:
        self.code = Error(code)
        super().__init__(f"{error_text(code)} ({self.code.name})")


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
    """``value`` as a float64 array; TypeError unless it holds real numbers."""
    array = np.asarray(value)
    if array.dtype.kind not in "iuf":
        raise TypeError(f"{name} must hold real numbers, not {array.dtype}")
    return array.astype(np.float64, copy=False)


def _workers(workers: Optional[int]) -> int:
    """The thread count for the compiled module: 0 for all cores."""
    if workers is None:
        return 0
    if isinstance(workers, (bool, np.bool_)) or not isinstance(workers, numbers.Integral):
        raise TypeError(f"workers must be an integer, not {type(workers).__name__}")
    if workers < 1:
        raise ValueError(f"workers must be at least 1, not {workers}")
    return int(workers)


def calc(
    Ho: npt.ArrayLike,
    T: npt.ArrayLike,
    alpha0: npt.ArrayLike,
    n: npt.ArrayLike,
    h: Optional[npt.ArrayLike] = None,
    *,
    workers: Optional[int] = None,
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

    Returns
    -------
    Result
        float32 arrays of the broadcast shape, the error codes and ``ok``.

    Raises
    ------
    TypeError
        An argument that does not hold real numbers (strings, None inside a
        list, complex numbers), or ``workers`` not an integer.
    ValueError
        Arguments whose shapes do not broadcast, or ``workers`` < 1.

    Notes
    -----
    An element whose inputs cannot be used (a height <= 0, an angle of 90
    degrees, a wave that finds no breaking point...) never raises: it gets
    its code in ``error`` and NaN for the results it did not reach.  The GIL
    is released while the elements are computed.
    """
    threads = _workers(workers)
    arrays = [
        _real_array(name, value)
        for name, value in (("Ho", Ho), ("T", T), ("alpha0", alpha0), ("n", n))
    ]
    arrays.append(np.float64(np.nan) if h is None else _real_array("h", h))
    broadcast = np.broadcast_arrays(*arrays)
    shape = broadcast[0].shape
    flat = [np.ascontiguousarray(a, dtype=np.float64).reshape(-1) for a in broadcast]
    columns = _saiha.calc(*flat, threads)
    shaped = {name: column.reshape(shape) for name, column in columns.items()}
    return Result(**shaped, ok=np.asarray(shaped["error"] == 0))


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

_ERROR_TEXTS = np.array([error_text(code) for code in Error], dtype=object)


def _frame_column(df: pd.DataFrame, name: str) -> np.ndarray:
    try:
        column = df[name]
    except KeyError:
        raise KeyError(f"calc_frame needs a column {name!r}") from None
    if not (pd.api.types.is_numeric_dtype(column) and not pd.api.types.is_bool_dtype(column)):
        raise TypeError(f"column {name!r} must hold numbers, not {column.dtype}")
    return column.to_numpy(dtype=np.float64, na_value=np.nan)


def calc_frame(df: pd.DataFrame, *, workers: Optional[int] = None) -> pd.DataFrame:
    """One calculation per row of a table of cases, as saiha-calc does.

    Parameters
    ----------
    df : pandas.DataFrame
        Columns ``Ho`` (m), ``T`` (s), ``alpha0`` (degrees), ``n`` and
        optionally ``h`` (m; a missing value takes the breaking depth),
        numeric.  Other columns are ignored.
    workers : int, optional
        Threads sharing the rows; all cores by default.

    Returns
    -------
    pandas.DataFrame
        With ``df``'s index and the columns of saiha-calc's output
        (:data:`FRAME_COLUMNS`): ``Ho, T, alpha0, n`` as given (float64),
        ``h`` the depth used and the twelve results (float32, NaN where not
        reached), and ``error``, the window's message ("" when the row
        computed).

    Raises
    ------
    KeyError
        A column ``Ho``, ``T``, ``alpha0`` or ``n`` is missing.
    TypeError
        An input column does not hold numbers.
    """
    inputs = {name: _frame_column(df, name) for name in INPUT_COLUMNS[:4]}
    h = _frame_column(df, "h") if "h" in df.columns else None
    result = calc(*inputs.values(), h, workers=workers)
    data: dict[str, Any] = dict(inputs)
    data.update((name, getattr(result, name)) for name in RESULT_NAMES)
    data["error"] = _ERROR_TEXTS[result.error]
    return pd.DataFrame(data, index=df.index, columns=list(FRAME_COLUMNS))


#: The columns of :func:`profile`, those of ``saiha-calc profile``.
PROFILE_COLUMNS: tuple[str, ...] = (
    "x", "h", "rule", "point", "H", "L", "C", "theta",
    "a_bottom", "u_bottom", "a_surface", "u_surface",
)


def profile(
    Ho: float,
    T: float,
    alpha0: float,
    n: float,
    *,
    from_depth: Optional[float] = None,
    stations: int = 200,
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
        ``DataFrame.attrs["errors"]``.

    Raises
    ------
    CalcError
        The wave finds no breaking point, an input is unusable, or
        ``from_depth`` is not a usable depth; ``code`` says which.
    TypeError, ValueError
        ``stations`` is not an integer from 1 to 100000.
    """
    if isinstance(stations, (bool, np.bool_)) or not isinstance(stations, numbers.Integral):
        raise TypeError(f"stations must be an integer, not {type(stations).__name__}")
    if not 1 <= stations <= _saiha.MAX_STATIONS:
        raise ValueError(f"stations must be from 1 to {_saiha.MAX_STATIONS}, not {stations}")
    code, columns = _saiha.profile(
        float(Ho), float(T), float(alpha0), float(n),
        None if from_depth is None else float(from_depth), int(stations),
    )
    if code != Error.NONE:
        raise CalcError(code)
    errors = columns.pop("error")
    frame = pd.DataFrame(columns, columns=list(PROFILE_COLUMNS))
    frame.attrs["errors"] = {i: Error(e) for i, e in enumerate(errors) if e}
    return frame


def __getattr__(name: str) -> Any:
    # saiha.dask imports Dask, which takes a while: only when it is used.
    if name == "dask":
        return importlib.import_module(".dask", __name__)
    raise AttributeError(f"module 'saiha' has no attribute {name!r}")
