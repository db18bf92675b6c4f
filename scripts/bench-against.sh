#!/usr/bin/env bash
# Times this checkout's saiha-calc against an older commit's, both built the
# same way (RelWithDebInfo, the same compiler and flags), in one run on the
# same machine, old and new runs alternating so that the machine's drift
# falls on both alike:
#   - the batch: 1,000,000 generated rows (bench-batch.sh's cases) at -j 1
#     and at -j 2; the outputs of the two programs must be the same bytes;
#   - the transform: 2,000 conditions (bench-transform.sh's) on
#     examples/barred_profile.csv, -j 1, the long form; the largest height
#     difference (the Hrms and H13 columns, at --precision full) between the
#     two outputs, in mm, must be at most TOLERANCE_MM (0.1 mm unless
#     set: against a commit from before the roller's step control behind
#     bar crests, whose heights differ by up to 0.68 mm, set it to 0.7).
# Prints each run's wall and CPU time and the median ratios old/new.
#
#   scripts/bench-against.sh [COMMIT]        (default fe34acb)
#   RUNS=7 ROWS=200000 CONDITIONS=500 scripts/bench-against.sh fe34acb
#   TOLERANCE_MM=0.7 scripts/bench-against.sh fe34acb
#
# The older commit is built in a worktree beside this checkout
# (../saiha-bench-COMMIT, or OLD_TREE), reused when it is already there;
# this checkout is built in build/ (or BUILD).  ccache is used when present.
set -euo pipefail

commit=${1:-fe34acb}
runs=${RUNS:-5}
rows=${ROWS:-1000000}
conditions=${CONDITIONS:-2000}
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$here/build}
hash=$(git -C "$here" rev-parse --short "$commit^{commit}")
old_tree=${OLD_TREE:-$(dirname "$here")/saiha-bench-$hash}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake_args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DSAIHA_WINDOW=OFF)
if command -v ccache > /dev/null; then
  cmake_args+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$here")}
fi
jobs=${BUILD_JOBS:-2}

# Builds saiha-calc in tree $1 (build folder $2), configuring it if it has
# never been.
build_calc() {
  local tree=$1 dir=$2
  if [[ ! -f "$dir/CMakeCache.txt" ]]; then
    cmake -S "$tree" -B "$dir" "${cmake_args[@]}" > "$work/configure.log" ||
      { cat "$work/configure.log" >&2; exit 1; }
  fi
  cmake --build "$dir" -j "$jobs" --target saiha-calc > "$work/build.log" ||
    { tail -n 40 "$work/build.log" >&2; exit 1; }
}

if [[ ! -d "$old_tree" ]]; then
  git -C "$here" worktree add --detach "$old_tree" "$hash" > /dev/null
fi
[[ "$(git -C "$old_tree" rev-parse --short HEAD)" == "$hash" ]] ||
  { echo "$old_tree is not at $hash" >&2; exit 1; }
echo "building $hash in $old_tree/build"
build_calc "$old_tree" "$old_tree/build"
echo "building this checkout ($(git -C "$here" rev-parse --short HEAD)$(
  git -C "$here" diff --quiet HEAD || echo ', with changes')) in $build"
build_calc "$here" "$build"
old=$old_tree/build/cli/saiha-calc
new=$build/cli/saiha-calc

CASES=$work/cases.csv "$here/scripts/bench-batch.sh" "$rows"
CONDITIONS=$work/conditions.csv "$here/scripts/bench-transform.sh" "$conditions"
profile=$here/examples/barred_profile.csv

# Runs a program ($2...) with its output in $1; appends "wall cpu" (s) to
# $work/times.$label where label is the first argument's base name.
timed() {
  local label=$1 out=$2; shift 2
  # saiha-calc exits 1 when some rows fail (the batch has such rows): the
  # status says nothing of the run itself.
  /usr/bin/time -f '%e %U %S' -o "$work/time.txt" "$@" > "$out" 2> "$work/stderr.txt" || true
  [[ -s "$out" ]] || { cat "$work/stderr.txt" >&2; exit 1; }
  # (GNU time puts a line on a non-zero status before its own.)
  tail -n 1 "$work/time.txt" | awk '{ print $1, $2 + $3 }' >> "$work/times.$label"
}

# The median of the ratios old/new of column $3 (1: wall, 2: CPU) of the
# paired runs in $work/times.$1 and $work/times.$2.
median_ratio() {
  paste -d' ' "$work/times.$1" "$work/times.$2" |
    awk -v c="$3" '{ print $(c) / $(c + 2) }' | sort -g |
    awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

echo "batch: $rows rows, $runs runs each, old and new alternating"
for ((i = 1; i <= runs; i++)); do
  for j in 1 2; do
    timed "old-j$j" "$work/old-j$j.csv" "$old" --no-progress -j "$j" "$work/cases.csv"
    timed "new-j$j" "$work/new-j$j.csv" "$new" --no-progress -j "$j" "$work/cases.csv"
  done
done
status=0
for j in 1 2; do
  if cmp -s "$work/old-j$j.csv" "$work/new-j$j.csv"; then
    echo "  -j $j: the same bytes out as $hash"
  else
    echo "  -j $j: output DIFFERS from $hash's" >&2
    status=1
  fi
done
for j in 1 2; do
  for who in old new; do
    awk -v label="-j $j $who" '{ s = s sprintf(" %.2f/%.2f", $1, $2) }
      END { printf "  %s, wall/CPU s:%s\n", label, s }' "$work/times.$who-j$j"
  done
  printf '  -j %d: median %.3f times the rows/s of %s (wall), %.3f times less CPU a row\n' \
    "$j" "$(median_ratio "old-j$j" "new-j$j" 1)" "$hash" "$(median_ratio "old-j$j" "new-j$j" 2)"
done
printf '  -j 2 against -j 1 (new, median wall): %.2f\n' "$(median_ratio new-j1 new-j2 1)"

echo "transform: $conditions conditions on examples/barred_profile.csv, -j 1, long form"
for ((i = 1; i <= runs; i++)); do
  timed old-t "$work/old-t.csv" "$old" transform --profile "$profile" --no-progress -j 1 \
    "$work/conditions.csv"
  timed new-t "$work/new-t.csv" "$new" transform --profile "$profile" --no-progress -j 1 \
    "$work/conditions.csv"
done
printf '  median %.3f times as fast as %s (wall), %.3f times less CPU\n' \
  "$(median_ratio old-t new-t 1)" "$hash" "$(median_ratio old-t new-t 2)"
# The heights compared at full precision (the long form rounds to the
# centimetre).
for who in old new; do
  program=$old
  [[ $who == new ]] && program=$new
  timed "$who-full" "$work/$who-t.csv" "$program" transform --profile "$profile" --no-progress \
    -j 1 --precision full "$work/conditions.csv"
done
# The largest |old − new| of the Hrms and H13 columns, found by name in each
# header, over the rows where both are numbers; the two files must have the
# same rows.
awk -F, -v tolerance="${TOLERANCE_MM:-0.1}" '
  FNR == 1 { for (k = 1; k <= NF; k++) if ($k == "Hrms" || $k == "H13") col[FILENAME, ++n[FILENAME]] = k
             next }
  FILENAME == ARGV[1] { for (k = 1; k <= n[FILENAME]; k++) old[FNR, k] = $(col[FILENAME, k])
                        rowsOld = FNR; next }
  { rowsNew = FNR
    for (k = 1; k <= n[FILENAME]; k++) {
      a = old[FNR, k]; b = $(col[FILENAME, k])
      if ((a == "") != (b == "")) { bad++; continue }
      if (a == "" || a !~ /^[-+0-9.eE]+$/) continue
      d = a - b; if (d < 0) d = -d; if (d > worst) worst = d
    } }
  END { if (n[ARGV[1]] != 2 || n[ARGV[2]] != 2 || rowsOld != rowsNew || bad) {
          print "  the two transform outputs do not pair up row for row" > "/dev/stderr"; exit 1 }
        printf "  largest height difference (Hrms, H13): %.4f mm over %d rows\n", 1000 * worst, rowsNew - 1
        if (1000 * worst > tolerance) { print "  more than " tolerance " mm" > "/dev/stderr"; exit 1 } }
' "$work/old-t.csv" "$work/new-t.csv" || status=1
exit "$status"
