#!/usr/bin/env bash
# Runs every fuzz target for the given number of seconds each, starting from
# the committed seeds and a few large generated ones; new inputs collect in
# build-asan/fuzzing/corpus (not committed). Two thirds of the time the fuzzer grows
# inputs slowly from small ones; the last third it takes inputs of up to
# 2 MB at once (-len_control=0), so deep nesting and very long lines are
# really tried. A crash leaves its input in build-asan/fuzzing/crashes and fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
fuzz/build-fuzzers.sh
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
mkdir -p build-asan/fuzzing/crashes build-asan/fuzzing/corpus

# Large seeds, made here rather than kept in the repository.
large=build-asan/fuzzing/large-seeds
rm -rf "$large"
mkdir -p "$large"/{project,material_file,colour_file,ini,dxf_import,base_map,obj_import,check}
megabyte() { head -c 1048576 /dev/zero | tr '\0' "$1"; }
{ printf 'EntityList\n'; for _ in $(seq 3000); do printf 'EntityList\n'; done; printf ' Face 0 1 3 0 0 0 1 0 0 1 1 0\n'; } \
    >"$large/project/deep_lists.ray"
{ printf 'EntityList\n'; for _ in $(seq 3000); do printf ' Wall\n'; done; printf ' Face 0 1 3 0 0 0 1 0 0 1 1 0\n'; } \
    >"$large/project/deep_walls.ray"
{ printf 'EntityList\n Receiver 1 2 '; megabyte 7; printf ' 4 5 6\nEnd\n'; } >"$large/project/long_line.ray"
{ printf '  1  Long '; megabyte a; printf ' , 0.1\n'; } >"$large/material_file/long_line.mat"
{ printf '  1  '; megabyte 9; printf '\n'; } >"$large/colour_file/long_line.mat"
{ printf '[KCad]\nAutoCheckDuplicates='; megabyte 1; printf '\n'; } >"$large/ini/long_line.ini"
{ printf '0\nSECTION\n2\nENTITIES\n0\n3DFACE\n8\n'; megabyte L; printf '\n0\nENDSEC\n0\nEOF\n'; } \
    >"$large/dxf_import/long_line.dxf"
cp "$large/dxf_import/long_line.dxf" "$large/base_map/long_line.dxf"
{ printf 'v 0 0 0\nv 1 0 0\nv 1 1 0\nf 1 2 3 '; megabyte 1; printf '\n'; } >"$large/obj_import/long_line.obj"

status=0
for target in project material_file colour_file ini dxf_import base_map obj_import check; do
    corpus=build-asan/fuzzing/corpus/$target
    mkdir -p "$corpus"
    dict=()
    [ -f "fuzz/$target.dict" ] && dict=(-dict="fuzz/$target.dict")
    grow=$(( seconds * 2 / 3 ))
    large_time=$(( seconds - grow ))
    echo "fuzz_$target: ${grow}s small inputs, ${large_time}s inputs up to 2 MB"
    log=build-asan/fuzzing/fuzz_$target.log
    : >"$log"
    ok=1
    if ! build-asan/fuzz/fuzz_$target "${dict[@]}" -max_total_time="$grow" -max_len=16384 \
            -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 \
            -artifact_prefix=build-asan/fuzzing/crashes/$target- "$corpus" "fuzz/seeds/$target" >>"$log" 2>&1; then
        ok=0
    elif ! build-asan/fuzz/fuzz_$target "${dict[@]}" -max_total_time="$large_time" -max_len=2097152 \
            -len_control=0 -timeout=20 -rss_limit_mb=2048 -print_final_stats=0 \
            -artifact_prefix=build-asan/fuzzing/crashes/$target- "$corpus" "fuzz/seeds/$target" "$large/$target" \
            >>"$log" 2>&1; then
        ok=0
    fi
    if [ $ok -eq 0 ]; then
        echo "fuzz_$target FAILED: see $log and build-asan/fuzzing/crashes/"
        tail -n 40 "$log"
        status=1
    else
        grep -E "^(#[0-9]+|Done)" "$log" | tail -n 1
    fi
done
exit $status
