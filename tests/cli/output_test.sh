#!/usr/bin/env bash
# saiha-calc -o FILE: the results under FILE's name whole or not at all.  A
# run that fails or is interrupted leaves FILE as it was and no temporary
# file beside it.
set -euo pipefail
bin=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
leftovers() { find "$work" -name '.*.csv.*' | grep -q . && fail "temporary file left: $1" || true; }

printf 'Ho,T,alpha0,n,h\n1,10,30,60,\n1,10,90,60,\n' > "$work/in.csv"
printf 'Ho,T,alpha0,n,h\n1,10,30,60,\n1,"10,30,60,\n' > "$work/malformed.csv"
awk 'BEGIN { print "Ho,T,alpha0,n,h"
  for (i = 0; i < 400000; i++) printf "%.2f,%.1f,%d,60,\n", 0.5 + (i % 40) * 0.1, 5 + (i % 30) * 0.3, i % 60 - 30 }' \
  > "$work/long.csv"

# Exit 1 is a result: the file is written, the same bytes as on standard output.
status=0
printed=$("$bin" -o "$work/out.csv" "$work/in.csv" 2>/dev/null) || status=$?
[[ $status -eq 1 && -z $printed ]] || fail "status $status, standard output '$printed'"
cmp -s "$work/out.csv" <("$bin" "$work/in.csv" 2>/dev/null) || fail "-o wrote other bytes"
"$bin" profile --Ho 1 --T 10 --alpha0 30 --n 60 -o "$work/profile.csv" || fail "profile -o"
[[ $(head -c 2 "$work/profile.csv") == "x," ]] || fail "profile -o wrote no table"

# A fault after some rows: FILE keeps what it held.
echo "kept" > "$work/kept.csv"
status=0
"$bin" -o "$work/kept.csv" "$work/malformed.csv" 2>/dev/null || status=$?
[[ $status -eq 2 && $(cat "$work/kept.csv") == kept ]] || fail "status $status after a fault"
leftovers "after a fault"

# Interrupted mid-file: no FILE at all.
"$bin" -j 2 --no-progress -o "$work/interrupted.csv" "$work/long.csv" 2>/dev/null &
pid=$!
sleep 0.5
kill -INT "$pid"
status=0
wait "$pid" || status=$?
[[ $status -eq 130 ]] || fail "exit status $status after SIGINT (the run may have ended first)"
[[ ! -e "$work/interrupted.csv" ]] || fail "an interrupted run left its file"
leftovers "after SIGINT"
echo "ok"
