#!/usr/bin/env bash
# Builds an optimised game with its benchmarks and prints the frame composition figures.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh cmake ninja-build g++ libsdl2-dev libbenchmark-dev
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUARNEL_TESTS=OFF -DQUARNEL_BENCH=ON
cmake --build build-bench --target quarnel_bench
build-bench/bench/quarnel_bench "$@"
