#!/usr/bin/env bash
# Checks the window with a real screen-reader client: a virtual display, a D-Bus session with
# the accessibility bus, Qt's AT-SPI bridge switched on, and scripts/screenreader_walk.py
# (the system's python3, which has pyatspi) walking the running program on the bundled lists.
# Usage: scripts/screenreader.sh [PROGRAM]   (default: the build's vexdiagnose)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
program=$(realpath "${1:-${VEX_BUILD_DIR:-build}/bin/vexdiagnose}")

# The program in a folder of its own with the lists beside it (it writes its INI file there),
# and a home of its own, so that neither a running instance nor a user's settings are met.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/program" "$work/home/config" "$work/home/run"
chmod 700 "$work/home/run"
cp "$program" "$work/program/vexdiagnose"
cp lists/ICD10vex.txt lists/Behandling-procedurer-vex.txt "$work/program/"

export HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" XDG_RUNTIME_DIR="$work/home/run"
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LC_ALL=C.UTF-8 PYTHONDONTWRITEBYTECODE=1
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS

# A display number of its own, away from the 99 that every other virtual display starts at.
# -noreset: by default the server resets when its last client leaves, and a client that
# connects during the reset is refused; the accessibility bus launcher is such a client, and
# the program, starting right after it, sometimes met the reset and could not open the display.
xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1280x1024x24 -noreset" dbus-run-session -- \
    /usr/bin/python3 scripts/screenreader_walk.py "$work/program/vexdiagnose" \
    "$work/program/ICD10vex.txt" "$work/program/Behandling-procedurer-vex.txt"
