# The compiled engine of the package saiha; use the functions of saiha itself.
from typing import Optional

import numpy as np
import numpy.typing as npt

RESULT_NAMES: tuple[str, ...]
ERROR_COUNT: int
MAX_STATIONS: int

def calc(
    Ho: npt.NDArray[np.float64],
    T: npt.NDArray[np.float64],
    alpha0: npt.NDArray[np.float64],
    n: npt.NDArray[np.float64],
    h: npt.NDArray[np.float64],
    workers: int,
) -> dict[str, np.ndarray]:
    """One calculation per element of flat float64 arrays of one length.

    Ho (m), T (s), alpha0 (degrees), n, h (m; NaN takes the breaking depth).
    Returns float32 columns by RESULT_NAMES and the uint8 codes under
    "error".  workers=0 uses all cores.  ValueError for arrays that are not
    flat or not of one length.
    """

def error_text(code: int) -> str:
    """The window's message for an error code; "" for 0; ValueError for others."""

def profile(
    Ho: float,
    T: float,
    alpha0: float,
    n: float,
    from_depth: Optional[float],
    stations: int,
) -> tuple[int, dict[str, object]]:
    """The cross-shore profile: its error code and the station columns.

    Columns x, h, H, L, C, theta, a_bottom, u_bottom, a_surface, u_surface
    (float32), rule and point (lists of str), error (list of int codes).
    """
