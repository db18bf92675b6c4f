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

[[ $failures == 0 ]] || { echo "$failures case(s) failed" >&2; exit 1; }
echo "all structure cases passed"
