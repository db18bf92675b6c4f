#!/usr/bin/env bash
# Checks that `saiha-calc compare FILE` and `saiha-calc random FILE` stream:
# ROWS generated waves and seas (default 1 million each, with an id and a
# note passed through) run on one thread and on two, the peak resident
# memory of each run printed (GNU time), and the two outputs compared byte
# for byte.  Fails when the outputs differ or a run's peak passes LIMIT_MB
# (default 64).  A million compare rows (eleven model rows each) take some
# minutes.
#
#   scripts/check-streaming.sh [ROWS]        SAIHA_CALC=path/to/saiha-calc
set -euo pipefail
rows=${1:-1000000}
limit_mb=${LIMIT_MB:-64}
here=$(cd "$(dirname "$0")/.." && pwd)
bin=${SAIHA_CALC:-$here/build/cli/saiha-calc}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Waves and seas that break, some refused, some with a unit after the number.
awk -v rows="$rows" 'BEGIN {
  srand(11);
  split("0.5 1 2 3 4.5 1e0 12 m", Ho, " ");
  split("6 8 10 12 14", T, " ");
  split("-40 -15 0 20 45", a, " ");
  split("10 30 60 100 5", n, " ");
  print "id,Ho,T,alpha0,n,note";
  for (i = 0; i < rows; i++)
    printf "w%d,%s,%s,%s,%s,\"n,%d\"\n", i, Ho[1 + int(rand() * 7)], T[1 + int(rand() * 5)],
           a[1 + int(rand() * 5)], n[1 + int(rand() * 5)], i % 97;
}' >"$work/compare.csv"
awk -v rows="$rows" 'BEGIN {
  srand(12);
  split("0.5 1 2 3 4.5", H, " ");
  split("6 8 10 12 14", T, " ");
  split("10 30 50 100 5", n, " ");
  split("0.5 1 2 4 8 16 30", h, " ");
  print "id,H0p,T13,n,h,note";
  for (i = 0; i < rows; i++)
    printf "s%d,%s,%s,%s,%s,x%d\n", i, H[1 + int(rand() * 5)], T[1 + int(rand() * 5)],
           n[1 + int(rand() * 5)], h[1 + int(rand() * 7)], i % 89;
}' >"$work/random.csv"

status=0
for mode in compare random; do
  for jobs in 1 2; do
    # Exit 1 (some rows failed) is expected: refused waves are among them.
    { /usr/bin/time -v -o "$work/time.$mode.$jobs" \
        "$bin" "$mode" -j "$jobs" --no-progress --warnings "$work/$mode.csv" \
        2>"$work/$mode.$jobs.err" || [ $? -eq 1 ]; } |
      tee >(wc -lc >"$work/$mode.$jobs.count") | sha256sum >"$work/$mode.$jobs.sum"
    kb=$(awk -F: '/Maximum resident set size/ { gsub(/ /, "", $2); print $2 }' "$work/time.$mode.$jobs")
    wall=$(awk '/Elapsed \(wall clock\)/ { print $NF }' "$work/time.$mode.$jobs")
    sleep 0.2  # the counting side of tee may still be writing its line
    read -r lines bytes <"$work/$mode.$jobs.count"
    echo "$mode -j $jobs: $rows rows in, $lines lines ($bytes bytes) out, peak RSS $((kb / 1024)) MB, $wall"
    if [ "$kb" -gt $((limit_mb * 1024)) ]; then
      echo "$mode -j $jobs: peak RSS above $limit_mb MB"
      status=1
    fi
  done
  if cmp -s "$work/$mode.1.sum" "$work/$mode.2.sum"; then
    echo "$mode: -j 1 and -j 2 outputs identical (sha256 $(cut -c1-16 "$work/$mode.1.sum")...)"
  else
    echo "$mode: -j 1 and -j 2 outputs DIFFER"
    status=1
  fi
done
exit $status
