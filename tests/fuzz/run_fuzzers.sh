#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzz build for a bounded time, two at a
# time, each from its committed seed corpus. New inputs go to a scratch corpus
# beside the build, never into the committed one; a crash, leak, timeout or
# out-of-memory is saved under <build>/fuzz-artifacts/<target>/ and fails the run.
#
#   tests/fuzz/run_fuzzers.sh BUILD_DIR [SECONDS_EACH] [TARGET...]
set -uo pipefail

build=$(realpath "$1")
seconds=${2:-60}
shift $(( $# < 2 ? $# : 2 ))
here=$(dirname "$(realpath "$0")")
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(disk_config input_script texture effect music_load stream_load)
parallel=${FUZZ_PARALLEL:-2}

# A small quarantine: ASan's default holds 256 MB of freed blocks, and inputs that
# declare large pictures free hundreds of megabytes each, so -rss_limit_mb would
# measure the sanitizer rather than the target.
export ASAN_OPTIONS=${ASAN_OPTIONS:-halt_on_error=1:detect_leaks=1:quarantine_size_mb=16}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$here/../../.ci/sanitizers/lsan.supp:print_suppressions=0}

fuzz_one() {
    local target=$1 binary="$build/tests/fuzz/fuzz-$1"
    local work="$build/fuzz-corpus/$target" artifacts="$build/fuzz-artifacts/$target/"
    mkdir -p "$work" "$artifacts"
    # -timeout: one input that takes this long is a hang; -rss_limit_mb: memory must stay bounded.
    "$binary" "$work" "$here/corpus/$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
        -artifact_prefix="$artifacts" -print_final_stats=1 >"$build/fuzz-$target.log" 2>&1
    echo $? >"$build/fuzz-$target.status"
}

for target in "${targets[@]}"; do
    if [ ! -x "$build/tests/fuzz/fuzz-$target" ]; then
        echo "run_fuzzers: $build/tests/fuzz/fuzz-$target is not built" >&2
        exit 2
    fi
done

running=0
for target in "${targets[@]}"; do
    fuzz_one "$target" &
    running=$((running + 1))
    if [ "$running" -ge "$parallel" ]; then
        wait -n
        running=$((running - 1))
    fi
done
wait

failed=0
printf '%-14s %12s %9s %s\n' target executions seconds result
for target in "${targets[@]}"; do
    log="$build/fuzz-$target.log"
    status=$(cat "$build/fuzz-$target.status")
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    took=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -1)
    if [ "$status" = 0 ]; then
        result=ok
    else
        result="FAILED (exit $status; see $log)"
        failed=1
    fi
    printf '%-14s %12s %9s %s\n' "$target" "${runs:-?}" "${took:-?}" "$result"
done
for target in "${targets[@]}"; do
    [ "$(cat "$build/fuzz-$target.status")" = 0 ] && continue
    echo "---- $target"
    grep -v '^#[0-9]' "$build/fuzz-$target.log" | tail -40
done
exit $failed
