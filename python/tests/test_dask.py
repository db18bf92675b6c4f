import os
from pathlib import Path

import numpy as np
import pandas as pd
import pytest

import saiha

dd = pytest.importorskip("dask.dataframe")
distributed = pytest.importorskip("distributed")


def cases(count: int) -> pd.DataFrame:
    rng = np.random.default_rng(11)
    h = rng.uniform(0.5, 30, count)
    h[rng.random(count) < 0.5] = np.nan  # half at the breaking depth
    return pd.DataFrame(
        {"Ho": rng.uniform(0.1, 8, count), "T": rng.uniform(2, 20, count),
         "alpha0": rng.uniform(-80, 80, count), "n": rng.uniform(5, 200, count), "h": h},
        index=pd.RangeIndex(1000, 1000 + count, name="case"),
    )


def test_dask_on_a_local_cluster_equals_calc_frame(monkeypatch):
    # The worker processes import saiha from where this process found it.
    here = str(Path(saiha.__file__).resolve().parents[1])
    monkeypatch.setenv("PYTHONPATH", os.pathsep.join(filter(None, [here, os.environ.get("PYTHONPATH")])))
    df = cases(200_000)
    expected = saiha.calc_frame(df)
    assert 0 < expected["error"].ne("").sum() < len(df)

    with distributed.LocalCluster(
        n_workers=2, processes=True, threads_per_worker=1, dashboard_address=None
    ) as cluster, distributed.Client(cluster):
        lazy = saiha.dask.calc_frame(dd.from_pandas(df, npartitions=8))
        assert dict(lazy.dtypes) == saiha.FRAME_COLUMNS
        got = lazy.compute()
    pd.testing.assert_frame_equal(got, expected, check_exact=True)


def test_dask_passes_the_model_and_checks_its_names_at_once():
    df = cases(300)
    model = {"breaker": "kamphuis", "shoaling": "shuto"}
    got = saiha.dask.calc_frame(dd.from_pandas(df, npartitions=3), **model).compute(
        scheduler="synchronous")
    pd.testing.assert_frame_equal(got, saiha.calc_frame(df, **model), check_exact=True)
    assert not got["H"].equals(saiha.calc_frame(df)["H"])
    flagged = saiha.dask.calc_frame(dd.from_pandas(df, npartitions=3), warnings=True)
    assert flagged.columns[-1] == "warnings"
    pd.testing.assert_frame_equal(flagged.compute(scheduler="synchronous"),
                                  saiha.calc_frame(df, warnings=True), check_exact=True)
    with pytest.raises(ValueError, match="mccowan"):
        saiha.dask.calc_frame(dd.from_pandas(df, npartitions=1), breaker="McCowan")
