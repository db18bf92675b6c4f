"""Refraction, shoaling and breaking of regular waves on a uniform slope.

A regular wave of deep-water height ``Ho`` (m), period ``T`` (s) and angle of
incidence ``alpha0`` (degrees from the shore normal) meets a beach of slope
``1/n`` with straight, parallel depth contours.  :func:`calc` finds its
breaking point and its state at a depth for every element of NumPy arrays,
:func:`calc_frame` does the same for a table of cases, :func:`profile` gives
the cross-shore profile of one wave.  ``saiha.dask.calc_frame`` maps
:func:`calc_frame` over a Dask DataFrame.

Each of these takes a breaker limit (``breaker=``, one of :data:`BREAKERS`)
and a shoaling rule (``shoaling=``, one of :data:`SHOALINGS`); the defaults
are the calculation window's own.  :func:`compare` puts every model side by
side on one wave with the longshore transport each breaking point implies,
and :func:`transport` gives that transport for any breaking points.
:func:`shoreline` gives what happens at the shore: breaker type, wave setup,
runup and the longshore current.

Irregular seas: :func:`random_waves` gives the significant height H1/3 and
the maximum height Hmax of a random sea in and outside the surf zone by
Goda's method, from the equivalent deep-water significant height ``H0p``
and the significant period ``T13``; :func:`random_profile` gives them along
the beach.

Measured profiles: :func:`transform` carries a random sea (Hrms0, Tp,
theta0, tide) across a profile of any shape (x, z) by the wave energy
balance, with the roller, the setup and the longshore current, for many
conditions at once; ``saiha.dask.transform`` maps it over a Dask DataFrame
of conditions (a hindcast).

At the structure: :func:`caisson` gives Goda's pressures on an upright
breakwater (with Takahashi's impulsive coefficient) and the caisson's
stability, :func:`design_wave` its design wave from the offshore sea;
:func:`overtopping` and :func:`runup` the EurOtop manual's mean discharge
and 2 % runup at slopes and walls; :func:`armour` the size of rock armour;
``transform(...).at(x_toe)`` the sea at a toe, and :func:`overtopping_chain`
the whole hindcast at a structure with its exceedance summary.

Every value of the plane-beach and Goda calculations is the single-precision
value behind the calculation window's text for the same inputs, bit for bit
(the window shows it rounded to two decimals); the energy balance integrates
in double precision and is reproducible on one machine, whatever ``workers``.

Every function checks its arguments alike: quantities are real numbers or
arrays of them (bools, text and objects raise ``TypeError`` naming the
argument).  Messages are Japanese unless ``lang="en"`` or the environment
variable ``SAIHA_LANG=en`` says otherwise.  ``saiha.plot`` (Matplotlib) and
``saiha.dask`` (Dask) are imported when first used.

The package's modules, by subject: ``_args`` (the argument checks),
``_errors`` (codes, warning bits, messages), ``_elementwise`` (broadcasting
in chunks), ``_calc`` (the regular wave), ``_models`` (profile, models
compared, transport), ``_random`` (Goda's random waves), ``_shoreline``,
``_transform`` (the energy balance across a measured profile), ``_structure``
(at the structure).
"""

from __future__ import annotations

import importlib
from typing import TYPE_CHECKING, Any

from . import _saiha
from ._args import BREAKERS, LANGUAGES, MAX_WORKERS, SHOALINGS
from ._calc import (FRAME_COLUMNS, INPUT_COLUMNS, RESULT_NAMES, Result, calc, calc_frame,
                    output_columns)
from ._errors import ERROR_CODES, CalcError, Error, WarningFlag, error_text
from ._models import COMPARE_COLUMNS, PROFILE_COLUMNS, Transport, compare, profile, transport
from ._random import RANDOM_PROFILE_COLUMNS, RandomWaves, random_profile, random_waves
from ._shoreline import BREAKER_TYPES, Shoreline, shoreline
from ._transform import (DISSIPATIONS, GAMMA_RULES, TRANSFORM_INPUTS, TRANSFORM_POINT_NAMES,
                         TRANSFORM_SUMMARY_NAMES, TransformResult, transform, transform_frame)
from ._structure import (APPROACHES, ARMOUR_BREAKERS, ARMOUR_METHODS, DEFAULT_LIMITS,
                         NEGLIGIBLE_DISCHARGE, REGIMES, STRUCTURES, Armour, Caisson, Chain,
                         DesignWave, Overtopping, Runup, ToeWave, armour, armour_frame, caisson,
                         caisson_frame, design_wave, overtopping, overtopping_chain,
                         overtopping_frame, runup, wave_at)

#: The version of the package, that of the programs built with it.
__version__: str = _saiha.VERSION

if TYPE_CHECKING:
    from . import dask, plot

__all__ = [
    "APPROACHES", "ARMOUR_BREAKERS", "ARMOUR_METHODS", "DEFAULT_LIMITS", "NEGLIGIBLE_DISCHARGE",
    "REGIMES", "STRUCTURES", "Armour", "Caisson", "Chain", "DesignWave", "Overtopping", "Runup",
    "ToeWave", "armour", "armour_frame", "caisson", "caisson_frame", "design_wave",
    "overtopping", "overtopping_chain", "overtopping_frame", "runup", "wave_at",
    "BREAKERS",
    "SHOALINGS",
    "COMPARE_COLUMNS",
    "BREAKER_TYPES",
    "Shoreline",
    "shoreline",
    "Transport",
    "compare",
    "transport",
    "Error",
    "WarningFlag",
    "ERROR_CODES",
    "CalcError",
    "Result",
    "calc",
    "calc_frame",
    "error_text",
    "LANGUAGES",
    "profile",
    "FRAME_COLUMNS",
    "MAX_WORKERS",
    "PROFILE_COLUMNS",
    "output_columns",
    "RandomWaves",
    "random_waves",
    "random_profile",
    "RANDOM_PROFILE_COLUMNS",
    "TransformResult",
    "transform",
    "transform_frame",
    "DISSIPATIONS",
    "GAMMA_RULES",
    "TRANSFORM_INPUTS",
    "TRANSFORM_POINT_NAMES",
    "TRANSFORM_SUMMARY_NAMES",
]

#: The submodules imported when first used: Dask and Matplotlib take a while.
_LAZY = ("dask", "plot")


def __getattr__(name: str) -> Any:
    if name in _LAZY:
        return importlib.import_module(f".{name}", __name__)
    raise AttributeError(f"module 'saiha' has no attribute {name!r}")


def __dir__() -> list[str]:
    return sorted({*globals(), *_LAZY})
