#!/usr/bin/env bash
# Checks the four-lane exponential (wave/detail/exp_lanes.h) against std::exp
# bit for bit over N inputs (default 100 million; about a second per 10
# million on one core), and times both.  Exits 1 on any difference.
#
#   scripts/check-vector-exp.sh [N]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"${CHECK:-$here/build/bench/saiha-check-exp}" "${1:-100000000}"
