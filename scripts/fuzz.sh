#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer + UndefinedBehaviorSanitizer) into
# build-fuzz/ (or $VEX_FUZZ_BUILD_DIR) and runs them one at a time: first over their committed
# seed corpus (tests/fuzz/corpus/<target>/, which also holds every input that once found a
# fault), then fuzzing for a while. Stops with an error at the first finding; the input is kept
# in <build>/artifacts/.
#
# Usage: scripts/fuzz.sh [seconds per target, default 30] [target ...]
#   VEX_FUZZ_RUNS=N   stop each target after N executions instead of (or before) the time
#   VEX_FUZZ_KEEP=1   keep the corpus grown by earlier runs (in <build>/corpus/<target>)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-30}
shift || true
all_targets=(fuzz_datafile fuzz_search fuzz_ini fuzz_userstore fuzz_commandline)
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=("${all_targets[@]}")

scripts/deps.sh clang libclang-rt-14-dev

dir=${VEX_FUZZ_BUILD_DIR:-build-fuzz}
cmake -S . -B "$dir" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVEX_FUZZ=ON -DVEX_BUILD_TESTS=OFF -DVEX_BUILD_BENCH=OFF >/dev/null
cmake --build "$dir" -j "$(nproc)" --target "${targets[@]}"

# Temporary files of the targets go to memory when possible.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi
# Allocation and free stacks are kept two frames deep. Qt's libraries are built without frame
# pointers, so the fast unwinder reads stack garbage as frames beyond them: every allocation
# then had a stack of its own, kept by the sanitizer for good. The process grew by about
# 1.6 KB per execution, and the data-file target slowed from 2,400 to under 600 executions
# per second within 30 minutes. A finding's input replays with full stacks (see the hint
# printed on failure).
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:symbolize=1:malloc_context_size=2}
full_stacks="ASAN_OPTIONS=detect_leaks=1:symbolize=1:malloc_context_size=30:fast_unwind_on_malloc=0"
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

fuzzdir=$dir/fuzz
mkdir -p "$dir/artifacts"
status=0
summary=()
for t in "${targets[@]}"; do
    short=${t#fuzz_}
    seeds=tests/fuzz/corpus/$t
    work=$dir/corpus/$t
    [ "${VEX_FUZZ_KEEP:-0}" = 1 ] || rm -rf "$work"
    mkdir -p "$work"
    log=$dir/artifacts/$t.log
    common=(-rss_limit_mb=2048 -timeout=10 -dict="tests/fuzz/$short.dict"
            -artifact_prefix="$dir/artifacts/$t-" -print_final_stats=1)

    echo "== $t: seed corpus"
    if ! "$fuzzdir/$t" "${common[@]}" -runs=0 "$seeds" >"$log" 2>&1; then
        tail -n 40 "$log"
        echo "Replay with full allocation stacks: $full_stacks $fuzzdir/$t <input>"
        summary+=("$t: FAILED on its seed corpus (see $log)")
        status=1
        continue
    fi

    echo "== $t: fuzzing for ${seconds}s"
    limits=(-max_total_time="$seconds")
    [ -n "${VEX_FUZZ_RUNS:-}" ] && limits+=(-runs="$VEX_FUZZ_RUNS")
    start=$(date +%s)
    if "$fuzzdir/$t" "${common[@]}" "${limits[@]}" "$work" "$seeds" >"$log" 2>&1; then
        result=ok
    else
        result="FAILED (see $log and $dir/artifacts/$t-*)"
        tail -n 60 "$log"
        echo "Replay with full allocation stacks: $full_stacks $fuzzdir/$t $dir/artifacts/$t-<input>"
        status=1
    fi
    took=$(( $(date +%s) - start ))
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    summary+=("$t: ${runs:-?} executions in ${took}s, $result")
done

echo "== fuzzing summary"
printf '%s\n' "${summary[@]}"
exit $status
