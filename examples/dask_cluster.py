"""Many waves on a Dask cluster: CSV files of cases in, CSV files of results out.

    .venv/bin/python examples/dask_cluster.py [CASES.csv ...]

reads the shipped examples/cases.csv by default, starts a LocalCluster of two
worker processes, computes every row with saiha.dask.calc_frame and writes one
results/part-N.csv per partition.  On a real cluster only the client changes,
Client("tcp://scheduler-host:8786"), and every worker needs saiha installed.
"""

import sys
from pathlib import Path

import dask
import dask.dataframe as dd
import pandas as pd
from distributed import Client, LocalCluster

import saiha.dask

COLUMNS = ["Ho", "T", "alpha0", "n", "h"]


def numbers(frame: pd.DataFrame) -> pd.DataFrame:
    """The cases as numbers, without the rows holding a cell that is not one.

    An empty cell stays missing (an empty depth takes the breaking depth); a
    cell such as "abc" drops its row rather than passing as an empty depth.
    """
    values = frame.apply(pd.to_numeric, errors="coerce")
    not_a_number = values.isna() & frame.notna()
    return values[~not_a_number.any(axis=1)]


def main(paths: list[str]) -> None:
    with LocalCluster(n_workers=2, threads_per_worker=1, dashboard_address=None) as cluster, \
            Client(cluster):
        # Read every cell as text first: one bad cell must not stop the file.
        text = dd.read_csv(paths, dtype=str, usecols=COLUMNS, blocksize="8MB")
        meta = pd.DataFrame({name: pd.Series(dtype="float64") for name in COLUMNS})
        cases = text.map_partitions(numbers, meta=meta)
        results = saiha.dask.calc_frame(cases)
        Path("results").mkdir(exist_ok=True)
        write = results.to_csv("results/part-*.csv", index=False, compute=False)
        computed = results["error"] == ""
        # One pass over the data for the files and the counts.
        _, read, rows, ok = dask.compute(write, text.shape[0], computed.size, computed.sum())
    print(f"{read} rows read, {read - rows} set aside (a cell not a number); "
          f"results/: {rows} rows in {results.npartitions} file(s), {ok} computed, "
          f"{rows - ok} with an error message")


if __name__ == "__main__":
    main(sys.argv[1:] or [str(Path(__file__).with_name("cases.csv"))])
