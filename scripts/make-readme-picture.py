#!/usr/bin/python3
"""Remakes docs/storm.png, the picture of the README's walk-through, by running
the README's own Python block that saves storm.png (so the picture is always
what that code draws), over the build's module, in a scratch folder.

    scripts/make-readme-picture.py [BUILD_DIR]      (default build)

Needs Debian's python3-matplotlib.
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

source = Path(__file__).resolve().parent.parent
build = Path(sys.argv[1] if len(sys.argv) > 1 else source / "build").resolve()
readme = (source / "README.md").read_text(encoding="utf-8")
blocks = [code for code in re.findall(r"^```python\n(.*?)^```", readme, re.S | re.M)
          if 'savefig("storm.png"' in code]
if len(blocks) != 1:
    sys.exit(f"README.md has {len(blocks)} Python blocks saving storm.png, not one")
with tempfile.TemporaryDirectory() as work:
    shutil.copytree(source / "examples", Path(work) / "examples")
    (Path(work) / "walk_through.py").write_text(blocks[0], encoding="utf-8")
    env = dict(os.environ, PYTHONPATH=str(build / "python"), MPLBACKEND="Agg")
    subprocess.run(["/usr/bin/python3", "walk_through.py"], cwd=work, env=env, check=True,
                   stdout=subprocess.DEVNULL)
    shutil.copyfile(Path(work) / "storm.png", source / "docs" / "storm.png")
print("wrote docs/storm.png")
