#!/usr/bin/python3
"""Rows per second of saiha.calc with one and two workers, side by side with
saiha-calc on the same cases and, optionally, of the Dask path through a
local cluster (CSV in, CSV out).

    PYTHONPATH=build/python scripts/bench-python.py [--rows 1000000]
        [--saiha-calc build/cli/saiha-calc] [--dask]

The cases follow scripts/bench-batch.sh (deterministic): Ho 0.2-6 m,
T 4-16 s, alpha0 -60..60 degrees, n in {10, 20, 30, 50, 80, 100, 200}, the
depth missing (the breaking depth) in two rows of three, else 0.5-30 m.
Every figure is the best of --repeat runs.
"""

from __future__ import annotations

import argparse
import os
import subprocess
import sys
import tempfile
import time
from pathlib import Path

import numpy as np
import pandas as pd

import saiha


def cases(rows: int) -> pd.DataFrame:
    rng = np.random.default_rng(16)
    h = rng.uniform(0.5, 30, rows)
    h[rng.random(rows) < 2 / 3] = np.nan
    return pd.DataFrame({
        "Ho": rng.uniform(0.2, 6, rows).round(2), "T": rng.uniform(4, 16, rows).round(2),
        "alpha0": rng.uniform(-60, 60, rows).round(1),
        "n": rng.choice([10, 20, 30, 50, 80, 100, 200], rows).astype(float),
        "h": h.round(2),
    })


def best(repeat: int, run) -> float:
    times = []
    for _ in range(repeat):
        start = time.perf_counter()
        run()
        times.append(time.perf_counter() - start)
    return min(times)


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--rows", type=int, default=1_000_000)
    parser.add_argument("--repeat", type=int, default=3)
    parser.add_argument("--saiha-calc", help="the saiha-calc program, to time it on the same cases")
    parser.add_argument("--dask", action="store_true",
                        help="also time read_csv -> saiha.dask.calc_frame -> to_csv on a "
                             "LocalCluster of two worker processes")
    args = parser.parse_args()

    df = cases(args.rows)
    columns = [df[c].to_numpy() for c in ("Ho", "T", "alpha0", "n", "h")]
    print(f"{args.rows} rows, best of {args.repeat}")
    rates = {}
    for workers in (1, 2):
        seconds = best(args.repeat, lambda: saiha.calc(*columns, workers=workers))
        rates[workers] = args.rows / seconds
        print(f"saiha.calc workers={workers}: {rates[workers]:,.0f} rows/s")
    print(f"speed-up with two workers: {rates[2] / rates[1]:.2f}x")

    with tempfile.TemporaryDirectory() as tmp:
        source = Path(tmp) / "cases.csv"
        df.to_csv(source, index=False, na_rep="")
        if args.saiha_calc:
            command = [args.saiha_calc, "--no-progress", "-j", "1", str(source)]

            def run_cli() -> None:
                with open(os.devnull, "wb") as sink:
                    subprocess.run(command, stdout=sink, check=False)

            rate = args.rows / best(args.repeat, run_cli)
            print(f"saiha-calc -j 1: {rate:,.0f} rows/s "
                  f"(saiha.calc workers=1 is {rates[1] / rate:.2f}x that)")
        if args.dask:
            print(f"dask, 2 worker processes: {dask_rate(source, Path(tmp), args.rows):,.0f} rows/s")
    return 0


def dask_rate(source: Path, tmp: Path, rows: int) -> float:
    """The README's worked example, timed from read_csv to the last CSV written."""
    import dask.dataframe as dd
    from distributed import Client, LocalCluster

    import saiha.dask

    here = str(Path(saiha.__file__).resolve().parents[1])
    os.environ["PYTHONPATH"] = os.pathsep.join(filter(None, [here, os.environ.get("PYTHONPATH")]))
    with LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                      dashboard_address=None) as cluster, Client(cluster):
        start = time.perf_counter()
        cases = dd.read_csv(source, blocksize="8MB", dtype="float64")
        results = saiha.dask.calc_frame(cases)
        results.to_csv(tmp / "results-*.csv", index=False)
        return rows / (time.perf_counter() - start)


if __name__ == "__main__":
    sys.exit(main())
