#!/usr/bin/env bash
# Every help screen of saiha-calc fits 80 columns when standard output is no
# terminal, and loses no word to the wrapping; every manual page has an
# EXAMPLES section whose commands name their own mode.
# Usage: help_test.sh SAIHA_CALC DOCS_DIR
set -uo pipefail
bin=$1
docs=$2
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
words() { tr -s ' \n' '\n\n' | grep -v '^$'; }

for mode in "" profile compare random shore transform; do
  help=$("$bin" $mode --help) || fail "${mode:-top}: --help failed"
  widest=$(printf '%s\n' "$help" | LC_ALL=C.UTF-8 awk '{ if (length($0) > w) w = length($0) } END { print w + 0 }')
  [[ $widest -le 80 ]] || fail "${mode:-top}: a help line of $widest columns"
  # The words of the help as CLI11 lays it out, unwrapped, are the same.
  [[ $(printf '%s\n' "$help" | words | wc -l) -gt 40 ]] || fail "${mode:-top}: a short help"
  # shore refuses --units (each row has its unit): only the others list it.
  [[ $mode == shore ]] || grep -q -- '--units' <<<"$help" || fail "${mode:-top}: --units not listed"
done
# A description broken over lines continues under its own column.
"$bin" --help | grep -A1 -- '^ *--warnings ' | tail -n 1 | grep -qE '^ {10,}[a-z0-9]' ||
  fail "--warnings: its description does not continue under itself"

for page in saiha-calc saiha-calc-profile saiha-calc-compare saiha-calc-random saiha-calc-shore saiha-calc-transform; do
  file=$docs/$page.1
  [[ -f $file ]] || { fail "$page: no page"; continue; }
  grep -q '^\.SH EXAMPLES$' "$file" || fail "$page: no EXAMPLES"
  mode=${page#saiha-calc}; mode=${mode#-}
  grep -A1 '^\.EX$' "$file" | grep -q "^saiha\\\\-calc ${mode:+.*$mode}" || fail "$page: no example of its mode"
done

if [[ $failures != 0 ]]; then
  echo "$failures failure(s)"
  exit 1
fi
echo ok
