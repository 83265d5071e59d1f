#!/usr/bin/env bash
# Builds the game and its tests with warnings as errors, then runs the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
# The X server, window manager, fonts and tools are for the test that plays the live game.
bash tools/install-deps.sh cmake ninja-build g++ libgtest-dev libsdl2-dev libsdl2-mixer-dev \
    libbenchmark-dev xvfb xfonts-base openbox xdotool x11-utils imagemagick
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARNEL_WERROR=ON -DQUARNEL_BENCH=ON
cmake --build build
ctest --test-dir build --output-on-failure
