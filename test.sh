#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite.
#
# Tests labelled "permissions" rely on file permissions, which do not stop root: as root they
# run in a second pass with the capabilities that let root pass permission checks dropped
# (CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH), where they must run instead of skipping. Tests
# labelled "twousers" make users of their own: as root they must run too.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
scripts/build.sh
cd "${VEX_BUILD_DIR:-build}"
export QT_QPA_PLATFORM=offscreen
if [ "$(id -u)" -ne 0 ]; then
    ctest --output-on-failure -j "$(nproc)"
    exit 0
fi
VEX_TEST_REQUIRE_TWO_USERS=1 ctest --output-on-failure -j "$(nproc)" -LE permissions
echo "Tests that rely on file permissions, with root's capabilities dropped:"
setpriv --bounding-set=-dac_override,-dac_read_search --inh-caps=-dac_override,-dac_read_search \
    env VEX_TEST_REQUIRE_PERMISSIONS=1 ctest --output-on-failure -j "$(nproc)" -L permissions
