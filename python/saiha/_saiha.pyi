# The compiled engine of the package saiha; use the functions of saiha itself.
from typing import Any, Optional

import numpy as np
import numpy.typing as npt

_Floats = npt.NDArray[np.float64]  # a flat float64 input column

RESULT_NAMES: tuple[str, ...]
PROFILE_COLUMNS: tuple[str, ...]
COMPARE_COLUMNS: tuple[str, ...]
RANDOM_PROFILE_COLUMNS: tuple[str, ...]
VERSION: str
ERROR_COUNT: int
ERROR_NAMES: tuple[str, ...]
WARNING_BITS: dict[str, int]
MAX_STATIONS: int
BREAKERS: tuple[str, ...]
SHOALINGS: tuple[str, ...]
SHORELINE_NAMES: tuple[str, ...]
BREAKER_TYPES: tuple[str, ...]
DISSIPATIONS: tuple[str, ...]
GAMMA_RULES: tuple[str, ...]
MIXINGS: tuple[str, ...]
TRANSFORM_POINT_NAMES: tuple[str, ...]
TRANSFORM_SUMMARY_NAMES: tuple[str, ...]

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

def calc_one(
    Ho: float, T: float, alpha0: float, n: float, h: float, breaker: str, shoaling: str
) -> tuple[npt.NDArray[np.float32], npt.NDArray[np.uint32]]:
    """One calculation as calc computes an element (h NaN: the breaking depth).

    Returns the 13 results (float32, in the order of RESULT_NAMES, NaN where
    not reached) and [error code, warning bits] (uint32).  ValueError for an
    unknown model name.
    """

def error_text(code: int, lang: str = "ja") -> str:
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
    significant: bool = ...,
) -> dict[str, object]:
    """Every model on one wave: 11 comparison rows as columns.

    breaker and shoaling (lists of str), Hb, hb (m), gamma, theta_b
    (degrees), Q_m3_per_s, Q_m3_per_year, xi0 (float32, NaN where not
    reached), error (uint8 codes), breaker_type (list of str).
    """

def shoreline(
    Ho: _Floats,
    T: _Floats,
    alpha0: _Floats,
    n: _Floats,
    beta_f: _Floats,
    runup_H0: _Floats,
    runup_Tp: _Floats,
    workers: int,
    breaker: str,
    shoaling: str,
) -> dict[str, np.ndarray]:
    """Breaker type, setup, runup and longshore current per element.

    float32 columns by SHORELINE_NAMES, int8 breaker_type and breaker_type_b
    (index into BREAKER_TYPES, -1 not reached), bool dissipative, uint8
    codes under "error", uint32 warning bits under "warning".  NaN in beta_f,
    runup_H0, runup_Tp takes the default (1/n, Ho, T).  breaker
    "komar-gaughan" with shoaling "weggel": the empirical breaking point.
    """

def check_transport(K: float, rho: float, rho_s: float, porosity: float) -> int:
    """The code of the first CERC parameter out of its range (K, rho, rho_s, porosity), or 0."""

def column_unit(name: str, mode: str = ...) -> str | None:
    """The unit of a result column as saiha-calc --units names it, or None."""

def transport_overflow(K: float, rho: float, rho_s: float, porosity: float) -> str | None:
    """Why parameters in their ranges overflow every breaker's yearly transport, or None."""

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

def random_waves(
    H0p: _Floats, T13: _Floats, n: _Floats, h: _Floats, workers: int
) -> dict[str, np.ndarray]:
    """Goda's H1/3 and Hmax per element of flat float64 arrays of one length.

    Returns float32 columns Ks, H13, Hmax, uint8 "error" and uint32 "warning".
    workers=0 uses all cores.  ValueError for arrays not flat or not of one length.
    """

def random_profile(
    H0p: float, T13: float, n: float, from_depth: Optional[float], stations: int
) -> tuple[int, dict[str, object]]:
    """Goda's random-wave profile: its code and the station columns.

    The columns of RANDOM_PROFILE_COLUMNS, then each station's code under
    "error" and its warning bits under "warning".
    """

def transform(
    x: _Floats,
    z: _Floats,
    Hrms0: _Floats,
    Tp: _Floats,
    theta0: _Floats,
    tide: _Floats,
    wind_stress: _Floats,
    workers: int,
    dissipation: str,
    gamma: str,
    gamma_constant: float,
    alpha: float,
    B: float,
    roller: bool,
    roller_beta: float,
    setup: bool,
    friction: bool,
    friction_factor: float,
    roughness: float,
    dry_depth: float,
    max_step: float,
    mixing: str = ...,
    mixing_coefficient: float = ...,
) -> tuple[int, Optional[dict[str, np.ndarray]]]:
    """Random waves across one profile (x, z in m) for each condition of flat arrays.

    Hrms0 (m), Tp (s), theta0 (degrees), tide (m), wind_stress (N/m**2), one
    element per condition; dissipation one of DISSIPATIONS, gamma one of
    GAMMA_RULES ("constant": gamma_constant).  Returns (code, columns): code
    the profile's or the options' error code (columns None), else 0 and
    float32 (conditions, points) arrays by TRANSFORM_POINT_NAMES, float32
    columns by TRANSFORM_SUMMARY_NAMES, uint8 "error", uint32 "warning",
    int32 "last_wet".  workers=0 uses all cores.  ValueError for inputs not
    flat or not of one length, or an unknown name.
    """

# At the structure (python/structure.cpp): names shared with saiha-calc.
CAISSON_INPUTS: tuple[str, ...]
CAISSON_SETTINGS: tuple[str, ...]
CAISSON_RESULTS: tuple[str, ...]
DESIGN_WAVE_RESULTS: tuple[str, ...]
OVERTOPPING_INPUTS: tuple[str, ...]
OVERTOPPING_SETTINGS: tuple[str, ...]
ARMOUR_INPUTS: tuple[str, ...]
ARMOUR_SETTINGS: tuple[str, ...]
ARMOUR_RESULTS: tuple[str, ...]
CHAIN_RESULTS: tuple[str, ...]
STRUCTURES: tuple[str, ...]
APPROACHES: tuple[str, ...]
REGIMES: tuple[str, ...]
ARMOUR_METHODS: tuple[str, ...]
ARMOUR_BREAKERS: tuple[str, ...]
NEGLIGIBLE_DISCHARGE: float
REQUIRED_SAFETY_FACTOR: float

def caisson(inputs: list[_Floats], impulsive: bool, required_safety: float,
            workers: int) -> dict[str, np.ndarray]:
    """Goda's pressures and the caisson's stability per element of 18 flat columns
    (CAISSON_INPUTS then CAISSON_SETTINGS; weight NaN: from the density): float32
    CAISSON_RESULTS, uint8 "error", uint32 "warning"."""

def design_wave(inputs: list[_Floats], workers: int) -> dict[str, np.ndarray]:
    """The design wave from H0p (m), T13 (s), n, h (m): float32 DESIGN_WAVE_RESULTS,
    uint8 "at_hb", "error", uint32 "warning"."""

def overtopping(inputs: list[_Floats], structure: str, approach: str, foreshore: bool,
                permeable_core: bool, workers: int) -> dict[str, np.ndarray]:
    """EurOtop's q per element of Hm0, Tm10, Rc, cot_alpha, gamma_f, gamma_b, gamma_v,
    beta, h, d, crest_width: float32 q, q_star, xi, gamma_beta, impulsiveness, Cr;
    uint8 "regime" (index into REGIMES, 255 none), "error", uint32 "warning"."""

def runup(inputs: list[_Floats], approach: str, permeable_core: bool,
          workers: int) -> dict[str, np.ndarray]:
    """EurOtop's Ru2% per element of Hm0, Tm10, cot_alpha, gamma_f, gamma_b, beta, h."""

def armour(inputs: list[_Floats], method: str, workers: int) -> dict[str, np.ndarray]:
    """Dn50 and M50 per element of Hs, T, cot_alpha, P, S, N, KD, H2, h, rho_s, rho;
    uint8 "breaker" (index into ARMOUR_BREAKERS)."""

def overtopping_chain(
    x: _Floats, z: _Floats, conditions: list[_Floats], model: dict[str, Any],
    structure: dict[str, Any], limits: list[float], workers: int,
) -> tuple[int, Optional[dict[str, np.ndarray]], Optional[dict[str, Any]]]:
    """The hindcast chain at a toe: (code, columns of CHAIN_RESULTS, summary); code the
    profile's, the model's or the options' error (columns and summary None), else 0."""
