#!/usr/bin/env bash
# Every wave of a CSV file through saiha-calc: the results in a CSV file, and
# how many rows failed and why.
#
#   examples/batch.sh [CASES.csv [RESULTS.csv]]
#
# By default the 300 waves of examples/cases.csv into results.csv; the last
# rows of that file fail on purpose (a slope of 0, an angle of 90 degrees, a
# depth that is not a number...).  SAIHA_CALC names the program to run.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
input=${1:-$here/cases.csv}
output=${2:-results.csv}

calc=${SAIHA_CALC:-$here/../build/cli/saiha-calc}
if [[ ! -x $calc ]]; then
  calc=$(command -v saiha-calc) || { echo "batch.sh: no saiha-calc: run make first" >&2; exit 2; }
fi

# Exit status 1 means that some rows failed; every row is still written, with
# the reason in its error cell.  Anything else above 0 is a real failure.
status=0
"$calc" "$input" > "$output" || status=$?
if (( status > 1 )); then exit "$status"; fi

# A row that computed ends with an empty error cell, that is with a comma.
rows=$(( $(wc -l < "$output") - 1 ))
failed=$(tail -n +2 "$output" | grep -vc ',$' || true)
echo "$output: $rows rows, $(( rows - failed )) computed, $failed failed"
if (( failed > 0 )); then
  echo "the failed rows (Ho,T,alpha0,n,h and the message):"
  tail -n +2 "$output" | grep -v ',$' | awk -F, '{ print "  " $1 "," $2 "," $3 "," $4 "," $5 ": " $NF }'
fi
