"""Goda's significant and maximum heights of a random sea: element by element, along the beach."""

from __future__ import annotations

from dataclasses import dataclass
from typing import Optional

import numpy as np
import numpy.typing as npt
import pandas as pd

from . import _args, _elementwise, _saiha
from ._elementwise import Columns, index_field
from ._models import profile_frame

__all__ = ["RandomWaves", "random_waves", "RANDOM_PROFILE_COLUMNS", "random_profile"]


@dataclass(frozen=True)
class RandomWaves(Columns):
    """The results of :func:`random_waves`, arrays of the broadcast shape of its arguments.

    Attributes
    ----------
    Ks : numpy.ndarray of float32
        Shuto's nonlinear shoaling coefficient of the significant wave at the
        depth; NaN where his nonlinear law cannot be solved (very shallow
        water), the shoaled term then out of the minimum
        (``SHOALING_NOT_FORMED``).
    H13 : numpy.ndarray of float32
        Significant height H1/3 (m).
    Hmax : numpy.ndarray of float32
        Maximum height Hmax (m).
    error : numpy.ndarray of uint8
        The :class:`Error` code of each element, 0 where every result was reached.
    warning : numpy.ndarray of uint32
        :class:`WarningFlag` bits: ``STEEP_SLOPE`` and ``GENTLE_SLOPE`` for a
        slope steeper than 1/10 or gentler than 1/100 (the fitted range),
        ``SHALLOW_FOR_RANDOM_WAVES`` for h/H0p < 0.5 (below Goda's diagrams),
        ``HEIGHT_ABOVE_DEPTH`` where H13 or Hmax exceeds h (the formulas keep
        a finite height at the shoreline: weigh it, do not design with it),
        ``SHOALING_NOT_FORMED`` where Ks is NaN.
    ok : numpy.ndarray of bool
        ``error == 0``.
    index : pandas.Index or None
        The index of the pandas arguments whose rows the results keep, as
        for :class:`Result`; :meth:`to_frame` puts the results on it.
    """

    Ks: np.ndarray
    H13: np.ndarray
    Hmax: np.ndarray
    error: np.ndarray
    warning: np.ndarray
    ok: np.ndarray
    index: Optional[pd.Index] = index_field()


def random_waves(
    H0p: npt.ArrayLike,
    T13: npt.ArrayLike,
    n: npt.ArrayLike,
    h: npt.ArrayLike,
    *,
    workers: Optional[int] = None,
) -> RandomWaves:
    """Significant and maximum heights of a random sea by Goda's method, element by element.

    With L0 = g·T13²/(2π) and tanθ = 1/n (Goda 1975; Goda 2000, §3.6):

    - h/L0 >= 0.2: H13 = Ks·H0p, Hmax = 1.8·Ks·H0p;
    - h/L0 < 0.2: H13 = min(β0·H0p + β1·h, βmax·H0p, Ks·H0p),
      Hmax = min(β0*·H0p + β1*·h, βmax*·H0p, 1.8·Ks·H0p),

    β0 = 0.028·(H0p/L0)^-0.38·exp(20·tanθ^1.5), β1 = 0.52·exp(4.2·tanθ),
    βmax = max(0.92, 0.32·(H0p/L0)^-0.29·exp(2.4·tanθ)), and with 0.052,
    0.63·exp(3.8·tanθ), max(1.65, 0.53·…) for Hmax.  Ks is Shuto's
    nonlinear shoaling coefficient: the ``shuto`` shoaling rule of
    :func:`calc` for a regular wave of height H0p and period T13 at normal
    incidence.  The arguments broadcast against each other.

    Parameters
    ----------
    H0p : array_like
        Equivalent deep-water significant height H0′ (m), > 0: the deep-water
        significant height with refraction and diffraction to the site
        already applied.  A regular wave's ``Ho`` is not H0′.
    T13 : array_like
        Significant period T1/3 (s), > 0.
    n : array_like
        Denominator of the bottom slope 1/n, > 0; the method was fitted on
        slopes of about 1/10 to 1/100.
    h : array_like
        Depth (m), > 0.
    workers : int, optional
        Threads sharing the elements; all cores by default.

    Returns
    -------
    RandomWaves
        ``Ks``, ``H13``, ``Hmax`` (float32, NaN where not reached),
        ``error``, ``warning`` and ``ok``; ``index`` as for :func:`calc`.

    Raises
    ------
    TypeError
        An argument that does not hold real numbers (bools, text...),
        naming it.
    ValueError
        Arguments whose shapes do not broadcast, pandas arguments whose
        indexes differ, or ``workers`` not from 1 to :data:`MAX_WORKERS`.

    Notes
    -----
    An element never raises: H0p, T13, n that cannot be used get
    ``INVALID_HEIGHT``, ``INVALID_PERIOD``, ``INVALID_SLOPE``, H0p/L0 > 0.142
    ``STEEPNESS_LIMIT``, then a depth that cannot be used ``INVALID_DEPTH``.

    References
    ----------
    Goda, Y. (1975). Irregular wave deformation in the surf zone. Coastal
    Engineering in Japan, 18, 13-26.
    Goda, Y. (2000). Random Seas and Design of Maritime Structures, 2nd ed.,
    §3.6. World Scientific.
    """
    threads = _args.workers(workers)
    arguments = {"H0p": H0p, "T13": T13, "n": n, "h": h}
    return _elementwise.run(RandomWaves, _saiha.random_waves, arguments, (), threads,
                            workers=threads)


#: The columns of :func:`random_profile`, those of ``saiha-calc random --profile``.
RANDOM_PROFILE_COLUMNS: tuple[str, ...] = tuple(_saiha.RANDOM_PROFILE_COLUMNS)


def random_profile(
    H0p: float,
    T13: float,
    n: float,
    *,
    from_depth: Optional[float] = None,
    stations: int = 200,
) -> pd.DataFrame:
    """Goda's significant and maximum heights along the beach, seaward end first.

    Parameters
    ----------
    H0p, T13, n : float
        The sea and the beach, as for :func:`random_waves`.
    from_depth : float, optional
        Depth of the seaward end (m), > 0.  By default twice the depth of
        the outer edge of the surf zone, where H13 leaves Ks·H0p.
    stations : int
        Number of evenly spaced stations, 1 to 100000; the outer edge of the
        surf zone is inserted in its place besides.

    Returns
    -------
    pandas.DataFrame
        One row per station with the columns :data:`RANDOM_PROFILE_COLUMNS`:
        ``x`` distance from the still-water shoreline, n·h (m), ``h`` depth
        (m), ``point`` (``breaking`` at the outer edge of the surf zone, else
        ""), ``Ks``, ``H13`` (m), ``H13_term``, ``Hmax`` (m), ``Hmax_term``,
        the terms being ``shoaling`` (Ks·H0p), ``breaking`` (β0·H0p + β1·h)
        or ``cap`` (βmax·H0p); numbers float32.  A station that could not be
        computed has NaN there and its :class:`Error` code in
        ``DataFrame.attrs["errors"]``; a station with warnings has its
        :class:`WarningFlag` bits (as :class:`RandomWaves` ``warning``) in
        ``DataFrame.attrs["warnings"]``, by row.

    Raises
    ------
    CalcError
        An input that cannot be used, no outer edge of the surf zone with
        no ``from_depth``, or ``from_depth`` not a usable depth.
    TypeError
        ``H0p``, ``T13``, ``n`` or ``from_depth`` not one real number (a
        bool, a text, an array), naming it; ``stations`` not an integer.
    ValueError
        ``stations`` not from 1 to 100000.
    """
    sea = (_args.real_number("H0p", H0p), _args.real_number("T13", T13),
           _args.real_number("n", n))
    depth = _args.optional_number("from_depth", from_depth)
    count = _args.stations(stations)
    code, columns = _saiha.random_profile(*sea, depth, count)
    return profile_frame(code, columns, RANDOM_PROFILE_COLUMNS)
