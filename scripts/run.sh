#!/usr/bin/env bash
# Installs what is missing, builds the application and starts it.
# Run as root on Debian from the project's folder; needs a display.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake g++ make qt6-base-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}" </dev/null
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZENTORA_TESTS=OFF -DZENTORA_BENCHMARKS=OFF
cmake --build build -j"$(nproc)" --target zentora
exec ./build/zentora
