#!/usr/bin/env bash
# Takes the README's pictures of the window under Xvfb: the default size after
# a run on the sample, and a large window showing the results table.
# Needs xvfb, xdotool and imagemagick (not installed by install-deps.sh).
# BUILD_DIR chooses the build folder (default: build); pictures go to docs/.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"
display=:${SCREENSHOT_DISPLAY:-97}
settings=$(mktemp -d)

Xvfb "$display" -screen 0 1920x1200x24 >/dev/null 2>&1 &
xvfb=$!
app=
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$settings"
}
trap cleanup EXIT
sleep 1

# A fresh settings folder and an English locale: the first start picks English.
DISPLAY=$display LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 LOCALAPPDATA=$settings \
  "$build/bin/quelmora" >/dev/null 2>&1 &
app=$!
export DISPLAY=$display
window=
for _ in $(seq 50); do
  window=$(xdotool search --onlyvisible --class quelmora 2>/dev/null | tail -1 || true)
  [ -n "$window" ] && [ "$(xdotool getwindowgeometry "$window" | grep -c 1340x)" = 1 ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "screenshots.sh: the window did not appear" >&2; exit 1; }
xdotool windowmove "$window" 0 0
xdotool windowfocus --sync "$window"

# F9 runs the calculation; the sample takes a few seconds.
xdotool key --window "$window" F9
sleep "${SCREENSHOT_RUN_SECONDS:-12}"
import -window "$window" docs/window-default-en.png

xdotool windowsize --sync "$window" 1900 1150
sleep 1
# Drag the handle right of the lists to make room for the results table,
# then open the table: the second tab above the box list.
xdotool mousemove --window "$window" 362 700 mousedown 1
xdotool mousemove --window "$window" 500 700 sleep 0.2 mousemove --window "$window" 740 700 \
  mouseup 1
sleep 0.5
xdotool mousemove --window "$window" 205 527 click 1
sleep 1
import -window "$window" docs/window-table-en.png
echo "docs/window-default-en.png docs/window-table-en.png"
