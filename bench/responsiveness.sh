#!/usr/bin/env bash
# Drives the analysis window (offscreen) through a calculation of a synthetic N-record run and a Cancel
# in each phase, in its own Release build (build-bench-responsiveness/, or BUILD_DIR). The synthetic run is kept in
# out/bench-responsiveness-N/ for the next time. The last line printed is
# "responsiveness at n=N: longest stall: T ms, cancel honoured in C ms".
set -euo pipefail
cd "$(dirname "$0")/.."
records=${1:?usage: bench/responsiveness.sh N}
./scripts/install-deps.sh >/dev/null

# BUILD_DIR names an existing Release build to use as it is configured.
build=${BUILD_DIR:-build-bench-responsiveness}
if [ -z "${BUILD_DIR:-}" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLRV_BUILD_BENCH=ON -DLRV_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" --target bench_responsiveness vantorix-lr -- -j2 >/dev/null

data=out/bench-responsiveness-$records
if [ ! -f "$data/synth.run" ]; then
    "$build/workbench/app/vantorix-lr" synth --records "$records" --out "$data" >/dev/null
fi
"$build/bench/bench_responsiveness" "$data/synth.run" "$records"
