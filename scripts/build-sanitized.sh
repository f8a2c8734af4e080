#!/usr/bin/env bash
# Configures (once) and builds the sanitizer build, build-asan/: clang with
# AddressSanitizer and UBSan, warnings as errors, the unit and whole-program
# tests and the libFuzzer targets (one instrumented build serves both).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build-asan/build.ninja ]; then
    CC=clang CXX=clang++ cmake -S . -B build-asan -G Ninja \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKCAD_WERROR=ON \
        -DKCAD_FUZZ=ON -DKCAD_TESTS=ON -DKCAD_BENCH=ON -DKCAD_GUI=ON \
        -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer" \
        ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER} >/dev/null
fi
cmake --build build-asan -j "$(nproc)" "$@"
