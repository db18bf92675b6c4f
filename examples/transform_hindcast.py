"""A year of hourly sea states across a measured profile, on a Dask cluster.

    .venv/bin/python examples/transform_hindcast.py [PROFILE.csv] [--hours N]

PROFILE.csv has columns x (m, increasing onshore, the offshore boundary
first) and z (m, bed elevation, negative below the still-water datum); any
other column is ignored.  Without it a synthetic barred beach is used.  The
8,760 hourly conditions (Hm0, Tp, theta0, tide) are synthetic and seeded:
the same every run.  The script starts a two-process distributed.LocalCluster
where the package distributed is installed (Dask's threads otherwise),
computes the summary of every hour and the heights at three positions with
saiha.dask.transform, and prints what it found and how long it took.  On a
real cluster only the client changes, Client("tcp://scheduler-host:8786").
"""

import argparse
import contextlib
import time

import dask
import dask.dataframe as dd
import numpy as np
import pandas as pd

import saiha.dask


def barred_beach() -> pd.DataFrame:
    """A profile from 8 m deep to 2 m above the datum, a bar 2 m deep 300 m from the shore."""
    x = np.arange(0.0, 901.0, 5.0)
    z = -8 + 0.0111 * x + 2.2 * np.exp(-(((x - 560) / 45) ** 2))
    return pd.DataFrame({"x": x, "z": z})


def year_of_conditions(hours: int, seed: int = 1994) -> pd.DataFrame:
    """Hourly sea states: storms on a seasonal swell, a semidiurnal tide."""
    rng = np.random.default_rng(seed)
    t = np.arange(hours)
    season = 1 + 0.5 * np.cos(2 * np.pi * t / 8760)
    # A slowly varying log-height (an AR(1) of a two-day memory) around the season's mean.
    noise = np.empty(hours)
    noise[0] = 0.0
    shocks = rng.normal(0, 0.1, hours)
    for i in range(1, hours):
        noise[i] = 0.98 * noise[i - 1] + shocks[i]
    Hm0 = np.clip(0.9 * season * np.exp(noise), 0.2, 4.5)
    steepness = rng.uniform(0.015, 0.04, hours)
    Tp = np.sqrt(2 * np.pi * Hm0 / (9.81 * steepness))
    return pd.DataFrame(
        {
            "time": pd.date_range("2023-01-01", periods=hours, freq="h"),
            "Hm0": Hm0,
            "Tp": Tp,
            "theta0": np.clip(rng.normal(0, 15, hours), -60, 60),
            "tide": 0.6 * np.sin(2 * np.pi * t / 12.42),
        }
    )


def cluster():
    """A LocalCluster and its client where distributed is installed, else Dask's threads."""
    try:
        from distributed import Client, LocalCluster
    except ImportError:
        print("distributed is not installed: Dask's threaded scheduler")
        return dask.config.set(scheduler="threads")
    stack = contextlib.ExitStack()
    local = stack.enter_context(
        LocalCluster(n_workers=2, threads_per_worker=1, dashboard_address=None))
    stack.enter_context(Client(local))
    print("LocalCluster of two worker processes")
    return stack


def main() -> None:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("profile", nargs="?", help="CSV with columns x and z")
    parser.add_argument("--hours", type=int, default=8760, help="hourly conditions (8760)")
    options = parser.parse_args()
    if options.profile:
        profile = pd.read_csv(options.profile, usecols=["x", "z"])
        print(f"profile {options.profile}: {len(profile)} points")
    else:
        profile = barred_beach()
        print(f"synthetic barred beach: {len(profile)} points")
    conditions = dd.from_pandas(year_of_conditions(options.hours), npartitions=12)
    # Three positions: a quarter, a half and three quarters of the way to the shore.
    x = profile["x"].to_numpy()
    at = x[0] + (x[-1] - x[0]) * np.array([0.25, 0.5, 0.75])

    with cluster():
        start = time.perf_counter()
        summary = saiha.dask.transform(conditions, profile)
        heights = saiha.dask.transform(conditions, profile, output="long", at=at)
        summary, heights = dask.compute(summary, heights)
        elapsed = time.perf_counter() - start

    computed = summary["error"] == 0
    print(f"{len(summary)} conditions x {len(profile)} points in {elapsed:.2f} s "
          f"({elapsed / max(len(summary), 1) * 1e3:.3f} ms a condition, cluster start excluded)")
    print(f"computed {computed.sum()}, with an error code {(~computed).sum()}")
    if computed.any():
        ok = summary[computed]
        print(f"breaking onset: median x = {ok['x_breaking'].median():.0f} m, "
              f"h = {ok['h_breaking'].median():.2f} m")
        print(f"2 % runup: median {ok['R2'].median():.2f} m, largest {ok['R2'].max():.2f} m "
              f"on {ok.loc[ok['R2'].idxmax(), 'time']:%Y-%m-%d %H:%M}")
    table = heights[heights["error"] == 0].groupby("x")["Hrms"].describe()
    print("Hrms (m) at the three positions:")
    print(table[["mean", "50%", "max"]].round(2).to_string())


if __name__ == "__main__":
    main()
