#!/usr/bin/env bash
# saiha-calc on one thread and on two: the regular FILE mode, compare FILE
# and random FILE write the same bytes and exit alike, also when the input
# comes through a pipe and some rows fail.
set -euo pipefail
bin=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
awk 'BEGIN { print "id,Ho,T,alpha0,n,h"
  for (i = 0; i < 3000; i++)
    printf "c%d,%.2f,%.1f,%d,%d,%s\n", i, 0.3 + (i % 40) * 0.1, 5 + (i % 30) * 0.3, i % 60 - 30,
           i % 211 == 0 ? 0 : 8 + i % 90, i % 3 ? "" : "4" }' >"$work/waves.csv"
awk 'BEGIN { print "note,H0p,T13,n,h"
  for (i = 0; i < 3000; i++)
    printf "\"s,%d\",%.2f,%.1f,%d,%s\n", i, 0.5 + (i % 25) * 0.15, 6 + (i % 9), 5 + i % 70,
           i % 97 ? 0.5 + (i % 23) : "" }' >"$work/seas.csv"

for run in "regular:waves" "compare:waves" "random:seas"; do
  mode=${run%%:*}
  input=$work/${run##*:}.csv
  command=()
  [[ $mode == regular ]] || command=("$mode")
  for jobs in 1 2; do
    set +e
    "$bin" "${command[@]}" -j "$jobs" --no-progress --warnings - <"$input" \
      >"$work/$mode.$jobs.out" 2>"$work/$mode.$jobs.err"
    echo $? >"$work/$mode.$jobs.status"
    set -e
  done
  [[ $(cat "$work/$mode.1.status") == 1 ]] || fail "$mode: exit $(cat "$work/$mode.1.status"), expected 1"
  cmp -s "$work/$mode.1.status" "$work/$mode.2.status" || fail "$mode: exit status differs with -j 2"
  cmp -s "$work/$mode.1.err" "$work/$mode.2.err" || fail "$mode: standard error differs with -j 2"
  cmp "$work/$mode.1.out" "$work/$mode.2.out" || fail "$mode: output differs with -j 2"
  [[ $(wc -l <"$work/$mode.1.out") -gt 3000 ]] || fail "$mode: too few lines"
done
echo "regular, compare and random: -j 1 and -j 2 alike"
