#!/usr/bin/env bash
# Makes every picture docs/ holds, in Japanese and in English (name_en.png):
# screenshot.png, the calculation window after one press of 計算 with the
# default inputs; profile.png, the profile window it opens with Ctrl+G, at
# 1260×720; models.png, that window with Kamphuis's and Miche's breaker
# limits checked beside Goda's; random.png, its tab of Goda's random waves;
# shoreline.png, the profile of a 2 m wave on a 1/20 beach, where the setup
# line, the mean shoreline and the runup mark stand out; transform.png, the
# page 実測断面 with that wave's sea across a measured profile; structure.png,
# the page 構造物 with the composite breakwater of docs/structure.md typed into
# its boxes.  With SHOTS_DIR set the pictures go there instead of docs/, with
# more for review: the profile window at 1600×1000 with one model, and with
# every model checked at 1260×720 and at 1600×1000; the caisson at 1600×1000
# and the slope's overtopping at 1260×720 and 1600×1000.  The program runs
# with settings of its own (a new XDG_CONFIG_HOME), so that nothing a user
# kept changes the pictures.  On a virtual X display
# (Xvfb), so it runs on a machine without a display; keys and the mouse go
# through xdotool (the program has no hook of its own for this).
#
# Usage: [SHOTS_DIR=dir] [SAIHA_LANG=ja|en] scripts/screenshot.sh
#   BUILD=dir picks the build tree; SAIHA_LANG one language only;
#   PROFILE_CSV=file the measured profile (x, z) of transform.png, by default
#   the synthetic barred beach examples/barred_profile.csv; SCALE=2 draws at a
#   device-pixel ratio of 2 (QT_SCALE_FACTOR), for checking the windows at
#   high density.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
SCALE=${SCALE:-1}
PROFILE_CSV=$(realpath "${PROFILE_CSV:-examples/barred_profile.csv}")
export PROFILE_CSV BUILD SCALE

if [[ "${SAIHA_INSIDE_XVFB:-}" != 1 ]]; then
  scripts/install-deps.sh --screenshot
  [[ -f "$BUILD/CMakeCache.txt" ]] || cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$BUILD" --target saiha -j "$(nproc)"
  out=${SHOTS_DIR:-docs}
  mkdir -p "$out"
  review=0
  [[ -n "${SHOTS_DIR:-}" ]] && review=1
  case "${SAIHA_LANG:-}" in
    "") langs="ja en" ;;
    en*) langs=en ;;
    *) langs=ja ;;
  esac
  for lang in $langs; do
    SAIHA_INSIDE_XVFB=1 SAIHA_LANG=$lang OUT_DIR=$out REVIEW=$review \
      xvfb-run -a -s "-screen 0 2800x1800x24 -dpi 96" "$0"
  done
  exit 0
fi

# From here on we run inside xvfb-run, with DISPLAY set to the virtual screen.
export QT_QPA_PLATFORM=xcb
export QT_SCALE_FACTOR=$SCALE
# The windows' titles in the language asked for (Japanese by default); the
# saved choice of the menu is not read, so that the pictures do not depend on
# who took them last.
# The tab 構造物 sits where its text ends.
if [[ "${SAIHA_LANG:-ja}" == en* ]]; then
  lang=en calc_title='^Wave Breaking$' profile_title='Cross-shore Profile' open_profile=f sfx=_en
  structure_tab=254
else
  lang=ja calc_title='^砕波の計算$' profile_title='断面図' open_profile=l sfx=
  structure_tab=210
fi
XDG_CONFIG_HOME=$(mktemp -d)
export XDG_CONFIG_HOME
shot() {  # shot WINDOW NAME: the window's picture as OUT_DIR/NAME$sfx.png
  import -window "$1" "$OUT_DIR/$2$sfx.png"
  echo "Wrote $OUT_DIR/$2$sfx.png"
}
# Every breaker limit but Goda (1970), which the calculation window's model
# already checks, and Shuto's shoaling beside the two-regime rule: ten curves.
every_model() {
  for key in alt+o alt+m alt+k alt+i alt+s; do
    xdotool key "$key"
    sleep 0.3
  done
  sleep 1
}
size() {  # size WINDOW WIDTH HEIGHT
  xdotool windowsize --sync "$1" $(($2 * SCALE)) $(($3 * SCALE))
  sleep 1
}
"$BUILD/app/saiha" --lang "$lang" &
app=$!
trap 'kill "$app" 2>/dev/null || true; rm -rf "$XDG_CONFIG_HOME"' EXIT

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
shot "$window" screenshot

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
shot "$profile" profile

if [[ "${REVIEW:-0}" == 1 ]]; then
  xdotool mousemove 2790 1790
  size "$profile" 1600 1000
  shot "$profile" review-one-model-1600x1000
  every_model
  shot "$profile" review-every-model-1600x1000
  size "$profile" 1260 720
  shot "$profile" review-every-model-1260x720
  every_model  # each box pressed again: the one model left
fi

# Alt+K and Alt+I check Kamphuis's and Miche's limits in the model panel: three
# curves, and the comparison table comes to the front.
xdotool mousemove 2790 1790
xdotool key alt+k
sleep 0.5
xdotool key alt+i
sleep 1
shot "$profile" models

# The two limits unchecked again; in the calculation window (focus still on
# 計算) Shift+Tab goes back to the slope box, then to the height box, each
# selected whole as it takes the focus: 1/20 and 2 m, then 計算.
xdotool key alt+k
sleep 0.3
xdotool key alt+i
sleep 0.5

# The tab of Goda's random waves, the second of the plane beach's tabs (the
# same place in both languages at this size), and back to the profile.
xdotool mousemove --window "$profile" $((120 * SCALE)) $((56 * SCALE)) click 1
xdotool mousemove 2790 1790
sleep 1
shot "$profile" random
xdotool mousemove --window "$profile" $((30 * SCALE)) $((56 * SCALE)) click 1
xdotool mousemove 2790 1790
sleep 0.5

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
shot "$profile" shoreline

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
shot "$profile" transform

# The page 構造物: each box reached by its access key and typed whole, the
# composite breakwater of docs/structure.md (a caisson 18 m wide on a mound
# 9 m below the water, Hmax = 10 m, T1/3 = 12 s, β = 20°).
xdotool mousemove --window "$profile" $((structure_tab * SCALE)) $((31 * SCALE)) click 1
xdotool mousemove 2790 1790
sleep 1
for entry in d:16 n:50 x:10 3:5.6 t:12 p:12 u:9 c:5 b:18 r:10 l:20; do
  xdotool key "alt+${entry%%:*}" ctrl+a
  xdotool type --delay 30 "${entry#*:}"
done
xdotool key Tab
sleep 1
shot "$profile" structure

if [[ "${REVIEW:-0}" == 1 ]]; then
  size "$profile" 1600 1000
  shot "$profile" review-structure-1600x1000
  # The section 斜面・護岸, the second of the structure's: Ctrl+Tab from a
  # box of the caisson's (Hmax, by its access key) turns the sections' own
  # tabs, whatever the width of their texts in either language.
  xdotool key alt+x ctrl+Tab
  sleep 1
  shot "$profile" review-slope-1600x1000
  size "$profile" 1260 720
  shot "$profile" review-slope-1260x720
fi
