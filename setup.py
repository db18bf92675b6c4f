"""Builds the Python package saiha: the compiled module through the project's
CMake, the pure-Python files as they are.  The metadata is in pyproject.toml;
the version is the one of CMakeLists.txt's project().

The module is built with the window left out (no Qt is looked up) in a CMake
build folder of its own under build-python/.  SAIHA_BUILD_DIR names an
existing build folder to use instead (CTest's, so that a test need not build
the module twice); it must have been configured for the same Python.
"""

import os
import re
import shutil
import subprocess
import sys
import sysconfig
from pathlib import Path

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

SOURCE = Path(__file__).resolve().parent


def project_version() -> str:
    """The VERSION of project() in CMakeLists.txt, the project's one version."""
    text = (SOURCE / "CMakeLists.txt").read_text(encoding="utf-8")
    found = re.search(r"project\(\s*saiha\s+VERSION\s+([0-9][0-9.]*)", text)
    if not found:
        sys.exit("setup.py: no project(saiha VERSION ...) in CMakeLists.txt")
    return found.group(1)


class CMakeBuild(build_ext):
    """Builds saiha._saiha with CMake and puts it where setuptools expects it."""

    def build_extension(self, ext: Extension) -> None:
        folder = os.environ.get("SAIHA_BUILD_DIR")
        build = Path(folder).resolve() if folder else Path(self.build_temp).resolve() / "cmake"
        if not (build / "CMakeCache.txt").exists():
            subprocess.run(
                ["cmake", "-S", str(SOURCE), "-B", str(build),
                 "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
                 "-DSAIHA_WINDOW=OFF", "-DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON",
                 f"-DPython3_EXECUTABLE={sys.executable}"],
                check=True)
        jobs = os.environ.get("CMAKE_BUILD_PARALLEL_LEVEL") or str(os.cpu_count() or 1)
        subprocess.run(["cmake", "--build", str(build), "--target", "saiha_python", "-j", jobs],
                       check=True)
        # A module built for another interpreter would not import: say so here.
        suffix = sysconfig.get_config_var("EXT_SUFFIX")
        built = build / "python" / "saiha" / f"_saiha{suffix}"
        if not built.exists():
            found = sorted(p.name for p in (build / "python" / "saiha").glob("_saiha*"))
            sys.exit(f"setup.py: no {built.name} in {built.parent} (found {found}); "
                     "the build folder was configured for another Python")
        target = Path(self.get_ext_fullpath(ext.name))
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(built, target)


setup(
    version=project_version(),
    packages=["saiha"],
    package_dir={"": "python"},
    package_data={"saiha": ["py.typed", "_saiha.pyi"]},
    ext_modules=[Extension("saiha._saiha", sources=[])],
    cmdclass={"build_ext": CMakeBuild},
    # Not build/: that is the CMake build folder of `make`.  Beside a given
    # build folder, so that two of them can be installed from at once.
    options={"build": {"build_base": os.path.join(os.environ["SAIHA_BUILD_DIR"], "pip")
                       if os.environ.get("SAIHA_BUILD_DIR") else "build-python"}},
    zip_safe=False,
)
