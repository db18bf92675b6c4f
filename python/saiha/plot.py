"""Drawing with Matplotlib (an optional dependency: Debian ``python3-matplotlib``).

Like pandas' and xarray's ``.plot``, each function draws on a Matplotlib
axes, the current one by default, and returns it.
"""

from __future__ import annotations

from collections.abc import Mapping
from typing import Any, Optional

import numpy as np
import pandas as pd

__all__ = ["profile", "transform", "QUANTITIES"]

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
