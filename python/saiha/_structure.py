"""At the structure: Goda's caisson, EurOtop's runup and overtopping, rock armour, the chain.

Every function here broadcasts its arguments like :func:`saiha.calc` and
computes each element with the engine's own formulas (the same numbers as
``saiha-calc caisson``, ``overtopping`` and ``armour``): float32 results,
NaN where not reached, an :class:`Error` code per element and
:class:`WarningFlag` bits for a formula used outside its data.  Units are
SI: m, s, degrees, Pa, N per metre of structure, N·m per metre about the
heel, kg, and q in m³/s per metre of crest; g = 9.81 m/s².
"""

from __future__ import annotations

import math
from dataclasses import dataclass
from typing import Any, Callable, Optional, Sequence

import numpy as np
import numpy.typing as npt
import pandas as pd

from . import _args, _elementwise, _saiha
from ._elementwise import Columns, index_field
from ._errors import CalcError, Error
from ._transform import TransformResult, _conditions, _profile, model_options

__all__ = [
    "STRUCTURES", "APPROACHES", "REGIMES", "ARMOUR_METHODS", "ARMOUR_BREAKERS",
    "NEGLIGIBLE_DISCHARGE", "DEFAULT_LIMITS",
    "Caisson", "caisson", "DesignWave", "design_wave", "Overtopping", "overtopping",
    "Runup", "runup", "Armour", "armour", "ToeWave", "wave_at", "Chain", "overtopping_chain",
    "caisson_frame", "overtopping_frame", "armour_frame",
]

#: The structure kinds of :func:`overtopping`: a slope, a plain vertical wall, a composite wall.
STRUCTURES: tuple[str, ...] = tuple(_saiha.STRUCTURES)
#: EurOtop's two sets of coefficients: the mean value approach and the design approach.
APPROACHES: tuple[str, ...] = tuple(_saiha.APPROACHES)
#: How the waves meet the structure, as :attr:`Overtopping.regime` names it.
REGIMES: tuple[str, ...] = tuple(_saiha.REGIMES)
#: The rock armour formulas of :func:`armour`.
ARMOUR_METHODS: tuple[str, ...] = tuple(_saiha.ARMOUR_METHODS)
#: Van der Meer's breaker types ("" for Hudson).
ARMOUR_BREAKERS: tuple[str, ...] = tuple(_saiha.ARMOUR_BREAKERS)
#: The mean discharge below which the formulas carry no information (m³/s per m).
NEGLIGIBLE_DISCHARGE: float = float(_saiha.NEGLIGIBLE_DISCHARGE)
#: The discharge limits the chain's summary counts by default: 1, 10 and 50 l/s per m.
DEFAULT_LIMITS: tuple[float, ...] = (0.001, 0.01, 0.05)

_REGIME_NAMES = np.array((*REGIMES, ""), dtype=object)
_BREAKER_NAMES = np.array(ARMOUR_BREAKERS, dtype=object)


def _named(text: Any, names: tuple[str, ...], what: str) -> str:
    if not isinstance(text, str):
        raise TypeError(f"{what} must be a name (str), not {type(text).__name__}")
    if text not in names:
        raise ValueError(f"unknown {what} {text!r}; one of {', '.join(names)}")
    return text


def _flag(name: str, value: Any) -> bool:
    if not isinstance(value, (bool, np.bool_)):
        raise TypeError(f"{name} must be True or False, not {type(value).__name__}")
    return bool(value)


def _listing(compiled: Callable[..., dict[str, np.ndarray]], count: int) -> Callable[..., Any]:
    """``compiled`` taking its ``count`` columns as one list, then its settings."""
    def call(*args: Any) -> dict[str, np.ndarray]:
        return compiled(list(args[:count]), *args[count:])
    return call


def _names(column: str, table: np.ndarray) -> Callable[[dict[str, np.ndarray]], dict[str, np.ndarray]]:
    """A convert that turns the uint8 codes under ``column`` into their names."""
    def convert(columns: dict[str, np.ndarray]) -> dict[str, np.ndarray]:
        codes = np.minimum(np.asarray(columns[column]), len(table) - 1)
        columns[column] = np.asarray(table[codes], dtype=object)
        return columns
    return convert


def _run(result_type: type, compiled: Callable[..., Any], arguments: dict[str, Any],
         optional: tuple[str, ...], settings: tuple[Any, ...], workers: Optional[int],
         convert: Optional[Callable[[dict[str, np.ndarray]], dict[str, np.ndarray]]] = None) -> Any:
    threads = _args.workers(workers)
    return _elementwise.run(result_type, _listing(compiled, len(arguments)), arguments, optional,
                            *settings, threads, workers=threads, convert=convert)


# ------------------------------------------------------------------ caisson

@dataclass(frozen=True)
class Caisson(Columns):
    """The results of :func:`caisson`, arrays of the broadcast shape of its arguments.

    Attributes
    ----------
    p1, p2, p3, p4 : numpy.ndarray of float32
        Goda's pressures (Pa): at the still-water level, at the seabed, at
        the caisson's base and at its crest (0 where η* <= hc).
    pu : numpy.ndarray of float32
        The uplift pressure at the seaward edge of the base (Pa).
    eta_star : numpy.ndarray of float32
        η*, the height above the still water where the pressure vanishes (m).
    hb : numpy.ndarray of float32
        h + 5·H1/3/n (m), the depth of α2.
    L : numpy.ndarray of float32
        The linear wavelength at h for T (m).
    alpha1, alpha2, alpha3, alphaI : numpy.ndarray of float32
        Goda's coefficients and Takahashi's impulsive coefficient (computed
        even with ``impulsive=False``; p1 then takes α2 alone).
    P, U : numpy.ndarray of float32
        The horizontal force and the uplift (N per metre of wall).
    Mp, Mu : numpy.ndarray of float32
        Their moments about the heel (N·m per metre).
    W : numpy.ndarray of float32
        The caisson's weight in still water (N/m), given or from its density.
    SF_sliding, SF_overturning : numpy.ndarray of float32
        μ(W − U)/P and (W·B/2 − Mu)/Mp.
    heel_pressure : numpy.ndarray of float32
        The bearing pressure at the heel (Pa); NaN where the caisson lifts
        off or the resultant leaves the base.
    error, warning, ok, index
        As for :class:`RandomWaves`; ``warning`` holds ``HEIGHT_ABOVE_DEPTH``,
        ``SLIDING_BELOW_REQUIRED`` and ``OVERTURNING_BELOW_REQUIRED``.
    """

    _UNITS_MODE = "caisson"  # P: the horizontal force per metre (N m-1)

    p1: np.ndarray
    p2: np.ndarray
    p3: np.ndarray
    p4: np.ndarray
    pu: np.ndarray
    eta_star: np.ndarray
    hb: np.ndarray
    L: np.ndarray
    alpha1: np.ndarray
    alpha2: np.ndarray
    alpha3: np.ndarray
    alphaI: np.ndarray
    P: np.ndarray
    U: np.ndarray
    Mp: np.ndarray
    Mu: np.ndarray
    W: np.ndarray
    SF_sliding: np.ndarray
    SF_overturning: np.ndarray
    heel_pressure: np.ndarray
    error: np.ndarray
    warning: np.ndarray
    ok: np.ndarray
    index: Optional[pd.Index] = index_field()


#: The inputs of :func:`caisson` by their names (those of ``saiha-calc caisson``).
CAISSON_INPUTS: tuple[str, ...] = tuple(_saiha.CAISSON_INPUTS)
#: The keywords of :func:`caisson` that broadcast like its inputs, and their defaults.
CAISSON_SETTINGS: dict[str, Optional[float]] = {
    "n": None, "beta": 0.0, "berm": 0.0, "lambda1": 1.0, "lambda2": 1.0, "lambda3": 1.0,
    "rho": 1030.0, "density": 2100.0, "weight": None, "mu": 0.6}
assert tuple(CAISSON_SETTINGS) == tuple(_saiha.CAISSON_SETTINGS)


def caisson(
    Hmax: npt.ArrayLike,
    H13: npt.ArrayLike,
    T: npt.ArrayLike,
    h: npt.ArrayLike,
    h_prime: npt.ArrayLike,
    d: npt.ArrayLike,
    hc: npt.ArrayLike,
    B: npt.ArrayLike,
    *,
    n: npt.ArrayLike,
    beta: npt.ArrayLike = 0.0,
    berm: npt.ArrayLike = 0.0,
    impulsive: bool = True,
    lambda1: npt.ArrayLike = 1.0,
    lambda2: npt.ArrayLike = 1.0,
    lambda3: npt.ArrayLike = 1.0,
    rho: npt.ArrayLike = 1030.0,
    density: npt.ArrayLike = 2100.0,
    weight: Optional[npt.ArrayLike] = None,
    mu: npt.ArrayLike = 0.6,
    required_safety: float = 1.2,
    workers: Optional[int] = None,
) -> Caisson:
    """Goda's wave pressures on an upright breakwater and the caisson's stability.

    With β′ = max(|β| − 15°, 0), L the linear wavelength at h for T and
    H = Hmax (Goda 2000, §4.2): η* = 0.75(1 + cos β′)λ1·H;
    p1 = ½(1 + cos β′)(λ1·α1 + λ2·α2*·cos² β′)ρgH; p2 = p1/cosh(2πh/L);
    p3 = α3·p1; p4 = p1(1 − hc/η*) where η* > hc; pu = ½(1 + cos β′)λ3·α1·α3·ρgH;
    α1 = 0.6 + ½[(4πh/L)/sinh(4πh/L)]², α2 = min{(hb − d)/(3hb)·(H/d)², 2d/H}
    with hb = h + 5·H1/3/n, α3 = 1 − (h′/h)[1 − 1/cosh(2πh/L)], and
    α2* = max(α2, αI) with Takahashi's impulsive coefficient αI.  The forces
    and moments per metre of wall, the safety factors against sliding and
    overturning and the heel pressure follow (docs/structure.md).  Every
    argument but ``impulsive``, ``required_safety`` and ``workers``
    broadcasts.

    Parameters
    ----------
    Hmax : array_like
        The design wave height (m), > 0: Goda's highest wave
        (:func:`design_wave` gives it from the offshore sea).
    H13 : array_like
        The significant height (m), 0 < H13 <= Hmax, for hb.
    T : array_like
        The design period T1/3 (s), > 0.
    h : array_like
        The depth at the site, in front of the mound (m), > 0.
    h_prime : array_like
        The depth of the caisson's base below the still water (m), h′ <= h.
    d : array_like
        The depth over the mound's armour (m), 0 < d <= h′; d = h′ = h for
        a caisson on the seabed.
    hc : array_like
        The crest height above the still water (m), >= 0.
    B : array_like
        The caisson's width (m), > 0.
    n : array_like
        The seabed slope 1/n in front of the site, given as n > 0.
    beta : array_like
        The waves' angle from the wall's normal (degrees), |β| < 90.
    berm : array_like
        The berm width BM in front of the caisson (m), >= 0, for αI.
    impulsive : bool
        Takahashi's αI (the default); False gives Goda's original formulas.
    lambda1, lambda2, lambda3 : array_like
        Goda's modification factors, >= 0 (1 for a plain upright wall).
    rho : array_like
        The density of sea water (kg/m³).
    density : array_like
        The caisson's mean density (kg/m³), used where ``weight`` is None.
    weight : array_like, optional
        The caisson's weight in still water per metre of wall (N/m).
    mu : array_like
        The friction coefficient between caisson and mound.
    required_safety : float
        The safety factor the design requires (1.2): a lower one sets
        ``SLIDING_BELOW_REQUIRED`` or ``OVERTURNING_BELOW_REQUIRED``.
    workers : int, optional
        Threads sharing the elements; all cores by default.

    Returns
    -------
    Caisson
        The pressures, forces, moments and stability (float32, NaN where
        not reached), ``error``, ``warning``, ``ok`` and ``index``.

    Raises
    ------
    TypeError
        An argument that does not hold real numbers, naming it.
    ValueError
        Shapes that do not broadcast, or ``workers`` out of range.

    Notes
    -----
    An element never raises: ``INVALID_DESIGN_HEIGHT``, ``HEIGHT_ORDER``
    (H13 > Hmax), ``INVALID_DESIGN_PERIOD``, ``INVALID_STRUCTURE_DEPTH``,
    ``DEPTH_ORDER`` (not d <= h′ <= h), ``INVALID_CREST_HEIGHT``,
    ``INVALID_STRUCTURE_WIDTH``, ``INVALID_SLOPE``, ``INVALID_ATTACK_ANGLE``,
    ``INVALID_PRESSURE_FACTOR``, ``INVALID_WATER_DENSITY``,
    ``INVALID_CAISSON_WEIGHT``, ``INVALID_FRICTION``,
    ``HEIGHT_ABOVE_DEPTH_LIMIT`` (Hmax > 2h) come as codes.

    References
    ----------
    Goda, Y. (1974). New wave pressure formulae for composite breakwaters.
    Proc. 14th ICCE, ASCE.
    Goda, Y. (2000). Random Seas and Design of Maritime Structures, 2nd ed.,
    §4.2. World Scientific.
    Takahashi, S., Tanimoto, K. and Shimosako, K. (1994). A proposal of
    impulsive pressure coefficient for the design of composite breakwaters.
    Proc. Int. Conf. Hydro-Technical Eng. for Port and Harbor Construction.
    """
    safety = _args.real_number("required_safety", required_safety)
    arguments = {"Hmax": Hmax, "H13": H13, "T": T, "h": h, "h_prime": h_prime, "d": d,
                 "hc": hc, "B": B, "n": n, "beta": beta, "berm": berm, "lambda1": lambda1,
                 "lambda2": lambda2, "lambda3": lambda3, "rho": rho, "density": density,
                 "weight": weight, "mu": mu}
    return _run(Caisson, _saiha.caisson, arguments, ("weight",),
                (_flag("impulsive", impulsive), safety), workers)


@dataclass(frozen=True)
class DesignWave(Columns):
    """The results of :func:`design_wave`.

    Attributes
    ----------
    H13_h, Hmax_h : numpy.ndarray of float32
        Goda's H1/3 and Hmax at the site (m).
    hb : numpy.ndarray of float32
        h + 5·H13_h/n (m).
    H13_hb, Hmax_hb : numpy.ndarray of float32
        Goda's H1/3 and Hmax at hb (m).
    Hmax, H13, T : numpy.ndarray of float32
        The design wave :func:`caisson` takes: Hmax at h seaward of the surf
        zone, the larger of the two within it; H1/3 at the site; T1/3.
    at_hb : numpy.ndarray of bool
        Whether Hmax is the one at hb (the site within the surf zone).
    error, warning, ok, index
        As for :class:`RandomWaves`.
    """

    H13_h: np.ndarray
    Hmax_h: np.ndarray
    hb: np.ndarray
    H13_hb: np.ndarray
    Hmax_hb: np.ndarray
    Hmax: np.ndarray
    H13: np.ndarray
    T: np.ndarray
    at_hb: np.ndarray
    error: np.ndarray
    warning: np.ndarray
    ok: np.ndarray
    index: Optional[pd.Index] = index_field()


def _at_hb(columns: dict[str, np.ndarray]) -> dict[str, np.ndarray]:
    columns["at_hb"] = np.asarray(columns["at_hb"] == 1)
    return columns


def design_wave(H0p: npt.ArrayLike, T13: npt.ArrayLike, n: npt.ArrayLike, h: npt.ArrayLike,
                *, workers: Optional[int] = None) -> DesignWave:
    """The design wave of an upright breakwater from the offshore sea, by Goda's random waves.

    Goda (2000, §4.2.1) designs with the highest wave Hmax: at the site
    outside the surf zone (where Goda's Hmax there is still the shoaled
    1.8·Ks·H0′), and within it the highest of the breaking waves at a
    distance 5·H1/3 seaward, where the depth is hb = h + 5·H1/3/n: Hmax at
    hb, or at h should that be the larger (:func:`random_waves` at both
    depths); H1/3 at the site and T1/3.

    Parameters
    ----------
    H0p : array_like
        The equivalent deep-water significant height H0′ (m), > 0.
    T13 : array_like
        The significant period T1/3 (s), > 0.
    n : array_like
        The seabed slope 1/n, given as n > 0.
    h : array_like
        The depth at the site (m), > 0.
    workers : int, optional
        Threads sharing the elements; all cores by default.

    Returns
    -------
    DesignWave
        ``Hmax``, ``H13``, ``T`` to give :func:`caisson`, the heights at h
        and at hb, ``at_hb``, ``error``, ``warning``, ``ok``, ``index``.

    References
    ----------
    Goda, Y. (2000). Random Seas and Design of Maritime Structures, 2nd ed.,
    §3.6 and §4.2.1. World Scientific.
    """
    arguments = {"H0p": H0p, "T13": T13, "n": n, "h": h}
    return _run(DesignWave, _saiha.design_wave, arguments, (), (), workers, _at_hb)


# ------------------------------------------------- runup and overtopping

@dataclass(frozen=True)
class Overtopping(Columns):
    """The results of :func:`overtopping`.

    Attributes
    ----------
    q : numpy.ndarray of float32
        The mean overtopping discharge (m³/s per m of crest); below
        :data:`NEGLIGIBLE_DISCHARGE` it is kept as computed and flagged
        ``NEGLIGIBLE_OVERTOPPING``.
    q_star : numpy.ndarray of float32
        q/√(g·Hm0³).
    xi : numpy.ndarray of float32
        The breaker parameter ξm−1,0 (slopes; NaN for walls).
    gamma_beta : numpy.ndarray of float32
        The obliquity factor γβ used.
    impulsiveness : numpy.ndarray of float32
        A wall's h²/(Hm0·Lm−1,0), or h·d/(Hm0·Lm−1,0) for a wall on a mound;
        NaN for slopes.
    Cr : numpy.ndarray of float32
        The crest reduction of a rubble mound (1 without one; slopes only).
    regime : numpy.ndarray of str
        :data:`REGIMES`: ``breaking``, ``non-breaking`` or ``very-shallow``
        on slopes; ``no-foreshore``, ``non-impulsive`` or ``impulsive`` at
        walls; "" where not computed.
    error, warning, ok, index
        As for :class:`RandomWaves`.
    """

    q: np.ndarray
    q_star: np.ndarray
    xi: np.ndarray
    gamma_beta: np.ndarray
    impulsiveness: np.ndarray
    Cr: np.ndarray
    regime: np.ndarray
    error: np.ndarray
    warning: np.ndarray
    ok: np.ndarray
    index: Optional[pd.Index] = index_field()


def overtopping(
    Hm0: npt.ArrayLike,
    Tm10: npt.ArrayLike,
    Rc: npt.ArrayLike,
    *,
    structure: str = "slope",
    cot_alpha: Optional[npt.ArrayLike] = None,
    gamma_f: npt.ArrayLike = 1.0,
    gamma_b: npt.ArrayLike = 1.0,
    gamma_v: npt.ArrayLike = 1.0,
    beta: npt.ArrayLike = 0.0,
    h: Optional[npt.ArrayLike] = None,
    d: Optional[npt.ArrayLike] = None,
    crest_width: npt.ArrayLike = 0.0,
    approach: str = "design",
    foreshore: bool = True,
    permeable_core: bool = False,
    workers: Optional[int] = None,
) -> Overtopping:
    """The mean wave overtopping discharge by the EurOtop manual (2018), element by element.

    Sloping structures: q/√(gHm0³) = (0.023/√tan α)·γb·ξ·exp[−(2.7·Rc/(ξ·Hm0·γb·γf·γβ·γv))^1.3],
    at most 0.09·exp[−(1.5·Rc/(Hm0·γf·γβ·γv))^1.3] (mean value approach;
    0.026, 2.5, 0.1035, 1.35 for the design approach), with ξ = ξm−1,0 and
    the very shallow foreshore's formula above ξ = 7.  Vertical walls: with
    no influential foreshore 0.047·exp[−(2.35·Rc/Hm0)^1.3]; with one,
    non-impulsive 0.05·exp(−2.78·Rc/Hm0) or impulsive by h²/(Hm0·Lm−1,0) <=
    0.23; a composite wall decides by h·d/(Hm0·Lm−1,0) <= 0.65 (by h² where
    its mound is too low to count, d/h > 0.6); the wall coefficients shown
    are the mean value approach's, ``approach`` applies to walls too.  Every argument
    but the names, flags and ``workers`` broadcasts.

    Parameters
    ----------
    Hm0 : array_like
        The spectral significant height at the toe (m), > 0.
    Tm10 : array_like
        The spectral period Tm−1,0 at the toe (s), > 0.
    Rc : array_like
        The crest freeboard above the water level (m), >= 0 (< 0:
        ``NEGATIVE_FREEBOARD``).
    structure : {"slope", "vertical", "composite"}
        The structure kind (:data:`STRUCTURES`).
    cot_alpha : array_like, optional
        The slope's cot α (needed for ``"slope"``).
    gamma_f, gamma_b, gamma_v : array_like
        Influence factors of roughness, a berm and a wall on the slope, in
        (0, 1]; γf <= 0.6 makes a rough slope (rock 0.4).
    beta : array_like
        The waves' angle from the structure's normal (degrees), |β| < 90.
    h : array_like, optional
        The depth at the toe (m): needed for walls (in front of the mound
        for a composite wall); for slopes only for the range check.
    d : array_like, optional
        The depth over a composite wall's mound (m), 0 < d <= h.
    crest_width : array_like
        A rubble mound's armoured crest width Gc (m), >= 0.
    approach : {"design", "mean"}
        The design or assessment approach (the default: the manual advises
        it for deterministic design), or the mean value approach.
    foreshore : bool
        Walls: whether a foreshore influences the waves (the regime then
        follows the impulsiveness); False for a wall in deep water.
    permeable_core : bool
        A rubble mound on a permeable core.
    workers : int, optional
        Threads sharing the elements; all cores by default.

    Returns
    -------
    Overtopping

    Raises
    ------
    ValueError
        An unknown ``structure`` or ``approach``, ``cot_alpha`` missing for
        a slope, ``h`` missing for a wall, ``d`` for a composite wall;
        shapes that do not broadcast.
    TypeError
        An argument that does not hold real numbers.

    References
    ----------
    Van der Meer, J.W., Allsop, N.W.H., Bruce, T., De Rouck, J.,
    Kortenhaus, A., Pullen, T., Schüttrumpf, H., Troch, P. and Zanuttigh, B.
    (2018). EurOtop: Manual on wave overtopping of sea defences and related
    structures, 2nd ed., with the 2019 errata. www.overtopping-manual.com.
    """
    kind = _named(structure, STRUCTURES, "structure")
    way = _named(approach, APPROACHES, "approach")
    if kind == "slope" and cot_alpha is None:
        raise ValueError("overtopping of a slope needs cot_alpha")
    if kind != "slope" and h is None:
        raise ValueError(f"overtopping of a {kind} wall needs h, the depth at its toe")
    if kind == "composite" and d is None:
        raise ValueError("overtopping of a composite wall needs d, the depth over its mound")
    arguments = {"Hm0": Hm0, "Tm10": Tm10, "Rc": Rc, "cot_alpha": cot_alpha,
                 "gamma_f": gamma_f, "gamma_b": gamma_b, "gamma_v": gamma_v, "beta": beta,
                 "h": h, "d": d, "crest_width": crest_width}
    return _run(Overtopping, _saiha.overtopping, arguments, ("cot_alpha", "h", "d"),
                (kind, way, _flag("foreshore", foreshore),
                 _flag("permeable_core", permeable_core)), workers,
                _names("regime", _REGIME_NAMES))


@dataclass(frozen=True)
class Runup(Columns):
    """The results of :func:`runup`.

    Attributes
    ----------
    Ru2 : numpy.ndarray of float32
        The runup height exceeded by 2 % of the waves, above the water level (m).
    xi : numpy.ndarray of float32
        ξm−1,0.
    gamma_beta : numpy.ndarray of float32
        γβ for runup.
    gamma_f_surging : numpy.ndarray of float32
        The roughness of the maximum, γf,surging.
    regime : numpy.ndarray of str
        ``breaking`` or ``non-breaking`` (the maximum governs); "" where not computed.
    error, warning, ok, index
        As for :class:`RandomWaves`.
    """

    Ru2: np.ndarray
    xi: np.ndarray
    gamma_beta: np.ndarray
    gamma_f_surging: np.ndarray
    regime: np.ndarray
    error: np.ndarray
    warning: np.ndarray
    ok: np.ndarray
    index: Optional[pd.Index] = index_field()


def runup(
    Hm0: npt.ArrayLike,
    Tm10: npt.ArrayLike,
    *,
    cot_alpha: npt.ArrayLike,
    gamma_f: npt.ArrayLike = 1.0,
    gamma_b: npt.ArrayLike = 1.0,
    beta: npt.ArrayLike = 0.0,
    h: Optional[npt.ArrayLike] = None,
    approach: str = "design",
    permeable_core: bool = False,
    workers: Optional[int] = None,
) -> Runup:
    """The 2 % runup on a slope by the EurOtop manual (2018), element by element.

    Ru2%/Hm0 = 1.65·γb·γf·γβ·ξm−1,0, at most 1.0·γf,surging·γβ·(4 − 1.5/√(γb·ξm−1,0))
    (mean value approach; 1.75 and 1.07 for the design approach), capped at
    1.97 on a permeable core.

    Parameters
    ----------
    Hm0, Tm10 : array_like
        The wave at the toe: Hm0 (m) and Tm−1,0 (s), > 0.
    cot_alpha : array_like
        The slope's cot α, > 0.
    gamma_f, gamma_b : array_like
        Roughness and berm factors in (0, 1].
    beta : array_like
        The angle from the normal (degrees), |β| < 90.
    h : array_like, optional
        The toe depth (m), for the range check only.
    approach : {"design", "mean"}
        As for :func:`overtopping`.
    permeable_core : bool
        A rubble mound on a permeable core (Ru2%/Hm0 at most 1.97).
    workers : int, optional
        Threads sharing the elements; all cores by default.

    Returns
    -------
    Runup

    References
    ----------
    EurOtop (2018), eqs. 5.1-5.4 and 6.1-6.2 (see :func:`overtopping`).
    """
    way = _named(approach, APPROACHES, "approach")
    arguments = {"Hm0": Hm0, "Tm10": Tm10, "cot_alpha": cot_alpha, "gamma_f": gamma_f,
                 "gamma_b": gamma_b, "beta": beta, "h": h}
    return _run(Runup, _saiha.runup, arguments, ("h",),
                (way, _flag("permeable_core", permeable_core)), workers,
                _names("regime", _REGIME_NAMES))


# ------------------------------------------------------------------ armour

@dataclass(frozen=True)
class Armour(Columns):
    """The results of :func:`armour`.

    Attributes
    ----------
    Dn50 : numpy.ndarray of float32
        The median nominal diameter (m).
    M50 : numpy.ndarray of float32
        The median mass ρs·Dn50³ (kg).
    Delta : numpy.ndarray of float32
        Δ = ρs/ρ − 1.
    Ns : numpy.ndarray of float32
        The stability number Hs/(Δ·Dn50).
    xi, xi_critical : numpy.ndarray of float32
        The breaker parameter and the plunging/surging transition (NaN for Hudson).
    steepness : numpy.ndarray of float32
        2π·Hs/(g·T²) (NaN for Hudson).
    breaker : numpy.ndarray of str
        ``plunging`` or ``surging``, "" for Hudson and where not computed.
    error, warning, ok, index
        As for :class:`RandomWaves`.
    """

    Dn50: np.ndarray
    M50: np.ndarray
    Delta: np.ndarray
    Ns: np.ndarray
    xi: np.ndarray
    xi_critical: np.ndarray
    steepness: np.ndarray
    breaker: np.ndarray
    error: np.ndarray
    warning: np.ndarray
    ok: np.ndarray
    index: Optional[pd.Index] = index_field()


def armour(
    Hs: npt.ArrayLike,
    T: Optional[npt.ArrayLike],
    cot_alpha: npt.ArrayLike,
    *,
    method: str = "vandermeer1988",
    P: npt.ArrayLike = 0.4,
    S: npt.ArrayLike = 2.0,
    N: npt.ArrayLike = 3000.0,
    KD: npt.ArrayLike = 4.0,
    H2: Optional[npt.ArrayLike] = None,
    h: Optional[npt.ArrayLike] = None,
    rho_s: npt.ArrayLike = 2650.0,
    rho: npt.ArrayLike = 1025.0,
    workers: Optional[int] = None,
) -> Armour:
    """The size of rock armour on a slope, element by element.

    - ``"vandermeer1988"`` (deep water, T the mean period Tm):
      Hs/(Δ·Dn50) = 6.2·P^0.18·(S/√N)^0.2·ξm^−0.5 (plunging) or
      1.0·P^−0.13·(S/√N)^0.2·√cot α·ξm^P (surging), the plunging formula
      alone for cot α >= 4.
    - ``"vangent2003"`` (shallow water, T = Tm−1,0, H2 = H2% or 1.4·Hs):
      8.4 and 1.3 in place of 6.2 and 1.0, times Hs/H2%.
    - ``"hudson"``: M50 = ρs·H³/(K_D·Δ³·cot α), H the height the design
      code prescribes; T unused (None).

    Parameters
    ----------
    Hs : array_like
        The wave height at the toe (m), > 0.
    T : array_like or None
        The period (s): Tm (Van der Meer), Tm−1,0 (Van Gent); None for Hudson.
    cot_alpha : array_like
        The slope's cot α, > 0.
    method : {"vandermeer1988", "vangent2003", "hudson"}
        The formula (:data:`ARMOUR_METHODS`).
    P, S, N : array_like
        Notional permeability (0.1 to 0.6), damage level, number of waves.
    KD : array_like
        Hudson's stability coefficient.
    H2 : array_like, optional
        H2% at the toe (m), >= Hs (Van Gent); 1.4·Hs when None.
    h : array_like, optional
        The toe depth (m), for the range check only.
    rho_s, rho : array_like
        The rock's and the water's density (kg/m³), ρs > ρ.
    workers : int, optional
        Threads sharing the elements; all cores by default.

    Returns
    -------
    Armour

    Raises
    ------
    ValueError
        An unknown ``method``; ``T`` None for a method that needs it.

    References
    ----------
    Hudson, R.Y. (1959). Laboratory investigation of rubble-mound
    breakwaters. J. Waterways and Harbors Div., ASCE 85(WW3).
    Van der Meer, J.W. (1988). Rock slopes and gravel beaches under wave
    attack. PhD thesis, Delft University of Technology.
    Van Gent, M.R.A., Smale, A.J. and Kuiper, C. (2003). Stability of rock
    slopes with shallow foreshores. Proc. Coastal Structures 2003.
    CIRIA, CUR, CETMEF (2007). The Rock Manual, §5.2.2.2.
    """
    way = _named(method, ARMOUR_METHODS, "method")
    if T is None and way != "hudson":
        raise ValueError(f"armour by {way} needs T, the wave period")
    arguments = {"Hs": Hs, "T": T, "cot_alpha": cot_alpha, "P": P, "S": S, "N": N, "KD": KD,
                 "H2": H2, "h": h, "rho_s": rho_s, "rho": rho}
    return _run(Armour, _saiha.armour, arguments, ("T", "H2", "h"), (way,), workers,
                _names("breaker", _BREAKER_NAMES))


# ----------------------------------------------------------- the chain

@dataclass(frozen=True)
class ToeWave:
    """The sea of a :class:`TransformResult` at one position (:func:`wave_at`).

    Arrays of the conditions' shape: ``x`` (m), ``z`` the bed there (m),
    ``h`` the still-water depth (m), ``eta`` the mean water level above the
    still water (m), ``level`` the mean water level above the datum (m),
    ``depth`` the mean depth h + η (m), ``Hm0``, ``H13``, ``H2`` (m),
    ``theta`` (degrees), ``Tp`` (s, the condition's), float32 but ``Tp``;
    ``error`` (``TOE_NOT_REACHED`` where the wet/dry edge lies seaward, or
    the condition's own code) and ``ok``.
    """

    x: float
    z: np.ndarray
    h: np.ndarray
    eta: np.ndarray
    level: np.ndarray
    depth: np.ndarray
    Hm0: np.ndarray
    H13: np.ndarray
    H2: np.ndarray
    theta: np.ndarray
    Tp: np.ndarray
    error: np.ndarray
    ok: np.ndarray


def wave_at(result: TransformResult, x: float) -> ToeWave:
    """The transform's sea at position ``x`` of its profile, linear between its two points.

    The values the engine's chain takes at a structure's toe: each
    quantity interpolated in double precision between the float32 values
    of the two profile points around ``x`` (at a point, its own) and
    narrowed once; the level is z + h + η.  Feed them to
    :func:`overtopping` and :func:`runup` (Rc = crest − level, Tm−1,0 =
    Tp/1.1) or use :func:`overtopping_chain`, which does it in one call.

    Raises
    ------
    ValueError
        ``x`` not finite or off the profile.
    """
    at = _args.real_number("x", x)
    xs = np.asarray(result.x, dtype=np.float64)
    if not (math.isfinite(at) and xs[0] <= at <= xs[-1]):
        raise ValueError(f"x must lie on the profile, from {xs[0]} to {xs[-1]} m")
    n = len(xs)
    i = int(np.searchsorted(xs, at, side="right")) - 1
    i = max(i, 0)
    t = (at - xs[i]) / (xs[i + 1] - xs[i]) if i + 1 < n and at > xs[i] else 0.0
    if i >= n - 1:
        i, t = n - 1, 0.0
    last = i + 1 if t > 0 else i
    zs = np.asarray(result.z, dtype=np.float64)

    def lerp(values: np.ndarray) -> np.ndarray:
        a = values[..., i].astype(np.float64)
        if t == 0:
            return a.astype(np.float32)
        return ((1 - t) * a + t * values[..., i + 1].astype(np.float64)).astype(np.float32)

    z = np.float32((1 - t) * zs[i] + (t * zs[i + 1] if t > 0 else 0.0))
    h, eta, Hm0 = lerp(result.h), lerp(result.eta), lerp(result.Hm0)
    depth = (h.astype(np.float64) + eta.astype(np.float64)).astype(np.float32)
    level = (np.float64(z) + h.astype(np.float64) + eta.astype(np.float64)).astype(np.float32)
    reached = ((np.asarray(result.last_wet) >= last) & np.isfinite(Hm0) & np.isfinite(eta)
               & np.isfinite(h) & (Hm0 > 0))
    error = np.where(result.error != 0, result.error,
                     np.where(reached, 0, int(Error.TOE_NOT_REACHED))).astype(np.uint8)
    bad = error != 0

    def masked(values: np.ndarray) -> np.ndarray:
        return np.where(bad, np.float32(np.nan), values).astype(np.float32)

    return ToeWave(x=at, z=masked(np.broadcast_to(z, error.shape)), h=masked(h), eta=masked(eta),
                   level=masked(level), depth=masked(depth), Hm0=masked(Hm0),
                   H13=masked(lerp(result.H13)), H2=masked(lerp(result.H2)),
                   theta=masked(lerp(result.theta)), Tp=np.asarray(result.Tp),
                   error=error, ok=np.asarray(error == 0))


@dataclass(frozen=True)
class Chain(Columns):
    """The results of :func:`overtopping_chain`, one element per condition.

    Attributes
    ----------
    level : numpy.ndarray of float32
        The mean water level at the toe above the datum (m): tide + setup.
    depth : numpy.ndarray of float32
        The mean depth at the toe (m).
    Hm0 : numpy.ndarray of float32
        The spectral significant height at the toe (m).
    Tm10 : numpy.ndarray of float32
        Tp / ``period_ratio`` (s).
    beta : numpy.ndarray of float32
        The angle used (degrees).
    Rc : numpy.ndarray of float32
        crest − level (m).
    Ru2 : numpy.ndarray of float32
        The 2 % runup above the level (m); slopes only.
    q : numpy.ndarray of float32
        The mean discharge (m³/s per m).
    regime : numpy.ndarray of str
        As :attr:`Overtopping.regime`.
    error, warning, ok, index
        Per condition: the transform's, the toe's (``TOE_NOT_REACHED``), the
        freeboard's (``NEGATIVE_FREEBOARD``: the level above the crest) or
        the overtopping's code; the transform's, runup's and overtopping's bits.
    summary : dict
        Over the record: ``limits`` (m³/s per m), ``above`` (conditions
        with q above each limit: hours for hourly conditions), ``rows``,
        ``computed``, ``failed``, ``q_max`` and ``q_max_index`` (the first
        condition with the largest q, in C order; None where no q).
    """

    level: np.ndarray
    depth: np.ndarray
    Hm0: np.ndarray
    Tm10: np.ndarray
    beta: np.ndarray
    Rc: np.ndarray
    Ru2: np.ndarray
    q: np.ndarray
    regime: np.ndarray
    error: np.ndarray
    warning: np.ndarray
    ok: np.ndarray
    summary: dict
    index: Optional[pd.Index] = index_field()

    def to_frame(self) -> pd.DataFrame:
        """One row per condition, the summary left out (see :class:`Columns`)."""
        columns = {name: np.atleast_1d(np.asarray(getattr(self, name))).reshape(-1)
                   for name in (*_saiha.CHAIN_RESULTS, "error", "warning", "ok")}
        return _elementwise.with_units(pd.DataFrame(columns, index=self.index))


def overtopping_chain(
    x: npt.ArrayLike,
    z: npt.ArrayLike,
    Hrms0: npt.ArrayLike,
    Tp: npt.ArrayLike,
    theta0: npt.ArrayLike,
    tide: npt.ArrayLike = 0.0,
    *,
    toe: float,
    crest: float,
    structure: str = "slope",
    cot_alpha: Optional[float] = None,
    gamma_f: float = 1.0,
    gamma_b: float = 1.0,
    gamma_v: float = 1.0,
    beta: float = 0.0,
    add_direction: bool = False,
    mound_top: Optional[float] = None,
    crest_width: float = 0.0,
    permeable_core: bool = False,
    foreshore: bool = True,
    approach: str = "design",
    period_ratio: float = 1.1,
    limits: Sequence[float] = DEFAULT_LIMITS,
    wind_stress: Optional[npt.ArrayLike] = None,
    workers: Optional[int] = None,
    lang: Optional[str] = None,
    **model: Any,
) -> Chain:
    """The hindcast chain at a structure: transform, the wave at the toe, runup and overtopping.

    For every condition: :func:`transform` across the profile, at the toe
    the transform's Hm0 and mean water level (tide + setup; :func:`wave_at`),
    Tm−1,0 = Tp/``period_ratio``, Rc = ``crest`` − level, then
    :func:`runup` (slopes) and :func:`overtopping`; and over the record
    the conditions with q above each of ``limits``, the largest q and its
    condition.  The engine's chain, the same numbers as
    ``saiha-calc overtopping --profile``.

    Parameters
    ----------
    x, z : array_like, 1-d
        The measured profile, as for :func:`transform`.
    Hrms0, Tp, theta0, tide : array_like
        The conditions at the offshore boundary, broadcast together.
    toe : float
        The structure's toe on the profile (m, within x).
    crest : float
        The crest level above the datum (m).
    structure : {"slope", "vertical", "composite"}
        The structure kind.
    cot_alpha, gamma_f, gamma_b, gamma_v, crest_width, permeable_core, foreshore, approach
        As for :func:`overtopping` (``cot_alpha`` needed for a slope).
    beta : float
        The structure's angle to the waves (degrees); with
        ``add_direction`` the transform's direction at the toe is added.
    mound_top : float, optional
        A composite wall's mound top above the datum (m): d = level − mound_top.
    period_ratio : float
        Tp / Tm−1,0 (1.1 for a single-peaked spectrum).
    limits : sequence of float
        Discharges (m³/s per m) whose exceedances the summary counts.
    wind_stress : array_like, optional
        As for :func:`transform`.
    workers : int, optional
        Threads sharing the conditions; all cores by default.
    lang : {"ja", "en"}, optional
        The language of :class:`CalcError`'s message.
    **model
        The transform's model keywords (``dissipation``, ``gamma``, ...).

    Returns
    -------
    Chain

    Raises
    ------
    CalcError
        A fault every condition would carry: the profile's, the model's, a
        toe off the profile (``INVALID_TOE``), a crest that is no number, a
        mound top not above the bed, an option outside its domain.
    ValueError
        An unknown name, ``cot_alpha`` missing for a slope, limits < 0.
    """
    threads = _args.workers(workers)
    lang = _args.language(lang)
    kind = _named(structure, STRUCTURES, "structure")
    way = _named(approach, APPROACHES, "approach")
    if kind == "slope" and cot_alpha is None:
        raise ValueError("the chain at a slope needs cot_alpha")
    if kind == "composite" and mound_top is None:
        raise ValueError("the chain at a composite wall needs mound_top")
    options = model_options(lang=lang, **model)
    xs, zs = _profile(x, z)
    _, shape, index, flat = _conditions(Hrms0, Tp, theta0, tide, wind_stress)
    number = _args.real_number
    settings = {
        "x_toe": number("toe", toe), "crest": number("crest", crest),
        "mound_top": math.nan if mound_top is None else number("mound_top", mound_top),
        "period_ratio": number("period_ratio", period_ratio),
        "add_direction": _flag("add_direction", add_direction),
        "structure": kind, "approach": way,
        "cot_alpha": math.nan if cot_alpha is None else number("cot_alpha", cot_alpha),
        "gamma_f": number("gamma_f", gamma_f), "gamma_b": number("gamma_b", gamma_b),
        "gamma_v": number("gamma_v", gamma_v), "beta": number("beta", beta),
        "crest_width": number("crest_width", crest_width),
        "permeable_core": _flag("permeable_core", permeable_core),
        "foreshore": _flag("foreshore", foreshore),
    }
    bounds = [number("limits", limit) for limit in limits]
    code, columns, summary = _saiha.overtopping_chain(xs, zs, flat, options, settings, bounds,
                                                      threads)
    if code:
        raise CalcError(code, lang=lang)
    fields: dict[str, Any] = {name: column.reshape(shape) for name, column in columns.items()}
    codes = np.minimum(fields["regime"], len(_REGIME_NAMES) - 1)
    fields["regime"] = np.asarray(_REGIME_NAMES[codes], dtype=object)
    fields["ok"] = np.asarray(fields["error"] == 0)
    fields["summary"] = summary
    return _elementwise.make(Chain, fields, index)


# ----------------------------------------------------------------- frames

def _frame(frame: pd.DataFrame, function: Callable[..., Any], inputs: tuple[str, ...],
           settings: tuple[str, ...], constants: dict[str, Any], results: tuple[str, ...],
           call: Callable[[dict[str, Any]], dict[str, Any]], what: str,
           mode: str) -> pd.DataFrame:
    """``function`` over the rows of ``frame``: inputs by column, settings by column or keyword.

    The frame's ``attrs["units"]`` gives the unit of every input, setting and
    result column that has one, in ``mode``'s table (``P`` a caisson's force,
    rock armour's permeability); the columns passed through have none."""
    if not isinstance(frame, pd.DataFrame):
        raise TypeError(f"{what} takes a pandas DataFrame, not {type(frame).__name__}")
    if frame.columns.duplicated().any():
        name = frame.columns[frame.columns.duplicated()][0]
        raise ValueError(f"the frame has the column {name!r} twice")
    missing = [name for name in inputs if name not in frame.columns]
    if missing:
        raise ValueError(f"the frame has no column {missing[0]!r}; it needs {', '.join(inputs)}")
    clash = [name for name in (*results, "error", "warning") if name in frame.columns]
    if clash:
        raise ValueError(f"the frame's column {clash[0]!r} is the name of a result; rename it")
    both = [name for name in settings if name in frame.columns and name in constants]
    if both:
        raise ValueError(f"{both[0]} is both a column and a keyword; give it once")
    arguments = {name: _args.real_array(name, frame[name]) for name in inputs}
    for name in settings:
        if name in frame.columns:
            arguments[name] = _args.real_array(name, frame[name])
    r = call({**arguments, **constants})
    out = frame.copy()
    count = len(frame)
    for name in (*results, "error", "warning"):
        out[name] = np.broadcast_to(np.asarray(getattr(r, name)), (count,))
    return _elementwise.with_units(out, own=(*inputs, *settings, *results), mode=mode)


def _take(arguments: dict[str, Any], names: tuple[str, ...]) -> list[Any]:
    """The positional arguments ``names``, taken out of ``arguments``."""
    return [arguments.pop(name) for name in names]


def caisson_frame(frame: pd.DataFrame, **keywords: Any) -> pd.DataFrame:
    """:func:`caisson` over the rows of a table, as a table.

    Parameters
    ----------
    frame : pandas.DataFrame
        Columns ``Hmax, H13, T, h, h_prime, d, hc, B`` (numeric) and
        optionally any of ``n, beta, berm, lambda1, lambda2, lambda3, rho,
        density, weight, mu`` per row; other columns pass through.
    **keywords
        :func:`caisson`'s keywords for what the frame has no column of
        (``n`` among them unless a column gives it), and ``impulsive``,
        ``required_safety``, ``workers``.

    Returns
    -------
    pandas.DataFrame
        The frame's columns, then those of :class:`Caisson` but ``ok``
        (``error`` the :class:`Error` codes, ``warning`` the bits), on its index.
    """
    results = tuple(_saiha.CAISSON_RESULTS)
    return _frame(frame, caisson, CAISSON_INPUTS, tuple(CAISSON_SETTINGS), keywords, results,
                  lambda a: caisson(*_take(a, CAISSON_INPUTS), **a), "caisson_frame", "caisson")


def overtopping_frame(frame: pd.DataFrame, **keywords: Any) -> pd.DataFrame:
    """:func:`overtopping` (and on slopes :func:`runup`) over the rows of a table.

    Parameters
    ----------
    frame : pandas.DataFrame
        Columns ``Hm0, Tm10, Rc`` and optionally any of ``cot_alpha,
        gamma_f, gamma_b, gamma_v, beta, h, d, crest_width`` per row; other
        columns pass through.
    **keywords
        :func:`overtopping`'s keywords for what the frame has no column of,
        and ``structure``, ``approach``, ``foreshore``, ``permeable_core``,
        ``workers``.

    Returns
    -------
    pandas.DataFrame
        The frame's columns, then ``Ru2`` (slopes; NaN for walls), ``q``,
        ``regime``, ``error`` and ``warning`` (the overtopping's and, on a
        slope, the runup's), the columns of ``saiha-calc overtopping``.
    """
    settings = tuple(_saiha.OVERTOPPING_SETTINGS)

    def call(a: dict[str, Any]) -> Any:
        q = overtopping(a["Hm0"], a["Tm10"], a["Rc"],
                        **{k: v for k, v in a.items() if k not in ("Hm0", "Tm10", "Rc")})
        if a.get("structure", "slope") == "slope":
            names = ("cot_alpha", "gamma_f", "gamma_b", "beta", "h", "approach",
                     "permeable_core", "workers")
            r = runup(a["Hm0"], a["Tm10"], **{k: a[k] for k in names if k in a})
            Ru2 = np.where(q.error == 0, r.Ru2, np.float32(np.nan)).astype(np.float32)
            warning = q.warning | np.where(q.error == 0, r.warning, 0).astype(np.uint32)
        else:
            Ru2 = np.full(np.shape(q.q), np.nan, dtype=np.float32)
            warning = q.warning
        return _Row(Ru2=Ru2, q=q.q, regime=q.regime, error=q.error, warning=warning)

    return _frame(frame, overtopping, tuple(_saiha.OVERTOPPING_INPUTS), settings, keywords,
                  ("Ru2", "q", "regime"), call, "overtopping_frame", "overtopping")


@dataclass(frozen=True)
class _Row:
    Ru2: np.ndarray
    q: np.ndarray
    regime: np.ndarray
    error: np.ndarray
    warning: np.ndarray


def armour_frame(frame: pd.DataFrame, **keywords: Any) -> pd.DataFrame:
    """:func:`armour` over the rows of a table, as a table.

    Parameters
    ----------
    frame : pandas.DataFrame
        Columns ``Hs, T, cot_alpha`` and optionally any of ``P, S, N, KD,
        H2, h, rho_s, rho`` per row; other columns pass through.
    **keywords
        :func:`armour`'s keywords for what the frame has no column of, and
        ``method``, ``workers``.

    Returns
    -------
    pandas.DataFrame
        The frame's columns, then ``Dn50, M50, Delta, Ns, xi, xi_critical,
        steepness, breaker``, ``error`` and ``warning``.
    """
    inputs = tuple(_saiha.ARMOUR_INPUTS)
    return _frame(frame, armour, inputs, tuple(_saiha.ARMOUR_SETTINGS), keywords,
                  tuple(_saiha.ARMOUR_RESULTS),
                  lambda a: armour(*_take(a, inputs), **a), "armour_frame", "armour")
