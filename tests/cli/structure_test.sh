#!/usr/bin/env bash
# saiha-calc caisson, overtopping and armour on bad input: each case a row of
# the table below — the subcommand and its options, the CSV on standard
# input, the exit status and what standard error (or the error cell) must
# say.  Every run has ten seconds: nothing may hang.
set -uo pipefail
bin=$1
profile=$2
failures=0
check() {  # name, expected exit, regex on stdout+stderr, stdin text, args...
  local name=$1 exit=$2 regex=$3 input=$4
  shift 4
  local out status
  out=$(printf '%b' "$input" | timeout 10 "$bin" --lang en "$@" 2>&1)
  status=$?
  if [[ $status != "$exit" ]]; then
    echo "FAIL $name: exit $status, expected $exit: $out" >&2; failures=$((failures + 1))
  elif ! grep -Eq -- "$regex" <<<"$out"; then
    echo "FAIL $name: output lacks /$regex/: $out" >&2; failures=$((failures + 1))
  fi
}
caisson='Hmax,H13,T,h,h_prime,d,hc,B\n'
waves='Hm0,Tm10,Rc\n'
rock='Hs,T,cot_alpha\n'

check "caisson computes" 0 '^Hmax,H13,T,h,h_prime,d,hc,B,p1,p2,p3,p4,pu,eta_star' \
  "${caisson}10,5.6,12,16,12,9,5,18\n" caisson --n 50
check "caisson d > h'" 1 "d ≤ h′ ≤ h" "${caisson}10,5.6,12,16,12,13,5,18\n" caisson --n 50
check "caisson h' > h" 1 "d ≤ h′ ≤ h" "${caisson}10,5.6,12,16,17,9,5,18\n" caisson --n 50
check "caisson negative width" 1 "caisson width B" "${caisson}10,5.6,12,16,12,9,5,-18\n" caisson --n 50
check "caisson negative berm" 1 "berm" "${caisson}10,5.6,12,16,12,9,5,18\n" caisson --n 50 --berm -1
check "caisson Hmax > 2h" 1 "twice the depth" "${caisson}40,5.6,12,16,12,9,5,18\n" caisson --n 50
check "caisson H13 > Hmax" 1 "1 of 1 rows failed" "${caisson}5,5.6,12,16,12,9,5,18\n" caisson --n 50
check "caisson without n" 2 "no column 'n' and no option --n" "${caisson}10,5.6,12,16,12,9,5,18\n" caisson
check "caisson n twice" 2 "both give n" 'Hmax,H13,T,h,h_prime,d,hc,B,n\n10,5.6,12,16,12,9,5,18,50\n' caisson --n 50
check "caisson missing column" 2 "must name Hmax, H13, T, h, h_prime, d, hc and B" 'Hmax,H13,T,h,h_prime,d,hc\n1,1,1,1,1,1,1\n' caisson --n 50
check "caisson bad impulsive" 2 "takahashi, none" "${caisson}" caisson --n 50 --impulsive maybe
check "caisson option not a number" 2 "'x'" "${caisson}" caisson --n x
check "caisson result column" 2 "P" 'Hmax,H13,T,h,h_prime,d,hc,B,P\n1,1,1,1,1,1,1,1,1\n' caisson --n 50
check "caisson refuses --breaker" 2 "no breaker limit" "${caisson}" caisson --n 50 --breaker mccowan

check "overtopping negative freeboard" 1 "overflows" "${waves}2,6,-1\n" overtopping --cot-alpha 3
check "overtopping slope without cot" 1 "cot α" "${waves}2,6,1\n" overtopping
check "overtopping wall without h" 1 "structure's depths" "${waves}2,6,1\n" overtopping --structure vertical
check "overtopping composite d > h" 1 "d ≤ h′ ≤ h" "${waves}2,6,1\n" overtopping --structure composite --h 3 --d 4
check "overtopping gamma_f > 1" 1 "influence factor" "${waves}2,6,1\n" overtopping --cot-alpha 3 --gamma-f 1.2
check "overtopping negligible q" 0 ',<1e-06,' "${waves}2,6,20\n" overtopping --cot-alpha 3
check "overtopping unknown kind" 2 "slope, vertical, composite" "${waves}" overtopping --structure dike
check "overtopping chain option alone" 2 "goes with --profile" "${waves}" overtopping --toe 3
check "chain toe off the profile" 2 "outside the profile" 'Hm0,Tp,theta0\n1,8,0\n' \
  overtopping --profile "$profile" --toe 9999 --crest 4 --cot-alpha 3
check "chain without crest" 2 "needs --toe X and --crest Z" 'Hm0,Tp,theta0\n1,8,0\n' \
  overtopping --profile "$profile" --toe 440 --cot-alpha 3
check "chain level above the crest" 1 "overflows" 'Hm0,Tp,theta0,tide\n1,8,0,1.5\n' \
  overtopping --profile "$profile" --toe 440 --crest 1 --cot-alpha 3
check "chain dry toe" 1 "seaward of the structure's toe" 'Hm0,Tp,theta0,tide\n1,8,0,-1.5\n' \
  overtopping --profile "$profile" --toe 440 --crest 4 --cot-alpha 3
check "chain negative limit" 2 "a discharge >= 0" 'Hm0,Tp,theta0\n1,8,0\n' \
  overtopping --profile "$profile" --toe 440 --crest 4 --cot-alpha 3 --summary --limits 0.001,-1
check "chain summary" 0 '^quantity,value,unit' 'id,Hm0,Tp,theta0\nA,1,8,0\n' \
  overtopping --profile "$profile" --toe 440 --crest 4 --cot-alpha 3 --summary
check "chain missing profile" 2 "cannot open profile" 'Hm0,Tp,theta0\n1,8,0\n' \
  overtopping --profile /nonexistent.csv --toe 440 --crest 4 --cot-alpha 3

check "armour rock lighter than water" 1 "ρs" "${rock}3,7,3\n" armour --rho-s 900
check "armour permeability" 1 "1 of 1 rows failed" "${rock}3,7,3\n" armour --P 0.9
check "armour no period" 1 "period" "${rock}3,,3\n" armour
check "armour H2 below Hs" 1 "1 of 1 rows failed" "${rock}3,7,3\n" armour --method vangent2003 --H2 2
check "armour hudson ignores T" 0 ',1496.37,' "${rock}3,,3\n" armour --method hudson
check "armour unknown method" 2 "vandermeer1988, vangent2003, hudson" "${rock}" armour --method cubes
check "armour short row" 1 "1 of 1 rows failed" "${rock}3,7\n" armour
check "armour text after number strict" 1 "cell of Hs holds text" "${rock}3m,7,3\n" armour --strict

# The chain streams: one row per condition, in input order, quoted ids kept,
# the same bytes on one thread and on two.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
awk 'BEGIN { print "id,Hm0,Tp,theta0,tide"
  for (i = 0; i < 600; i++) printf "\"c,%d\",%.2f,%.2f,%.1f,%.2f\n", i, 0.6 + (i % 23) * 0.1,
    5 + (i % 7), (i % 11) * 5 - 25, (i % 13) * 0.15 - 0.8 }' >"$work/conditions.csv"
for jobs in 1 2; do
  timeout 60 "$bin" overtopping --profile "$profile" --toe 440 --crest 3 --cot-alpha 3 -j "$jobs" \
    --precision full --warnings --no-progress "$work/conditions.csv" >"$work/$jobs.out" 2>/dev/null
  echo $? >"$work/$jobs.status"
done
if ! cmp -s "$work/1.out" "$work/2.out" || ! cmp -s "$work/1.status" "$work/2.status"; then
  echo "FAIL chain: -j 2 differs from -j 1" >&2; failures=$((failures + 1))
fi
if [[ $(($(wc -l <"$work/1.out") - 1)) != 600 ]] ||
   ! awk -F'"' 'NR > 1 { split($2, p, ","); if (p[2] != NR - 2) exit 1 }' "$work/1.out"; then
  echo "FAIL chain: not one row per condition in input order" >&2; failures=$((failures + 1))
fi
# A semicolon table with decimal commas gives the numbers of the plain one.
plain=$(printf 'Hm0,Tm10,Rc\n2.5,6.5,1.5\n' | "$bin" overtopping --cot-alpha 2.5 --precision full | tail -1)
comma=$(printf 'Hm0;Tm10;Rc\n2,5;6,5;1,5\n' | "$bin" overtopping --cot-alpha 2.5 --precision full \
          --delimiter ';' --decimal-comma 2>&1 | tail -1)
if [[ "${plain#*,*,*,}" != "$(tr ';,' ',.' <<<"${comma#*;*;*;}")" ]]; then
  echo "FAIL decimal comma: '$plain' against '$comma'" >&2; failures=$((failures + 1))
fi

[[ $failures == 0 ]] || { echo "$failures case(s) failed" >&2; exit 1; }
echo "all structure cases passed"
