#!/usr/bin/env bash
# Installs what is missing, builds the application and starts it.
# Run as root on Debian from the project's folder; needs a display.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake g++ make qt6-base-dev fonts-liberation2)
. scripts/install-missing.sh
install_missing "${packages[@]}"

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZENTORA_TESTS=OFF -DZENTORA_BENCHMARKS=OFF
cmake --build build -j"$(nproc)" --target zentora
exec ./build/zentora
