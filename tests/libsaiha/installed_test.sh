#!/bin/sh
# libsaiha as a program outside the tree uses it: the lib and dev components
# installed into a scratch prefix, each installed header compiled alone
# against that prefix, then examples/engine_example.cpp built against it as a
# CMake project (Saiha::engine and Saiha::engine_static) and with pkg-config,
# and run: its output must be that of the example built in the tree.
#
# installed_test.sh SOURCE BUILD SCRATCH CMAKE CXX IN_TREE_EXAMPLE VERSION LIBDIR
set -eu
source=$1 build=$2 scratch=$3 cmake=$4 cxx=$5 in_tree=$6 version=$7 libdir=$8
major=${version%%.*}

fail() {
  echo "installed_test: $*" >&2
  exit 1
}
# Runs a command quietly, showing its output only when it fails.
quiet() {
  log=$scratch/last.log
  "$@" >"$log" 2>&1 || { cat "$log" >&2; fail "failed: $*"; }
}

rm -rf "$scratch"
mkdir -p "$scratch"
cd "$scratch"
expected=$("$in_tree")

# The lib component is the shared library's runtime files and nothing else.
quiet "$cmake" --install "$build" --component lib --prefix "$scratch/lib-only"
found=$(cd lib-only && find . ! -type d | sort | tr '\n' ' ')
# The library, and the Debian package's changelog, copyright and lintian
# overrides, which the component carries into libsaiha1.
wanted="./$libdir/libsaiha.so.$major ./$libdir/libsaiha.so.$version \
./share/doc/libsaiha1/changelog.gz ./share/doc/libsaiha1/copyright ./share/lintian/overrides/libsaiha1 "
[ "$found" = "$wanted" ] || fail "component lib holds '$found', not '$wanted'"
readelf -d "lib-only/$libdir/libsaiha.so.$version" | grep -q "SONAME.*\[libsaiha.so.$major\]" ||
  fail "libsaiha.so.$version has no SONAME libsaiha.so.$major"

prefix=$scratch/prefix
quiet "$cmake" --install "$build" --component lib --prefix "$prefix"
quiet "$cmake" --install "$build" --component dev --prefix "$prefix"
for file in include/saiha/export.h include/saiha/version.h include/saiha/shore/engine.h \
            include/saiha/report/messages.h include/saiha/runtime/text.h \
            "$libdir/libsaiha.a" "$libdir/cmake/Saiha/SaihaConfig.cmake" \
            "$libdir/cmake/Saiha/SaihaConfigVersion.cmake" "$libdir/pkgconfig/saiha.pc"; do
  [ -f "$prefix/$file" ] || fail "component dev installs no $file"
done
[ "$(readlink "$prefix/$libdir/libsaiha.so")" = "libsaiha.so.$major" ] ||
  fail "libsaiha.so is not a link to libsaiha.so.$major"
# The engine's internals stay out of the installed tree.
for private in include/saiha/wave include/saiha/runtime/checked.h include/saiha/shore/internal.h; do
  [ ! -e "$prefix/$private" ] || fail "$private is installed"
done

# Each installed header first and alone, with nothing but the prefix on the
# include path: a header that reaches a private one, or the source tree,
# fails here.
count=0
for header in $(cd "$prefix/include" && find saiha -name '*.h' | sort); do
  printf '#include <%s>\n' "$header" |
    "$cxx" -std=c++20 -Wall -Wextra -Werror -fsyntax-only -I "$prefix/include" -x c++ - ||
    fail "$header does not compile alone against the installed headers"
  count=$((count + 1))
done
[ "$count" -ge 18 ] || fail "only $count headers installed"

# find_package(Saiha 1.1 CONFIG REQUIRED), from the prefix and nowhere else.
for kind in shared static; do
  static=OFF
  [ "$kind" = static ] && static=ON
  quiet "$cmake" -S "$source/examples/engine_example" -B "cmake-$kind" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF -DCMAKE_FIND_USE_SYSTEM_PACKAGE_REGISTRY=OFF \
    -DSAIHA_LINK_STATIC=$static
  grep -q "^Saiha_DIR:PATH=$prefix/$libdir/cmake/Saiha\$" "cmake-$kind/CMakeCache.txt" ||
    fail "the $kind example found Saiha outside $prefix"
  quiet "$cmake" --build "cmake-$kind"
  out=$("cmake-$kind/engine_example") || fail "the $kind example failed: $out"
  [ "$out" = "$expected" ] || fail "the $kind example printed '$out', not '$expected'"
done
readelf -d cmake-shared/engine_example | grep -q "NEEDED.*\[libsaiha.so.$major\]" ||
  fail "the shared example does not load libsaiha.so.$major"
! readelf -d cmake-static/engine_example | grep -q "NEEDED.*libsaiha" ||
  fail "the static example loads libsaiha.so"

# The version file: any 1.x from 1.0 up to this one is met, 2.0 is not.
mkdir versions
cat >versions/CMakeLists.txt <<END
cmake_minimum_required(VERSION 3.16)
project(saiha_versions NONE)
find_package(Saiha 1.0 CONFIG REQUIRED)
find_package(Saiha $version EXACT CONFIG REQUIRED)
find_package(Saiha 2.0 CONFIG QUIET)
if(Saiha_FOUND)
  message(FATAL_ERROR "Saiha $version accepted for 2.0")
endif()
END
quiet "$cmake" -S versions -B versions/build -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF -DCMAKE_FIND_USE_SYSTEM_PACKAGE_REGISTRY=OFF

# pkg-config, with the prefix's saiha.pc the only one it sees.
PKG_CONFIG_LIBDIR=$prefix/$libdir/pkgconfig
export PKG_CONFIG_LIBDIR
unset PKG_CONFIG_PATH || true
[ "$(pkg-config --modversion saiha)" = "$version" ] || fail "saiha.pc is not version $version"
flags=$(pkg-config --cflags --libs saiha)
libs=$(pkg-config --variable=libdir saiha)
# shellcheck disable=SC2086  # the flags are words
"$cxx" -std=c++20 -o pc_example "$source/examples/engine_example.cpp" $flags -Wl,-rpath,"$libs" ||
  fail "g++ \$(pkg-config --cflags --libs saiha) failed"
out=$(./pc_example) || fail "the pkg-config example failed: $out"
[ "$out" = "$expected" ] || fail "the pkg-config example printed '$out', not '$expected'"
echo "installed_test: $count headers; CMake (shared, static) and pkg-config builds print: $out"
