"""The calculation over a Dask DataFrame: past one machine.

The same code runs on a laptop (Dask's own threads or processes), on a
``distributed.LocalCluster``, or on a cluster given by its scheduler address;
only the ``distributed.Client`` differs.  Every worker must be able to
``import saiha``.
"""

from __future__ import annotations

from typing import Optional

import dask.dataframe as dd
import pandas as pd

import saiha

from . import _args, _calc


def frame_meta(index: Optional[pd.Index] = None) -> pd.DataFrame:
    """An empty frame with the columns and dtypes of :func:`saiha.calc_frame`'s result.

    Parameters
    ----------
    index : pandas.Index, optional
        An empty index of the partitions' index type (a RangeIndex by default).
    """
    columns = {
        name: pd.Series(dtype=dtype, index=index) for name, dtype in saiha.FRAME_COLUMNS.items()
    }
    return pd.DataFrame(columns, index=index, columns=list(saiha.FRAME_COLUMNS))


def calc_frame(
    ddf: dd.DataFrame,
    *,
    workers: Optional[int] = 1,
    breaker: str = "goda1970",
    shoaling: str = "two-regime",
    lang: Optional[str] = None,
    warnings: bool = False,
) -> dd.DataFrame:
    """:func:`saiha.calc_frame` over every partition of a Dask DataFrame.

    Parameters
    ----------
    ddf : dask.dataframe.DataFrame
        Columns ``Ho`` (m), ``T`` (s), ``alpha0`` (degrees), ``n`` and
        optionally ``h`` (m; missing: the breaking depth), numeric; other
        columns are passed through, as by :func:`saiha.calc_frame`.
    workers : int, optional
        Threads per partition.  1 by default: Dask already runs one partition
        per worker thread, so more would only compete for the same cores.
        None uses all cores of the machine running the partition.
    breaker, shoaling : str
        The model, as for :func:`saiha.calc`; the defaults are the window's.
    lang : {"ja", "en"}, optional
        The language of the ``error`` column; by default the one the
        environment variable ``SAIHA_LANG`` names where the graph is built
        (the workers' own environment does not matter), else Japanese.
    warnings : bool
        Add the column ``warnings``, as :func:`saiha.calc_frame`.

    Returns
    -------
    dask.dataframe.DataFrame
        Lazily, the rows of :func:`saiha.calc_frame` with the partitions and
        divisions of ``ddf``.

    Raises
    ------
    TypeError
        ``ddf`` is not a Dask DataFrame (a pandas DataFrame goes to
        :func:`saiha.calc_frame`, or ``dask.dataframe.from_pandas`` first).
    TypeError, ValueError
        A model name that is not one of ``saiha.BREAKERS`` /
        ``saiha.SHOALINGS``, an unknown language, or columns
        :func:`saiha.calc_frame` refuses (MultiIndex columns among them), at
        once rather than when the graph runs.
    """
    if not isinstance(ddf, dd.DataFrame):
        hint = (": saiha.calc_frame takes a pandas DataFrame, or "
                "dask.dataframe.from_pandas(df, npartitions=...) makes a Dask one"
                if isinstance(ddf, pd.DataFrame) else "")
        raise TypeError(f"saiha.dask.calc_frame takes a Dask DataFrame, not "
                        f"{type(ddf).__module__}.{type(ddf).__name__}{hint}")
    _args.model(breaker, shoaling)
    lang = _args.language(lang)
    # The result of an empty partition: the columns, passed-through ones
    # included, and their dtypes; a missing or duplicate column fails here.
    meta = saiha.calc_frame(ddf._meta, workers=1, warnings=warnings)
    return ddf.map_partitions(
        _calc.calc_frame,
        workers=workers,
        breaker=breaker,
        shoaling=shoaling,
        lang=lang,
        warnings=warnings,
        meta=meta,
    )
