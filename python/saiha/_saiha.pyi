# The compiled engine of the package saiha; use the functions of saiha itself.
from typing import Optional

import numpy as np
import numpy.typing as npt

_Floats = npt.NDArray[np.float64]  # a flat float64 input column

RESULT_NAMES: tuple[str, ...]
PROFILE_COLUMNS: tuple[str, ...]
COMPARE_COLUMNS: tuple[str, ...]
VERSION: str
ERROR_COUNT: int
ERROR_NAMES: tuple[str, ...]
MAX_STATIONS: int
BREAKERS: tuple[str, ...]
SHOALINGS: tuple[str, ...]

def calc(
    Ho: _Floats,
    T: _Floats,
    alpha0: _Floats,
    n: _Floats,
    h: _Floats,
    workers: int,
    breaker: str,
    shoaling: str,
) -> dict[str, np.ndarray]:
    """One calculation per element of flat float64 arrays of one length.

    Ho (m), T (s), alpha0 (degrees), n, h (m; NaN takes the breaking depth),
    under the breaker limit and shoaling rule named (BREAKERS, SHOALINGS).
    Returns float32 columns by RESULT_NAMES and the uint8 codes under
    "error".  workers=0 uses all cores.  ValueError for arrays that are not
    flat or not of one length, or for an unknown model name.
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
    spacing: Optional[float],
    breaker: str,
    shoaling: str,
) -> tuple[int, dict[str, object]]:
    """The cross-shore profile under the named model: its code and the station columns.

    Columns x, h, H, L, C, theta, a_bottom, u_bottom, a_surface, u_surface
    (float32), rule and point (lists of str), error (list of int codes).
    """

def compare(
    Ho: float,
    T: float,
    alpha0: float,
    n: float,
    K: float,
    rho: float,
    rho_s: float,
    porosity: float,
) -> dict[str, object]:
    """Every model on one wave: 11 comparison rows as columns.

    breaker and shoaling (lists of str), Hb, hb (m), gamma, theta_b
    (degrees), Q_m3_per_s, Q_m3_per_year (float32, NaN where not reached),
    error (uint8 codes).
    """

def check_transport(K: float, rho: float, rho_s: float, porosity: float) -> int:
    """The code of the first CERC parameter out of its range (K, rho, rho_s, porosity), or 0."""

def transport(
    Hb: _Floats,
    hb: _Floats,
    theta_b: _Floats,
    gamma: _Floats,
    K: float,
    rho: float,
    rho_s: float,
    porosity: float,
) -> dict[str, np.ndarray]:
    """The CERC transport per element of flat float64 arrays of one length.

    Hb, hb (m), theta_b (degrees) and gamma (NaN: Hb/hb) narrowed to single.
    Returns float32 Q_m3_per_s, Q_m3_per_year and uint8 codes under "error".
    """
