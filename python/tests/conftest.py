"""Shared fixtures: saiha-calc and the example cases, as CTest hands them over."""

import csv
import math
import os
import subprocess
from io import BytesIO
from pathlib import Path

import numpy as np
import pandas as pd
import pytest

SOURCE_DIR = Path(os.environ.get("SAIHA_SOURCE_DIR", Path(__file__).resolve().parents[2]))
CASES = SOURCE_DIR / "examples" / "cases.csv"


def sheet_number(cell: str, column: str) -> float:
    """A cell as a number for saiha.calc, read as the window reads a box.

    Empty: NaN (for h, the breaking depth).  No number: NaN, refused as an
    input; for h a depth of 0, refused as well (NaN would mean the default).
    """
    if cell == "":
        return math.nan
    try:
        return float(cell)
    except ValueError:
        return 0.0 if column == "h" else math.nan


@pytest.fixture(scope="session")
def saiha_calc() -> str:
    path = os.environ.get("SAIHA_CALC")
    if not path:
        pytest.skip("SAIHA_CALC (the saiha-calc program) is not set; run through ctest")
    return path


@pytest.fixture(scope="session")
def cases() -> pd.DataFrame:
    """examples/cases.csv as numbers, one row per case."""
    with open(CASES, newline="", encoding="utf-8") as f:
        rows = list(csv.DictReader(f))
    return pd.DataFrame(
        {c: [sheet_number(r[c], c) for r in rows] for c in ("Ho", "T", "alpha0", "n", "h")}
    )


def run_saiha_calc(program: str, *options: str) -> pd.DataFrame:
    """saiha-calc's output for examples/cases.csv, every cell as text."""
    done = subprocess.run([program, *options, str(CASES)], capture_output=True, check=False)
    assert done.returncode in (0, 1), done.stderr.decode()
    return pd.read_csv(BytesIO(done.stdout), dtype=str, keep_default_na=False)


def bits(values) -> np.ndarray:
    """float32 values as their bit patterns, so that NaN equals NaN."""
    return np.asarray(values, dtype=np.float32).view(np.uint32)
