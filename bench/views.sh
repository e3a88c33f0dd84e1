#!/usr/bin/env bash
# Builds and runs the report grid benchmarks in their own Release build (build-bench-views/).
# The last line printed is "grid refresh of 100000 rows: T ms".
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh >/dev/null

build=build-bench-views
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLRV_BUILD_BENCH=ON -DLRV_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target bench_views -- -j2 >/dev/null
QT_QPA_PLATFORM=offscreen "$build/bench/bench_views" --benchmark_min_time=2 "$@"
