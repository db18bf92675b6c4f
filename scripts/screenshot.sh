#!/usr/bin/env bash
# Makes docs/screenshot.png, docs/profile.png, docs/models.png,
# docs/shoreline.png and docs/transform.png: the calculation window after one
# press of 計算 with the default inputs, the profile window it opens with
# Ctrl+G, that window with Kamphuis's and Miche's breaker limits checked
# beside Goda's, the profile of a 2 m wave on a 1/20 beach, where the setup
# line, the mean shoreline and the runup mark stand out, and the page 実測断面
# with that wave's sea across a measured profile, on a virtual X display
# (Xvfb), so it runs on a machine without a display.  Keys and the mouse go
# through xdotool; the program has no hook of its own for this.
#
# Usage: scripts/screenshot.sh [OUTPUT [PROFILE_OUTPUT [MODELS_OUTPUT [SHORE_OUTPUT [TRANSFORM_OUTPUT]]]]]
#   BUILD=dir picks the build tree; PROFILE_CSV=file the measured profile
#   (x, z) of TRANSFORM_OUTPUT, by default the synthetic barred beach
#   examples/barred_profile.csv; SCALE=2 draws at a device-pixel ratio of
#   2 (QT_SCALE_FACTOR), for checking the windows at high density; SAIHA_LANG=en
#   shows the windows in English (docs/*_en.png).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
SCALE=${SCALE:-1}
OUTPUT=${1:-docs/screenshot.png}
PROFILE_OUTPUT=${2:-docs/profile.png}
MODELS_OUTPUT=${3:-docs/models.png}
SHORE_OUTPUT=${4:-docs/shoreline.png}
TRANSFORM_OUTPUT=${5:-docs/transform.png}
PROFILE_CSV=$(realpath "${PROFILE_CSV:-examples/barred_profile.csv}")
export PROFILE_CSV

if [[ "${SAIHA_INSIDE_XVFB:-}" != 1 ]]; then
  scripts/install-deps.sh --screenshot
  [[ -f "$BUILD/CMakeCache.txt" ]] || cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$BUILD" --target saiha -j "$(nproc)"
  mkdir -p "$(dirname "$OUTPUT")" "$(dirname "$PROFILE_OUTPUT")" "$(dirname "$MODELS_OUTPUT")" \
    "$(dirname "$SHORE_OUTPUT")" "$(dirname "$TRANSFORM_OUTPUT")"
  SAIHA_INSIDE_XVFB=1 exec xvfb-run -a -s "-screen 0 2800x1800x24 -dpi 96" "$0" "$OUTPUT" \
    "$PROFILE_OUTPUT" "$MODELS_OUTPUT" "$SHORE_OUTPUT" "$TRANSFORM_OUTPUT"
fi

# From here on we run inside xvfb-run, with DISPLAY set to the virtual screen.
export QT_QPA_PLATFORM=xcb
export QT_SCALE_FACTOR=$SCALE
# The windows' titles in the language asked for (Japanese by default); the
# saved choice of the menu is not read, so that the pictures do not depend on
# who took them last.
if [[ "${SAIHA_LANG:-ja}" == en* ]]; then
  lang=en calc_title='^Wave Breaking$' profile_title='Cross-shore Profile' open_profile=f
else
  lang=ja calc_title='^砕波の計算$' profile_title='断面図' open_profile=l
fi
"$BUILD/app/saiha" --lang "$lang" &
app=$!
trap 'kill "$app" 2>/dev/null || true' EXIT

window=$(timeout 20 xdotool search --sync --onlyvisible --name "$calc_title" | head -n 1)
xdotool windowmove --sync "$window" 20 20
# There is no window manager to activate the window; give it the keyboard
# focus directly so it is drawn as the active window.
xdotool windowfocus --sync "$window"
sleep 0.5

# Focus starts in the height box: Tab four times reaches 計算, Space presses
# it.  Then move the pointer off the window so that no tooltip shows.
xdotool key Tab Tab Tab Tab space
xdotool mousemove 2790 1790
sleep 1
import -window "$window" "$OUTPUT"
echo "Wrote $OUTPUT"

# Ctrl+G opens the profile window with the same inputs.
xdotool key ctrl+g
profile=$(timeout 20 xdotool search --sync --onlyvisible --name "$profile_title" | head -n 1)
xdotool windowmove --sync "$profile" 20 20
xdotool windowsize --sync "$profile" $((1260 * SCALE)) $((720 * SCALE))
xdotool windowfocus --sync "$profile"
sleep 1
# Hover over the surf zone, a little seaward of the breaking point, so that
# the values of the station there show under the chart.
xdotool mousemove --window "$profile" $((640 * SCALE)) $((300 * SCALE))
sleep 1
import -window "$profile" "$PROFILE_OUTPUT"
echo "Wrote $PROFILE_OUTPUT"

# Alt+K and Alt+I check Kamphuis's and Miche's limits in the model panel: three
# curves, and the comparison table comes to the front.
xdotool mousemove 2790 1790
xdotool key alt+k
sleep 0.5
xdotool key alt+i
sleep 1
import -window "$profile" "$MODELS_OUTPUT"
echo "Wrote $MODELS_OUTPUT"

# The two limits unchecked again; in the calculation window (focus still on
# 計算) Shift+Tab goes back to the slope box, then to the height box, each
# selected whole as it takes the focus: 1/20 and 2 m, then 計算.
xdotool key alt+k
sleep 0.3
xdotool key alt+i
xdotool windowfocus --sync "$window"
sleep 0.5
xdotool key shift+Tab
xdotool type --delay 50 20
xdotool key shift+Tab shift+Tab shift+Tab
xdotool type --delay 50 2
xdotool key Tab Tab Tab Tab space
sleep 1
xdotool windowfocus --sync "$profile"
sleep 1
import -window "$profile" "$SHORE_OUTPUT"
echo "Wrote $SHORE_OUTPUT"

# ファイル → 実測断面を開く: the file dialog takes the profile's path typed
# into its name box; the page 実測断面 comes to the front with the sea of the
# 2 m wave.  The pointer over the strips shows a point's values.
xdotool key alt+f
sleep 0.5
xdotool key "$open_profile"
sleep 1.5
xdotool type --delay 20 "$PROFILE_CSV"
xdotool key Return
sleep 1.5
xdotool mousemove --window "$profile" $((520 * SCALE)) $((250 * SCALE))
sleep 1
import -window "$profile" "$TRANSFORM_OUTPUT"
echo "Wrote $TRANSFORM_OUTPUT"
