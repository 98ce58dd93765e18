#!/usr/bin/env bash
# Fails when a C++ file of src/, tests/, tools/, bench/ or fuzz/ is not formatted as .clang-format says.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
mapfile -t files < <(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'tools/*.cpp' 'tools/*.h' \
    'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' 'fuzz/*.h')
clang-format --dry-run -Werror "${files[@]}"
