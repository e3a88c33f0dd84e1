#!/usr/bin/env bash
# Usage: bench/engine.sh N
# Builds the engine benchmark (Release, its own build folder) and compares the whole engine calculation for N
# records with std::sort of the same N doubles, with and without tied outputs. The last line is the larger
# ratio.
set -euo pipefail
N=${1:?usage: bench/engine.sh N}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="$ROOT/build-bench-engine"
if [ ! -f "$BUILD/build.ninja" ]; then
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLRV_BUILD_BENCH=ON -DLRV_BUILD_TESTS=OFF >/dev/null
fi
ninja -C "$BUILD" -j2 bench_engine >/dev/null

ENGINE_BENCH_MEMORY=1 ENGINE_BENCH_N="$N" "$BUILD/bench/bench_engine"
OUT=$(mktemp)
trap 'rm -f "$OUT"' EXIT
ENGINE_BENCH_N="$N" "$BUILD/bench/bench_engine" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_format=console --benchmark_out="$OUT" --benchmark_out_format=csv >&2
# Medians of CPU time in milliseconds per kind and case: both run single-threaded, and on a shared machine the
# CPU time is what the process itself spent (wall-clock medians are printed too).
awk -F, -v n="$N" '
    $1 ~ /_median"?$/ {
        name = $1; gsub(/"/, "", name); sub(/_median$/, "", name); sub(/\/real_time$/, "", name); split(name, part, "/");
        time[part[1] "/" part[3]] = $4; wall[part[1] "/" part[3]] = $3
    }
    END {
        worst = 0
        for (c = 1; c <= 2; c++) {
            kind = (c == 1) ? "distinct" : "ties"
            s = time["std_sort/" kind]; e = time["engine/" kind]
            if (s <= 0) { print "no std::sort time for " kind > "/dev/stderr"; exit 1 }
            r = e / s; if (r > worst) worst = r
            printf "engine %.1f ms, std::sort %.1f ms CPU (%s outputs): ratio %.3f; wall clock %.1f / %.1f ms = %.3f\n", e, s, kind, r, wall["engine/" kind], wall["std_sort/" kind], wall["engine/" kind] / wall["std_sort/" kind]
        }
        printf "engine/sort ratio at n=%s: %.3f\n", n, worst
    }' "$OUT"
