#!/usr/bin/python3
"""Microseconds per scalar call of saiha.calc, and of the compiled engine under it.

    PYTHONPATH=build/python scripts/bench-python-scalar.py [--calls 20000] [--repeat 5]

The wave is the window's default case (Ho 1 m, T 10 s, alpha0 30 degrees,
n 60, at the breaking depth).  ``engine`` is saiha._saiha.calc on flat
one-element arrays made once, and saiha._saiha.calc_one on Python floats
where the module has it: the floor the package's own checks, conversions
and allocations stand on; ``saiha.calc`` is the call as a user
writes it with Python floats; ``saiha.random_waves`` and ``saiha.shoreline``
the same for those.  Every figure is the best of --repeat runs of --calls
calls.
"""

from __future__ import annotations

import argparse
import sys
import time

import numpy as np

import saiha
from saiha import _saiha


def per_call(calls: int, repeat: int, run) -> float:
    best = float("inf")
    for _ in range(repeat):
        start = time.perf_counter()
        for _ in range(calls):
            run()
        best = min(best, time.perf_counter() - start)
    return best / calls * 1e6


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--calls", type=int, default=20_000)
    parser.add_argument("--repeat", type=int, default=5)
    args = parser.parse_args()

    flat = [np.array([v], dtype=np.float64) for v in (1.0, 10.0, 30.0, 60.0, np.nan)]
    timings = {
        "engine (_saiha.calc, one element)":
            lambda: _saiha.calc(*flat, 1, "goda1970", "two-regime"),
    }
    if hasattr(_saiha, "calc_one"):  # the compiled scalar call, where the module has it
        timings["engine (_saiha.calc_one)"] = lambda: _saiha.calc_one(
            1.0, 10.0, 30.0, 60.0, np.nan, "goda1970", "two-regime")
    timings |= {
        "saiha.calc(1.0, 10.0, 30.0, 60.0)": lambda: saiha.calc(1.0, 10.0, 30.0, 60.0),
        "saiha.calc(1, 10, 30, 60, 5)": lambda: saiha.calc(1, 10, 30, 60, 5),
        "saiha.random_waves(2.0, 10.0, 100.0, 5.0)":
            lambda: saiha.random_waves(2.0, 10.0, 100.0, 5.0),
        "saiha.shoreline(2.0, 10.0, 30.0, 100.0)": lambda: saiha.shoreline(2.0, 10.0, 30.0, 100.0),
    }
    print(f"saiha {saiha.__version__}, best of {args.repeat} x {args.calls} calls")
    for label, run in timings.items():
        print(f"{label:45s} {per_call(args.calls, args.repeat, run):8.2f} us/call")
    return 0


if __name__ == "__main__":
    sys.exit(main())
