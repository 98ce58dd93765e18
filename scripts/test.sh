#!/usr/bin/env bash
# Installs what is needed, builds Selvaro with warnings as errors and runs every test.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/check-format.sh"
SELVARO_WERROR=1 bash "$root/scripts/build.sh"
build="${SELVARO_BUILD_DIR:-$root/build}"
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure -j"$(nproc)" --timeout 300
