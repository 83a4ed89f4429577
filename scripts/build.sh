#!/usr/bin/env bash
# Configures and builds into build/ (or $VEX_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${VEX_BUILD_DIR:-build}
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=${VEX_BUILD_TYPE:-Release} "$@" >/dev/null
cmake --build "$dir" -j "$(nproc)"
