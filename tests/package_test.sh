#!/usr/bin/env bash
# The Python package as a user installs it: pip into a virtual environment
# that sees Debian's NumPy and pandas, then the package's tests against the
# installed copy (not the build tree), and `pip wheel`.
#
#   tests/package_test.sh SOURCE_DIR BUILD_DIR PYTHON SAIHA_CALC VERSION
#
# The module is not compiled again: SAIHA_BUILD_DIR points setup.py at the
# build folder CTest runs in.  The environment is left in
# BUILD_DIR/package-test/venv for the README's examples.
set -euo pipefail
source_dir=$(realpath "$1") build_dir=$(realpath "$2") python=$3 saiha_calc=$(realpath "$4") version=$5
work=$build_dir/package-test
venv=$work/venv
rm -rf "$work"
mkdir -p "$work"
"$python" -m venv --system-site-packages "$venv"

cd "$source_dir"
export SAIHA_BUILD_DIR=$build_dir PIP_DISABLE_PIP_VERSION_CHECK=1
"$venv/bin/pip" install -q --no-build-isolation .
"$venv/bin/pip" wheel -q --no-build-isolation --no-deps -w "$work/dist" .
wheel=$(ls "$work/dist"/saiha-"$version"-*.whl)
# Every module of the source tree is in the wheel.
"$python" - "$wheel" "$source_dir/python/saiha" <<'PY'
import sys
import zipfile
from pathlib import Path

wheel, source = sys.argv[1], Path(sys.argv[2])
packed = {Path(name).name for name in zipfile.ZipFile(wheel).namelist()
          if name.startswith("saiha/")}
missing = sorted(p.name for p in source.iterdir() if p.suffix in (".py", ".pyi") and p.name not in packed)
assert not missing, f"not in {wheel}: {missing}"
PY

# Away from the source tree, so that nothing but the installed copy imports.
cd "$work"
"$venv/bin/python" - "$venv" "$version" <<'PY'
import sys
from pathlib import Path

import saiha

venv, version = Path(sys.argv[1]).resolve(), sys.argv[2]
assert Path(saiha.__file__).resolve().is_relative_to(venv), saiha.__file__
assert saiha.__version__ == version, (saiha.__version__, version)
assert abs(float(saiha.calc(1, 10, 30, 60).H) - 1.7058568) < 1e-6
PY
SAIHA_CALC=$saiha_calc SAIHA_SOURCE_DIR=$source_dir \
  "$venv/bin/python" -m pytest -q -p no:cacheprovider "$source_dir/python/tests"
