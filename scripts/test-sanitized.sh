#!/usr/bin/env bash
# Runs the unit and whole-program tests of the sanitizer build (build-asan/):
# any memory error, leak or undefined behaviour fails them. The outside
# readers, benchmarks, installation and the Xvfb runs are left to the normal
# build: they test files and the desktop, not memory.
set -euo pipefail
cd "$(dirname "$0")/.."
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Leaks of the libraries we call (font and GL set-up kept for the process's life).
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0
cd build-asan
ctest --output-on-failure -j "$(nproc)" -E '^(outside_|bench_|install_|xdotool_|qt_view3d_with_opengl|layering_|format_)'
