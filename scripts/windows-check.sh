#!/usr/bin/env bash
# Checks that every source file of src/ compiles for Windows, its Windows-only branches
# included: Debian's MinGW cross compiler over Debian's Qt headers, with the defines a Windows
# build of Qt gives its users and the project's warnings as errors. A compile check only:
# nothing is linked or run (see docs/windows.md).
# Usage: scripts/windows-check.sh [FILE.cpp...]   (default: every .cpp under src/)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
cxx=x86_64-w64-mingw32-g++-posix
qt_headers=$(qtpaths6 --query QT_INSTALL_HEADERS)
qt_mkspecs=$(qtpaths6 --query QT_INSTALL_ARCHDATA)/mkspecs

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The warning set from the one list the build uses, and the version header made from its
# template by configure_file, as the build makes it, with the values of the top CMakeLists.txt.
cat >"$tmp/setup.cmake" <<'EOF'
include(${SOURCE}/cmake/warnings.cmake)
file(STRINGS ${SOURCE}/CMakeLists.txt project_line REGEX "^project\\(")
if(NOT project_line MATCHES " VERSION ([0-9]+)\\.([0-9]+)\\.([0-9]+)\\.([0-9]+)")
  message(FATAL_ERROR "no four-part VERSION in the project() line of CMakeLists.txt")
endif()
set(PROJECT_VERSION_MAJOR ${CMAKE_MATCH_1})
set(PROJECT_VERSION_MINOR ${CMAKE_MATCH_2})
set(PROJECT_VERSION_PATCH ${CMAKE_MATCH_3})
set(PROJECT_VERSION_TWEAK ${CMAKE_MATCH_4})
file(STRINGS ${SOURCE}/CMakeLists.txt id_line REGEX "^set\\(VEX_DESKTOP_ID ")
if(NOT id_line MATCHES "^set\\(VEX_DESKTOP_ID ([^ )]+)\\)")
  message(FATAL_ERROR "no set(VEX_DESKTOP_ID ...) in CMakeLists.txt")
endif()
set(VEX_DESKTOP_ID ${CMAKE_MATCH_1})
configure_file(${SOURCE}/src/base/version.h.in ${OUT}/generated/version.h @ONLY)
string(REPLACE ";" "\n" flags "${VEX_WARNING_FLAGS};${VEX_GNU_WARNING_FLAGS}")
file(WRITE ${OUT}/warnings.txt "${flags}\n")
EOF
cmake -DSOURCE="$PWD" -DOUT="$tmp" -P "$tmp/setup.cmake"
mapfile -t warnings <"$tmp/warnings.txt"

# What a Windows build of Qt 6 defines for the programs that use it (its Platform target:
# wide-character Windows API, 64-bit, MinGW), the Qt modules the program links, and a
# Release build's.
defines=(-DUNICODE -D_UNICODE -DWIN32 -D_ENABLE_EXTENDED_ALIGNED_STORAGE -DWIN64 -D_WIN64
         -DMINGW_HAS_SECURE_API=1 -DQT_CORE_LIB -DQT_GUI_LIB -DQT_WIDGETS_LIB -DQT_NETWORK_LIB
         -DQT_NO_DEBUG -DNDEBUG)
includes=(-Isrc -I"$tmp/generated" -isystem "$qt_headers" -isystem "$qt_mkspecs/win32-g++")
for module in QtCore QtGui QtWidgets QtNetwork; do
    includes+=(-isystem "$qt_headers/$module")
done

# One response file holds the options, so each parallel compile gets them all.
for arg in -std=c++20 -fsyntax-only "${warnings[@]}" "${defines[@]}" "${includes[@]}"; do
    arg=${arg//\\/\\\\}
    printf '"%s"\n' "${arg//\"/\\\"}"
done >"$tmp/options"

if [ $# -gt 0 ]; then
    printf '%s\0' "$@" >"$tmp/files"
else
    find src -name '*.cpp' -print0 | sort -z >"$tmp/files"
fi
count=$(tr -cd '\0' <"$tmp/files" | wc -c)
if [ "$count" -eq 0 ]; then
    echo "windows check: no source files to check" >&2
    exit 1
fi
echo "windows check: $count files with $($cxx --version | head -n 1)"

# Each file's messages come out whole, after its compile, so parallel runs do not mix them.
: >"$tmp/failed"
export cxx tmp
# shellcheck disable=SC2016  # the inner shell expands them
xargs -0 -n 1 -P "$(nproc)" bash -c '
    log=$(mktemp "$tmp/log.XXXXXX")
    if ! "$cxx" @"$tmp/options" "$1" >"$log" 2>&1 || [ -s "$log" ]; then
        cat "$log" >&2
        echo "$1" >>"$tmp/failed"
    fi' _ <"$tmp/files" || status=$?

if [ -s "$tmp/failed" ]; then
    echo "windows check: $(wc -l <"$tmp/failed") of $count files do not compile cleanly for Windows:" >&2
    sort "$tmp/failed" | sed 's/^/  /' >&2
    exit 1
fi
if [ "${status:-0}" -ne 0 ]; then
    echo "windows check: the compiles did not all run (xargs ended with $status)" >&2
    exit 1
fi
echo "windows check: all $count files compile for Windows"
