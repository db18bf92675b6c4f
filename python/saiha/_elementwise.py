"""One compiled calculation per element of arguments broadcast together.

The compiled module reads flat, contiguous float64 columns of one length.
Arguments that already are such columns of the full length go in as they
are; any other (a scalar, a row against a column...) stays a broadcast view
and is materialised a chunk at a time, so that memory grows with the
results, not with the inputs copied to the results' size.
"""

from __future__ import annotations

import dataclasses
import os
from typing import Any, Callable, Optional

import numpy as np
import pandas as pd

from . import _args, _saiha

#: Elements handed to the compiled module per call, per thread, where an
#: argument must be materialised: at a few microseconds an element, some
#: hundred milliseconds of work per thread between two calls.
CHUNK_PER_THREAD = 1 << 15

_NAN = np.float64(np.nan)
_FRAMES = (pd.Series, pd.DataFrame)


class Columns:
    """What every element-by-element result offers besides its arrays."""

    index: Optional[pd.Index]
    #: The mode whose own units the columns take ("caisson": P is a force).
    _UNITS_MODE = ""

    def to_frame(self) -> pd.DataFrame:
        """The results as a DataFrame, one row per element.

        Returns
        -------
        pandas.DataFrame
            A column per array attribute, in their order, with :attr:`index`
            where the arguments gave one (a RangeIndex otherwise); 0-d
            results (scalar arguments) give one row.

        Raises
        ------
        ValueError
            For results of more than one dimension.
        """
        arrays = {f.name: getattr(self, f.name)
                  for f in dataclasses.fields(self) if f.name != "index"}  # type: ignore[arg-type]
        shape = np.shape(next(iter(arrays.values())))
        if len(shape) > 1:
            raise ValueError(f"to_frame: results of shape {shape}; one row per element "
                             "needs 0-d or 1-d results")
        return with_units(pd.DataFrame({name: np.atleast_1d(np.asarray(a))
                                         for name, a in arrays.items()}, index=self.index),
                          mode=self._UNITS_MODE)


def with_units(frame: pd.DataFrame, own: Optional[Any] = None, mode: str = "") -> pd.DataFrame:
    """``frame`` with ``attrs["units"]``: each column's unit as ``saiha-calc --units``
    writes it in the header ("m", "s", "degree", "m s-1", "1" for a number
    without dimension), for the columns of ``own`` (every column when None)
    that have one; columns of text, codes, flags or passed through have none.
    ``mode`` ("caisson", "armour") gives a name whose quantity is that mode's
    own (P) the mode's unit."""
    names = frame.columns if own is None else [c for c in frame.columns if c in set(own)]
    units = {}
    for name in names:
        unit = _saiha.column_unit(str(name), mode)
        if unit is not None:
            units[name] = unit
    frame.attrs["units"] = units
    return frame


def make(result_type: type, fields: dict[str, Any], index: Optional[pd.Index] = None) -> Any:
    """A result of ``fields`` (every field but ``index``) without the dataclass's ``__init__``.

    A frozen dataclass's ``__init__`` sets each field through
    ``object.__setattr__``: a microsecond and more of a scalar call.
    """
    result = object.__new__(result_type)
    result.__dict__.update(fields)
    result.__dict__["index"] = index
    return result


def index_field() -> Any:
    """The ``index`` field of a result: the pandas arguments' index, else None."""
    return dataclasses.field(default=None, repr=False, compare=False)


def pandas_index(arguments: dict[str, Any], shape: tuple[int, ...]) -> Optional[pd.Index]:
    """The index of the pandas arguments whose rows are the results' first axis.

    A Series whose length the 1-d results keep, or a DataFrame whose rows the
    2-d results keep, lends its index; None where there is none.

    Raises
    ------
    ValueError
        For two such arguments with different indexes: their rows would be
        paired by position, not by label.
    """
    found: Optional[tuple[str, pd.Index]] = None
    for name, value in arguments.items():
        if not isinstance(value, _FRAMES):
            continue
        if value.ndim != len(shape) or len(value.index) != shape[0]:
            continue  # broadcast along the rows, or its rows are not the results' first axis
        if found is None:
            found = (name, value.index)
        elif not value.index.equals(found[1]):
            raise ValueError(f"{found[0]} and {name} have different indexes; align them first "
                             "(their rows would be paired by position)")
    return None if found is None else found[1]


def _threads(workers: int) -> int:
    return workers if workers > 0 else (os.cpu_count() or 1)


def run(
    result_type: type,
    compiled: Callable[..., dict[str, np.ndarray]],
    arguments: dict[str, Any],
    optional: tuple[str, ...],
    *settings: Any,
    workers: int = 0,
    convert: Optional[Callable[[dict[str, np.ndarray]], dict[str, np.ndarray]]] = None,
) -> Any:
    """``compiled`` over the arguments broadcast together, as flat float64 columns.

    An argument named in ``optional`` may be None: NaN in every element.
    ``settings`` follow the columns in the compiled call; ``workers`` is the
    thread count among them (0: all cores), which sizes the chunks.
    ``convert``, when given, turns the shaped columns into the fields of
    ``result_type`` (besides ``ok`` and ``index``).  The columns come back
    in the broadcast shape as ``result_type``, with ``ok`` where the code
    under ``error`` is 0 and ``index`` from :func:`pandas_index`.
    """
    if all(type(value) in _SCALARS or (value is None and name in optional)
           for name, value in arguments.items()):
        return _scalars(result_type, compiled, arguments, settings, convert)
    arrays = [
        _NAN if value is None and name in optional else _args.real_array(name, value)
        for name, value in arguments.items()
    ]
    if len({a.shape for a in arrays}) == 1:
        views = arrays  # one shape already: nothing to broadcast
    else:
        views = np.broadcast_arrays(*arrays)  # views: nothing copied yet
    shape = views[0].shape
    size = views[0].size
    index = pandas_index(arguments, shape)  # before the work: a mismatch fails at once
    whole = [v.reshape(-1) if v.flags.c_contiguous or not size else None for v in views]
    if all(w is not None for w in whole):
        columns = compiled(*whole, *settings)
    else:
        chunk = CHUNK_PER_THREAD * _threads(workers)
        columns = {}
        for start in range(0, size, chunk):
            stop = min(size, start + chunk)
            part = [w[start:stop] if w is not None else v.flat[start:stop]
                    for w, v in zip(whole, views)]
            done = compiled(*part, *settings)
            for name, column in done.items():
                if name not in columns:
                    columns[name] = np.empty(size, dtype=column.dtype)
                columns[name][start:stop] = column
            del part, done  # one chunk's copies alive at a time
    shaped = {name: column.reshape(shape) for name, column in columns.items()}
    if convert is not None:
        shaped = convert(shaped)
    shaped["ok"] = np.asarray(shaped["error"] == 0)
    # A masked element of any argument masks the element in every result.
    masked = [np.ma.getmaskarray(v) for v in arguments.values() if np.ma.isMaskedArray(v)]
    if masked:
        mask = np.zeros(shape, dtype=bool)
        for m in masked:
            mask |= np.broadcast_to(m, shape)
        shaped = {name: np.ma.masked_array(a, mask=mask.copy()) for name, a in shaped.items()}
    return make(result_type, shaped, index)


#: The types of a scalar argument taken without NumPy's conversions.
_SCALARS = (float, int)


def _scalars(result_type: type, compiled: Callable[..., dict[str, np.ndarray]],
             arguments: dict[str, Any], settings: tuple[Any, ...],
             convert: Optional[Callable[[dict[str, np.ndarray]], dict[str, np.ndarray]]]) -> Any:
    """:func:`run` for Python numbers (None: NaN): one element, 0-d results."""
    numbers = [np.nan if value is None else _args.real_number(name, value)
               for name, value in arguments.items()]
    flat = np.array(numbers, dtype=np.float64).reshape(-1, 1)  # one row per argument
    shaped = {name: column.reshape(()) for name, column in compiled(*flat, *settings).items()}
    if convert is not None:
        shaped = convert(shaped)
    shaped["ok"] = np.array(shaped["error"].item() == 0)
    return make(result_type, shaped)
