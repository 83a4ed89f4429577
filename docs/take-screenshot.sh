#!/usr/bin/env bash
# Takes docs/screenshot.png: the window on the bundled lists after a search, under a virtual
# display. Needs xvfb-run, xdotool and ImageMagick's import, and a built build/bin/vexdiagnose
# (or $VEX_BUILD_DIR/bin/vexdiagnose).
#   xvfb-run -a -s "-screen 0 1024x768x24" docs/take-screenshot.sh
set -euo pipefail
cd "$(dirname "$0")/.."
out="$PWD/docs/screenshot.png"
cd "${VEX_BUILD_DIR:-build}/bin"
export HOME="$(mktemp -d)"  # a fresh user: no remembered values
./vexdiagnose &
pid=$!
# The program stores its values as it ends: wait for that before the home goes.
trap 'kill $pid 2>/dev/null && wait $pid; rm -rf "$HOME"' EXIT
sleep 3
wid=$(xdotool search --name "Vex Diagnoseliste-program" | head -1)
xdotool windowactivate --sync "$wid" 2>/dev/null || true
xdotool windowfocus --sync "$wid"
sleep 0.5
xdotool key --window "$wid" alt+s   # the Search button
sleep 1
xdotool type --delay 50 "lungebetændelse"
xdotool key Return
sleep 2
xdotool key Down Down Down         # into the grid: the record follows the row
sleep 1
import -window root "$out"
