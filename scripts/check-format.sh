#!/usr/bin/env bash
# Fails when a C++ file of src/, tests/, tools/ or bench/ is not formatted as .clang-format says.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
mapfile -t files < <(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'tools/*.cpp' 'tools/*.h' \
    'bench/*.cpp' 'bench/*.h')
clang-format --dry-run -Werror "${files[@]}"
