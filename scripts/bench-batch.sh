#!/usr/bin/env bash
# Times saiha-calc over a generated file of cases: rows per second at -j 1
# and -j 2, the speed-up, peak memory (/usr/bin/time -v), and checks that
# -j 2 writes the same bytes as -j 1.  With OLD=path/to/an/older/saiha-calc
# it also times that program on the same file (-j 1 and -j 2) for comparison.
# On a busy machine wall times mislead: the CPU time per row still compares
# the per-row cost of two programs.
#
#   scripts/bench-batch.sh [ROWS]            (default 2000000 rows)
#   OLD=/tmp/old/build/cli/saiha-calc scripts/bench-batch.sh 2000000
#   CASES=cases.csv scripts/bench-batch.sh 1000000   (only writes the cases)
set -euo pipefail

rows=${1:-2000000}
here=$(cd "$(dirname "$0")/.." && pwd)
bin=${BIN:-$here/build/cli/saiha-calc}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Deterministic pseudo-random cases over the ranges engineers use: Ho 0.2–6 m,
# T 4–16 s, αo −60…60°, n in {10, 20, 30, 50, 80, 100, 200}; the depth empty
# (the breaking depth) in two rows of three, else 0.5–30 m.
awk -v rows="$rows" 'BEGIN {
  srand(16)
  split("10 20 30 50 80 100 200", slopes, " ")
  print "Ho,T,alpha0,n,h"
  for (i = 0; i < rows; i++) {
    Ho = 0.2 + 5.8 * rand(); T = 4 + 12 * rand(); a = -60 + 120 * rand()
    n = slopes[1 + int(7 * rand())]
    h = (rand() < 2 / 3) ? "" : sprintf("%.2f", 0.5 + 29.5 * rand())
    printf "%.2f,%.2f,%.1f,%d,%s\n", Ho, T, a, n, h
  }
}' > "$work/cases.csv"
if [[ -n "${CASES:-}" ]]; then
  cp "$work/cases.csv" "$CASES"
  exit 0
fi
echo "input: $rows rows, $(du -h "$work/cases.csv" | cut -f1)"

# Runs one program; prints seconds, rows/s and peak RSS.
run() {
  local label=$1 out=$2; shift 2
  /usr/bin/time -v "$@" "$work/cases.csv" > "$out" 2> "$work/time.txt" || true
  local wall rss
  wall=$(awk -F': ' '/Elapsed \(wall clock\)/ {n = split($2, p, ":"); s = 0;
         for (i = 1; i <= n; i++) s = s * 60 + p[i]; print s}' "$work/time.txt")
  rss=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/time.txt")
  cpu=$(awk -F': ' '/User time|System time/ {s += $2} END {print s}' "$work/time.txt")
  awk -v l="$label" -v w="$wall" -v c="$cpu" -v r="$rows" -v m="$rss" \
      'BEGIN { printf "%-16s %7.2f s wall %10.0f rows/s %6.2f us CPU/row %8.1f MB peak RSS\n",
               l, w, r / w, 1e6 * c / r, m / 1024 }'
  echo "$wall" > "$work/$label.wall"
  echo "$cpu" > "$work/$label.cpu"
}

run "-j 1" "$work/out1.csv" "$bin" --no-progress -j 1
run "-j 2" "$work/out2.csv" "$bin" --no-progress -j 2
awk -v a="$(cat "$work/-j 1.wall")" -v b="$(cat "$work/-j 2.wall")" \
    'BEGIN { printf "speed-up -j 2 / -j 1: %.2f\n", a / b }'
if cmp -s "$work/out1.csv" "$work/out2.csv"; then
  echo "-j 2 output identical to -j 1"
else
  echo "-j 2 output DIFFERS from -j 1" >&2
  exit 1
fi

if [[ -n "${OLD:-}" ]]; then
  run "older -j 1" "$work/old1.csv" "$OLD" --no-progress -j 1
  run "older -j 2" "$work/old2.csv" "$OLD" --no-progress -j 2
  for j in 1 2; do
    awk -v j="$j" -v a="$(cat "$work/older -j $j.wall")" -v b="$(cat "$work/-j $j.wall")" \
        -v ac="$(cat "$work/older -j $j.cpu")" -v bc="$(cat "$work/-j $j.cpu")" \
        'BEGIN { printf "-j %d: %.2f times the older program'"'"'s rows/s, %.2f times less CPU per row\n",
                 j, a / b, ac / bc }'
  done
  if cmp -s "$work/out1.csv" "$work/old1.csv"; then
    echo "output identical to the older program"
  else
    echo "output differs from the older program (expected only where the engine's mends apply)"
  fi
fi
