"""Random waves across a measured profile by the wave energy balance."""

from __future__ import annotations

import dataclasses
import math
from dataclasses import dataclass
from typing import Any, Optional, Union

import numpy as np
import numpy.typing as npt
import pandas as pd

from . import _args, _elementwise, _saiha
from ._errors import CalcError, Error, WarningFlag

__all__ = ["DISSIPATIONS", "GAMMA_RULES", "OUTPUTS", "ROUGHNESSES", "TRANSFORM_INPUTS", "TRANSFORM_POINT_NAMES",
           "TRANSFORM_SUMMARY_NAMES", "TransformResult", "transform", "transform_frame"]

#: The breaking dissipations by name, the default (Battjes & Janssen 1978) first;
#: "none" computes refraction, shoaling and friction only.
DISSIPATIONS: tuple[str, ...] = tuple(_saiha.DISSIPATIONS)
#: The rules of the breaker parameter gamma by name, the default (Ruessink et
#: al. 2003) first; a number given as ``gamma`` is a constant gamma.
GAMMA_RULES: tuple[str, ...] = tuple(_saiha.GAMMA_RULES)
#: The quantities at every profile point, arrays of shape conditions + (points,).
TRANSFORM_POINT_NAMES: tuple[str, ...] = tuple(_saiha.TRANSFORM_POINT_NAMES)
#: The quantities of each condition, arrays of the conditions' shape.
TRANSFORM_SUMMARY_NAMES: tuple[str, ...] = tuple(_saiha.TRANSFORM_SUMMARY_NAMES)
#: The apparent bed roughness k_a (m) Ruessink et al. (2001) fitted at each
#: site, by name: the default is Duck's.
ROUGHNESSES: dict[str, float] = {"duck": 0.0125, "egmond": 0.022}
#: The inputs of each condition, as :class:`TransformResult` keeps them.
TRANSFORM_INPUTS: tuple[str, ...] = ("Hrms0", "Tp", "theta0", "tide", "wind_stress")

#: Units and descriptions of every array, for :meth:`TransformResult.to_xarray`.
_UNITS: dict[str, tuple[str, str]] = {
    "x": ("m", "cross-shore position, increasing onshore"),
    "z": ("m", "bed elevation above the still-water datum"),
    "Hrms0": ("m", "root-mean-square wave height at the offshore boundary"),
    "Tp": ("s", "peak period"),
    "theta0": ("degree", "wave direction at the boundary from the shore normal"),
    "tide": ("m", "still-water level above the datum"),
    "wind_stress": ("N m-2", "alongshore wind stress, positive along positive V"),
    "h": ("m", "still-water depth tide - z"),
    "eta": ("m", "mean water level above the still-water level"),
    "Hrms": ("m", "root-mean-square wave height"),
    "Hm0": ("m", "spectral significant wave height sqrt(2)*Hrms"),
    "H13": ("m", "significant wave height H1/3 (Battjes & Groenendijk 2000)"),
    "H110": ("m", "mean height of the highest tenth H1/10 (Battjes & Groenendijk 2000)"),
    "H2": ("m", "height exceeded by 2 % of the waves (Battjes & Groenendijk 2000)"),
    "Qb": ("1", "fraction of breaking waves"),
    "theta": ("degree", "wave direction from the shore normal"),
    "V": ("m s-1", "depth-averaged longshore current, signed as theta0"),
    "x_breaking": ("m", "first position with Qb >= 0.01"),
    "h_breaking": ("m", "still-water depth there"),
    "eta_max": ("m", "largest mean water level over the wet points"),
    "x_shoreline": ("m", "mean shoreline"),
    "runup_H0": ("m", "deep-water Hm0 of the runup formula"),
    "foreshore_slope": ("1", "foreshore slope of the runup formula"),
    "R2": ("m", "2 % runup above the still-water level (Stockdon et al. 2006)"),
    "error": ("1", "saiha.Error code, 0 where computed"),
    "point_warning": ("1", "saiha.WarningFlag bits of each point (HRMS_ABOVE_MEAN_DEPTH, "
                      "CURRENT_ABOVE_FITTED_RANGE)"),
    "warning": ("1", "saiha.WarningFlag bits"),
    "ok": ("1", "error == 0"),
}


@dataclass(frozen=True)
class TransformResult:
    """The results of :func:`transform`: one profile, many conditions.

    ``S`` below is the broadcast shape of the conditions (``()`` for
    scalars), ``N`` the number of profile points.  Numbers are float32, NaN
    where not reached (shoreward of the wet/dry edge, or for a condition
    that failed); levels are metres above the still-water level.

    Attributes
    ----------
    x, z : numpy.ndarray of float64, shape (N,)
        The profile: cross-shore position (m, onshore) and bed elevation (m).
    Hrms0, Tp, theta0, tide, wind_stress : numpy.ndarray of float64, shape S
        The conditions as computed (broadcast).
    h, eta, Hrms, Hm0, H13, H110, H2, Qb, theta, V : numpy.ndarray of float32, shape S + (N,)
        At every profile point: still-water depth tide - z (m, given at
        every point, dry ones included, for a condition that computed);
        mean water level (m); root-mean-square height (m); Hm0 =
        sqrt(2)*Hrms (m); H1/3, H1/10 and H2% of Battjes & Groenendijk's
        composite Weibull distribution (m); fraction of breaking waves;
        direction (degrees from the shore normal); longshore current (m/s,
        signed as ``theta0``).
    x_breaking, h_breaking : numpy.ndarray of float32, shape S
        Onset of breaking, the first point with Qb >= 0.01: position (m)
        and still-water depth (m).
    eta_max : numpy.ndarray of float32, shape S
        Largest mean water level over the wet points (m).
    x_shoreline : numpy.ndarray of float32, shape S
        Mean shoreline (m): where the mean water level at the wet/dry edge
        meets the bed.
    runup_H0, foreshore_slope, R2 : numpy.ndarray of float32, shape S
        Stockdon et al.'s (2006) runup at the mean shoreline: the deep-water
        height used (m), the foreshore slope found on the profile and the
        2 % runup above the still-water level (m).
    last_wet : numpy.ndarray of int32, shape S
        Index of the last wet profile point, -1 where none was reached.
    error : numpy.ndarray of uint8, shape S
        The :class:`Error` code of each condition, 0 where computed.
    warning : numpy.ndarray of uint32, shape S
        :class:`WarningFlag` bits: ``GAMMA_FIT_RANGE``,
        ``SHORELINE_NOT_REACHED``, ``DRY_BAR_CREST``,
        ``HRMS_ABOVE_MEAN_DEPTH``, ``CURRENT_ABOVE_FITTED_RANGE``,
        ``BOUNDARY_IN_SURF_ZONE``, ``STOCKDON_BRANCH_CHANGE``.
    point_warning : numpy.ndarray of uint32, shape S + (N,)
        The bits of each point that concern a point:
        ``HRMS_ABOVE_MEAN_DEPTH`` (Hrms above h + eta there) and
        ``CURRENT_ABOVE_FITTED_RANGE`` (|V| above 2 m/s); 0 where not
        reached.
    ok : numpy.ndarray of bool, shape S
        ``error == 0``.
    options : dict
        The model the results were computed with (dissipation, gamma, ...).
    index : pandas.Index or None
        The index of the pandas Series that gave the conditions (1-d
        conditions only); :meth:`summary` and :meth:`to_xarray` label the
        conditions with it.
    """

    x: np.ndarray
    z: np.ndarray
    Hrms0: np.ndarray
    Tp: np.ndarray
    theta0: np.ndarray
    tide: np.ndarray
    wind_stress: np.ndarray
    h: np.ndarray
    eta: np.ndarray
    Hrms: np.ndarray
    Hm0: np.ndarray
    H13: np.ndarray
    H110: np.ndarray
    H2: np.ndarray
    Qb: np.ndarray
    theta: np.ndarray
    V: np.ndarray
    x_breaking: np.ndarray
    h_breaking: np.ndarray
    eta_max: np.ndarray
    x_shoreline: np.ndarray
    runup_H0: np.ndarray
    foreshore_slope: np.ndarray
    R2: np.ndarray
    last_wet: np.ndarray
    error: np.ndarray
    warning: np.ndarray
    ok: np.ndarray
    point_warning: np.ndarray
    options: dict = dataclasses.field(default_factory=dict, repr=False, compare=False)
    index: Optional[pd.Index] = _elementwise.index_field()

    @property
    def shape(self) -> tuple[int, ...]:
        """The shape of the conditions."""
        return tuple(np.shape(self.error))

    def _condition_index(self) -> pd.Index:
        if self.index is not None and len(self.shape) == 1:
            return self.index
        return pd.RangeIndex(int(np.prod(self.shape, dtype=np.int64)), name="condition")

    def summary(self) -> pd.DataFrame:
        """One row per condition: its inputs, the summary quantities and its codes.

        Returns
        -------
        pandas.DataFrame
            Columns ``Hrms0, Tp, theta0, tide, wind_stress`` (float64),
            ``x_breaking, h_breaking, eta_max, x_shoreline, runup_H0,
            foreshore_slope, R2`` (float32), ``error`` (uint8 codes, 0 where
            computed: ``saiha.error_text`` gives the messages) and ``warning``
            (uint32).  Conditions of more than one dimension are flattened
            in C order; the index is :attr:`index` for 1-d conditions given
            as Series, else a RangeIndex named ``condition``.
        """
        names = (*TRANSFORM_INPUTS, *TRANSFORM_SUMMARY_NAMES, "error", "warning")
        return _elementwise.with_units(
            pd.DataFrame({name: np.asarray(getattr(self, name)).reshape(-1) for name in names},
                         index=self._condition_index()))

    def to_xarray(self) -> Any:
        """The results as an ``xarray.Dataset`` of dimensions ``(condition, x)``.

        Conditions of any shape are flattened in C order to the dimension
        ``condition`` (0-d conditions give one); its coordinate is
        :attr:`index` for 1-d conditions given as Series, else 0, 1, ...
        The profile's ``x`` is the coordinate along ``x`` and ``z`` a
        variable along it; the condition inputs, the summary quantities,
        ``error``, ``warning`` and ``ok`` are variables along ``condition``;
        every variable carries ``units`` and ``long_name``, the dataset the
        model's options and ``condition_shape`` in its attrs.

        Raises
        ------
        ImportError
            xarray is not installed (Debian ``python3-xarray``, or
            ``pip install saiha[xarray]``).
        """
        try:
            import xarray as xr
        except ImportError as e:
            raise ImportError("TransformResult.to_xarray needs xarray: install Debian's "
                              "python3-xarray or `pip install xarray`") from e

        def attrs(name: str) -> dict[str, str]:
            units, long_name = _UNITS[name]
            # The unit of saiha-calc --units where the column has one there.
            return {"units": _saiha.column_unit(name) or units, "long_name": long_name}

        points = len(self.x)
        index = self._condition_index()
        data: dict[str, Any] = {"z": ("x", self.z, attrs("z"))}
        for name in (*TRANSFORM_INPUTS, *TRANSFORM_SUMMARY_NAMES, "error", "warning", "ok"):
            data[name] = ("condition", np.asarray(getattr(self, name)).reshape(-1), attrs(name))
        for name in (*TRANSFORM_POINT_NAMES, "point_warning"):
            data[name] = (("condition", "x"), getattr(self, name).reshape(-1, points),
                          attrs(name))
        options = {k: (int(v) if isinstance(v, bool) else v) for k, v in self.options.items()
                   if v is not None}
        return xr.Dataset(
            data,
            coords={"x": ("x", self.x, attrs("x")),
                    "condition": ("condition", np.asarray(index))},
            attrs={**options, "condition_shape": str(self.shape)},
        )

    def interp(self, at: npt.ArrayLike) -> TransformResult:
        """The results at positions ``at`` between the profile's points.

        Each quantity along the profile is interpolated linearly between its
        two neighbouring points (the engine's bed is linear between them);
        at a profile point it is that point's value, and NaN where a
        neighbour it needs is NaN (beyond the wet/dry edge).  The summary
        quantities and codes are those of the whole profile.

        Parameters
        ----------
        at : array_like
            Positions (m), 1-d, within ``x[0]`` to ``x[-1]``.

        Returns
        -------
        TransformResult
            With ``x = at`` and ``z`` the bed there; arrays along the
            profile of shape S + (len(at),).

        Raises
        ------
        ValueError
            For positions that are not finite or lie off the profile.
        """
        at = np.atleast_1d(_args.real_array("at", at))
        if at.ndim != 1:
            raise ValueError(f"at must be 1-d positions, not of shape {at.shape}")
        if not np.isfinite(at).all() or (at.size and (at.min() < self.x[0]
                                                       or at.max() > self.x[-1])):
            raise ValueError(f"at must lie on the profile, from {self.x[0]} to {self.x[-1]} m")
        left, weight = _neighbours(self.x, at)
        fields = {f.name: getattr(self, f.name) for f in dataclasses.fields(self)}
        fields["x"] = at.copy()
        fields["z"] = _between(self.z, left, weight)
        for name in TRANSFORM_POINT_NAMES:
            fields[name] = _between(getattr(self, name), left, weight).astype(np.float32)
        # A position takes the bits of the points its value comes from.
        bits = self.point_warning
        fields["point_warning"] = np.where(
            weight == 1, bits[..., left + 1],
            np.where(weight == 0, bits[..., left], bits[..., left] | bits[..., left + 1]))
        return TransformResult(**fields)

    def at(self, x: float) -> Any:
        """The sea at one position, as the hindcast chain takes it at a structure's toe.

        Parameters
        ----------
        x : float
            The position (m), on the profile.

        Returns
        -------
        saiha.ToeWave
            Per condition: the mean water level above the datum ``level``
            (tide + setup, m), the mean depth ``depth`` (m), ``Hm0`` (m),
            ``eta``, ``H13``, ``H2``, ``theta``, ``Tp`` and ``error``
            (``TOE_NOT_REACHED`` where the wet/dry edge lies seaward): what
            :func:`saiha.overtopping` and :func:`saiha.runup` take, with
            Tm10 = Tp/1.1 and Rc = crest − level (see :func:`saiha.wave_at`).
        """
        from ._structure import wave_at
        return wave_at(self, x)


def _conditions(Hrms0: Any, Tp: Any, theta0: Any, tide: Any, wind_stress: Any
                ) -> tuple[dict[str, Any], tuple[int, ...], Optional[pd.Index], list[np.ndarray]]:
    """The conditions by name, broadcast: their shape, their pandas index and flat copies.

    Copies: a result keeps the conditions, which the caller may change later.
    """
    conditions = {"Hrms0": Hrms0, "Tp": Tp, "theta0": theta0, "tide": tide,
                  "wind_stress": 0.0 if wind_stress is None else wind_stress}
    arrays = np.broadcast_arrays(*(_args.real_array(name, value)
                                   for name, value in conditions.items()))
    shape = arrays[0].shape
    index = _elementwise.pandas_index(conditions, shape)
    flat = [np.array(a, dtype=np.float64, order="C").reshape(-1) for a in arrays]
    return conditions, shape, index, flat


def _neighbours(x: np.ndarray, at: np.ndarray) -> tuple[np.ndarray, np.ndarray]:
    """For each position the profile interval it lies in and its place within it (0 to 1)."""
    left = np.clip(np.searchsorted(x, at, side="right") - 1, 0, len(x) - 2)
    weight = (at - x[left]) / (x[left + 1] - x[left])
    return left, weight


def _between(values: np.ndarray, left: np.ndarray, weight: np.ndarray) -> np.ndarray:
    """Values along the last axis at the positions :func:`_neighbours` placed."""
    a = values[..., left].astype(np.float64)
    b = values[..., left + 1].astype(np.float64)
    # At a profile point its own value, whatever its neighbour holds (NaN shoreward).
    return np.where(weight == 0, a, np.where(weight == 1, b, a + (b - a) * weight))


def _profile(x: Any, z: Any) -> tuple[np.ndarray, np.ndarray]:
    arrays = []
    for name, value in (("x", x), ("z", z)):
        array = _args.real_array(name, value)
        if array.ndim != 1:
            raise ValueError(f"{name} must be a 1-d array of profile points, not of shape "
                             f"{array.shape}")
        arrays.append(np.array(array, dtype=np.float64, order="C"))
    return arrays[0], arrays[1]


def _positive(name: str, value: Any, lang: Optional[str], *, zero: bool = False) -> float:
    number = _args.real_number(name, value)
    if not (math.isfinite(number) and (number >= 0 if zero else number > 0)):
        raise CalcError(Error.INVALID_TRANSFORM_OPTION, name, lang=lang)
    return number


def _flag(name: str, value: Any) -> bool:
    if not isinstance(value, (bool, np.bool_)):
        raise TypeError(f"{name} must be True or False, not {type(value).__name__}")
    return bool(value)


def model_options(
    dissipation: Any = "bj78",
    gamma: Any = "ruessink2003",
    roller: Any = True,
    setup: Any = True,
    alpha: Any = 1.0,
    B: Any = 1.0,
    friction: Any = None,
    roller_beta: Any = 0.1,
    roughness: Any = 0.0125,
    dry_depth: Any = 0.05,
    max_step: Any = 5.0,
    mixing: Any = None,
    mixing_M: Any = 1.0,
    lang: Optional[str] = None,
) -> dict[str, Any]:
    """The model's keyword options of :func:`transform`, checked, by their names.

    Raises
    ------
    TypeError
        A name that is not a str, a flag that is not a bool, a number that
        is not a real number.
    ValueError
        An unknown name; :class:`CalcError` (``INVALID_TRANSFORM_OPTION``,
        ``argument`` the keyword) for a number outside its domain.
    """
    if not isinstance(dissipation, str):
        raise TypeError(f"dissipation must be a name (str), not {type(dissipation).__name__}")
    if dissipation not in DISSIPATIONS:
        raise ValueError(f"unknown dissipation {dissipation!r}; one of {', '.join(DISSIPATIONS)}")
    if isinstance(gamma, str):
        if gamma not in GAMMA_RULES:
            raise ValueError(f"unknown gamma {gamma!r}; one of {', '.join(GAMMA_RULES)} "
                             "or a number (a constant gamma)")
        gamma_rule, gamma_constant = gamma, 0.73
    else:
        gamma_rule, gamma_constant = "constant", _positive("gamma", gamma, lang)
    if isinstance(roughness, str):
        if roughness not in ROUGHNESSES:
            raise ValueError(f"unknown roughness {roughness!r}; one of "
                             f"{', '.join(ROUGHNESSES)} or a number (m)")
        roughness = ROUGHNESSES[roughness]
    if mixing is None or mixing == "none":
        mixing_rule, mixing_coefficient = "none", 1.0
    elif isinstance(mixing, str):
        if mixing != "battjes1975":
            raise ValueError(f"unknown mixing {mixing!r}; None, 'battjes1975' or a number "
                             "(a constant eddy viscosity, m**2/s)")
        mixing_rule, mixing_coefficient = "battjes1975", _positive("mixing_M", mixing_M, lang,
                                                                   zero=True)
    else:
        mixing_rule, mixing_coefficient = "constant", _positive("mixing", mixing, lang, zero=True)
    return {
        "dissipation": dissipation,
        "gamma": gamma_rule,
        "gamma_constant": gamma_constant,
        "alpha": _positive("alpha", alpha, lang),
        "B": _positive("B", B, lang),
        "roller": _flag("roller", roller),
        "roller_beta": _positive("roller_beta", roller_beta, lang),
        "setup": _flag("setup", setup),
        "friction": friction is not None,
        "friction_factor": 0.01 if friction is None else _positive("friction", friction,
                                                                   lang, zero=True),
        "roughness": _positive("roughness", roughness, lang),
        "dry_depth": _positive("dry_depth", dry_depth, lang),
        "max_step": _positive("max_step", max_step, lang),
        "mixing": mixing_rule,
        "mixing_coefficient": mixing_coefficient,
    }


def transform(
    x: npt.ArrayLike,
    z: npt.ArrayLike,
    Hrms0: npt.ArrayLike,
    Tp: npt.ArrayLike,
    theta0: npt.ArrayLike,
    tide: npt.ArrayLike = 0.0,
    *,
    dissipation: str = "bj78",
    gamma: Union[str, float] = "ruessink2003",
    roller: bool = True,
    setup: bool = True,
    wind_stress: Optional[npt.ArrayLike] = None,
    alpha: float = 1.0,
    B: float = 1.0,
    friction: Optional[float] = None,
    roller_beta: float = 0.1,
    roughness: Union[str, float] = 0.0125,
    dry_depth: float = 0.05,
    max_step: float = 5.0,
    mixing: Union[None, str, float] = None,
    mixing_M: float = 1.0,
    workers: Optional[int] = None,
    lang: Optional[str] = None,
) -> TransformResult:
    """Random waves across a measured profile by the wave energy balance.

    The random sea given at the profile's first point is carried shoreward
    to the wet/dry edge by the balance of wave energy flux with breaking
    dissipation, the surface roller, the wave setup from the cross-shore
    momentum balance and the longshore current from the alongshore one,
    on a profile whose depth contours are straight and parallel alongshore.
    Linear dispersion at the peak period; rho = 1025 kg/m**3, g = 9.81 m/s**2.

    Parameters
    ----------
    x, z : array_like, 1-d
        The profile: cross-shore position (m), strictly increasing onshore,
        the offshore boundary at ``x[0]``; bed elevation (m, negative below
        the still-water datum), as many as ``x``, at least two, all finite.
        The depth is linear between points.
    Hrms0 : array_like
        Root-mean-square wave height at the boundary (m), > 0
        (Hm0 / sqrt(2)).
    Tp : array_like
        Peak period (s), > 0.
    theta0 : array_like
        Direction at the boundary (degrees from the shore normal),
        -90 < theta0 < 90; positive drives a positive longshore current V.
    tide : array_like
        Still-water level above the datum (m): h = tide - z.
    dissipation : {"bj78", "tg83", "baldock98", "jb07", "none"}
        The breaking dissipation (:data:`DISSIPATIONS`).
    gamma : {"ruessink2003", "battjes-stive1985", "constant"} or float
        The breaker parameter: Ruessink et al.'s local gamma = 0.29 +
        0.76*kd, Battjes & Stive's gamma = 0.5 + 0.4*tanh(33*s0) from the
        deep-water steepness, or a number > 0 as a constant gamma
        ("constant": 0.73).
    roller : bool
        The surface roller (Nairn et al. 1990; Reniers & Battjes 1997),
        front slope ``roller_beta`` (0.1).
    setup : bool
        The mean water level from the cross-shore momentum balance (False:
        eta = 0).
    wind_stress : array_like, optional
        Alongshore wind stress on the surface (N/m**2), within +-20:
        positive in the direction the waves travel alongshore (the sign of
        ``theta0``, and of V); 0 when None.  A stress given in another
        frame's axes (a field site's, say) may need its sign turned.
    alpha, B : float
        The coefficients of bj78 and baldock98 (alpha), tg83 and jb07 (B), > 0.
    friction : float, optional
        Bottom friction of the waves (Thornton & Guza 1983) with this wave
        friction factor c_f >= 0 (0.01 is usual); off when None.
    roller_beta, dry_depth, max_step : float
        Roller front slope (0.1); the mean depth below which the bed is
        dry (m, 0.05); the largest integration step (m, 5).  Each > 0.
    roughness : float or {"duck", "egmond"}
        Apparent bed roughness k_a of the current's friction (m, > 0):
        Ruessink et al. (2001) fitted 0.0125 m at Duck ("duck", the
        default) and 0.022 m at Egmond ("egmond").
    mixing : None, "battjes1975" or float
        Lateral mixing of the longshore current: none (the local balance),
        Battjes's (1975) eddy viscosity nu = M*d*(D/rho)**(1/3) with
        ``mixing_M`` (1), or a constant eddy viscosity nu (m**2/s, >= 0).
    workers : int, optional
        Threads sharing the conditions; all cores by default.  The results
        do not depend on it.
    lang : {"ja", "en"}, optional
        The language of the messages of :class:`CalcError`; by default
        ``SAIHA_LANG``, else Japanese.

    The condition arguments ``Hrms0, Tp, theta0, tide, wind_stress``
    broadcast together as NumPy arrays do, to the conditions' shape S (0-d
    for scalars); every condition is computed on the one profile.

    Returns
    -------
    TransformResult
        The quantities at every profile point (shape S + (len(x),)), the
        summary of each condition (shape S), ``error``, ``warning`` and
        ``ok``; :meth:`~TransformResult.summary` gives a DataFrame,
        :meth:`~TransformResult.to_xarray` a Dataset.

    Raises
    ------
    CalcError
        (a ``ValueError``) for a profile every condition would fail on:
        ``PROFILE_LENGTH_MISMATCH``, ``PROFILE_TOO_SHORT``,
        ``PROFILE_NOT_FINITE``, ``PROFILE_NOT_INCREASING``,
        ``PROFILE_OUT_OF_RANGE`` (a bed beyond 11,000 m of the datum, a
        span above 1,000 km, x beyond 10,000 km), ``TRANSFORM_STEP_LIMIT``
        (the profile at ``max_step`` implies more than 2 million steps); and
        ``INVALID_TRANSFORM_OPTION`` for a model number outside its domain,
        ``argument`` naming it.  The message is the calculation window's.
    KeyboardInterrupt
        A Ctrl+C during the call: it is seen between blocks of conditions,
        within about a second.
    ValueError
        x or z not 1-d, an unknown dissipation or gamma name, conditions
        that do not broadcast, pandas Series of different indexes.
    TypeError
        Arguments that are not real numbers (as for :func:`calc`), flags
        that are not bools.

    A condition that cannot be computed never raises: it gets its code
    (``INVALID_HEIGHT``, ``INVALID_PERIOD``, ``INVALID_ANGLE``,
    ``INVALID_TIDE`` for a tide or wind stress not finite,
    ``PERIOD_OUT_OF_RANGE`` (Tp above 60 s), ``TIDE_OUT_OF_RANGE`` (beyond
    30 m), ``WIND_STRESS_OUT_OF_RANGE`` (beyond 20 N/m**2),
    ``BOUNDARY_TOO_SHALLOW`` for a dry boundary or a wave already at its
    breaking height there, ``TOO_FEW_WET_POINTS``,
    ``MICHE_LIMIT_AT_BOUNDARY``, ``TRANSFORM_NOT_SETTLED``) and NaN, and the
    other conditions compute.

    Notes
    -----
    - Dissipation: Battjes & Janssen (1978), "Energy loss and set-up due to
      breaking of random waves", Proc. 16th ICCE (bj78); Thornton & Guza
      (1983), "Transformation of wave height distribution", JGR 88(C10)
      (tg83, weighted form; also the bottom friction); Baldock, Holmes,
      Bunker & van Weert (1998), "Cross-shore hydrodynamics within an
      unsaturated surf zone", Coastal Eng. 34 (baldock98); Janssen &
      Battjes (2007), "A note on wave energy dissipation over steep
      beaches", Coastal Eng. 54 (jb07).
    - Breaker parameter: Battjes & Stive (1985), "Calibration and
      verification of a dissipation model for random breaking waves", JGR
      90(C5); Ruessink, Walstra & Southgate (2003), "Calibration and
      verification of a parametric wave model on barred beaches", Coastal
      Eng. 48.  ``GAMMA_FIT_RANGE`` flags their use outside the data they
      were fitted on.
    - Wave heights: Battjes & Groenendijk (2000), "Wave height
      distributions on shallow foreshores", Coastal Eng. 40.
    - Runup: Stockdon, Holman, Howd & Sallenger (2006), "Empirical
      parameterization of setup, swash, and runup", Coastal Eng. 53, at the
      mean shoreline with the foreshore slope found on the profile.
    - The model, its numerics and its check against DUCK94: docs/transform.md.
    """
    threads = _args.workers(workers)
    lang = _args.language(lang)
    options = model_options(dissipation, gamma, roller, setup, alpha, B, friction,
                            roller_beta, roughness, dry_depth, max_step, mixing, mixing_M, lang)
    xs, zs = _profile(x, z)
    conditions, shape, index, flat = _conditions(Hrms0, Tp, theta0, tide, wind_stress)
    code, columns = _saiha.transform(xs, zs, *flat, workers=threads, **options)
    if code:
        raise CalcError(code, lang=lang)
    fields: dict[str, Any] = {"x": xs.copy(), "z": zs.copy()}
    fields.update({name: a.reshape(shape) for name, a in zip(conditions, flat)})
    for name in TRANSFORM_POINT_NAMES:
        fields[name] = columns[name].reshape(shape + (len(xs),))
    for name in (*TRANSFORM_SUMMARY_NAMES, "last_wet", "error", "warning"):
        fields[name] = columns[name].reshape(shape)
    fields["point_warning"] = columns["point_warning"].reshape(shape + (len(xs),))
    fields["ok"] = np.asarray(fields["error"] == 0)
    public = dict(options)
    if public["gamma"] != "constant":
        del public["gamma_constant"]
    if not public["friction"]:
        del public["friction_factor"]
    if public["mixing"] == "none":
        del public["mixing_coefficient"]
    return TransformResult(**fields, options=public, index=index)


#: The forms of :func:`transform_frame`'s result.
OUTPUTS: tuple[str, ...] = ("summary", "long")
#: The long form's name of a conditions' column ``Hm0`` (the boundary's),
#: which the local ``Hm0`` would otherwise shadow.
BOUNDARY_HM0 = "Hm0_boundary"


def _profile_of(profile: Any) -> tuple[Any, Any]:
    """The x and z of a profile given as a DataFrame, a mapping or a pair."""
    if isinstance(profile, pd.DataFrame) or isinstance(profile, dict):
        missing = [name for name in ("x", "z") if name not in profile]
        if missing:
            raise ValueError(f"the profile has no column {missing[0]!r}; it needs x and z")
        return profile["x"], profile["z"]
    if isinstance(profile, (tuple, list)) and len(profile) == 2:
        return profile[0], profile[1]
    raise TypeError("the profile is a DataFrame or a dict with x and z, or a pair (x, z), not "
                    f"{type(profile).__name__}")


def transform_frame(
    conditions: pd.DataFrame,
    profile: Any,
    *,
    output: str = "summary",
    at: Optional[npt.ArrayLike] = None,
    workers: Optional[int] = None,
    lang: Optional[str] = None,
    **model: Any,
) -> pd.DataFrame:
    """:func:`transform` of a table of conditions on one profile, as a table.

    Parameters
    ----------
    conditions : pandas.DataFrame
        One row per condition: ``Hrms0`` (m) or ``Hm0`` (m, taken as
        sqrt(2)*Hrms0), ``Tp`` (s), ``theta0`` (degrees) and optionally
        ``tide`` (m, 0 when absent) and ``wind_stress`` (N/m**2, 0 when
        absent), numeric.  Any other column (``time``, ``record``...) is
        passed through in its place.
    profile : pandas.DataFrame, dict or (x, z)
        The profile: columns or keys ``x`` and ``z``, or a pair of arrays.
    output : {"summary", "long"}
        ``"summary"``: one row per condition, the columns of ``conditions``
        followed by ``x_breaking, h_breaking, eta_max, x_shoreline,
        runup_H0, foreshore_slope, R2`` (float32), ``error`` (uint8 codes)
        and ``warning`` (uint32), on the index of ``conditions``.
        ``"long"``: one row per condition and position, the columns of
        ``conditions``, ``x``, ``z`` (float64), ``h, eta, Hrms, Hm0, H13,
        H110, H2, Qb, theta, V`` (float32), ``error`` and ``warning``; the
        index of ``conditions`` repeated for each position.  A column
        ``Hm0`` of ``conditions`` is named ``Hm0_boundary`` there, the
        local ``Hm0`` being a result.
    at : array_like, optional
        The positions (m) of the long form, interpolated as by
        :meth:`TransformResult.interp` (sensors, say); every profile point
        by default.  Only with ``output="long"``.
    workers : int, optional
        Threads sharing the rows; all cores by default.
    lang : {"ja", "en"}, optional
        The language of :class:`CalcError`'s message.
    **model
        The model's keywords of :func:`transform` (``dissipation``,
        ``gamma``, ``roller``, ``setup``, ``alpha``, ``B``, ``friction``,
        ``roller_beta``, ``roughness``, ``dry_depth``, ``max_step``,
        ``mixing``, ``mixing_M``).

    Raises
    ------
    ValueError
        Neither or both of ``Hrms0`` and ``Hm0``, a missing ``Tp`` or
        ``theta0``, a column named as a result, duplicate column names, an
        unknown ``output``, ``at`` with the summary; the profile and model
        faults of :func:`transform`.
    TypeError
        ``conditions`` not a DataFrame, non-numeric input columns.
    """
    if not isinstance(conditions, pd.DataFrame):
        raise TypeError(f"conditions must be a pandas DataFrame, not {type(conditions).__name__}")
    if output not in OUTPUTS:
        raise ValueError(f"unknown output {output!r}; one of {', '.join(OUTPUTS)}")
    if at is not None and output != "long":
        raise ValueError("at= gives positions of the long form: use output='long'")
    if conditions.columns.duplicated().any():
        name = conditions.columns[conditions.columns.duplicated()][0]
        raise ValueError(f"the conditions have the column {name!r} twice")
    heights = [name for name in ("Hrms0", "Hm0") if name in conditions.columns]
    if len(heights) != 1:
        raise ValueError("the conditions need one height column, Hrms0 or Hm0"
                         + (", not both" if heights else ""))
    for name in ("Tp", "theta0"):
        if name not in conditions.columns:
            raise ValueError(f"the conditions have no column {name!r}")
    added = ((*TRANSFORM_SUMMARY_NAMES, "error", "warning") if output == "summary"
             else ("x", "z", *TRANSFORM_POINT_NAMES, "error", "warning"))
    # The boundary's Hm0 of the long form is the local Hm0's namesake: renamed.
    renamed = ({"Hm0": BOUNDARY_HM0} if output == "long" and heights[0] == "Hm0" else {})
    clash = [name for name in added if name in conditions.columns and name not in renamed]
    if renamed and BOUNDARY_HM0 in conditions.columns:
        clash.append(BOUNDARY_HM0)
    if clash:
        raise ValueError(f"the conditions' column {clash[0]!r} is the name of a result; "
                         "rename it first")
    height = _args.real_array(heights[0], conditions[heights[0]])
    if heights[0] == "Hm0":
        height = height / math.sqrt(2)
    given = {name: conditions[name] for name in ("tide", "wind_stress")
             if name in conditions.columns}
    x, z = _profile_of(profile)
    r = transform(x, z, height, _args.real_array("Tp", conditions["Tp"]),
                  _args.real_array("theta0", conditions["theta0"]),
                  _args.real_array("tide", given["tide"]) if "tide" in given else 0.0,
                  wind_stress=(_args.real_array("wind_stress", given["wind_stress"])
                               if "wind_stress" in given else None),
                  workers=workers, lang=lang, **model)
    # Scalars in every column broadcast to 0-d: one row per condition always.
    count = len(conditions)
    if output == "summary":
        frame = conditions.copy()
        for name in (*TRANSFORM_SUMMARY_NAMES, "error", "warning"):
            frame[name] = np.broadcast_to(getattr(r, name), (count,))
        return frame
    if at is not None:
        r = r.interp(at)
    points = len(r.x)
    frame = conditions.iloc[np.repeat(np.arange(count), points)].rename(columns=renamed)
    frame["x"] = np.tile(r.x, count)
    frame["z"] = np.tile(r.z, count)
    for name in TRANSFORM_POINT_NAMES:
        frame[name] = np.broadcast_to(getattr(r, name), (count, points)).reshape(-1)
    frame["error"] = np.repeat(np.broadcast_to(r.error, (count,)), points)
    # Each row's bits: the condition's, those that concern a point its own.
    point_bits = np.uint32(WarningFlag.HRMS_ABOVE_MEAN_DEPTH
                           | WarningFlag.CURRENT_ABOVE_FITTED_RANGE)
    condition = np.repeat(np.broadcast_to(r.warning, (count,)), points)
    own = np.broadcast_to(r.point_warning, (count, points)).reshape(-1)
    frame["warning"] = ((condition & ~point_bits) | (own & point_bits)).astype(np.uint32)
    return frame
