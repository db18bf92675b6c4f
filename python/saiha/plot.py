"""Drawing with Matplotlib (an optional dependency: Debian ``python3-matplotlib``).

Like pandas' and xarray's ``.plot``, each function draws on a Matplotlib
axes, the current one by default, and returns it.
"""

from __future__ import annotations

from collections.abc import Mapping
from typing import Any, Optional

import numpy as np
import pandas as pd

__all__ = ["profile", "transform", "caisson", "overtopping", "exceedance", "QUANTITIES"]

#: The quantities of a profile that can be drawn, with their axis labels.
QUANTITIES: dict[str, str] = {
    "H": "wave height H (m)",
    "L": "wavelength L (m)",
    "C": "celerity C (m/s)",
    "theta": "direction θ (° from the shore normal)",
    "a_bottom": "orbit semi-amplitude at the bottom (m)",
    "u_bottom": "orbital speed at the bottom (m/s)",
    "a_surface": "orbit semi-amplitude at the surface (m)",
    "u_surface": "orbital speed at the surface (m/s)",
    "h": "depth h (m)",
}

_MARKERS = {"onset": "o", "breaking": "s"}


def _label(frame: pd.DataFrame) -> str:
    model = (frame.attrs.get("breaker"), frame.attrs.get("shoaling"))
    return ", ".join(name for name in model if name) or "profile"


def profile(result: Any, ax: Optional[Any] = None, quantity: str = "H") -> Any:
    """Draw cross-shore profiles: a quantity against the distance from the shoreline.

    Parameters
    ----------
    result : pandas.DataFrame or mapping of str to pandas.DataFrame
        A profile of :func:`saiha.profile`, or several (models compared on
        one wave) by the label of each curve.  A single profile is labelled
        with its model.
    ax : matplotlib.axes.Axes, optional
        Where to draw; the current axes by default.
    quantity : str
        A column of the profile, one of :data:`QUANTITIES`.

    Returns
    -------
    matplotlib.axes.Axes
        The axes drawn on: the sea on the left, the shoreline (x = 0) on the
        right, the onset of nonlinear shoaling (circle) and the breaking
        point (square) marked on each curve.  Stations the formulas could
        not compute leave gaps.

    Raises
    ------
    ValueError
        An unknown quantity.
    TypeError
        ``result`` is neither a profile nor a mapping of profiles.
    ImportError
        Matplotlib is not installed.
    """
    import matplotlib.pyplot as plt

    if quantity not in QUANTITIES:
        raise ValueError(f"unknown quantity {quantity!r}; one of {', '.join(QUANTITIES)}")
    if isinstance(result, pd.DataFrame):
        profiles = {_label(result): result}
    elif isinstance(result, Mapping) and all(isinstance(f, pd.DataFrame) for f in result.values()):
        profiles = dict(result)
    else:
        raise TypeError("result must be a profile of saiha.profile or a mapping of them, "
                        f"not {type(result).__name__}")
    if ax is None:
        ax = plt.gca()
    for label, frame in profiles.items():
        (line,) = ax.plot(frame["x"], frame[quantity], label=label)
        for point, marker in _MARKERS.items():
            marked = frame[frame["point"] == point]
            ax.plot(marked["x"], marked[quantity], marker, color=line.get_color(),
                    label=f"{point} ({label})" if len(profiles) == 1 else None)
    if not ax.xaxis_inverted():
        ax.invert_xaxis()  # seaward on the left, the shoreline on the right
    ax.set_xlabel("distance from the shoreline x (m)")
    ax.set_ylabel(QUANTITIES[quantity])
    ax.legend()
    return ax


def _one_condition(result: Any, condition: Optional[int]) -> tuple[int, str]:
    """The flat index of the condition to draw and its label."""
    count = int(np.prod(result.shape, dtype=np.int64))
    if condition is None:
        if count != 1:
            raise ValueError(f"the result holds {count} conditions: name one with condition=")
        condition = 0
    if not isinstance(condition, (int, np.integer)) or isinstance(condition, bool):
        raise TypeError(f"condition must be an integer, not {type(condition).__name__}")
    if not -count <= condition < count:
        raise ValueError(f"condition {condition} is not one of the {count} conditions")
    flat = int(condition) % count
    pick = (lambda a: float(np.asarray(a).reshape(-1)[flat]))
    label = (f"Hrms0 {pick(result.Hrms0):g} m, Tp {pick(result.Tp):g} s, "
             f"θ0 {pick(result.theta0):g}°, tide {pick(result.tide):g} m")
    return flat, label


def transform(result: Any, condition: Optional[int] = None, axes: Optional[Any] = None) -> Any:
    """Draw one condition of :func:`saiha.transform` across the measured profile.

    Four strips over one cross-shore axis, as the profile window's page
    of a measured profile has them: the wave heights Hrms and H1/3 (m); the
    bed and the still-water level (m above the datum) with the mean water
    level η (m above the still water: the setdown and setup) on an axis of
    its own at the right (``axes[1]``'s twin); the fraction of
    breaking waves Qb; the longshore current V (m/s).  The onset of breaking
    (the first point with Qb >= 0.01) is a dotted line on every strip.
    Points beyond the wet/dry edge, where the waves are not reached, leave
    the curves (the bed is drawn everywhere).

    Parameters
    ----------
    result : saiha.TransformResult
        The result of :func:`saiha.transform`.
    condition : int, optional
        Which condition to draw, counted over the conditions in C order
        (``result.summary()``'s rows); may be left out when the result holds
        one condition.
    axes : sequence of four matplotlib.axes.Axes, optional
        Where to draw, top to bottom; a new figure of four strips sharing
        the x axis by default.

    Returns
    -------
    numpy.ndarray of matplotlib.axes.Axes
        The four axes drawn on, seaward on the left.

    Raises
    ------
    TypeError
        ``result`` is not a transform result, or ``condition`` is not an integer.
    ValueError
        ``condition`` left out of a result of several conditions, or out of
        range; ``axes`` not four axes.
    ImportError
        Matplotlib is not installed.
    """
    import matplotlib.pyplot as plt

    from ._transform import TransformResult

    if not isinstance(result, TransformResult):
        raise TypeError(f"result must be a result of saiha.transform, not {type(result).__name__}")
    flat, label = _one_condition(result, condition)
    if axes is None:
        _, axes = plt.subplots(4, 1, sharex=True, figsize=(8, 8), constrained_layout=True)
    axes = np.asarray(axes, dtype=object).reshape(-1)
    if axes.size != 4:
        raise ValueError(f"axes must be four axes, not {axes.size}")
    count = int(np.prod(result.shape, dtype=np.int64))

    def row(name: str) -> np.ndarray:
        return np.asarray(getattr(result, name)).reshape(count, -1)[flat]

    def value(name: str) -> float:
        return float(np.asarray(getattr(result, name)).reshape(-1)[flat])

    x, z, tide = result.x, result.z, value("tide")
    heights, levels, breaking, current = axes
    heights.plot(x, row("Hrms"), label="Hrms")
    heights.plot(x, row("H13"), "--", label="H1/3")
    heights.set_ylabel("wave height (m)")
    heights.set_title(label)
    bottom = min(float(np.min(z)), tide) - 0.5
    levels.fill_between(x, z, bottom, color="tan", label="bed")
    levels.axhline(tide, color="steelblue", linestyle="--", linewidth=1, label="still water")
    levels.set_ylim(bottom=bottom)
    levels.set_ylabel("bed z, still water (m)")
    # The setup is centimetres over metres of bed: an axis of its own.
    setup = levels.twinx()
    setup.plot(x, row("eta"), color="navy", label="mean water level η")
    setup.axhline(0, color="navy", linewidth=0.5, alpha=0.4)
    setup.set_ylabel("η (m)", color="navy")
    setup.legend(loc="upper center", fontsize="small")
    breaking.plot(x, row("Qb"), color="darkorange", label="Qb")
    breaking.set_ylabel("fraction breaking Qb")
    current.plot(x, row("V"), color="seagreen", label="V")
    current.axhline(0, color="grey", linewidth=0.5)
    current.set_ylabel("longshore current V (m/s)")
    current.set_xlabel("cross-shore distance x (m, onshore)")
    onset = value("x_breaking")
    for ax in axes:
        if np.isfinite(onset):
            ax.axvline(onset, color="darkorange", linestyle=":", linewidth=1,
                       label="breaking sets in" if ax is heights else None)
        ax.legend(loc="best", fontsize="small")
    return axes


# ------------------------------------------------------------ structures

def _one_row(frame: Any, row: Optional[int], what: str) -> pd.Series:
    """Row ``row`` (by position) of a frame, or the Series itself."""
    if isinstance(frame, pd.Series):
        return frame
    if not isinstance(frame, pd.DataFrame):
        raise TypeError(f"{what} takes a row or a frame of saiha.caisson_frame, "
                        f"not {type(frame).__name__}")
    if row is None:
        if len(frame) != 1:
            raise ValueError(f"the frame holds {len(frame)} caissons: name one with row=")
        row = 0
    if not isinstance(row, (int, np.integer)) or isinstance(row, bool):
        raise TypeError(f"row must be an integer, not {type(row).__name__}")
    if not -len(frame) <= row < len(frame):
        raise ValueError(f"row {row} is not one of the {len(frame)} rows")
    return frame.iloc[int(row)]


def caisson(frame: Any, row: Optional[int] = None, ax: Optional[Any] = None) -> Any:
    """Draw Goda's pressures on a caisson: the section with its pressure diagram.

    The caisson B wide from its base h′ below the still water to its crest
    hc above it, on the mound whose berm lies d below the still water, the
    seabed at depth h; on the seaward face Goda's pressure diagram, p1 at
    the still water falling to 0 at η* above it (p4 at the crest where η*
    is above the crest), p3 at the base, the line on to p2 at the seabed's
    depth dotted below the base; under the base the uplift triangle, pu at
    the seaward heel, 0 at the harbour's.  Lengths are in metres on both
    axes (equal scales); a pressure is drawn as a length in proportion to it,
    the largest about the caisson's width, each labelled in kPa, as the
    profile window's caisson page draws them.

    Parameters
    ----------
    frame : pandas.DataFrame or pandas.Series
        The result of :func:`saiha.caisson_frame` (columns ``h, h_prime,
        d, hc, B`` and ``p1 … p4, pu, eta_star`` in Pa and m), or one of
        its rows.
    row : int, optional
        Which row of ``frame`` to draw, by position; may be left out of a
        frame of one row.
    ax : matplotlib.axes.Axes, optional
        Where to draw; the current axes by default.

    Returns
    -------
    matplotlib.axes.Axes
        The axes drawn on: x (m) seaward negative from the face, z (m) above
        the still water.  The pressure diagram is the polygon labelled
        ``"Goda's pressures"``, the uplift the one labelled ``"uplift"``.

    Raises
    ------
    TypeError
        ``frame`` is neither a frame nor a row, or ``row`` is not an integer.
    ValueError
        ``row`` left out of a frame of several rows or out of range, or the
        row holds no result (its ``error`` is not 0).
    KeyError
        A column of the section or of the results is missing.
    ImportError
        Matplotlib is not installed.
    """
    import matplotlib.pyplot as plt
    from matplotlib.patches import Polygon

    r = _one_row(frame, row, "caisson")
    if int(r.get("error", 0)) != 0:
        raise ValueError(f"the row holds no result (error {int(r['error'])})")
    h, hp, d, hc, B = (float(r[k]) for k in ("h", "h_prime", "d", "hc", "B"))
    p1, p2, p3, p4, pu = (float(r[k]) for k in ("p1", "p2", "p3", "p4", "pu"))
    eta = float(r["eta_star"])
    if ax is None:
        ax = plt.gca()
    BM = float(r["berm"]) if "berm" in r.index and np.isfinite(r["berm"]) else 0.0
    # One length scale for every pressure: the largest about the width B.
    scale = B / max(p1, p2, p3, pu, 1.0)  # m per Pa
    # The mound: its berm BM wide at depth d seaward of the face, side slopes
    # of 1.5 to the seabed, the harbour side cut short.
    side = 1.5 * (h - d)
    harbour = B + 0.5 * max(0.25 * B, 2.0)
    ax.add_patch(Polygon([(-BM - side, -h), (-BM, -d), (harbour, -d), (harbour + side, -h)],
                         closed=True, color="#9a9482", label="mound"))
    ax.add_patch(Polygon([(0, -hp), (0, hc), (B, hc), (B, -hp)], closed=True,
                         facecolor="#d9d4c7", edgecolor="#555555", label="caisson"))
    # The face's pressures, from the top of the diagram down to the base.
    top = [(0.0, min(eta, hc))] if eta <= hc else [(0.0, hc), (-scale * p4, hc)]
    face = top + [(-scale * p1, 0.0), (-scale * p3, -hp), (0.0, -hp)]
    ax.add_patch(Polygon(face, closed=True, facecolor="#e74c3c", alpha=0.35,
                         edgecolor="#c0392b", label="Goda's pressures"))
    ax.plot([-scale * p3, -scale * p2], [-hp, -h], ":", color="#c0392b", linewidth=1)
    if eta > hc:  # η* above the crest: the part of the diagram that overtops
        ax.plot([0.0, -scale * p4], [eta, hc], ":", color="#c0392b", linewidth=1)
    ax.add_patch(Polygon([(0.0, -hp), (0.0, -hp - scale * pu), (B, -hp)], closed=True,
                         facecolor="#8e44ad", alpha=0.35, edgecolor="#8e44ad", label="uplift"))
    ax.axhline(0, color="#3b7dd8", linewidth=1, label="still water")
    ax.axhline(-h, color="#a0875a", linewidth=1, label="seabed")
    labels = [(f"η* = {eta:.2f} m", (0.0, eta)), (f"p1 = {p1 / 1000:.1f} kPa", (-scale * p1, 0.0)),
              (f"p3 = {p3 / 1000:.1f} kPa", (-scale * p3, -hp)),
              (f"p2 = {p2 / 1000:.1f} kPa", (-scale * p2, -h))]
    if eta > hc and p4 > 0:
        labels.append((f"p4 = {p4 / 1000:.1f} kPa", (-scale * p4, hc)))
    for text, (x, z) in labels:
        ax.annotate(text, (x, z), xytext=(-4, 0), textcoords="offset points",
                    ha="right", va="center", fontsize="small")
    ax.annotate(f"pu = {pu / 1000:.1f} kPa", (0.0, -hp - scale * pu), xytext=(4, -2),
                textcoords="offset points", ha="left", va="top", fontsize="small")
    ax.set_xlim(min(-BM - side, -2.3 * B), harbour + side)  # room for the labels
    ax.set_ylim(-h - max(0.1 * h, scale * pu * 0.2 + 1.0), max(hc, eta) + 0.15 * (h + hc))
    ax.set_aspect("equal", adjustable="datalim")
    ax.set_xlabel("x (m, seaward face at 0)")
    ax.set_ylabel("z (m above the still water)")
    return ax


def _discharges(result: Any) -> tuple[np.ndarray, np.ndarray]:
    """Rc and q (m, m³/s per m) of a frame or result, flattened."""
    if isinstance(result, pd.DataFrame):
        return (np.asarray(result["Rc"], dtype=np.float64),
                np.asarray(result["q"], dtype=np.float64))
    if hasattr(result, "Rc") and hasattr(result, "q"):
        return (np.asarray(result.Rc, dtype=np.float64).reshape(-1),
                np.asarray(result.q, dtype=np.float64).reshape(-1))
    raise TypeError("result must be a frame with the columns Rc and q (saiha.overtopping_frame) "
                    f"or a result of saiha.overtopping_chain, not {type(result).__name__}")


def _limit_label(limit: float) -> str:
    return f"{limit * 1000:g} l/s per m"


def overtopping(result: Any, ax: Optional[Any] = None,
                limits: Optional[Any] = None) -> Any:
    """Draw the mean overtopping discharge q against the freeboard Rc, q on a log scale.

    One point per row or condition; rows without a result (NaN, an error)
    and discharges of 0 (none over the crest) have no place on the log
    scale and are left out; the title says how many points are drawn.

    Parameters
    ----------
    result : pandas.DataFrame or saiha.Chain
        A frame with the columns ``Rc`` (m) and ``q`` (m³/s per m):
        :func:`saiha.overtopping_frame`'s, or ``Chain.to_frame()``; or the
        result of :func:`saiha.overtopping_chain` itself.
    ax : matplotlib.axes.Axes, optional
        Where to draw; the current axes by default.
    limits : sequence of float, optional
        Discharges (m³/s per m) drawn as dashed lines; by default the
        chain's summary limits where ``result`` is a chain (else
        :data:`saiha.DEFAULT_LIMITS`: 1, 10 and 50 l/s per m).

    Returns
    -------
    matplotlib.axes.Axes
        The axes drawn on; the points are the line labelled ``"q"``.

    Raises
    ------
    TypeError
        ``result`` has no Rc and q.
    ImportError
        Matplotlib is not installed.
    """
    import matplotlib.pyplot as plt

    from ._structure import DEFAULT_LIMITS

    Rc, q = _discharges(result)
    if limits is None:
        summary = getattr(result, "summary", None)
        limits = summary["limits"] if isinstance(summary, Mapping) else DEFAULT_LIMITS
    shown = np.isfinite(Rc) & np.isfinite(q) & (q > 0)
    if ax is None:
        ax = plt.gca()
    ax.plot(Rc[shown], q[shown], "o", markersize=3, label="q")
    ax.set_yscale("log")
    for limit in limits:
        ax.axhline(float(limit), linestyle="--", linewidth=1, color="grey",
                   label=_limit_label(float(limit)))
    ax.set_xlabel("freeboard Rc (m)")
    ax.set_ylabel("mean overtopping discharge q (m³/s per m)")
    ax.set_title(f"{int(shown.sum())} of {q.size} with q > 0")
    ax.legend(loc="best", fontsize="small")
    return ax


def exceedance(result: Any, ax: Optional[Any] = None) -> Any:
    """Draw how often the discharge exceeds q: the fraction of conditions with more.

    The empirical exceedance curve of a record of conditions (an hourly
    hindcast: the fraction is that of the hours), q on a log scale: at each
    discharge of the record, the fraction of the computed conditions whose
    discharge is at least that; the summary's limits marked with their
    counts.  Conditions with q = 0 lie below every point drawn; conditions
    without a result are left out of the fractions.

    Parameters
    ----------
    result : saiha.Chain
        The result of :func:`saiha.overtopping_chain`.
    ax : matplotlib.axes.Axes, optional
        Where to draw; the current axes by default.

    Returns
    -------
    matplotlib.axes.Axes
        The axes drawn on; the curve is the line labelled ``"exceedance"``
        (x the discharges in decreasing order, y the fractions).

    Raises
    ------
    TypeError
        ``result`` is not a chain's result.
    ImportError
        Matplotlib is not installed.
    """
    import matplotlib.pyplot as plt

    from ._structure import Chain

    if not isinstance(result, Chain):
        raise TypeError("result must be a result of saiha.overtopping_chain, "
                        f"not {type(result).__name__}")
    q = np.asarray(result.q, dtype=np.float64).reshape(-1)
    q = q[np.isfinite(q)]
    computed = q.size
    wet = np.sort(q[q > 0])[::-1]
    fraction = np.arange(1, wet.size + 1) / max(computed, 1)
    if ax is None:
        ax = plt.gca()
    ax.step(wet, fraction, where="post", label="exceedance")
    ax.set_xscale("log")
    summary = result.summary
    for limit, above in zip(summary["limits"], summary["above"]):
        ax.axvline(float(limit), linestyle="--", linewidth=1, color="grey")
        ax.annotate(f"{_limit_label(float(limit))}: {int(above)}", (float(limit), 1.0),
                    xycoords=("data", "axes fraction"), rotation=90, ha="right", va="top",
                    fontsize="small")
    ax.set_xlabel("mean overtopping discharge q (m³/s per m)")
    ax.set_ylabel("fraction of conditions with more")
    ax.set_title(f"{wet.size} of {computed} computed conditions overtopped")
    ax.legend(loc="best", fontsize="small")
    return ax
