#!/usr/bin/env bash
# Configures and builds Selvaro into build/ (or $SELVARO_BUILD_DIR): the targets named as
# arguments, or everything.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${SELVARO_BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${SELVARO_BUILD_TYPE:-RelWithDebInfo}" \
    ${SELVARO_WERROR:+-DSELVARO_WERROR=ON}
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build "$build" -j"$(nproc)" "${targets[@]}"
