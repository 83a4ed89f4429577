#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on its bundled lists.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
scripts/build.sh
program="${VEX_BUILD_DIR:-build}/bin/vexdiagnose"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display found. Run the program under a virtual display, for example:" >&2
    echo "  apt-get install -y xvfb && xvfb-run -a $program" >&2
    exit 1
fi
exec "$program" "$@"
