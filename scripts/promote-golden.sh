#!/usr/bin/env bash
# Accepts the pictures the last failing picture test wrote (after you have
# looked at them): build/tests/golden-out/NAME.out.png becomes
# tests/golden/NAME.png.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build/tests/golden-out}
shopt -s nullglob
pictures=("$out"/*.out.png)
if [ ${#pictures[@]} -eq 0 ]; then
    echo "no pictures to promote in $out"
    exit 0
fi
for p in "${pictures[@]}"; do
    name=$(basename "$p" .out.png)
    cp "$p" "tests/golden/$name.png"
    echo "tests/golden/$name.png"
done
