#!/usr/bin/env bash
# Makes docs/screenshot.png: the window after one press of 計算 with the
# default inputs, on a virtual X display (Xvfb), so it runs on a machine
# without a display.  The button is pressed with a real mouse click through
# xdotool; the program has no hook of its own for this.
#
# Usage: scripts/screenshot.sh [OUTPUT]   (BUILD=dir picks the build tree)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
OUTPUT=${1:-docs/screenshot.png}

if [[ "${SAIHA_INSIDE_XVFB:-}" != 1 ]]; then
  scripts/install-deps.sh --screenshot
  [[ -f "$BUILD/CMakeCache.txt" ]] || cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$BUILD" --target saiha -j "$(nproc)"
  mkdir -p "$(dirname "$OUTPUT")"
  SAIHA_INSIDE_XVFB=1 exec xvfb-run -a -s "-screen 0 400x520x24 -dpi 96" "$0" "$OUTPUT"
fi

# From here on we run inside xvfb-run, with DISPLAY set to the virtual screen.
export QT_QPA_PLATFORM=xcb
"$BUILD/app/saiha" &
app=$!
trap 'kill "$app" 2>/dev/null || true' EXIT

window=$(timeout 20 xdotool search --sync --onlyvisible --name '砕波の計算' | head -n 1)
xdotool windowmove --sync "$window" 20 20
# There is no window manager to activate the window; give it the keyboard
# focus directly so it is drawn as the active window.
xdotool windowfocus --sync "$window"
sleep 0.5

# Click the middle of 計算 (Command1: 169 × 25 pixels at 0, 224), then move
# the pointer off the window so that no tooltip or hover shading shows.
xdotool mousemove --window "$window" 84 236 click 1
xdotool mousemove 390 510
sleep 1

import -window "$window" "$OUTPUT"
echo "Wrote $OUTPUT"
