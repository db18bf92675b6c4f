#!/usr/bin/env bash
# The Debian packages as a user gets them: cpack builds them from this build
# folder into a scratch folder, dpkg-deb -x unpacks each into one root, and
# the programs and the Python module run from there; then lintian.
#
#   tests/deb_test.sh BUILD_DIR CPACK VERSION WINDOW SAIHA_CALC
#
# WINDOW is ON when the window is built (saiha is then in the package).
# The engine library's packages (libsaiha1, libsaiha-dev) are checked when
# the build installs their components (lib, dev).  Lintian tags of severity
# error or warning fail the test; those explained are in lintian overrides
# shipped with the packages (docs/install.md lists what is left).
set -euo pipefail
build_dir=$(realpath "$1") cpack=$2 version=$3 window=$4 saiha_calc=$(realpath "$5")
fail() { echo "deb_test: $*" >&2; exit 1; }

for tool in dpkg-deb dpkg-shlibdeps dpkg-parsechangelog lintian file readelf; do
  command -v "$tool" >/dev/null ||
    fail "$tool is missing: scripts/install-deps.sh installs it (lintian, dpkg-dev, file, binutils)"
done

work=$(mktemp -d "${TMPDIR:-/tmp}/saiha-deb.XXXXXX")
trap 'rm -rf "$work"' EXIT

# Every install() rule names its component: a file of no component would be
# in no package.
cmake --install "$build_dir" --component Unspecified --prefix "$work/unspecified" >/dev/null
if [[ -d $work/unspecified ]] && [[ -n $(find "$work/unspecified" -type f) ]]; then
  fail "installed without a COMPONENT (so in no package): $(cd "$work/unspecified" && find . -type f)"
fi

"$cpack" --config "$build_dir/CPackConfig.cmake" -B "$work/debs" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack failed"; }

# The packages expected: one per component the build installs.
components=$(sed -n 's/^set(CPACK_COMPONENTS_ALL "\(.*\)")$/\1/p' "$build_dir/CPackConfig.cmake")
declare -A package_of=([saiha]=saiha [python]=python3-saiha [lib]=libsaiha1 [dev]=libsaiha-dev)
expected=()
for component in ${components//;/ }; do
  [[ -n ${package_of[$component]:-} ]] || fail "component $component has no Debian package"
  expected+=("${package_of[$component]}")
done
[[ " ${expected[*]} " == *" saiha "* ]] || fail "no package saiha (components: $components)"
built=$(cd "$work/debs" && ls -- *.deb | sort | tr '\n' ' ')
wanted=$(for p in "${expected[@]}"; do echo "${p}_${version}_$(dpkg --print-architecture).deb"; done |
         sort | tr '\n' ' ')
[[ $built == "$wanted" ]] || fail "cpack made [$built], expected [$wanted]"

root=$work/root
for p in "${expected[@]}"; do
  deb=$(ls "$work/debs/${p}_${version}_"*.deb)
  [[ $(dpkg-deb -f "$deb" Package) == "$p" ]] || fail "$deb: Package is not $p"
  [[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || fail "$p: Version is not $version"
  dpkg-deb -x "$deb" "$root"
  # Copyright and changelog in every package; the changelog in Debian's
  # format with this version first.
  doc=$root/usr/share/doc/$p
  [[ -f $doc/copyright && -f $doc/changelog.gz ]] || fail "$p: no copyright or changelog.gz in $doc"
  grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
    "$doc/copyright" || fail "$p: copyright is not machine-readable"
  grep -q '^ Permission is hereby granted' "$doc/copyright" || fail "$p: no licence text in copyright"
  zcat "$doc/changelog.gz" >"$work/changelog"
  [[ $(dpkg-parsechangelog -l "$work/changelog" -S Version) == "$version" ]] ||
    fail "$p: changelog.gz does not start with $version"
  # A program needing the engine's shared library depends on its package.
  depends=$(dpkg-deb -f "$deb" Depends)
  while IFS= read -r -d '' binary; do
    if file -b "$binary" | grep -q '^ELF' &&
       readelf -d "$binary" | grep -q 'NEEDED.*\[libsaiha\.so'; then
      [[ $p == libsaiha1 || $depends == *"libsaiha1 ("* ]] ||
        fail "$p: ${binary#"$root"} needs libsaiha.so but $p does not depend on libsaiha1"
    fi
  done < <(dpkg-deb -c "$deb" | awk '$1 ~ /^-/ {print $6}' | sed "s|^\.|$root|" | tr '\n' '\0')
done

saiha_deps=$(dpkg-deb -f "$work/debs/saiha_${version}_"*.deb Depends)
[[ $saiha_deps == *"libc6 ("* ]] || fail "saiha: no dependencies from dpkg-shlibdeps ($saiha_deps)"
doc=$root/usr/share/doc/saiha
for f in README.md.gz CHANGELOG.md.gz; do [[ -f $doc/$f ]] || fail "saiha: no $f in $doc"; done
zgrep -q '^## \['"$version"'\]' "$doc/CHANGELOG.md.gz" || fail "saiha: CHANGELOG.md.gz has no $version"
for f in usr/share/man/man1/saiha-calc.1.gz usr/share/bash-completion/completions/saiha-calc \
         usr/share/zsh/vendor-completions/_saiha-calc; do
  [[ -f $root/$f ]] || fail "saiha: no /$f"
done

export LD_LIBRARY_PATH=$root/usr/lib:$root/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)
calc=$root/usr/bin/saiha-calc
! ldd "$calc" | grep -q 'not found' || fail "saiha-calc: $(ldd "$calc" | grep 'not found')"
[[ $("$calc" --version) == "saiha-calc $version" ]] || fail "saiha-calc --version: $("$calc" --version)"
# The packaged program computes what the built one does, byte for byte.
waves=$'Ho,T,alpha0,n,h\n1,10,30,60,\n2,8,0,100,3\n'
[[ $("$calc" <<<"$waves") == "$("$saiha_calc" <<<"$waves")" ]] ||
  fail "the packaged saiha-calc computes otherwise than $saiha_calc"
"$calc" <<<"$waves" | grep -q '^1,10,30,60,2\.07,1\.71,' || fail "saiha-calc: wrong breaking point"
english=$("$calc" --lang en <<<$'Ho,T,alpha0,n,h\n-1,10,30,60,\n' 2>/dev/null || true)
[[ $english == *"Enter a number greater than 0 for the deep-water wave height Ho."* ]] ||
  fail "saiha-calc --lang en: $english"

if [[ $window == ON ]]; then
  for f in usr/bin/saiha usr/share/man/man1/saiha.1.gz usr/share/applications/saiha.desktop \
           usr/share/icons/hicolor/32x32/apps/saiha.png usr/share/icons/hicolor/scalable/apps/saiha.svg; do
    [[ -f $root/$f ]] || fail "saiha: no /$f"
  done
  # --version is answered before any window is made: no display needed.
  [[ $(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/saiha" --version) == \
     "saiha $version" ]] || fail "saiha --version"
fi

if [[ " ${expected[*]} " == *" python3-saiha "* ]]; then
  py_deps=$(dpkg-deb -f "$work/debs/python3-saiha_${version}_"*.deb Depends)
  for dep in python3-numpy python3-pandas "python3 (>= " libtbb12; do
    [[ $py_deps == *"$dep"* ]] || fail "python3-saiha: no dependency $dep ($py_deps)"
  done
  (cd "$work" && PYTHONPATH=$root/usr/lib/python3/dist-packages /usr/bin/python3 - "$root" "$version" <<'PY'
import sys
from pathlib import Path

import saiha

root, version = Path(sys.argv[1]), sys.argv[2]
assert Path(saiha.__file__).is_relative_to(root / "usr/lib/python3/dist-packages"), saiha.__file__
assert saiha.__version__ == version, saiha.__version__
assert abs(float(saiha.calc(1, 10, 30, 60).H) - 1.7058568) < 1e-6
PY
  ) || fail "python3-saiha does not import from the package"
fi

# Lintian: errors and warnings fail; the rest is shown.
if ! lintian --fail-on error,warning --display-info "$work/debs"/*.deb >"$work/lintian.log" 2>&1; then
  cat "$work/lintian.log" >&2
  fail "lintian reports errors or warnings"
fi
grep -v 'running with root privileges' "$work/lintian.log" || true
echo "deb_test: ${expected[*]} built, unpacked, run and lintian-clean"
