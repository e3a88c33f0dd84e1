#!/usr/bin/env bash
# Times `vantorix-lr export --records all` of an N-record synthetic run (default 1000000) against
# bench/peer/export_peer.py, which computes and writes the same tables and charts with pandas, scikit-learn and
# matplotlib (scripts/install-deps.sh --bench installs them). Wall time, processor time (user + system: steadier
# on a busy machine) and peak memory of each; the last line is "export/peer ratio at n=N: R" (wall time).
set -euo pipefail
n=${1:-1000000}
root=$(cd "$(dirname "$0")/.." && pwd)
program=${BUILD_DIR:-$root/build}/workbench/app/vantorix-lr
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$program" synth --records "$n" --models 1 --out "$work/run" >/dev/null
measure() {
    /usr/bin/time -f '%e %U %S %M' -o "$work/time" "$@" >/dev/null 2>"$work/err" || { cat "$work/err" >&2; exit 2; }
    cat "$work/time"
}
read -r export_s export_user export_system export_kb < <(measure "$program" export "$work/run/synth.run" --out "$work/export" --records all)
read -r peer_s peer_user peer_system peer_kb < <(measure /usr/bin/python3 "$root/bench/peer/export_peer.py" "$work/run/train.csv" --out "$work/peer")
echo "export: $export_s s, processor $(awk "BEGIN { print $export_user + $export_system }") s, $((export_kb / 1024)) MB"
echo "peer:   $peer_s s, processor $(awk "BEGIN { print $peer_user + $peer_system }") s, $((peer_kb / 1024)) MB"
echo "export/peer processor time at n=$n: $(awk "BEGIN { printf \"%.2f\", ($export_user + $export_system) / ($peer_user + $peer_system) }")"
echo "export/peer memory at n=$n: $(awk "BEGIN { printf \"%.2f\", $export_kb / $peer_kb }")"
echo "export/peer ratio at n=$n: $(awk "BEGIN { printf \"%.2f\", $export_s / $peer_s }")"
