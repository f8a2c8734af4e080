#!/usr/bin/env bash
# Fails when a source file is not formatted as .clang-format says, naming it
# (clang-format -i FILE mends it). With --self-test: a file known to be badly
# formatted must be caught, so a broken check cannot pass quietly.
set -euo pipefail
root=$1
cd "$root"
if [ "${2:-}" = "--self-test" ]; then
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    cp .clang-format "$work/"
    printf 'int  main( ){return 0 ;}\n' >"$work/bad.cpp"
    printf 'int main()\n{\n    return 0;\n}\n' >"$work/good.cpp"
    (cd "$work" && clang-format --style=file --dry-run -Werror good.cpp) || { echo "a well-formatted file was refused"; exit 1; }
    if (cd "$work" && clang-format --style=file --dry-run -Werror bad.cpp 2>/dev/null); then
        echo "a badly formatted file was not caught"
        exit 1
    fi
    echo "the format check catches a badly formatted file"
    exit 0
fi
if [ -d .git ] || git rev-parse --git-dir >/dev/null 2>&1; then
    files=$(git ls-files '*.cpp' '*.h')
else
    files=$(find . -path ./build -prune -o -path './build-*' -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
fi
bad=()
for f in $files; do
    if ! clang-format --style=file --dry-run -Werror "$f" >/dev/null 2>&1; then
        bad+=("$f")
    fi
done
if [ ${#bad[@]} -gt 0 ]; then
    printf 'not formatted (clang-format -i): %s\n' "${bad[@]}"
    exit 1
fi
echo "every source file is formatted"
