#!/usr/bin/env bash
# Installs what is needed, builds Selvaro and starts it. Extra arguments go to the program
# (for example --home DIR).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh" selvaro
build="${SELVARO_BUILD_DIR:-$root/build}"
exec "$build/bin/selvaro" "$@"
