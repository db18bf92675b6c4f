"""The error codes, the warning bits and the window's messages for them."""

from __future__ import annotations

import enum
import numbers
from typing import Any, Optional

import numpy as np
import pandas as pd

from . import _args, _saiha
from ._args import LANGUAGES

__all__ = ["Error", "WarningFlag", "ERROR_CODES", "LANGUAGES", "error_text", "CalcError"]


class Error(enum.IntEnum):
    """Why a calculation stopped: the codes in :attr:`Result.error`."""

    NONE = 0
    INVALID_HEIGHT = 1  #: Ho not a finite number > 0 in single precision
    INVALID_PERIOD = 2  #: T not a finite number > 0 in single precision
    INVALID_ANGLE = 3  #: alpha0 not strictly between -90 and 90 degrees
    INVALID_SLOPE = 4  #: n not a finite number > 0
    INVALID_DEPTH = 5  #: h not a finite number > 0 in single precision
    ONSET_NOT_FOUND = 6  #: no onset of nonlinear shoaling on 0.001 <= h/L0 <= 1
    BREAKING_NOT_FOUND = 7  #: no breaking point on 0.00001 <= h/L0 <= 1
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
    STEEPNESS_LIMIT = 23  #: Ho/L0 > 0.142, steeper than any deep-water wave (L0 = g*T**2/(2*pi))

    INVALID_RUNUP_HEIGHT = 24  #: the runup's H0 not a finite number > 0 in single precision
    INVALID_RUNUP_PERIOD = 25  #: the runup's Tp not a finite number > 0 in single precision
    INVALID_FORESHORE_SLOPE = 26  #: the foreshore slope beta_f not a finite number > 0
    NEGATIVE_SETUP = 27  #: setdown outweighs the surf zone's rise (gamma > 3.65): no setup
    PROFILE_LENGTH_MISMATCH = 28  #: the profile's x and z differ in length
    PROFILE_TOO_SHORT = 29  #: fewer than two profile points
    PROFILE_NOT_FINITE = 30  #: an x or z that is not a finite number
    PROFILE_NOT_INCREASING = 31  #: x not strictly increasing onshore
    INVALID_TRANSFORM_OPTION = 32  #: a transformation model parameter outside its domain
    INVALID_TIDE = 33  #: the tide or the wind stress not a finite number
    BOUNDARY_TOO_SHALLOW = 34  #: the boundary dry, or the wave at its breaking height there
    TOO_FEW_WET_POINTS = 35  #: fewer than two wet profile points from the boundary
    MICHE_LIMIT_AT_BOUNDARY = 36  #: Hm0 above 0.142*L*tanh(kh) at the boundary
    TRANSFORM_NOT_SETTLED = 37  #: the setup did not settle, or a result is not finite
    INVALID_DESIGN_HEIGHT = 38  #: a structure's wave height (Hmax, H13, Hm0, Hs, H2) not finite > 0
    INVALID_DESIGN_PERIOD = 39  #: a structure's period (T13, Tm10, Tm) not finite > 0
    INVALID_STRUCTURE_DEPTH = 40  #: h, h_prime, d or the mound top not a finite number > 0
    DEPTH_ORDER = 41  #: not d <= h_prime <= h
    INVALID_CREST_HEIGHT = 42  #: hc not finite >= 0, or Rc or the crest level not finite
    NEGATIVE_FREEBOARD = 43  #: Rc < 0: the water above the crest overflows it
    INVALID_STRUCTURE_WIDTH = 44  #: B not finite > 0, or a berm or crest width not finite >= 0
    INVALID_ATTACK_ANGLE = 45  #: beta not finite, or abs(beta) >= 90 degrees
    INVALID_PRESSURE_FACTOR = 46  #: lambda1, lambda2 or lambda3 not a finite number >= 0
    INVALID_CAISSON_WEIGHT = 47  #: the caisson's density or weight per metre not finite > 0
    INVALID_FRICTION = 48  #: mu not a finite number > 0
    INVALID_STRUCTURE_SLOPE = 49  #: cot_alpha not a finite number > 0
    INVALID_INFLUENCE_FACTOR = 50  #: gamma_f, gamma_b or gamma_v not finite in (0, 1]
    INVALID_ARMOUR_PARAMETER = 51  #: P not in (0, 0.6], S not > 0, N not >= 1, or KD not > 0
    INVALID_ROCK_DENSITY = 52  #: rho_s not a finite number > rho
    HEIGHT_ORDER = 53  #: H13 > Hmax, or H2 < Hs
    HEIGHT_ABOVE_DEPTH_LIMIT = 54  #: Hmax > 2*h: beyond any breaker at the site
    INVALID_TOE = 55  #: the toe not finite or outside the profile
    TOE_NOT_REACHED = 56  #: the wet/dry edge seaward of the toe: no wave there
    INVALID_STRUCTURE_OPTION = 57  #: a structure option outside its domain
    #: a bed beyond 11,000 m of the datum, a span above 1,000 km or x beyond 10,000 km
    PROFILE_OUT_OF_RANGE = 58
    TRANSFORM_STEP_LIMIT = 59  #: more integration steps than the limit (too fine a max_step)
    PERIOD_OUT_OF_RANGE = 60  #: Tp above 60 s, beyond wind seas and swell
    TIDE_OUT_OF_RANGE = 61  #: a tide beyond 30 m of the datum
    WIND_STRESS_OUT_OF_RANGE = 62  #: a wind stress beyond 20 N/m**2


class WarningFlag(enum.IntFlag):
    """Bits of the ``warning`` arrays (uint32): a formula used outside the range it
    was fitted on, or a result to weigh before it is used.

    The results stand; the flags say where to weigh them.  The values are
    those of saiha-calc's ``warnings`` column (128 there is its own: a number
    cell read as its leading number).
    """

    NONE = 0
    #: A slope steeper than 1/10: Goda's breaker limit (goda1970, goda2010),
    #: Weggel's breaker index and Goda's random-wave surf zone were fitted on
    #: slopes of about 1/10 to 1/100.
    STEEP_SLOPE = 1
    #: The kamphuis limit: Kamphuis's breaker index was fitted to irregular
    #: waves (the significant height) and is applied to a regular wave.
    IRREGULAR_WAVE_INDEX = 2
    #: A slope gentler than the formula's fitted range (Goda's random-wave
    #: formulas: 1/100).
    GENTLE_SLOPE = 4
    #: A wave height above the local still-water depth: the formula's value,
    #: but it may lie beyond what breaking allows.
    HEIGHT_ABOVE_DEPTH = 8
    #: The 2 % runup lies below the radiation-stress setup at the mean
    #: shoreline it rises from (:func:`shoreline`).
    RUNUP_BELOW_SETUP = 16
    #: Stockdon's runup within 5 % of its change of fit at xi0 = 0.3, where
    #: the two fits differ by up to a fifth (:func:`shoreline`).
    STOCKDON_BRANCH_CHANGE = 32
    #: Komar and Gaughan's breaker height at a deep-water steepness H0'/L0
    #: below 0.001, the gentlest of its fit.
    #: Goda's random-wave method at h/H0' below the range of his diagrams (0.5).
    SHALLOW_FOR_RANDOM_WAVES = 64
    #: Komar and Gaughan's breaker height at a deep-water steepness H0'/L0
    #: below 0.001, the gentlest of its fit.
    LOW_STEEPNESS = 256
    #: A breaking point (or the outer edge of a random sea's surf zone)
    #: shoreward of h/L0 = 0.001, found by the search continued there.
    BELOW_SEARCH_FLOOR = 512
    #: Shuto's shoaling coefficient cannot be formed at the depth; the
    #: random-wave heights were decided by the other terms.
    SHOALING_NOT_FORMED = 1024
    #: A breaker index above 1.56, the largest a breaker reaches (Weggel's
    #: index on the steepest slopes): the setup theory's saturated surf zone
    #: holds no such breakers (:func:`shoreline`).
    BREAKER_INDEX_ABOVE_SETUP_RANGE = 2048
    #: A breaker parameter fit (battjes-stive1985, ruessink2003) used outside
    #: the data it was fitted on.
    GAMMA_FIT_RANGE = 4096
    #: The profile ends under water, or no foreshore rises above the mean
    #: water level: no shoreline, no runup.
    SHORELINE_NOT_REACHED = 8192
    #: A profile point above the mean water level with water again shoreward
    #: of it; the transformation ends at the first dry point.
    DRY_BAR_CREST = 16384
    #: A caisson's safety factor against sliding below the one required (1.2).
    SLIDING_BELOW_REQUIRED = 1 << 20
    #: A caisson's safety factor against overturning below the one required.
    OVERTURNING_BELOW_REQUIRED = 1 << 21
    #: A wave steepness outside the data of the structure formula.
    STEEPNESS_OUTSIDE_RANGE = 1 << 22
    #: A structure slope cot_alpha outside the data of the formula.
    STRUCTURE_SLOPE_OUTSIDE_RANGE = 1 << 23
    #: A relative freeboard Rc/Hm0 outside the data of the overtopping formula.
    FREEBOARD_OUTSIDE_RANGE = 1 << 24
    #: A mean discharge below 1e-6 m3/s per m (0.001 l/s per m): negligible.
    NEGLIGIBLE_OVERTOPPING = 1 << 25
    #: Armour: P, S, N, Delta or Hs/(Delta*Dn50) outside the data of the formula.
    ARMOUR_OUTSIDE_RANGE = 1 << 26
    #: The depth at the toe outside the formula's range.
    TOE_DEPTH_OUTSIDE_RANGE = 1 << 27
    #: An angle of wave attack beyond the data (gamma_beta held at its limit).
    OBLIQUE_OUTSIDE_RANGE = 1 << 28
    #: A breaker parameter xi outside the data of the formula.
    BREAKER_PARAMETER_OUTSIDE_RANGE = 1 << 29
    #: Hrms above the mean depth h + eta at a profile point (the model's
    #: number, but no such sea stands in water that shallow).
    HRMS_ABOVE_MEAN_DEPTH = 32768
    #: A longshore current above 2 m/s, beyond the data the bed friction was
    #: fitted on.
    CURRENT_ABOVE_FITTED_RANGE = 65536
    #: The sea already breaking at the offshore boundary (Qb >= 0.01): the
    #: surf zone began seaward of the profile.
    BOUNDARY_IN_SURF_ZONE = 131072



def _python_name(cpp_name: str) -> str:
    """``InvalidHeight`` -> ``INVALID_HEIGHT``: the C++ enumerator as a Python one."""
    return "".join("_" + c if c.isupper() and i else c for i, c in enumerate(cpp_name)).upper()


# Codes run from 0 to ERROR_COUNT - 1; a value that names no code (reserved)
# has an empty C++ name and no member here.
_CODES = [(code, _python_name(n)) for code, n in enumerate(_saiha.ERROR_NAMES) if n]
if [(int(e), e.name) for e in Error] != _CODES:  # pragma: no cover
    raise ImportError("saiha: the compiled module and the package disagree on the error codes")

_BITS = {_python_name(n): bit for n, bit in _saiha.WARNING_BITS.items()}
if {f.name: int(f) for f in WarningFlag if f.value} != _BITS:  # pragma: no cover
    raise ImportError("saiha: the compiled module and the package disagree on the warning bits")

#: The error codes by value, named.
ERROR_CODES: dict[int, str] = {int(e): e.name for e in Error}

#: Whether each value below ERROR_COUNT is a code (a reserved value is not).
_IS_CODE = np.zeros(_saiha.ERROR_COUNT, dtype=bool)
_IS_CODE[[int(code) for code in Error]] = True
#: The message of each code, by language and value ("" for a reserved value).
_ERROR_TEXTS = {
    lang: np.array(
        [_saiha.error_text(code, lang) if _IS_CODE[code] else ""
         for code in range(_saiha.ERROR_COUNT)],
        dtype=object,
    )
    for lang in LANGUAGES
}


def error_texts(lang: Optional[str]) -> np.ndarray:
    """The message of every code in ``lang`` (None: ``SAIHA_LANG``, else Japanese), by code."""
    return _ERROR_TEXTS[_args.language(lang)]


def _not_a_code(value: Any) -> ValueError:
    return ValueError(f"{value} is not an error code (0 to {_saiha.ERROR_COUNT - 1}"
                      + (", a reserved value" if 0 <= value < _saiha.ERROR_COUNT else "") + ")")


def _codes(code: Any) -> np.ndarray:
    """``code`` as an integer array of codes; TypeError or ValueError as error_text says."""
    if isinstance(code, (bool, np.bool_)):
        raise TypeError("an error code is an integer, not bool")
    if isinstance(code, numbers.Integral) and not isinstance(code, np.integer):
        # A Python int of any size: no binding to overflow on the way.
        if not (0 <= code < _saiha.ERROR_COUNT and _IS_CODE[code]):
            raise _not_a_code(code)
        return np.asarray(code, dtype=np.intp)
    if isinstance(code, pd.Series):
        code = code.to_numpy()
    codes = np.asarray(code)
    if codes.dtype.kind == "O" and all(
            isinstance(c, numbers.Integral) and not isinstance(c, (bool, np.bool_))
            for c in codes.flat):
        # Integers beyond int64: none of them a code.
        bad = next(c for c in codes.flat if not 0 <= c < _saiha.ERROR_COUNT)
        raise _not_a_code(bad)
    if codes.dtype.kind not in "iu":
        what = (codes.dtype.name if np.ndim(code) == 0
                else f"{type(code).__name__} of {codes.dtype}")
        raise TypeError(f"an error code is an integer, not {what}")
    if isinstance(code, (list, tuple)) and _args.holds_bool(code):
        raise TypeError("an error code is an integer, not bool")
    if codes.size:
        outside = (codes < 0) | (codes >= _saiha.ERROR_COUNT)
        if outside.any():
            raise _not_a_code(codes[outside].flat[0])
        if not _IS_CODE[codes].all():
            raise _not_a_code(codes[~_IS_CODE[codes]].flat[0])
    return codes


def error_text(code: Any, lang: Optional[str] = None) -> Any:
    """The calculation window's message for error codes.

    Parameters
    ----------
    code : int or array_like of int
        Values of :class:`Error`, such as :attr:`Result.error`; 0 gives ``""``.
    lang : {"ja", "en"}, optional
        The language of the messages, the texts of ``saiha-calc --lang``.
        By default the environment variable ``SAIHA_LANG`` (``ja`` or
        ``en``) names it, and Japanese where that is unset or empty.

    Returns
    -------
    str or numpy.ndarray of object or pandas.Series
        The message for an integer or a 0-d array (``calc(...)`` of
        scalars); a Series of messages with ``code``'s index for a Series;
        else an array of messages of ``code``'s shape.

    Raises
    ------
    ValueError
        For a number that is not an error code (a negative one, one past the
        last code however large, a reserved value), or a language not in
        :data:`LANGUAGES` (``lang`` or ``SAIHA_LANG``).
    TypeError
        For something that does not hold integers: floats (1.0 included),
        bools, text.
    """
    texts = error_texts(lang)
    codes = _codes(code)
    if codes.ndim == 0:
        return str(texts[int(codes)])
    if isinstance(code, pd.Series):
        return pd.Series(texts[codes], index=code.index, name=code.name)
    return texts[codes]


class CalcError(ValueError):
    """A calculation that could not be done as a whole.

    Raised by :func:`profile`, :func:`random_profile` and :func:`compare` for a
    wave they cannot use,
    and by :func:`compare` and :func:`transport` for a transport parameter
    out of its range.  The message is the window's, in ``lang`` where the
    function takes one, else in the language ``SAIHA_LANG`` names (Japanese
    where it is unset or names none).

    Attributes
    ----------
    code : Error
        Why.
    argument : str or None
        The keyword argument at fault, when one is.
    """

    def __init__(self, code: int, argument: Optional[str] = None,
                 message: Optional[str] = None, lang: Optional[str] = None) -> None:
        self.code = Error(code)
        self.argument = argument
        if message is None:
            try:
                texts = error_texts(lang)
            except ValueError:  # a wrong SAIHA_LANG must not hide why the calculation failed
                texts = _ERROR_TEXTS[LANGUAGES[0]]
            message = texts[int(code)]
        where = f"{argument}: " if argument else ""
        super().__init__(f"{where}{message} ({self.code.name})")
