#!/usr/bin/env bash
# Builds the Debian package vexdiagnose_<version>_<arch>.deb with CPack into build-deb/ (or
# $VEX_DEB_BUILD_DIR): installed under /usr, the INI file as the configuration file
# /etc/vexdiagnose/vexdiagnose.ini, compiled with Debian's hardening flags, stripped, its
# dependencies computed from the binaries by dpkg-shlibdeps. Prints the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh dpkg-dev file binutils
dir=${VEX_DEB_BUILD_DIR:-build-deb}
if [ ! -f "$dir/CMakeCache.txt" ]; then
    export DEB_BUILD_MAINT_OPTIONS=hardening=+all
    CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
    LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
        cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
        -DVEX_SYSTEM_INI=ON -DVEX_BUILD_TESTS=OFF -DVEX_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$dir" -j "$(nproc)" >/dev/null
rm -f "$dir"/vexdiagnose_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
ls "$PWD/$dir"/vexdiagnose_*.deb
