#!/usr/bin/env bash
# Checks that every C++ file of src/, tests/ and bench/ is formatted as .clang-format says,
# and names each file that is not. The versions of clang-format format differently, so the
# check uses Debian 12's default one (package clang-format, version 14), as scripts/deps.sh
# installs it. To fix a file: clang-format -i FILE.
set -euo pipefail
cd "$(dirname "$0")/.."

version=$(clang-format --version | grep -o 'version [0-9]*' | cut -d' ' -f2)
if [ "$version" != 14 ]; then
    echo "clang-format $version found; the check needs version 14 (Debian package clang-format)" >&2
    exit 1
fi

mapfile -d '' files < <(find src tests bench -type f \( -name '*.cpp' -o -name '*.h' \) -print0 |
                        sort -z)
mapfile -t differ < <(printf '%s\0' "${files[@]}" | xargs -0 -n 16 -P "$(nproc)" sh -c \
    'for f; do clang-format --dry-run -Werror "$f" >/dev/null 2>&1 || echo "$f"; done' sh | sort)
if [ ${#differ[@]} -gt 0 ]; then
    echo "Not formatted as .clang-format says (${#differ[@]} of ${#files[@]} files):" >&2
    printf '  %s\n' "${differ[@]}" >&2
    echo "Fix with: clang-format -i FILE" >&2
    exit 1
fi
echo "${#files[@]} files formatted as .clang-format says"
