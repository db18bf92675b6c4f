"""The calculations over a Dask DataFrame: past one machine.

:func:`calc_frame` maps :func:`saiha.calc_frame` over a table of waves,
:func:`transform` maps :func:`saiha.transform_frame` over a table of sea
conditions on one measured profile (a hindcast).

The same code runs on a laptop (Dask's own threads or processes), on a
``distributed.LocalCluster``, or on a cluster given by its scheduler address;
only the ``distributed.Client`` differs.  Every worker must be able to
``import saiha``.
"""

from __future__ import annotations

import functools
from typing import Any, Optional

import numpy as np
import numpy.typing as npt

import dask.dataframe as dd
import pandas as pd

import saiha

from . import _args, _calc, _structure, _transform


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


def transform(
    conditions: dd.DataFrame,
    profile: Any,
    *,
    output: str = "summary",
    at: Optional[npt.ArrayLike] = None,
    workers: Optional[int] = 1,
    lang: Optional[str] = None,
    **model: Any,
) -> dd.DataFrame:
    """:func:`saiha.transform_frame` over every partition of a Dask DataFrame of conditions.

    Parameters
    ----------
    conditions : dask.dataframe.DataFrame
        One row per sea state at the profile's offshore boundary: ``Hrms0``
        (m) or ``Hm0`` (m), ``Tp`` (s), ``theta0`` (degrees), optionally
        ``tide`` (m) and ``wind_stress`` (N/m**2); other columns are passed
        through.
    profile : pandas.DataFrame, dict or (x, z)
        The one profile every condition crosses (columns or keys ``x``, ``z``).
        It is read once, here, and travels with the graph as two arrays.
    output : {"summary", "long"}
        One row per condition with the breaking onset, maximum setup,
        shoreline and runup (``"summary"``, the default), or one row per
        condition and position with every quantity along the profile
        (``"long"``: ``x, z, h, eta, Hrms, ...``), at every profile point
        or at the positions ``at`` (m), interpolated between points: the
        form for comparing a hindcast with sensors.  The columns are those
        of :func:`saiha.transform_frame`.
    at : array_like, optional
        Positions of the long form (m), on the profile.
    workers : int, optional
        Threads per partition; 1 by default (Dask runs one partition per
        worker thread), None for every core of the machine running it.
    lang : {"ja", "en"}, optional
        The language of the messages of the errors raised here.
    **model
        The model's keywords of :func:`saiha.transform` (``dissipation``,
        ``gamma``, ``roller``, ``setup``...).

    Returns
    -------
    dask.dataframe.DataFrame
        Lazily, the rows of :func:`saiha.transform_frame` with the
        partitions of ``conditions``; the summary keeps its divisions, the
        long form repeats each index value once per position (still sorted,
        so the divisions hold).

    Raises
    ------
    TypeError
        ``conditions`` is not a Dask DataFrame.
    TypeError, ValueError
        A profile every condition would fail on (:class:`saiha.CalcError`),
        a model option or a column :func:`saiha.transform_frame` refuses: at
        once, before the graph runs.  A condition that cannot be computed
        gets its code in ``error``, never an exception.
    """
    if not isinstance(conditions, dd.DataFrame):
        hint = (": saiha.transform_frame takes a pandas DataFrame, or "
                "dask.dataframe.from_pandas(df, npartitions=...) makes a Dask one"
                if isinstance(conditions, pd.DataFrame) else "")
        raise TypeError(f"saiha.dask.transform takes a Dask DataFrame, not "
                        f"{type(conditions).__module__}.{type(conditions).__name__}{hint}")
    x, z = _transform._profile_of(profile)
    points = (np.array(_args.real_array("x", x)), np.array(_args.real_array("z", z)))
    if at is not None:
        at = np.array(np.atleast_1d(_args.real_array("at", at)))
    lang = _args.language(lang)
    settings = dict(output=output, at=at, workers=workers, lang=lang, **model)
    # An empty partition's result: the columns and dtypes, and every check
    # of the profile, the options and the columns, here rather than on a worker.
    meta = _transform.transform_frame(conditions._meta, points, **settings)
    # The settings bound beforehand: map_partitions keeps keywords such as
    # `output` for itself.
    partition = functools.partial(_transform.transform_frame, profile=points, **settings)
    return conditions.map_partitions(partition, meta=meta)


def _structure_frame(ddf: Any, pandas_form: Any, name: str, keywords: dict[str, Any]) -> Any:
    """``pandas_form`` (a frame function of :mod:`saiha._structure`) over every partition."""
    if not isinstance(ddf, dd.DataFrame):
        raise TypeError(f"saiha.dask.{name} takes a Dask DataFrame, not "
                        f"{type(ddf).__module__}.{type(ddf).__name__}")
    keywords.setdefault("workers", 1)
    # The result of an empty partition: its columns and dtypes; a missing or
    # clashing column and a bad option fail here, before the graph runs.
    meta = pandas_form(ddf._meta, **keywords)
    return ddf.map_partitions(pandas_form, meta=meta, **keywords)


def caisson_frame(ddf: dd.DataFrame, **keywords: Any) -> dd.DataFrame:
    """:func:`saiha.caisson_frame` over every partition of a Dask DataFrame.

    Parameters
    ----------
    ddf : dask.dataframe.DataFrame
        Columns ``Hmax, H13, T, h, h_prime, d, hc, B`` and any per-row
        settings (``n, beta, berm, ...``); others pass through.
    **keywords
        As for :func:`saiha.caisson_frame`; ``workers`` is 1 by default
        (Dask runs one partition per worker thread).

    Returns
    -------
    dask.dataframe.DataFrame
        Lazily, the rows of :func:`saiha.caisson_frame`, partitions and
        divisions of ``ddf`` kept.
    """
    return _structure_frame(ddf, _structure.caisson_frame, "caisson_frame", keywords)


def overtopping_frame(ddf: dd.DataFrame, **keywords: Any) -> dd.DataFrame:
    """:func:`saiha.overtopping_frame` over every partition of a Dask DataFrame.

    Columns ``Hm0, Tm10, Rc`` and any per-row settings; keywords as for
    :func:`saiha.overtopping_frame` (``workers`` 1 by default).
    """
    return _structure_frame(ddf, _structure.overtopping_frame, "overtopping_frame", keywords)


def armour_frame(ddf: dd.DataFrame, **keywords: Any) -> dd.DataFrame:
    """:func:`saiha.armour_frame` over every partition of a Dask DataFrame.

    Columns ``Hs, T, cot_alpha`` and any per-row settings; keywords as for
    :func:`saiha.armour_frame` (``workers`` 1 by default).
    """
    return _structure_frame(ddf, _structure.armour_frame, "armour_frame", keywords)
