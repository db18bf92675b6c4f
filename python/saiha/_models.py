"""The models side by side, the cross-shore profile and the longshore transport."""

from __future__ import annotations

from dataclasses import dataclass
from typing import Any, Optional

import numpy as np
import numpy.typing as npt
import pandas as pd

from . import _args, _elementwise, _saiha
from ._elementwise import Columns, index_field
from ._errors import CalcError, Error, WarningFlag, error_texts

__all__ = ["PROFILE_COLUMNS", "profile", "COMPARE_COLUMNS", "compare", "Transport", "transport"]

#: The columns of :func:`profile`, those of ``saiha-calc profile``.
PROFILE_COLUMNS: tuple[str, ...] = tuple(_saiha.PROFILE_COLUMNS)


def profile_frame(code: int, columns: dict[str, Any], names: tuple[str, ...]) -> pd.DataFrame:
    """A compiled profile as a DataFrame with the station codes in ``attrs["errors"]``
    and the stations' warnings in ``attrs["warnings"]``.

    A profile whose columns carry ``warning`` (the random sea's) puts each
    station's nonzero :class:`WarningFlag` bits in ``attrs["warnings"]``.
    CalcError for the profile's own code.
    """
    if code != Error.NONE:
        raise CalcError(code)
    errors = columns.pop("error")
    warnings = columns.pop("warning", None)
    frame = _elementwise.with_units(pd.DataFrame(columns, columns=list(names)))
    frame.attrs["errors"] = {i: Error(e) for i, e in enumerate(errors) if e}
    if warnings is not None:
        frame.attrs["warnings"] = {i: WarningFlag(w) for i, w in enumerate(warnings) if w}
    return frame


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
        ``DataFrame.attrs["errors"]``; a station with warnings has its
        :class:`WarningFlag` bits (the breaking point's and its own, such as
        ``HEIGHT_ABOVE_DEPTH``) in ``attrs["warnings"]``; ``attrs["breaker"]`` and
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
    model = _args.model(breaker, shoaling)
    wave = _wave(Ho, T, alpha0, n)
    depth = _args.optional_number("from_depth", from_depth)
    count = _args.stations(stations)
    if spacing is not None:
        spacing = _args.real_number("spacing", spacing)
        if not (np.isfinite(spacing) and spacing > 0):
            raise ValueError(f"spacing must be a distance > 0 (m), not {spacing}")
    code, columns = _saiha.profile(*wave, depth, count, spacing, *model)
    usable = depth is None or 0 < depth <= np.finfo(np.float32).max
    if code == Error.INVALID_DEPTH and usable:
        # A usable depth: what it leaves is no station, too many, or x overflowing.
        raise CalcError(code, "from_depth", "the seaward depth and the spacing give no "
                        f"stations, more than {_saiha.MAX_STATIONS}, or an x beyond range")
    frame = profile_frame(code, columns, PROFILE_COLUMNS)
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
_BAD_WAVE = (
    Error.INVALID_HEIGHT,
    Error.INVALID_PERIOD,
    Error.INVALID_ANGLE,
    Error.INVALID_SLOPE,
    Error.STEEPNESS_LIMIT,
)


def _transport_numbers(K: Any, rho: Any, rho_s: Any, porosity: Any) -> tuple[float, ...]:
    """The CERC parameters as floats; TypeError for one that is not a real number."""
    return tuple(_args.real_number(name, value) for name, value in
                 (("K", K), ("rho", rho), ("rho_s", rho_s), ("porosity", porosity)))


def _transport_params(K: float, rho: float, rho_s: float, porosity: float,
                      lang: Optional[str] = None) -> tuple[float, ...]:
    """The CERC parameters as floats; CalcError naming the first one out of its range."""
    params = _transport_numbers(K, rho, rho_s, porosity)
    code = _saiha.check_transport(*params)
    if code != Error.NONE:
        raise CalcError(code, _TRANSPORT_ARGUMENTS[code], lang=lang)
    # Each in its range, but together beyond single precision for every
    # breaker (K=1e37): a bad option, as saiha-calc refuses it.
    overflow = _saiha.transport_overflow(*params)
    if overflow is not None:
        raise ValueError(overflow)
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
    warnings: bool = False,
    height: str = "regular",
    lang: Optional[str] = None,
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
    warnings : bool
        Add the column ``warning``, as ``saiha-calc compare --warnings``.
    height : str
        ``"regular"`` (default): each row's breaker height feeds the
        transport.  ``"significant"``: Goda's significant height H1/3 at the
        row's breaking depth ``hb`` (where the row's model puts the breaker
        line) for the sea H0′ = Kr·Ho, T1/3 = T, replaces ``Hb`` and
        ``gamma`` (H1/3/hb) and feeds the transport, as
        ``saiha-calc compare --height significant``.
    lang : {"ja", "en"}, optional
        The language of the ``error`` column and of a :class:`CalcError`'s
        message; by default the one the environment variable ``SAIHA_LANG``
        names, else Japanese.

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
        ``error`` is the window's message for the row, "" when computed;
        with ``warnings=True`` then ``warning``, the row's
        :class:`WarningFlag` bits (uint32).
        ``xi0`` (float32) and ``breaker_type`` are the wave's surf
        similarity and Battjes' breaker type (see :func:`shoreline`), the
        same in every row.

    Raises
    ------
    CalcError
        An input of the wave that cannot be used (``code`` one of the
        ``INVALID_*`` codes of the wave), or a transport parameter out of its
        range (``argument`` names it); the message is the window's, as
        ``saiha-calc compare`` reports it.
    ValueError
        Transport parameters each in their range that together give a
        yearly transport beyond single precision for every breaker of 1 cm
        or more (``K=1e37``), which ``saiha-calc compare`` refuses (exit 2).

    Notes
    -----
    The CERC formula and Kamphuis's breaker index are written for the
    significant wave height; the breaker height of a regular wave stands in
    for it here (see :func:`random_waves` for Goda's significant height).
    """
    if height not in ("regular", "significant"):
        raise ValueError(f"height must be 'regular' or 'significant', not {height!r}")
    wave = _wave(Ho, T, alpha0, n)
    lang = _args.language(lang)
    texts = error_texts(lang)
    params = _transport_numbers(K, rho, rho_s, porosity)
    columns = _saiha.compare(*wave, *params, height == "significant")
    codes = columns.pop("error")
    # Every row checks the wave first, then the parameters, as saiha-calc does.
    if codes[0] in _BAD_WAVE:
        raise CalcError(codes[0], lang=lang)
    _transport_params(*params, lang=lang)
    columns["error"] = texts[codes]
    return _elementwise.with_units(
        pd.DataFrame(columns, columns=[*COMPARE_COLUMNS, *(["warning"] if warnings else [])]))


@dataclass(frozen=True)
class Transport(Columns):
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
    index : pandas.Index or None
        The Series' index where Series give the elements (the four arrays
        are then pandas Series on it), else None.
    """

    Q_m3_per_s: np.ndarray
    Q_m3_per_year: np.ndarray
    error: np.ndarray
    ok: np.ndarray
    index: Optional[pd.Index] = index_field()


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
        :class:`CalcError` for a transport parameter out of its range;
        parameters that together overflow every breaker's yearly transport
        (``K=1e37``), as ``saiha-calc compare`` refuses them.

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
    result = _elementwise.run(Transport, _saiha.transport, arguments, ("gamma",), *params,
                              workers=1)
    if result.index is None:
        return result
    return Transport(**{name: pd.Series(getattr(result, name), index=result.index, name=name)
                        for name in ("Q_m3_per_s", "Q_m3_per_year", "error", "ok")},
                     index=result.index)




def _wave(Ho: Any, T: Any, alpha0: Any, n: Any) -> list[float]:
    """The four numbers of one wave, checked as every function checks them."""
    return [_args.real_number("Ho", Ho), _args.real_number("T", T),
            _args.real_number("alpha0", alpha0), _args.real_number("n", n)]
