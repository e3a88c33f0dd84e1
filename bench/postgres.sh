#!/usr/bin/env bash
# Usage: bench/postgres.sh N
# Starts a throwaway PostgreSQL server (tests/workbench/sql/pg-fixture.sh), loads a synthetic training set of N
# records into it and times one analysis of model_1 run in the database, from connecting to the last result.
# The last line: postgres analysis at n=N: T s, rows returned: R (R stays at most about 100,000 past that many
# records: only aggregates, a few counts and the per-record sample come back).
set -euo pipefail
N=${1:?usage: bench/postgres.sh N}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="$ROOT/build-bench-postgres"
if [ ! -f "$BUILD/build.ninja" ]; then
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLRV_BUILD_BENCH=ON -DLRV_BUILD_TESTS=OFF >/dev/null
fi
ninja -C "$BUILD" -j2 bench_postgres vantorix-lr >/dev/null

WORK=$(mktemp -d)
FIXTURE="$ROOT/tests/workbench/sql/pg-fixture.sh"
trap '"$FIXTURE" stop "$WORK/pg" >/dev/null 2>&1 || true; rm -rf "$WORK"' EXIT
[ "$(id -u)" -eq 0 ] && chmod o+x "$WORK" # the server runs as nobody and must reach its folder
"$BUILD/workbench/app/vantorix-lr" synth --records "$N" --out "$WORK/synth" >/dev/null
BASE=$("$FIXTURE" start "$WORK/pg")
# An analysis database would sort in memory: give the ranking's sorts room.
"$FIXTURE" sql "$WORK/pg" "ALTER SYSTEM SET work_mem = '512MB'"
"$FIXTURE" sql "$WORK/pg" "SELECT pg_reload_conf()" >/dev/null
load_start=$SECONDS
"$FIXTURE" load "$WORK/pg" scores "$WORK/synth/train.csv" id
"$FIXTURE" sql "$WORK/pg" "VACUUM ANALYZE scores"
echo "loaded $N records in $((SECONDS - load_start)) s"
"$BUILD/bench/bench_postgres" "$BASE&table=scores" "$N"
