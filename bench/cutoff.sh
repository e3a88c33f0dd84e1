#!/usr/bin/env bash
# Drags the chosen cutoff across the cutoff chart of a synthetic N-record run in the analysis window
# (offscreen), with the quantiles report and then the ROC report shown, in its own Release build
# (build-bench-cutoff/, or BUILD_DIR). The synthetic run is kept in out/bench-responsiveness-N/ for the next
# time. The last line printed is "cutoff move at n=N: T ms", T the longest move until every view followed.
set -euo pipefail
cd "$(dirname "$0")/.."
records=${1:-10000000}
./scripts/install-deps.sh >/dev/null

# BUILD_DIR names an existing Release build to use as it is configured.
build=${BUILD_DIR:-build-bench-cutoff}
if [ -z "${BUILD_DIR:-}" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLRV_BUILD_BENCH=ON -DLRV_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" --target bench_cutoff vantorix-lr -- -j2 >/dev/null

data=out/bench-responsiveness-$records
if [ ! -f "$data/synth.run" ]; then
    "$build/workbench/app/vantorix-lr" synth --records "$records" --out "$data" >/dev/null
fi
"$build/bench/bench_cutoff" "$data/synth.run" "$records"
