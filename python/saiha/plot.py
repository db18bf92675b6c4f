"""Drawing with Matplotlib (an optional dependency: Debian ``python3-matplotlib``).

Like pandas' and xarray's ``.plot``, each function draws on a Matplotlib
axes, the current one by default, and returns it.
"""

from __future__ import annotations

from collections.abc import Mapping
from typing import Any, Optional

import pandas as pd

__all__ = ["profile", "QUANTITIES"]

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
