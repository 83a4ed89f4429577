#!/usr/bin/env bash
# Builds the whole test suite with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ (or $VEX_ASAN_BUILD_DIR) and runs it with ctest. Any sanitizer report fails the
# test that caused it. Leaks are checked in every test, the widget tests (offscreen) included.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh

dir=${VEX_ASAN_BUILD_DIR:-build-asan}
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEX_SANITIZE=ON -DVEX_BUILD_BENCH=OFF \
    "$@" >/dev/null
cmake --build "$dir" -j "$(nproc)"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=offscreen
cd "$dir"
ctest --output-on-failure -j "$(nproc)"
