#!/usr/bin/env bash
# saiha-calc interrupted: piped into `head` it ends quietly, and on SIGINT it
# writes whole rows only, says how many, and exits 130.
set -euo pipefail
bin=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
awk 'BEGIN { print "Ho,T,alpha0,n,h"
  for (i = 0; i < 400000; i++) printf "%.2f,%.1f,%d,60,\n", 0.5 + (i % 40) * 0.1, 5 + (i % 30) * 0.3, i % 60 - 30 }' \
  > "$work/cases.csv"
fail() { echo "FAIL: $*" >&2; exit 1; }

# SIGPIPE: head takes three lines and goes; no message, no core.
set +o pipefail
lines=$("$bin" -j 2 --no-progress "$work/cases.csv" 2> "$work/pipe.err" | head -n 3 | wc -l)
status=${PIPESTATUS[0]}
set -o pipefail
[[ $lines -eq 3 ]] || fail "head saw $lines lines"
[[ $status -eq 141 || $status -eq 0 ]] || fail "exit status $status after SIGPIPE"
[[ ! -s "$work/pipe.err" ]] || fail "standard error after SIGPIPE: $(cat "$work/pipe.err")"

# SIGINT: whole rows up to the interruption, then the count on stderr.
"$bin" -j 2 --no-progress "$work/cases.csv" > "$work/out.csv" 2> "$work/int.err" &
pid=$!
sleep 0.5
kill -INT "$pid"
status=0
wait "$pid" || status=$?
[[ $status -eq 130 ]] || fail "exit status $status after SIGINT (the run may have ended first)"
written=$(sed -n 's/^saiha-calc: interrupted; \([0-9]*\) rows written$/\1/p' "$work/int.err")
[[ -n $written ]] || fail "no count on standard error: $(cat "$work/int.err")"
[[ $(wc -l < "$work/out.csv") -eq $((written + 1)) ]] || fail "$written rows said, others written"
[[ -z $(tail -c 1 "$work/out.csv") ]] || fail "the last row is cut"
awk -F, 'NF != 18 { exit 1 }' "$work/out.csv" || fail "a row without its 18 fields"
echo "1 passed, 0 failed"
