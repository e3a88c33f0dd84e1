#!/usr/bin/env bash
# Times `vantorix-lr export` of the pima sample (600 records) with its model output put on several
# scales: tiny and huge magnitudes, integer scores, an offset far from 0, a spread of 1e-13 around a
# value and one far outlier. Each export gets TIMEOUT seconds (default 60) and MEMORY_KB of address
# space (default 8 GB), so that a runaway export cannot take the machine; a crash or timeout is reported.
# Usage: bench/export-scale.sh [PROGRAM] (default: build/workbench/app/vantorix-lr); needs bc
# (scripts/install-deps.sh --bench).
# The last line is "export seconds per scale: NAME=T ..., slowest T" (wall-clock seconds).
set -uo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/workbench/app/vantorix-lr}")
limit=${TIMEOUT:-60}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# name and awk expression of the new output from p, the sample's probability column.
scales=(
    "unit|p"
    "1e-12|p*1e-12"
    "1e-4|p*1e-4"
    "scores|int(300+550*p+0.5)"
    "1e8|p*1e8"
    "1e12|p*1e12"
    "1e9+small|1e9+p*100"
    "spread-1e-13|0.5+p*1e-13"
    "outlier|(id==17?1e9:p)"
)

summary=""
slowest=0
for entry in "${scales[@]}"; do
    name=${entry%%|*}
    expression=${entry#*|}
    folder="$work/$name"
    mkdir -p "$folder"
    for file in train valid; do
        awk -F, -v OFS=, "NR==1 { print \"id,target,output\"; next } { id=\$1; p=\$5; printf \"%s,%s,%.17g\\n\", \$1, \$2, $expression }" \
            "samples/pima/$file.csv" >"$folder/$file.csv"
    done
    "$program" new --training "$folder/train.csv" --validation "$folder/valid.csv" --target target --id id \
        --models output --out "$folder/scaled.run" >/dev/null 2>&1 || { echo "$name: new failed"; continue; }
    # Wall-clock and processor seconds: on a busy machine the processor time tells the export's own cost.
    TIMEFORMAT='%R %U %S'
    { time (ulimit -v "${MEMORY_KB:-8000000}" && timeout "$limit" "$program" export "$folder/scaled.run" \
        --out "$folder/out" >"$folder/log" 2>&1); } 2>"$folder/time"
    status=$?
    read -r wall user system <"$folder/time"
    seconds=$(printf '%.2f' "$wall")
    cpu=$(printf '%.2f' "$(echo "$user + $system" | bc)")
    case $status in
    0) result="$seconds" ;;
    124) result="timeout(${limit}s)" ;;
    *) result="failed($status,${seconds}s)" ;;
    esac
    pictures=$(ls "$folder/out"/*.png 2>/dev/null | wc -l)
    echo "$name: $result s wall, $cpu s processor, $pictures pictures"
    summary+="$name=$result "
    if [ "$(echo "$seconds > $slowest" | bc)" = 1 ]; then
        slowest=$seconds
    fi
done
echo "export seconds per scale: ${summary% }, slowest $slowest"
