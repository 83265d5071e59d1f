#!/usr/bin/env bash
# Builds the game and its tests with warnings as errors, then runs the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh cmake ninja-build g++ libgtest-dev
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARNEL_WERROR=ON
cmake --build build
ctest --test-dir build --output-on-failure
