#!/usr/bin/env bash
# Usage: bench/delong.sh [N]
# Builds the DeLong benchmark (Release, its own build folder) and compares, for N records (default 1e7), the AUC
# interval by DeLong's method computed from raw outputs with std::sort of the same N doubles: the interval may
# cost at most one more sort. Also prints one model's placement values for a paired test, and what every
# uncertainty statistic adds to an analysis already made. The last line is the larger ratio of DeLong to the sort.
set -euo pipefail
N=${1:-10000000}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="$ROOT/build-bench-delong"
if [ ! -f "$BUILD/build.ninja" ]; then
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLRV_BUILD_BENCH=ON -DLRV_BUILD_TESTS=OFF >/dev/null
fi
ninja -C "$BUILD" -j2 bench_delong >/dev/null

OUT=$(mktemp)
trap 'rm -f "$OUT"' EXIT
DELONG_BENCH_N="$N" "$BUILD/bench/bench_delong" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_format=console --benchmark_out="$OUT" --benchmark_out_format=csv >&2
# Medians of CPU time in milliseconds: on a shared machine the CPU time is what the process itself spent.
awk -F, -v n="$N" '
    $1 ~ /_median"?$/ {
        name = $1; gsub(/"/, "", name); sub(/_median$/, "", name); split(name, part, "/");
        time[part[1] "/" part[3]] = $4
    }
    END {
        worst = 0
        for (c = 1; c <= 2; c++) {
            kind = (c == 1) ? "distinct" : "ties"
            s = time["std_sort/" kind]; d = time["delong/" kind]; u = time["uncertainty/" kind]; p = time["placements/" kind]
            if (s <= 0) { print "no std::sort time for " kind > "/dev/stderr"; exit 1 }
            r = d / s; if (r > worst) worst = r
            printf "%s outputs: DeLong interval %.1f ms, std::sort %.1f ms: ratio %.3f; placement values %.1f ms (%.3f); all uncertainty statistics of an analysis %.1f ms (%.3f)\n", kind, d, s, r, p, p / s, u, u / s
        }
        printf "delong/sort ratio at n=%s: %.3f\n", n, worst
    }' "$OUT"
