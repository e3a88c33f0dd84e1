#!/usr/bin/env bash
# A throwaway PostgreSQL server for tests and benchmarks, listening only on a socket in its own folder.
#   pg-fixture.sh start DIR              creates DIR, starts a server there; prints the base URI
#   pg-fixture.sh load DIR TABLE CSV ID  creates TABLE (ID a bigint, every other column a double) and copies CSV in
#   pg-fixture.sh sql DIR STATEMENT      runs a statement as the superuser
#   pg-fixture.sh stop DIR               stops the server and removes DIR
# The role "reader" (password "secret") logs in by password, every other role without one.
# As root the server runs as the unprivileged user nobody, which owns DIR.
set -euo pipefail
command=${1:?usage: pg-fixture.sh start|load|sql|stop DIR ...}
dir=${2:?usage: pg-fixture.sh start|load|sql|stop DIR ...}
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
[ -x "$bin/initdb" ] || { echo "pg-fixture: no PostgreSQL server installed (scripts/install-deps.sh installs it)" >&2; exit 1; }

as_owner() {
    if [ "$(id -u)" -eq 0 ]; then runuser -u nobody -- "$@"; else "$@"; fi
}
psql_super() { PGOPTIONS='-c client_min_messages=warning' "$bin/psql" -X -q -v ON_ERROR_STOP=1 -h "$dir" -p 5432 -U postgres -d postgres "$@"; }

case "$command" in
start)
    mkdir -p "$dir"
    [ "$(id -u)" -eq 0 ] && chown nobody "$dir"
    as_owner "$bin/initdb" -D "$dir/data" -U postgres -A trust --no-sync >"$dir/initdb.log" 2>&1 \
        || { cat "$dir/initdb.log" >&2; exit 1; }
    printf 'local all reader scram-sha-256\nlocal all all trust\n' | as_owner tee "$dir/data/pg_hba.conf" >/dev/null
    as_owner "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
        -o "-k $dir -p 5432 -c listen_addresses= -c fsync=off -c synchronous_commit=off" start >/dev/null \
        || { cat "$dir/server.log" >&2; exit 1; }
    psql_super -c "CREATE ROLE reader LOGIN PASSWORD 'secret'; GRANT pg_read_all_data TO reader;"
    echo "postgresql://postgres@/postgres?host=$dir&port=5432"
    ;;
load)
    table=${3:?table}; csv=${4:?csv}; id=${5:?id column}
    columns=$(head -1 "$csv" | tr -d '\r' | tr ',' '\n' | while read -r c; do
        if [ "$c" = "$id" ]; then echo "\"$c\" bigint"; else echo "\"$c\" double precision"; fi
    done | paste -sd, -)
    psql_super -c "DROP TABLE IF EXISTS \"$table\"; CREATE TABLE \"$table\" ($columns);"
    psql_super -c "\\copy \"$table\" FROM '$csv' WITH (FORMAT csv, HEADER true)"
    ;;
sql)
    psql_super -c "${3:?statement}"
    ;;
stop)
    if [ -f "$dir/data/postmaster.pid" ]; then as_owner "$bin/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null; fi
    rm -rf "$dir"
    ;;
*)
    echo "pg-fixture: unknown command $command" >&2; exit 1 ;;
esac
