#!/bin/sh
# A throw-away PostgreSQL cluster for one test run: made in a fresh temporary folder, listening
# only on a Unix socket there (nothing on the network), run as the `postgres` user when the
# tests run as root.
#   cluster.sh start STATE   makes and starts it; writes its connection URI to STATE
#   cluster.sh stop STATE    stops it and removes its folder
set -eu
action=$1
state=$2
bin=${SENVORA_PG_BIN:-/usr/lib/postgresql/15/bin}

as_owner() {
    if [ "$(id -u)" = 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

stop_cluster() {
    [ -f "$state.dir" ] || return 0
    dir=$(cat "$state.dir")
    if [ -d "$dir/data" ]; then
        as_owner "$bin/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null 2>&1 || true
    fi
    rm -rf "$dir"
    rm -f "$state" "$state.dir"
}

case $action in
start)
    stop_cluster # a cluster a killed run left behind
    if [ ! -x "$bin/initdb" ]; then
        echo "PostgreSQL is not installed ($bin/initdb missing): apt-get install postgresql" >&2
        exit 1
    fi
    dir=$(mktemp -d "${TMPDIR:-/tmp}/senvora-pg.XXXXXX")
    echo "$dir" >"$state.dir"
    chmod 0755 "$dir"
    if [ "$(id -u)" = 0 ]; then chown postgres "$dir"; fi
    as_owner "$bin/initdb" -D "$dir/data" -U postgres --auth=trust --encoding=UTF8 \
        --locale=C.UTF-8 >"$dir/initdb.log" 2>&1 || { cat "$dir/initdb.log" >&2; exit 1; }
    as_owner "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
        -o "-c listen_addresses='' -c unix_socket_directories='$dir' -c fsync=off \
            -c max_connections=200" start >/dev/null || { cat "$dir/server.log" >&2; exit 1; }
    echo "postgresql://postgres@/postgres?host=$dir" >"$state"
    ;;
stop)
    stop_cluster
    ;;
*)
    echo "usage: $0 start|stop STATE" >&2
    exit 2
    ;;
esac
