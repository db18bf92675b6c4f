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


def hindcast(count: int) -> pd.DataFrame:
    rng = np.random.default_rng(5)
    return pd.DataFrame(
        {"time": pd.date_range("2020-01-01", periods=count, freq="h"),
         "Hrms0": rng.uniform(0.2, 2.0, count), "Tp": rng.uniform(4, 14, count),
         "theta0": rng.uniform(-30, 30, count), "tide": rng.uniform(-0.5, 0.5, count)},
        index=pd.RangeIndex(500, 500 + count, name="hour"))


def bar_profile() -> pd.DataFrame:
    x = np.arange(0.0, 701.0, 5.0)
    return pd.DataFrame({"x": x, "z": -7 + 0.0125 * x + 1.4 * np.exp(-(((x - 380) / 35) ** 2))})


def test_dask_transform_equals_the_eager_call_in_both_forms():
    df = hindcast(120)
    df.loc[510, "Hrms0"] = -1.0  # one condition fails, the others compute
    profile = bar_profile()
    ddf = dd.from_pandas(df, npartitions=4)
    eager = saiha.transform(profile.x, profile.z, df.Hrms0, df.Tp, df.theta0, df.tide)
    summary = saiha.dask.transform(ddf, profile, dissipation="jb07")
    got = summary.compute(scheduler="synchronous")
    assert summary.divisions == ddf.divisions
    assert dict(summary.dtypes) == dict(got.dtypes)
    assert got["error"].tolist().count(saiha.Error.INVALID_HEIGHT) == 1
    pd.testing.assert_frame_equal(got, saiha.transform_frame(df, profile, dissipation="jb07"),
                                  check_exact=True)
    pd.testing.assert_series_equal(
        saiha.dask.transform(ddf, profile)["R2"].compute(scheduler="synchronous"),
        eager.summary()["R2"], check_exact=True)
    at = [50.0, 382.5, 600.0]
    long = saiha.dask.transform(ddf, (profile.x, profile.z), output="long", at=at)
    got = long.compute(scheduler="threads")
    assert list(got.columns[:5]) == list(df.columns) and len(got) == 3 * len(df)
    np.testing.assert_array_equal(got["Hrms"].to_numpy().reshape(-1, 3), eager.interp(at).Hrms)
    np.testing.assert_array_equal(got.index, np.repeat(df.index, 3))


def test_dask_transform_checks_the_profile_and_options_before_the_graph_runs():
    ddf = dd.from_pandas(hindcast(10), npartitions=2)
    profile = bar_profile()
    with pytest.raises(saiha.CalcError) as raised:
        saiha.dask.transform(ddf, profile.iloc[::-1])
    assert raised.value.code == saiha.Error.PROFILE_NOT_INCREASING
    with pytest.raises(saiha.CalcError):
        saiha.dask.transform(ddf, profile, gamma=-1.0)
    with pytest.raises(ValueError, match="summary, long"):
        saiha.dask.transform(ddf, profile, output="wide")
    with pytest.raises(TypeError, match="transform_frame"):
        saiha.dask.transform(hindcast(10), profile)


def test_the_hindcast_example_runs_on_a_profile_file(tmp_path, monkeypatch):
    import subprocess
    import sys

    from conftest import SOURCE_DIR

    here = str(Path(saiha.__file__).resolve().parents[1])
    env = {**os.environ, "PYTHONPATH": os.pathsep.join(
        filter(None, [here, os.environ.get("PYTHONPATH")]))}
    bar_profile().assign(x_frf=0.0).to_csv(tmp_path / "profile.csv", index=False)
    done = subprocess.run(
        [sys.executable, str(SOURCE_DIR / "examples" / "transform_hindcast.py"),
         str(tmp_path / "profile.csv"), "--hours", "48"],
        capture_output=True, text=True, cwd=tmp_path, env=env, timeout=240)
    assert done.returncode == 0, done.stderr
    assert "48 conditions x 141 points" in done.stdout
    assert "computed 48, with an error code 0" in done.stdout
