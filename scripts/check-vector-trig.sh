#!/usr/bin/env bash
# Checks the four-lane narrowed arctangent and cosine of the onset
# mismatches (wave/detail/trig_lanes.h) against std::atan and std::cos bit
# for bit on every input the onset search can give them: the tangent
# s/sqrt(1 - s^2) for every single s in (-1, 1), every single angle in
# [-pi/2, pi/2] (some 4.3 billion in all, about a minute on one core).
# STRIDE n checks every n-th single only.  Exits 1 on any difference.
#
#   scripts/check-vector-trig.sh [STRIDE]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"${CHECK:-$here/build/bench/saiha-check-trig}" "${1:-1}"
