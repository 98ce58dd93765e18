#!/usr/bin/env bash
# Installs what is needed, builds Selvaro with warnings as errors and runs every test; then builds
# the tests again with Clang, AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/) and runs
# them there too, so that a use after free, an overflow or undefined behaviour fails the command
# (docs/fuzzing.md). SELVARO_SKIP_SANITIZE=1 leaves the second run out.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/check-format.sh"
SELVARO_WERROR=1 bash "$root/scripts/build.sh"
build="${SELVARO_BUILD_DIR:-$root/build}"
export QT_QPA_PLATFORM=offscreen
# The server engine's tests run on a throwaway PostgreSQL cluster (a Unix socket in a temporary
# folder), stopped and removed when this script ends; without one they are skipped, saying so.
if cluster="$(bash "$root/scripts/pg-test-cluster.sh" start)"; then
    pg_folder="$(head -n 1 <<<"$cluster")"
    SELVARO_PG_TEST="$(tail -n 1 <<<"$cluster")"
    export SELVARO_PG_TEST
    trap 'bash "$root/scripts/pg-test-cluster.sh" stop "$pg_folder"' EXIT
else
    echo "PostgreSQL tests skipped: the throwaway test server could not be started (see above)" >&2
fi
(cd "$build" && ctest --output-on-failure -j"$(nproc)" --timeout 300)

[ -n "${SELVARO_SKIP_SANITIZE:-}" ] && exit 0
asan="${SELVARO_ASAN_BUILD_DIR:-$root/build-asan}"
started=$(date +%s)
CC=clang CXX=clang++ cmake -S "$root" -B "$asan" -G Ninja -DCMAKE_BUILD_TYPE= \
    -DCMAKE_C_FLAGS="-O1 -gline-tables-only" -DCMAKE_CXX_FLAGS="-O1 -gline-tables-only" \
    -DSELVARO_SANITIZE=ON -DSELVARO_BENCHMARKS=OFF >/dev/null
cmake --build "$asan" -j"$(nproc)"
export ASAN_OPTIONS="detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
(cd "$asan" && ctest --output-on-failure -j"$(nproc)" --timeout 600)
echo "sanitizer build and run: $(($(date +%s) - started)) s"
