#!/usr/bin/env bash
# Checks the breaking points of many waves side by side against findBreaking
# one wave at a time, bit for bit, on the vector lanes and the portable ones,
# over ROWS generated rows (default 4 million; the test suite runs 4000),
# and the rows at the bounds of the searches' sure signs.  Each path takes
# 20–30 seconds per million rows on one core.
#
#   scripts/check-side-by-side.sh [ROWS]
set -euo pipefail
rows=${1:-4000000}
here=$(cd "$(dirname "$0")/.." && pwd)
tests=${TESTS:-$here/build/tests/shore_tests}
SAIHA_SIDE_BY_SIDE_ROWS=$rows "$tests" --gtest_filter='Lanes/SideBySide.EveryRowAsFindBreakingGivesIt/*:Lanes/SideBySide.RowsNearTheSureSignsBoundsAsFindBreakingGivesThem/*'
echo "$rows rows checked bit for bit on both paths"
