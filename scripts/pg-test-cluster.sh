#!/usr/bin/env bash
# A throwaway PostgreSQL cluster for the tests: made in a new temporary folder, listening on a Unix
# socket in that folder only (no TCP port), with password authentication so the tests can also try
# a wrong password. Run as root it runs the server as the `postgres` user (initdb refuses root).
#
#   pg-test-cluster.sh start    prints the folder, then the connection string on the next line
#   pg-test-cluster.sh stop DIR stops the cluster in DIR and removes DIR
#
# start fails (exit 1, a line on stderr saying why) when PostgreSQL is not installed or the server
# does not start; the caller then runs the tests without it.
set -euo pipefail

password="selvaro-test"

as_server_user() {
    if [ "$(id -u)" -eq 0 ]; then
        runuser -u postgres -- "$@"
    else
        "$@"
    fi
}

bindir() {
    local initdb
    initdb="$(ls /usr/lib/postgresql/*/bin/initdb 2>/dev/null | sort -V | tail -n 1)"
    [ -n "$initdb" ] || return 1
    dirname "$initdb"
}

case "${1:-}" in
start)
    bin="$(bindir)" || { echo "PostgreSQL is not installed (no initdb under /usr/lib/postgresql)" >&2; exit 1; }
    dir="$(mktemp -d /tmp/selvaro-pg.XXXXXX)"
    chmod 755 "$dir"
    [ "$(id -u)" -eq 0 ] && chown postgres: "$dir"
    printf '%s\n' "$password" >"$dir/pwfile"
    [ "$(id -u)" -eq 0 ] && chown postgres: "$dir/pwfile"
    if ! as_server_user "$bin/initdb" -D "$dir/data" -U postgres --pwfile="$dir/pwfile" \
        --auth=scram-sha-256 --encoding=UTF8 --locale=C.UTF-8 >"$dir/initdb.log" 2>&1; then
        echo "initdb failed: $(tail -n 3 "$dir/initdb.log")" >&2
        rm -rf "$dir"
        exit 1
    fi
    rm -f "$dir/pwfile"
    if ! as_server_user "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
        -o "-c listen_addresses='' -c unix_socket_directories='$dir' -c fsync=off" start >/dev/null; then
        echo "the test server did not start: $(tail -n 3 "$dir/server.log" 2>/dev/null)" >&2
        rm -rf "$dir"
        exit 1
    fi
    echo "$dir"
    echo "host=$dir port=5432 user=postgres password=$password dbname=postgres"
    ;;
stop)
    dir="${2:?usage: pg-test-cluster.sh stop DIR}"
    case "$dir" in /tmp/selvaro-pg.*) ;; *) echo "not a test cluster: $dir" >&2; exit 1 ;; esac
    if bin="$(bindir)" && [ -d "$dir/data" ]; then
        as_server_user "$bin/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null 2>&1 || true
    fi
    rm -rf "$dir"
    ;;
*)
    echo "usage: pg-test-cluster.sh start | stop DIR" >&2
    exit 2
    ;;
esac
