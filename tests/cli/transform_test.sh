#!/usr/bin/env bash
# saiha-calc transform over many conditions: one thread and two write the
# same bytes, the rows of each condition together and in input order; -o
# keeps an existing file when the run fails; --at on a profile point is
# that point's row of the long form and between points the linear
# interpolation of its neighbours; Hm0 = sqrt(2)*Hrms0 gives Hrms0's rows.
set -euo pipefail
bin=$1
profile=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
points=$(($(wc -l <"$profile") - 1))

# 400 conditions, every 37th with a period of 0 (it fails), quoted ids.
awk 'BEGIN { print "id,Hrms0,Tp,theta0,tide"
  for (i = 0; i < 400; i++)
    printf "\"c,%d\",%.3f,%s,%.1f,%.2f\n", i, 0.2 + (i % 29) * 0.05, i % 37 == 5 ? "0" : 5 + (i % 11) * 0.7,
           (i % 17) * 4 - 32, (i % 13) * 0.1 - 0.6 }' >"$work/conditions.csv"
for jobs in 1 2; do
  set +e
  "$bin" transform --profile "$profile" -j "$jobs" --no-progress --warnings --precision full \
    "$work/conditions.csv" >"$work/$jobs.out" 2>"$work/$jobs.err"
  echo $? >"$work/$jobs.status"
  set -e
done
[[ $(cat "$work/1.status") == 1 ]] || fail "exit $(cat "$work/1.status"), expected 1"
cmp -s "$work/1.status" "$work/2.status" || fail "exit status differs with -j 2"
cmp -s "$work/1.err" "$work/2.err" || fail "standard error differs with -j 2"
cmp -s "$work/1.out" "$work/2.out" || fail "output differs with -j 2"
grep -q '^saiha-calc: 11 of 400 rows failed (first: line 7: ' "$work/1.err" ||
  fail "failures line: $(cat "$work/1.err")"
# Every condition's rows together, in input order, one per profile point.
awk -F'"' -v points="$points" 'NR > 1 { id = $2; if (id != last) { if (n && n != points) bad = 1
    split(id, p, ","); if (p[2] != conditions) bad = 1; conditions++; n = 0; last = id } n++ }
  END { if (bad || n != points || conditions != 400) exit 1 }' "$work/1.out" ||
  fail "rows are not $points per condition in input order"
[[ $(grep -c ',$' "$work/1.out" || true) -eq 0 ]] || fail "a row without its warnings cell"
[[ $(grep -c 'c,5",' "$work/1.out") -eq $points ]] || fail "the failing condition lost rows"

# -o: a run that fails at the profile or the header leaves the file alone.
echo kept >"$work/kept.csv"
printf 'x,z\n0,-5\n0,-4\n' >"$work/bad_profile.csv"
status=0
"$bin" transform --profile "$work/bad_profile.csv" -o "$work/kept.csv" "$work/conditions.csv" \
  2>/dev/null || status=$?
[[ $status -eq 2 && $(cat "$work/kept.csv") == kept ]] || fail "-o after a bad profile: $status"
printf 'id,H,Tp\n1,1,8\n' >"$work/bad_header.csv"
status=0
"$bin" transform --profile "$profile" -o "$work/kept.csv" "$work/bad_header.csv" 2>/dev/null ||
  status=$?
[[ $status -eq 2 && $(cat "$work/kept.csv") == kept ]] || fail "-o after a bad header: $status"
[[ -z $(find "$work" -name '.*') ]] || fail "a temporary file was left"
# ... and a run with failed rows (exit 1) replaces it with the rows.
status=0
"$bin" transform --profile "$profile" -j 2 --warnings --precision full -o "$work/kept.csv" \
  "$work/conditions.csv" 2>/dev/null || status=$?
[[ $status -eq 1 ]] && cmp -s "$work/kept.csv" "$work/1.out" || fail "-o with failed rows: $status"

# --at against the long form of one condition, in full precision.
printf 'Hrms0,Tp,theta0,tide\n0.8,9,15,0.3\n' >"$work/one.csv"
"$bin" transform --profile "$profile" --precision full "$work/one.csv" >"$work/long.out"
read -r x0 x1 < <(awk -F, 'NR == 2 { a = $1 } NR == 3 { print a, $1 }' "$work/long.out")
mid=$(awk -v a="$x0" -v b="$x1" 'BEGIN { printf "%.10g", a + 0.3 * (b - a) }')
"$bin" transform --profile "$profile" --precision full --at "$x1,$mid" "$work/one.csv" >"$work/at.out"
[[ $(sed -n 2p "$work/at.out" | cut -d, -f3-) == $(sed -n 3p "$work/long.out" | cut -d, -f3-) ]] ||
  fail "--at on a profile point is not its row: $(sed -n 2p "$work/at.out")"
awk -F, 'NR == FNR { if (FNR == 2) for (i = 3; i <= 11; i++) a[i] = $i
                     if (FNR == 3) for (i = 3; i <= 11; i++) b[i] = $i; next }
  FNR == 3 { for (i = 3; i <= 11; i++) { want = a[i] + 0.3 * (b[i] - a[i])
      if ((want - $i) > 1e-5 * (1 + (want < 0 ? -want : want)) ||
          ($i - want) > 1e-5 * (1 + (want < 0 ? -want : want))) exit 1 } }' \
  "$work/long.out" "$work/at.out" || fail "--at between points is not linear: $(sed -n 3p "$work/at.out")"

# Hm0 in place of Hrms0, and the one-condition form, give the same rows.
printf 'Hm0,Tp,theta0,tide\n%s,9,15,0.3\n' "$(awk 'BEGIN { printf "%.17g", 0.8 * sqrt(2) }')" \
  >"$work/hm0.csv"
"$bin" transform --profile "$profile" --precision full "$work/hm0.csv" | cmp -s - "$work/long.out" ||
  fail "Hm0 = sqrt(2)*Hrms0 gives other rows"
"$bin" transform --profile "$profile" --precision full --Hrms0 0.8 --Tp 9 --theta0 15 --tide 0.3 |
  cmp -s - "$work/long.out" || fail "the one-condition form gives other rows"
echo "ok"
