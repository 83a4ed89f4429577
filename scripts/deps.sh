#!/usr/bin/env bash
# Installs what the build and the tests need on a fresh Debian machine. As root it runs
# apt-get itself; otherwise it prints the exact install line and stops.
# Usage: scripts/deps.sh [--install-check] [extra Debian packages...]
#   --install-check  also what scripts/install-check.sh needs: the desktop-file, AppStream,
#                    manual-page and package checkers, dpkg-shlibdeps and debootstrap
set -euo pipefail

# The build: compiler, Qt, test and benchmark libraries; scdoc and rsvg-convert make the
# manual pages and the icons that are installed. The screen-reader check: a virtual display,
# a D-Bus session and the AT-SPI client. fonts-wine: the metric-compatible Tahoma the window
# is laid out for; qt6-translations-l10n: Qt's own texts in Danish (the program falls back
# silently where either is missing). clang-format: Debian 12's default one (version 14), which
# the format check pins. util-linux: setpriv, with which the tests run without root's
# capabilities.
packages=(cmake g++ make qt6-base-dev qt6-qpa-plugins libgtest-dev libgmock-dev libbenchmark-dev
          python3 scdoc librsvg2-bin xvfb xauth dbus at-spi2-core python3-pyatspi
          fonts-wine qt6-translations-l10n clang-format util-linux)
# The Windows compile check (scripts/windows-check.sh): the MinGW cross compiler.
packages+=(g++-mingw-w64-x86-64-posix)
if [ "${1:-}" = "--install-check" ]; then
    shift
    packages+=(desktop-file-utils appstream man-db lintian dpkg-dev file binutils debootstrap
               debian-archive-keyring util-linux)
fi
packages+=("$@")

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
apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}"
