#!/usr/bin/env bash
# Configures (once) and builds the fuzz targets with clang and the sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build-fuzz/build.ninja ]; then
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKCAD_FUZZ=ON -DKCAD_TESTS=OFF -DKCAD_BENCH=OFF -DKCAD_GUI=OFF \
        -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
fi
cmake --build build-fuzz -j "$(nproc)" --target fuzz_project fuzz_material_file fuzz_colour_file fuzz_ini fuzz_dxf_import fuzz_base_map fuzz_obj_import fuzz_check
