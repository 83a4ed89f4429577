#!/usr/bin/env bash
# Installs what the build and the tests need on a fresh Debian machine. As root it runs
# apt-get itself; otherwise it prints the exact install line and stops.
# Usage: scripts/deps.sh [extra Debian packages...]
set -euo pipefail

packages=(cmake g++ make qt6-base-dev qt6-qpa-plugins libgtest-dev libgmock-dev libbenchmark-dev python3
    xvfb xauth dbus at-spi2-core python3-pyatspi "$@")

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages. Install them with:" >&2
    echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
