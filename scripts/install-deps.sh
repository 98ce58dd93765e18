#!/usr/bin/env bash
# Installs the Debian 12 packages Selvaro needs to build, run and test.
set -euo pipefail
packages=(
    build-essential cmake ninja-build ccache pkg-config clang-format git
    clang libclang-rt-14-dev
    qt6-base-dev qt6-base-dev-tools qt6-l10n-tools libqt6sql6-sqlite
    qt6-pdf-dev qt6-image-formats-plugins
    libsqlite3-dev mdbtools-dev
    postgresql libpq-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    libkainjow-mustache-dev libical-dev
    fonts-noto-core fonts-liberation2
    libxlsxwriter-dev
    xvfb xauth poppler-utils unzip
    libpoppler-qt6-dev libtesseract-dev tesseract-ocr tesseract-ocr-vie
    desktop-file-utils appstream
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
