#!/usr/bin/env bash
# Runs a macro script with `kcad play` in a fresh folder holding a copy of the
# bundled example (hall.ray), so that the script's files stay its own.
set -euo pipefail
kcad=$1
script=$2
example=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$example" "$work/hall.ray"
cd "$work"
export TMPDIR="$work"
"$kcad" play "$script"
