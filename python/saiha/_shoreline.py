"""What happens at the shore: breaker type, wave setup, runup and the longshore current."""

from __future__ import annotations

from dataclasses import dataclass
from typing import Optional

import numpy as np
import numpy.typing as npt
import pandas as pd

from . import _args, _elementwise, _saiha
from ._elementwise import Columns, index_field

__all__ = ["BREAKER_TYPES", "EMPIRICAL_BREAKER", "Shoreline", "shoreline"]

#: The ``breaker`` of the empirical breaking point (Komar and Gaughan's
#: breaker height with Weggel's breaker index), as :func:`compare` names its
#: row; its ``shoaling`` is :data:`EMPIRICAL_SHOALING`.
EMPIRICAL_BREAKER = "komar-gaughan"
EMPIRICAL_SHOALING = "weggel"


#: Battjes' (1974) breaker types by name: spilling, plunging, surging
#: (collapsing or surging).
BREAKER_TYPES: tuple[str, ...] = tuple(_saiha.BREAKER_TYPES)

# Names by the compiled module's codes; code -1 (not reached) takes the last, "".
_TYPE_NAMES = np.array((*BREAKER_TYPES, ""))


@dataclass(frozen=True)
class Shoreline(Columns):
    """The results of :func:`shoreline`, arrays of the broadcast shape of its arguments.

    Numbers are float32, NaN where the element did not reach them; levels
    are metres above the still-water level.

    Attributes
    ----------
    Hb, hb, gamma, theta_b : numpy.ndarray of float32
        The breaking point under the model, as for :func:`calc`: breaker
        height and depth (m), breaker index Hb/hb, direction at breaking
        (degrees from the shore normal).
    xi0, xi_b : numpy.ndarray of float32
        Surf similarity (Iribarren number) tan(beta)/sqrt(Ho/L0) and
        tan(beta)/sqrt(Hb/L0), L0 = g*T**2/(2*pi).  ``xi0`` is reached
        wherever the wave's inputs are valid.
    breaker_type, breaker_type_b : numpy.ndarray of str
        Battjes' breaker type by ``xi0`` (spilling below 0.5, plunging to 3.3,
        surging above) and by ``xi_b`` (limits 0.4 and 2.0); one of
        :data:`BREAKER_TYPES`, "" where not reached.
    setdown_b : numpy.ndarray of float32
        Setdown at breaking -gamma*Hb/16 (m).
    setup_gradient : numpy.ndarray of float32
        Slope of the mean water level across the surf zone, K*tan(beta),
        K = 1/(1 + 8/(3*gamma**2)) (m/m).
    setup_shoreline : numpy.ndarray of float32
        Setup at the still-water shoreline, setdown_b + K*hb (m); under the
        empirical breaking point setdown_b + K*(hb - setdown_b).  NaN with
        :attr:`Error.NEGATIVE_SETUP` where it would be negative (gamma above
        sqrt(40/3) = 3.65, where the setdown outweighs the rise).
    shoreline_shift : numpy.ndarray of float32
        How far the mean shoreline lies landward of the still-water one (m);
        NaN where the setup is.
    setup_max : numpy.ndarray of float32
        Setup at the mean shoreline (m); NaN where the setup is.
    runup_xi0 : numpy.ndarray of float32
        beta_f/sqrt(H0/L0) of the runup formula, L0 from its Tp.
    runup_setup, swash_incident, swash_infragravity, swash, R2 : numpy.ndarray of float32
        Stockdon et al.'s setup, incident and infragravity swash, total swash
        and 2 % exceedance runup (m); ``swash_incident`` is NaN where the
        dissipative fit was used, which has no incident part (no error).
        ``swash`` is Stockdon's Equation 19 as published, the rounded form
        R2 is formed with: up to 5 % above the root-sum-square of
        ``swash_incident`` and ``swash_infragravity``.
    dissipative : numpy.ndarray of bool
        Whether ``runup_xi0`` < 0.3 chose the dissipative fit (Equation 18)
        rather than the general one (Equation 19).
    Hb_rms : numpy.ndarray of float32
        The root-mean-square breaker height of the current formula (m); a
        regular wave's Hb.
    V : numpy.ndarray of float32
        Longshore current at mid surf zone (m/s), signed as ``theta_b``.
    error : numpy.ndarray of uint8
        The first :class:`Error` code of the element: the breaking point's,
        else the runup's, else the setup's (``NEGATIVE_SETUP``); 0 where
        every quantity was reached.
    warning : numpy.ndarray of uint32
        The :class:`WarningFlag` bits of every part of the element: the
        breaking point's (``STEEP_SLOPE``, ``IRREGULAR_WAVE_INDEX``,
        ``LOW_STEEPNESS`` for the empirical breaker height at H0'/L0 below
        0.001), the setup's (``BREAKER_INDEX_ABOVE_SETUP_RANGE``, gamma above
        1.56) and the runup's (``STOCKDON_BRANCH_CHANGE``, ``runup_xi0``
        within 5 % of 0.3; ``RUNUP_BELOW_SETUP``, R2 below ``setup_max``).
    ok : numpy.ndarray of bool
        ``error == 0``.
    index : pandas.Index or None
        The index of the pandas arguments whose rows the results keep, as
        for :class:`Result`; :meth:`to_frame` puts the results on it.
    """

    Hb: np.ndarray
    hb: np.ndarray
    gamma: np.ndarray
    theta_b: np.ndarray
    xi0: np.ndarray
    xi_b: np.ndarray
    breaker_type: np.ndarray
    breaker_type_b: np.ndarray
    setdown_b: np.ndarray
    setup_gradient: np.ndarray
    setup_shoreline: np.ndarray
    shoreline_shift: np.ndarray
    setup_max: np.ndarray
    runup_xi0: np.ndarray
    runup_setup: np.ndarray
    swash_incident: np.ndarray
    swash_infragravity: np.ndarray
    swash: np.ndarray
    R2: np.ndarray
    dissipative: np.ndarray
    Hb_rms: np.ndarray
    V: np.ndarray
    error: np.ndarray
    warning: np.ndarray
    ok: np.ndarray
    index: Optional[pd.Index] = index_field()


def _type_names(columns: dict[str, np.ndarray]) -> dict[str, np.ndarray]:
    """The breaker-type codes of :func:`shoreline`'s columns as names."""
    for name in ("breaker_type", "breaker_type_b"):
        columns[name] = np.asarray(_TYPE_NAMES[columns[name]])  # 0-d stays an array
    return columns


def shoreline(
    Ho: npt.ArrayLike,
    T: npt.ArrayLike,
    alpha0: npt.ArrayLike,
    n: npt.ArrayLike,
    *,
    breaker: str = "goda1970",
    shoaling: Optional[str] = None,
    beta_f: Optional[npt.ArrayLike] = None,
    runup_H0: Optional[npt.ArrayLike] = None,
    runup_Tp: Optional[npt.ArrayLike] = None,
    workers: Optional[int] = None,
) -> Shoreline:
    """Breaker type, wave setup, runup and longshore current, element by element.

    The arguments broadcast as for :func:`calc`; each element finds its
    breaking point under the model and takes the formulas below from it.

    Parameters
    ----------
    Ho, T, alpha0, n : array_like
        The wave and the beach, as for :func:`calc`: deep-water height (m),
        period (s), angle of incidence (degrees), slope denominator.
    breaker, shoaling : str
        The model, as for :func:`calc` (shoaling None: two-regime).  The
        setup uses its breaker index gamma = Hb/hb.  ``breaker="komar-gaughan"``
        (:data:`EMPIRICAL_BREAKER`, shoaling None or ``"weggel"``) takes the
        empirical breaking point of :func:`compare`'s last row instead:
        Komar and Gaughan's breaker height with Weggel's breaker index, whose
        hb is taken as the mean depth at the breaker line, as the Coastal
        Engineering Manual's Example Problem II-4-2 does.
    beta_f : array_like, optional
        Foreshore slope of the runup formula, > 0; default (None or NaN) the
        beach slope 1/n.
    runup_H0 : array_like, optional
        Deep-water significant wave height of the runup formula (m), > 0;
        default ``Ho``.
    runup_Tp : array_like, optional
        Peak period of the runup formula (s), > 0; default ``T``.
    workers : int, optional
        Threads sharing the elements; all cores by default.

    Returns
    -------
    Shoreline
        The arrays of the broadcast shape, the error codes and ``ok``;
        ``index`` as for :func:`calc`.

    Raises
    ------
    TypeError, ValueError
        As for :func:`calc`.  An element that cannot be computed never
        raises: it gets its code, NaN where not reached.

    Notes
    -----
    - Surf similarity and breaker type: Battjes (1974), "Surf similarity",
      Proc. 14th ICCE, as quoted in the Coastal Engineering Manual (CEM),
      Part II, Chapter 4.
    - Setdown and setup: radiation stress (Longuet-Higgins and Stewart 1964;
      Bowen, Inman and Simmons 1968), CEM II-4, Equations II-4-21 to
      II-4-25, for a saturated surf zone on a plane beach: setdown_b =
      -gamma*Hb/16, the mean level rising K*tan(beta) per metre from the
      breaker line to the mean shoreline.  Under a breaker limit the surf
      zone starts at the still-water depth hb (x = n*hb), where the
      profile's breaking point lies.  Under the empirical breaking point it
      starts at the still-water depth hb - setdown_b, as in CEM Example
      Problem II-4-2 (Ho 2 m, T 10 s, normal incidence, slope 1/100:
      setdown -0.14 m, setup at the still-water line 0.554 m against the
      manual's 0.56 m).  A setup that would be negative is NaN with
      ``NEGATIVE_SETUP``.
    - Empirical breaking point: Komar and Gaughan (1972); Weggel (1972).
      Komar and Gaughan's coefficient was fitted to laboratory breakers of
      deep-water steepness H0'/L0 down to about 0.001 (the breaker-height
      curves of CEM Figure II-4-2); gentler swell carries ``LOW_STEEPNESS``.
    - Runup: Stockdon, Holman, Howd and Sallenger (2006), "Empirical
      parameterization of setup, swash, and runup", Coastal Engineering 53,
      R2 = 1.1*(0.35*beta_f*sqrt(H0*L0) + sqrt(H0*L0*(0.563*beta_f**2 +
      0.004))/2), and R2 = 0.043*sqrt(H0*L0) on dissipative beaches.  It is
      fitted to random waves (significant height, peak period) on natural
      sandy beaches; a regular wave's Ho and T stand in by default.
    - Longshore current: Komar and Inman (1970), Komar (1979); CEM
      Equation II-4-40, V = 1.17*sqrt(g*Hb_rms)*sin(theta_b)*cos(theta_b).
    """
    threads = _args.workers(workers)
    if breaker == EMPIRICAL_BREAKER:
        if shoaling not in (None, EMPIRICAL_SHOALING):
            raise ValueError(f"breaker {EMPIRICAL_BREAKER!r} has no shoaling rule; shoaling "
                             f"must be None or {EMPIRICAL_SHOALING!r}, not {shoaling!r}")
        model = (EMPIRICAL_BREAKER, EMPIRICAL_SHOALING)
    else:
        model = _args.model(breaker, "two-regime" if shoaling is None else shoaling)
    arguments = {
        "Ho": Ho, "T": T, "alpha0": alpha0, "n": n,
        "beta_f": beta_f, "runup_H0": runup_H0, "runup_Tp": runup_Tp,
    }
    return _elementwise.run(
        Shoreline, _saiha.shoreline, arguments, ("beta_f", "runup_H0", "runup_Tp"),
        threads, *model, workers=threads, convert=_type_names,
    )
