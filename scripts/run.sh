#!/usr/bin/env bash
# Builds Velmora and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_BENCH=OFF
cmake --build build -j "$(nproc)" --target velmora
exec build/app/velmora "$@"
