#!/usr/bin/env bash
# Configures (once) and builds the program and its tests, incrementally;
# warnings are errors.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build/build.ninja ]; then
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKCAD_WERROR=ON
fi
cmake --build build -j "$(nproc)"
