#!/usr/bin/env bash
# Builds the fuzz targets in the sanitizer build (clang, AddressSanitizer and
# UBSan; see scripts/build-sanitized.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build-sanitized.sh --target fuzz_project fuzz_material_file fuzz_colour_file fuzz_ini fuzz_dxf_import \
    fuzz_base_map fuzz_obj_import fuzz_check
