#!/usr/bin/env bash
# Times saiha-calc transform over a year of hourly sea conditions (8,760,
# synthetic, seeded) on a measured profile (PROFILE; by default the shipped
# barred beach, examples/barred_profile.csv; the figures of docs/performance.md
# are on the DUCK94 field profile, not shipped): the long form (every condition at
# every profile point) to /dev/null at -j 1 and -j 2, wall and CPU time and
# peak memory (/usr/bin/time -v), the summary form for comparison, and a
# check that -j 2 writes the same bytes as -j 1.
#
#   scripts/bench-transform.sh [CONDITIONS]      (default 8760)
#   BIN=build-x/cli/saiha-calc PROFILE=other.csv scripts/bench-transform.sh
#   CONDITIONS=conditions.csv scripts/bench-transform.sh 2000   (only writes the conditions)
set -euo pipefail

count=${1:-8760}
here=$(cd "$(dirname "$0")/.." && pwd)
bin=${BIN:-$here/build/cli/saiha-calc}
source_profile=${PROFILE:-$here/examples/barred_profile.csv}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The profile with its columns x and z (DUCK94's file has them, with x_frf
# beside; a file whose first two columns are x and z under other names is
# renamed).
header=$(head -n 1 "$source_profile" | tr -d '\r')
if [[ ",$header," == *,x,* && ",$header," == *,z,* ]]; then
  cp "$source_profile" "$work/profile.csv"
else
  { echo "x,z"; tail -n +2 "$source_profile" | cut -d, -f1,2; } > "$work/profile.csv"
fi

# Hourly conditions: Hrms0 0.3–3 m, Tp 4–14 s, theta0 −40…40°, a tide of
# ±0.6 m (semi-diurnal, 12.42 h) plus noise; seeded, so every run reads the
# same file.
awk -v n="$count" 'BEGIN {
  srand(94)
  print "record,time,Hrms0,Tp,theta0,tide"
  for (i = 0; i < n; i++) {
    H = 0.3 + 2.7 * rand(); T = 4 + 10 * rand(); a = -40 + 80 * rand()
    tide = 0.5 * sin(2 * 3.14159265 * i / 12.42) + 0.1 * (2 * rand() - 1)
    printf "%d,%d,%.3f,%.2f,%.1f,%.3f\n", i, i * 3600, H, T, a, tide
  }
}' > "$work/conditions.csv"
if [[ -n "${CONDITIONS:-}" ]]; then
  cp "$work/conditions.csv" "$CONDITIONS"
  exit 0
fi
echo "input: $count conditions, profile of $(($(wc -l < "$work/profile.csv") - 1)) points"

run() {
  local label=$1 out=$2; shift 2
  /usr/bin/time -v "$bin" transform --profile "$work/profile.csv" --no-progress "$@" \
    "$work/conditions.csv" > "$out" 2> "$work/time.txt" || true
  local wall rss cpu
  wall=$(awk -F': ' '/Elapsed \(wall clock\)/ {n = split($2, p, ":"); s = 0;
         for (i = 1; i <= n; i++) s = s * 60 + p[i]; print s}' "$work/time.txt")
  rss=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/time.txt")
  cpu=$(awk -F': ' '/User time|System time/ {s += $2} END {print s}' "$work/time.txt")
  awk -v l="$label" -v w="$wall" -v c="$cpu" -v m="$rss" \
      'BEGIN { printf "%-22s %6.2f s wall %6.2f s CPU %8.1f MB peak RSS\n", l, w, c, m / 1024 }'
}

run "long form -j 1" /dev/null -j 1
run "long form -j 2" /dev/null -j 2
run "long form full -j 2" /dev/null -j 2 --precision full
run "summary -j 2" /dev/null -j 2 --summary
run "long form -j 1 (file)" "$work/one.csv" -j 1
run "long form -j 2 (file)" "$work/two.csv" -j 2
echo "output: $(($(wc -l < "$work/one.csv") - 1)) rows, $(du -h "$work/one.csv" | cut -f1)"
cmp -s "$work/one.csv" "$work/two.csv" && echo "-j 2 writes the same bytes as -j 1" ||
  { echo "FAIL: -j 2 differs from -j 1"; exit 1; }
