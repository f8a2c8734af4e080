#!/usr/bin/env bash
# Configures (once) and builds the sanitizer build, build-asan/: clang with
# AddressSanitizer and UBSan, warnings as errors, the unit and whole-program
# tests and the libFuzzer targets (one instrumented build serves both).
# -O1 and line tables only: what the sanitizers need, at half the build time.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build-asan/build.ninja ]; then
    CC=clang CXX=clang++ cmake -S . -B build-asan -G Ninja \
        -DCMAKE_BUILD_TYPE=None -DKCAD_WERROR=ON \
        -DKCAD_FUZZ=ON -DKCAD_TESTS=ON -DKCAD_BENCH=OFF -DKCAD_GUI=ON \
        -DCMAKE_CXX_FLAGS="-O1 -gline-tables-only -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer" \
        ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER} >/dev/null
fi
cmake --build build-asan -j "$(nproc)" "$@"
