#!/usr/bin/env bash
# Starts the window program as the ordinary user nobody, with a home of its own, offscreen,
# and checks its run through the event file the program writes for tests:
#   scripts/window-run.sh PROGRAM [EVENT | !EVENT ...]
# It waits until the window is shown, checks that each EVENT (primary, secondary) was noted
# and each !EVENT was not, that the program still runs a second later, then asks it to end
# with SIGTERM and checks that it closed its window as the user does: exit code 0 and the
# per-user values stored in its home. Run as root; needs only bash, coreutils and runuser,
# so it also runs inside a bare Debian system.
set -euo pipefail
program=$1
shift

home=$(mktemp -d /tmp/vex-window-home.XXXXXX)
runner=
cleanup() {
    if [ -n "$runner" ]; then kill -KILL "$runner" 2>/dev/null || true; fi
    rm -rf --one-file-system "$home"
}
trap cleanup EXIT
mkdir -p "$home/run"
chmod 700 "$home/run"
chown -R nobody: "$home"
events=$home/events

fail() {
    echo "window-run: FAILED: $program: $*" >&2
    sed 's/^/  program output: /' "$home/output" >&2 || true
    exit 1
}

runuser -u nobody -- env -i PATH=/usr/bin:/bin HOME="$home" XDG_CONFIG_HOME="$home/config" \
    XDG_RUNTIME_DIR="$home/run" LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen \
    VEX_TEST_EVENT_FILE="$events" "$program" >"$home/output" 2>&1 &
runner=$!

# The program notes "window <pid>" once its window is shown: at most 60 s.
pid=
for _ in $(seq 600); do
    pid=$(sed -n 's/^window \([0-9][0-9]*\)$/\1/p' "$events" 2>/dev/null || true)
    [ -n "$pid" ] && break
    kill -0 "$runner" 2>/dev/null || break
    sleep 0.1
done
[ -n "$pid" ] || fail "the window was not shown"
for want in "$@"; do
    case $want in
    !*) grep -qx "${want#!} $pid" "$events" && fail "noted '${want#!}', which it should not" ;;
    *) grep -qx "$want $pid" "$events" || fail "did not note '$want'" ;;
    esac
done
sleep 1
kill -0 "$pid" 2>/dev/null || fail "ended by itself after showing its window"

kill -TERM "$pid"
for _ in $(seq 200); do
    kill -0 "$runner" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$runner" 2>/dev/null && fail "still running 20 s after SIGTERM"
status=0
wait "$runner" || status=$?
runner=
[ "$status" -eq 0 ] || fail "exit code $status after SIGTERM"
grep -q FormHeight "$home/config/Tovemark/VEXdiagnose.reg" 2>/dev/null ||
    fail "the per-user values were not stored"
echo "window-run: $program showed its window (${*:-no events asked}) and closed on SIGTERM"
