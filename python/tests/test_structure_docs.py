"""Every ```sh and ```python block of docs/structure.md runs as written.

Each runs in a fresh folder laid out as a clone after the build: ``build/``
the build folder (the one saiha-calc comes from), ``examples/`` a copy of the
source's; Python blocks with this interpreter and the package under test.
"""

import os
import re
import shutil
import subprocess
import sys
from pathlib import Path

import pytest

from conftest import SOURCE_DIR

DOC = SOURCE_DIR / "docs" / "structure.md"
BLOCKS = re.findall(r"```(sh|python)\n(.*?)```", DOC.read_text(encoding="utf-8"), re.S)


def test_the_document_has_examples_of_both_kinds():
    kinds = [kind for kind, _ in BLOCKS]
    assert kinds.count("sh") >= 5 and kinds.count("python") >= 2


@pytest.mark.parametrize("kind, code", BLOCKS, ids=[f"block{i}" for i in range(len(BLOCKS))])
def test_block_runs_as_written(saiha_calc, tmp_path, kind, code):
    build = Path(saiha_calc).resolve().parents[1]
    (tmp_path / "build").symlink_to(build)
    shutil.copytree(SOURCE_DIR / "examples", tmp_path / "examples")
    command = ["bash", "-euo", "pipefail", "-c", code] if kind == "sh" else [sys.executable, "-c", code]
    done = subprocess.run(command, cwd=tmp_path, capture_output=True, text=True, timeout=120,
                          env={**os.environ, "SAIHA_LANG": "en"})
    assert done.returncode == 0, f"{code}\n--- stdout\n{done.stdout}\n--- stderr\n{done.stderr}"
    assert done.stdout.strip(), "a block that prints nothing shows nothing"
    left = sorted(p.name for p in tmp_path.iterdir() if p.name not in ("build", "examples"))
    assert not left, f"the block leaves {left} behind"
