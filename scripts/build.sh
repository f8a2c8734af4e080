#!/usr/bin/env bash
# Configures (once) and builds the program and its tests, incrementally;
# warnings are errors; line numbers and names only in the debug information
# (backtraces work, the build takes less time).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build/build.ninja ]; then
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKCAD_WERROR=ON \
        -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG"
fi
cmake --build build -j "$(nproc)"
