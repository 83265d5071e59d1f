#!/usr/bin/env bash
# Builds the game and plays the demo replay headless, printing one line of state per tick.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh cmake ninja-build g++ libsdl2-dev libsdl2-mixer-dev
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUARNEL_TESTS=OFF
cmake --build build-release --target quarnel
mkdir -p build-release/play
cd build-release/play
../quarnel --headless --replay ../../replays/demo.qrp --trace -
