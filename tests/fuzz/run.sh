#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer) in build-fuzz/
# and runs each for SECONDS seconds on its seed corpus in tests/fuzz/corpus/. Inputs that crash are kept in
# build-fuzz/work/TARGET/. The last line is the total: "fuzz: N executions, C crashes".
#   tests/fuzz/run.sh SECONDS [TARGET...]    targets: csv runfile configuration style (default: all)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build="$root/build-fuzz"
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(csv runfile configuration style)

"$root/scripts/install-deps.sh" --fuzz || exit 1
CC=clang CXX=clang++ cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 1
cmake --build "$build" -j 2 || exit 1

executions=0
crashes=0
for target in "${targets[@]}"; do
    work="$build/work/$target"
    mkdir -p "$work/corpus"
    log="$work/log.txt"
    # Qt keeps process-wide caches until exit; only the plain C++ reader is checked for leaks.
    leaks=0
    [ "$target" = csv ] && leaks=1
    ASAN_OPTIONS=detect_leaks=$leaks UBSAN_OPTIONS=print_stacktrace=1 QT_QPA_PLATFORM=offscreen \
        "$build/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 -detect_leaks=$leaks -max_len=65536 \
        -timeout=20 -rss_limit_mb=4096 -artifact_prefix="$work/" "$work/corpus" "$here/corpus/$target" \
        >"$log" 2>&1
    status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    runs=${runs:-0}
    found=$(find "$work" -maxdepth 1 \( -name 'crash-*' -o -name 'leak-*' -o -name 'oom-*' -o -name 'timeout-*' \) |
        wc -l)
    if [ "$status" -ne 0 ] && [ "$found" -eq 0 ]; then
        found=1
    fi
    echo "$target: $runs executions in ${seconds}s, exit $status, $found crashing inputs (log: $log)"
    if [ "$status" -ne 0 ]; then
        grep -m 20 -E 'ERROR|SUMMARY|runtime error|#[0-9]+ 0x' "$log" | head -20
    fi
    executions=$((executions + runs))
    crashes=$((crashes + found))
done
echo "fuzz: $executions executions, $crashes crashes"
