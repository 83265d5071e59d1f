#!/usr/bin/env bash
# Builds the game and starts it full screen. The best score (score.atb) is kept in the
# directory this is run from; arguments go to the game (e.g. --window).
set -euo pipefail
here=$PWD
cd "$(dirname "$0")/.."
bash tools/install-deps.sh cmake ninja-build g++ libsdl2-dev libsdl2-mixer-dev
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUARNEL_TESTS=OFF
cmake --build build-release --target quarnel
game=$PWD/build-release/quarnel
cd "$here"
exec "$game" "$@"
