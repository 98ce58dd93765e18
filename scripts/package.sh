#!/usr/bin/env bash
# Installs what is needed, builds the program and makes the Debian package selvaro_<version>_<arch>.deb
# in build/ (or $SELVARO_BUILD_DIR). Install it with: sudo apt install ./build/selvaro_*.deb
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh" selvaro
build="${SELVARO_BUILD_DIR:-$root/build}"
cd "$build"
cpack -G DEB
ls -1 "$build"/selvaro_*.deb
