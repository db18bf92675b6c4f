#!/usr/bin/env bash
# saiha-calc transform on inputs that once ran without end, blocked or printed
# impossible numbers: each ends at once with one line and exit 2 (or a row's
# error), a wind stress per row, and the first Ctrl+C ends a long run.
set -uo pipefail
bin=$1
profile=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# One run, bounded by `timeout`: its exit status and a pattern its one line
# of standard error must hold.
refused() {
  local name=$1 status=$2 pattern=$3
  shift 3
  timeout 10 "$bin" --lang en transform "$@" >"$work/out" 2>"$work/err"
  local got=$?
  [[ $got -eq $status ]] || { fail "$name: exit $got, not $status ($(head -c 300 "$work/err"))"; return; }
  [[ $(wc -l <"$work/err") -eq 1 ]] || fail "$name: not one line on standard error: $(cat "$work/err")"
  grep -q -- "$pattern" "$work/err" || fail "$name: standard error lacks '$pattern': $(cat "$work/err")"
}

one=(--Hrms0 1 --Tp 8 --theta0 10)
printf 'x,z\n0,-5\n1e12,-5\n' >"$work/long.csv"
refused "span of 1e12 m" 2 "outside anything on Earth" --profile "$work/long.csv" "${one[@]}"
printf 'x,z\n0,-1e20\n100,-4\n200,1\n' >"$work/deep.csv"
refused "bed at 1e20 m" 2 "outside anything on Earth" --profile "$work/deep.csv" "${one[@]}"
refused "/dev/zero" 2 "is not a regular file" --profile /dev/zero "${one[@]}"
mkfifo "$work/fifo.csv"
refused "a FIFO" 2 "is not a regular file" --profile "$work/fifo.csv" "${one[@]}"
awk 'BEGIN { print "x,z"; for (i = 0; i <= 20000; i++) printf "%d,%.3f\n", i, -5 + i / 4000 }' \
  >"$work/many.csv"
refused "20,001 points" 2 "line 20002: more than 20000 profile points" --profile "$work/many.csv" \
  "${one[@]}"
head -n 20001 "$work/many.csv" >"$work/most.csv"
timeout 20 "$bin" transform --profile "$work/most.csv" --summary "${one[@]}" >/dev/null ||
  fail "a profile of 20,000 points is refused"
refused "wind stress 1e30" 2 "--wind-stress '1e30': Enter an alongshore wind stress within 20" \
  --profile "$profile" --wind-stress 1e30 "${one[@]}"
refused "Tp of 1e6 s" 2 "Enter a peak period Tp of at most 60 s" --profile "$profile" \
  --Hrms0 1 --Tp 1e6 --theta0 10

# A wind stress per row, signed as V: the same rows as the option gives.
printf 'Hrms0,Tp,theta0,wind_stress\n1,8,10,0.5\n1,8,10,-0.5\n1,8,10,30\n' >"$work/wind.csv"
"$bin" --lang en transform --profile "$profile" --summary --precision full "$work/wind.csv" \
  >"$work/wind.out" 2>"$work/wind.err"
[[ $? -eq 1 ]] || fail "wind column: exit status (the row of 30 N/m2 fails)"
sed -n 4p "$work/wind.out" | grep -q "Enter an alongshore wind stress within 20" ||
  fail "wind column: row 3 lacks its message: $(sed -n 4p "$work/wind.out")"
for stress in 0.5 -0.5; do
  row=$([[ $stress == 0.5 ]] && echo 2 || echo 3)
  printf 'Hrms0,Tp,theta0\n1,8,10\n' |
    "$bin" transform --profile "$profile" --summary --precision full --wind-stress "$stress" |
    sed -n 2p >"$work/option.out"
  [[ $(sed -n "${row}p" "$work/wind.out") == "$(cat "$work/option.out")" ]] ||
    fail "wind $stress: the column's row differs from the option's"
done
"$bin" --lang en transform --profile "$profile" --wind-stress 1 "$work/wind.csv" >/dev/null 2>"$work/both.err"
[[ $? -eq 2 ]] && grep -q "give the wind stress once" "$work/both.err" ||
  fail "--wind-stress with a wind_stress column: $(cat "$work/both.err")"

# The roughness by name is its number (Ruessink et al.'s Egmond value); a
# rougher bed, a slower current; the mixing's names and numbers.
sea=(--Hrms0 1 --Tp 8 --theta0 20 --precision full)
"$bin" transform --profile "$profile" "${sea[@]}" --roughness egmond >"$work/egmond.out" ||
  fail "--roughness egmond"
"$bin" transform --profile "$profile" "${sea[@]}" --roughness 0.022 | cmp -s - "$work/egmond.out" ||
  fail "--roughness egmond is not --roughness 0.022"
"$bin" transform --profile "$profile" "${sea[@]}" --roughness 0.0125 >"$work/duck.out"
"$bin" transform --profile "$profile" "${sea[@]}" | cmp -s - "$work/duck.out" ||
  fail "the default roughness is not Duck's 0.0125 m"
vmax() { awk -F, 'NR > 1 && $11 != "" && $11 > m { m = $11 } END { print m + 0 }' "$1"; }
awk -v a="$(vmax "$work/egmond.out")" -v b="$(vmax "$work/duck.out")" 'BEGIN { exit !(a < b) }' ||
  fail "a rougher bed gives no slower current"
"$bin" transform --profile "$profile" "${sea[@]}" --mixing battjes1975 --mixing-M 0.5 >/dev/null ||
  fail "--mixing battjes1975"
"$bin" transform --profile "$profile" "${sea[@]}" --mixing 0 | cmp -s - "$work/duck.out" ||
  fail "--mixing 0 is not the local balance"
refused "an unknown mixing" 2 "none, battjes1975 or an eddy viscosity" --profile "$profile" \
  "${sea[@]}" --mixing smagorinsky
refused "--mixing-M alone" 2 "--mixing-M goes with --mixing battjes1975" --profile "$profile" \
  "${sea[@]}" --mixing-M 2

# The first Ctrl+C ends a long run: a 1,000 km profile (some 200,000 steps
# a condition) and many conditions.
printf 'x,z\n0,-5000\n999000,-4\n1000000,1\n' >"$work/shelf.csv"
awk 'BEGIN { print "Hrms0,Tp,theta0"; for (i = 0; i < 2000; i++) print "1,10,5" }' >"$work/many_conditions.csv"
"$bin" transform --profile "$work/shelf.csv" --summary --no-progress -j 2 "$work/many_conditions.csv" \
  >"$work/int.out" 2>"$work/int.err" &
pid=$!
sleep 1
start=$(date +%s.%N)
kill -INT "$pid"
for _ in $(seq 1 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  fail "still running 5 s after the first Ctrl+C"
  kill -KILL "$pid"
fi
wait "$pid"
status=$?
[[ $status -eq 130 ]] || fail "exit status $status after the first Ctrl+C"
grep -q "interrupted" "$work/int.err" || fail "no word of the interrupt: $(cat "$work/int.err")"

if [[ $failures -gt 0 ]]; then
  echo "$failures failed"
  exit 1
fi
echo "all passed"
