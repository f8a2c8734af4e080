#!/usr/bin/env bash
# Runs every fuzz target for the given number of seconds each, starting from
# the committed seeds; new inputs collect in build-fuzz/corpus (not committed).
# A crash leaves its input in build-fuzz/crashes and fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
fuzz/build-fuzzers.sh
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
mkdir -p build-fuzz/crashes
status=0
for target in project material_file colour_file ini dxf_import base_map check; do
    corpus=build-fuzz/corpus/$target
    mkdir -p "$corpus"
    dict=()
    [ -f "fuzz/$target.dict" ] && dict=(-dict="fuzz/$target.dict")
    echo "fuzz_$target: ${seconds}s"
    if ! build-fuzz/fuzz/fuzz_$target "${dict[@]}" -max_total_time="$seconds" -max_len=16384 \
            -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 \
            -artifact_prefix=build-fuzz/crashes/$target- "$corpus" "fuzz/seeds/$target" \
            >build-fuzz/fuzz_$target.log 2>&1; then
        echo "fuzz_$target FAILED: see build-fuzz/fuzz_$target.log and build-fuzz/crashes/"
        tail -n 40 build-fuzz/fuzz_$target.log
        status=1
    else
        grep -E "^(#[0-9]+|Done)" build-fuzz/fuzz_$target.log | tail -n 1
    fi
done
exit $status
