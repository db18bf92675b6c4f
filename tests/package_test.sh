#!/usr/bin/env bash
# The Python package as a user installs it.  `pip wheel` makes the wheel
# handed to a colleague; its contents are checked (every module, the
# compiled one, py.typed, the stubs, the licence and the metadata) and it is
# installed into a fresh virtual environment that sees Debian's NumPy and
# pandas, where the package's tests run against the installed copy (not the
# build tree).  `pip install .`, as the README says, gives a second
# environment with the same files.
#
#   tests/package_test.sh SOURCE_DIR BUILD_DIR PYTHON SAIHA_CALC VERSION
#
# The module is not compiled again: SAIHA_BUILD_DIR points setup.py at the
# build folder CTest runs in.  The `pip install .` environment is left in
# BUILD_DIR/package-test/venv for the README's examples.
set -euo pipefail
source_dir=$(realpath "$1") build_dir=$(realpath "$2") python=$3 saiha_calc=$(realpath "$4") version=$5
work=$build_dir/package-test
venv=$work/venv
wheel_venv=$work/wheel-venv
rm -rf "$work"
mkdir -p "$work"

cd "$source_dir"
export SAIHA_BUILD_DIR=$build_dir PIP_DISABLE_PIP_VERSION_CHECK=1
"$python" -m pip wheel -q --no-build-isolation --no-deps -w "$work/dist" .
wheel=$(ls "$work/dist"/saiha-"$version"-*.whl)
"$python" - "$wheel" "$source_dir/python/saiha" "$version" <<'PY'
import sys
import zipfile
from email.parser import Parser
from pathlib import Path

wheel, source, version = sys.argv[1], Path(sys.argv[2]), sys.argv[3]
names = zipfile.ZipFile(wheel).namelist()
packed = {Path(name).name for name in names if name.startswith("saiha/")}
# Every module of the source tree, the stubs and the typing marker.
wanted = sorted(p.name for p in source.iterdir() if p.suffix in (".py", ".pyi") or p.name == "py.typed")
missing = [name for name in wanted + ["py.typed", "_saiha.pyi"] if name not in packed]
assert not missing, f"not in {wheel}: {missing}"
assert any(n.startswith("_saiha.") and n.endswith(".so") for n in packed), f"no compiled module: {packed}"

info = f"saiha-{version}.dist-info"
assert f"{info}/LICENSE" in names, f"no licence in {wheel}: {names}"
licence = zipfile.ZipFile(wheel).read(f"{info}/LICENSE").decode()
assert licence.startswith("MIT License"), licence[:40]
metadata = Parser().parsestr(zipfile.ZipFile(wheel).read(f"{info}/METADATA").decode())
assert metadata["Version"] == version, metadata["Version"]
assert "LICENSE" in metadata.get_all("License-File", []), metadata.get_all("License-File")
extras = set(metadata.get_all("Provides-Extra", []))
assert {"dask", "plot", "xarray"} <= extras, extras
# Spelt without spaces and with one kind of quote, as tools differ there.
requires = {r.replace(" ", "").replace("'", '"') for r in metadata.get_all("Requires-Dist", [])}
for name in ("numpy", "pandas", 'matplotlib;extra=="plot"', 'xarray;extra=="xarray"'):
    assert name in requires, (name, requires)
PY

# The wheel in a fresh environment.
"$python" -m venv --system-site-packages "$wheel_venv"
"$wheel_venv/bin/pip" install -q --no-deps "$wheel"
# `pip install .` as the README has it: the same files.
"$python" -m venv --system-site-packages "$venv"
"$venv/bin/pip" install -q --no-build-isolation .
"$python" - "$wheel_venv" "$venv" <<'PY'
import sys
from pathlib import Path


def installed(venv):
    record = next(Path(venv).glob("lib/python*/site-packages/saiha-*.dist-info/RECORD"))
    return sorted(line.split(",")[0] for line in record.read_text().splitlines()
                  if line.startswith("saiha/") and "__pycache__" not in line)


from_wheel, from_source = installed(sys.argv[1]), installed(sys.argv[2])
assert from_wheel == from_source, (from_wheel, from_source)
PY

# Away from the source tree, so that nothing but the installed copy imports.
cd "$work"
for env in "$wheel_venv" "$venv"; do
  "$env/bin/python" - "$env" "$version" <<'PY'
import sys
from pathlib import Path

import saiha

venv, version = Path(sys.argv[1]).resolve(), sys.argv[2]
assert Path(saiha.__file__).resolve().is_relative_to(venv), saiha.__file__
assert saiha.__version__ == version, (saiha.__version__, version)
assert abs(float(saiha.calc(1, 10, 30, 60).H) - 1.7058568) < 1e-6
PY
done
SAIHA_CALC=$saiha_calc SAIHA_SOURCE_DIR=$source_dir \
  "$wheel_venv/bin/python" -m pytest -q -p no:cacheprovider "$source_dir/python/tests"
