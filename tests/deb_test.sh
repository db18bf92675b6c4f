#!/usr/bin/env bash
# The Debian packages as a user gets them: cpack builds them from this build
# folder into a scratch folder, dpkg-deb -x unpacks each into one root, and
# the programs and the Python module run from there; then lintian.
#
#   tests/deb_test.sh BUILD_DIR CPACK VERSION WINDOW SAIHA_CALC
#
# WINDOW is ON when the window is built (the package saiha-window has it).
# The command line's package saiha must not need Qt: a server installs it
# alone.
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
declare -A package_of=([saiha]=saiha [window]=saiha-window [python]=python3-saiha [lib]=libsaiha1
                       [dev]=libsaiha-dev)
expected=()
for component in ${components//;/ }; do
  [[ -n ${package_of[$component]:-} ]] || fail "component $component has no Debian package"
  expected+=("${package_of[$component]}")
done
[[ " ${expected[*]} " == *" saiha "* ]] || fail "no package saiha (components: $components)"
if [[ $window == ON ]]; then
  [[ " ${expected[*]} " == *" saiha-window "* ]] || fail "no package saiha-window (components: $components)"
else
  [[ " ${expected[*]} " != *" saiha-window "* ]] || fail "a package saiha-window without the window"
fi
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

saiha_deb=$(ls "$work/debs/saiha_${version}_"*.deb)
saiha_deps=$(dpkg-deb -f "$saiha_deb" Depends)
[[ $saiha_deps == *"libc6 ("* ]] || fail "saiha: no dependencies from dpkg-shlibdeps ($saiha_deps)"
# The command line alone: nothing of Qt, no window, in what a server installs.
[[ $saiha_deps != *qt* && $(dpkg-deb -f "$saiha_deb" Recommends) != *qt* ]] ||
  fail "saiha pulls in Qt: $saiha_deps; $(dpkg-deb -f "$saiha_deb" Recommends)"
saiha_files=$(dpkg-deb -c "$saiha_deb")
! grep -Eq '/usr/bin/saiha$|applications/|icons/' <<<"$saiha_files" || fail "saiha holds the window's files"
doc=$root/usr/share/doc/saiha
for f in README.md.gz CHANGELOG.md.gz docs/cli.md docs/transform.md docs/install.md docs/profile.png \
         examples/barred_profile.csv examples/conditions.csv examples/cases.csv examples/batch.sh \
         examples/engine_example.cpp examples/engine_example/CMakeLists.txt; do
  [[ -f $doc/$f ]] || fail "saiha: no $f in $doc"
done
[[ -x $doc/examples/batch.sh ]] || fail "saiha: examples/batch.sh is not executable"
zgrep -q '^## \['"$version"'\]' "$doc/CHANGELOG.md.gz" || fail "saiha: CHANGELOG.md.gz has no $version"
# The manual pages say where the documentation and examples are.
for page in saiha-calc saiha-calc-transform; do
  zgrep -q '/usr/share/doc/saiha' "$root/usr/share/man/man1/$page.1.gz" ||
    fail "$page(1) does not name /usr/share/doc/saiha"
done
for f in usr/share/man/man1/saiha-calc.1.gz usr/share/bash-completion/completions/saiha-calc \
         usr/share/zsh/vendor-completions/_saiha-calc; do
  [[ -f $root/$f ]] || fail "saiha: no /$f"
done

export LD_LIBRARY_PATH=$root/usr/lib:$root/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)
calc=$root/usr/bin/saiha-calc
! ldd "$calc" | grep -q 'not found' || fail "saiha-calc: $(ldd "$calc" | grep 'not found')"
[[ $("$calc" --version) == "saiha-calc $version" ]] || fail "saiha-calc --version: $("$calc" --version)"
# The walk-through of the README from the installed examples.
"$calc" transform --profile "$doc/examples/barred_profile.csv" --summary "$doc/examples/conditions.csv" \
  >"$work/summary.csv" || fail "saiha-calc transform on the installed examples"
[[ $(wc -l <"$work/summary.csv") == 73 ]] || fail "the installed conditions.csv is not 72 hours"
# The packaged program computes what the built one does, byte for byte.
waves=$'Ho,T,alpha0,n,h\n1,10,30,60,\n2,8,0,100,3\n'
[[ $("$calc" <<<"$waves") == "$("$saiha_calc" <<<"$waves")" ]] ||
  fail "the packaged saiha-calc computes otherwise than $saiha_calc"
"$calc" <<<"$waves" | grep -q '^1,10,30,60,2\.07,1\.71,' || fail "saiha-calc: wrong breaking point"
english=$("$calc" --lang en <<<$'Ho,T,alpha0,n,h\n-1,10,30,60,\n' 2>/dev/null || true)
[[ $english == *"Enter a number greater than 0 for the deep-water wave height Ho."* ]] ||
  fail "saiha-calc --lang en: $english"

if [[ $window == ON ]]; then
  window_deb=$(ls "$work/debs/saiha-window_${version}_"*.deb)
  [[ $(dpkg-deb -f "$window_deb" Depends) == *"saiha (= $version)"* ]] ||
    fail "saiha-window does not depend on saiha of its version: $(dpkg-deb -f "$window_deb" Depends)"
  [[ $(dpkg-deb -f "$window_deb" Recommends) == *qt6-qpa-plugins* ]] ||
    fail "saiha-window does not recommend Qt's platform plugins"
  window_files=$(dpkg-deb -c "$window_deb")
  for f in usr/bin/saiha usr/share/man/man1/saiha.1.gz usr/share/applications/saiha.desktop \
           usr/share/icons/hicolor/32x32/apps/saiha.png usr/share/icons/hicolor/scalable/apps/saiha.svg; do
    [[ -f $root/$f ]] || fail "saiha-window: no /$f"
    grep -q " \./$f\$" <<<"$window_files" || fail "/$f is not in saiha-window"
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
