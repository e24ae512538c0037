#!/usr/bin/env bash
# Throwaway PostgreSQL cluster on loopback for the tests.
#
# Sourced:   source tools/pgcluster.sh; pg_start; ...; pg_stop
#            pg_start exports RS501_TEST_PG (connection URL) and RS501_PG_DIR.
# Executed:  eval "$(bash tools/pgcluster.sh start)"   # prints export lines
#            bash tools/pgcluster.sh stop [DIR]        # DIR defaults to $RS501_PG_DIR
#
# Works as root (the server then runs as the `postgres` user) and as a normal
# user (the server runs as that user). The cluster only listens on 127.0.0.1
# and on a unix socket inside its own temporary directory.

_pg_log() { echo "pgcluster: $*" >&2; }

# Highest installed PostgreSQL server bin directory.
_pg_find_bin() {
  local d best=""
  for d in /usr/lib/postgresql/*/bin; do
    [[ -x "$d/initdb" && -x "$d/pg_ctl" ]] || continue
    if [[ -z "$best" ]] || [[ "$(printf '%s\n%s\n' "$best" "$d" | sort -V | tail -n1)" == "$d" ]]; then
      best="$d"
    fi
  done
  [[ -n "$best" ]] || return 1
  printf '%s\n' "$best"
}

# Runs a command as the cluster owner, from inside the cluster directory (the
# owner may not be allowed into the caller's working directory).
_pg_as_owner() {
  local dir="$1"
  shift
  if [[ "$(id -u)" -eq 0 ]]; then
    if command -v runuser >/dev/null 2>&1; then
      (cd "$dir" && runuser -u postgres -- "$@")
    else
      local cmd="" a
      for a in "$@"; do cmd+=" $(printf '%q' "$a")"; done
      (cd "$dir" && su postgres -s /bin/sh -c "$cmd")
    fi
  else
    (cd "$dir" && "$@")
  fi
}

_pg_port_in_use() {
  local port="$1"
  if command -v ss >/dev/null 2>&1; then
    [[ -n "$(ss -Hltn "sport = :$port" 2>/dev/null)" ]]
  else
    (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null
  fi
}

# A TCP port on 127.0.0.1 that is free right now.
_pg_free_port() {
  local port
  if command -v python3 >/dev/null 2>&1 &&
    port=$(python3 -c 'import socket
s = socket.socket()
s.bind(("127.0.0.1", 0))
print(s.getsockname()[1])
s.close()' 2>/dev/null) && [[ "$port" =~ ^[0-9]+$ ]]; then
    printf '%s\n' "$port"
    return 0
  fi
  local i
  for ((i = 0; i < 200; i++)); do
    port=$((20000 + (RANDOM * 32768 + RANDOM) % 40000))
    if ! _pg_port_in_use "$port"; then
      printf '%s\n' "$port"
      return 0
    fi
  done
  return 1
}

# Starts a new cluster; exports RS501_TEST_PG and RS501_PG_DIR. Returns
# non-zero (and cleans up) when the cluster cannot be started.
pg_start() {
  local bin dir port attempt started=0
  if ! bin=$(_pg_find_bin); then
    _pg_log "no PostgreSQL server found under /usr/lib/postgresql/*/bin (install the postgresql package)"
    return 1
  fi

  if [[ "$(id -u)" -eq 0 ]]; then
    if ! id -u postgres >/dev/null 2>&1; then
      _pg_log "running as root but there is no 'postgres' user to own the cluster"
      return 1
    fi
    # /tmp rather than $TMPDIR: the postgres user must be able to reach it.
    dir=$(mktemp -d /tmp/rs501-pg.XXXXXX) || return 1
    chown postgres: "$dir" || { rm -rf "$dir"; return 1; }
  else
    dir=$(mktemp -d "${TMPDIR:-/tmp}/rs501-pg.XXXXXX") || return 1
  fi
  chmod 700 "$dir"
  printf '%s\n' "$bin" >"$dir/bindir"

  _pg_log "initdb with $bin in $dir"
  if ! _pg_as_owner "$dir" "$bin/initdb" -D "$dir/data" --auth=trust -U postgres \
    --encoding=UTF8 --locale=C >"$dir/initdb.log" 2>&1; then
    _pg_log "initdb failed:"
    cat "$dir/initdb.log" >&2 || true
    rm -rf "$dir"
    return 1
  fi

  # Retry a few times in case another process grabs the port in between.
  for attempt in 1 2 3 4 5; do
    if ! port=$(_pg_free_port); then
      _pg_log "could not find a free TCP port on 127.0.0.1"
      break
    fi
    if _pg_as_owner "$dir" "$bin/pg_ctl" -D "$dir/data" -w -t 60 -l "$dir/postgres.log" \
      -o "-c listen_addresses=127.0.0.1 -p $port -k $dir -c fsync=off" start >/dev/null 2>&1; then
      started=1
      break
    fi
    _pg_log "start attempt $attempt on port $port failed"
    _pg_as_owner "$dir" "$bin/pg_ctl" -D "$dir/data" -m immediate stop >/dev/null 2>&1 || true
  done

  if ((started == 0)); then
    _pg_log "PostgreSQL did not start; server log:"
    tail -n 40 "$dir/postgres.log" >&2 2>/dev/null || true
    rm -rf "$dir"
    return 1
  fi

  printf '%s\n' "$port" >"$dir/port" 2>/dev/null || true
  export RS501_PG_DIR="$dir"
  export RS501_TEST_PG="postgresql://postgres@127.0.0.1:$port/postgres"
  _pg_log "PostgreSQL $(basename "$(dirname "$bin")") running: RS501_TEST_PG=$RS501_TEST_PG"
  return 0
}

# Stops the cluster in DIR (default $RS501_PG_DIR) and removes DIR. Never fails,
# so it is safe in a trap.
pg_stop() {
  local dir="${1:-${RS501_PG_DIR:-}}" bin pid
  [[ -n "$dir" && -d "$dir" ]] || return 0
  case "$(basename "$dir")" in
  rs501-pg.*) ;;
  *)
    _pg_log "refusing to remove $dir: not a cluster directory made by this script"
    return 0
    ;;
  esac
  bin=$(cat "$dir/bindir" 2>/dev/null || _pg_find_bin || true)
  if [[ -f "$dir/data/postmaster.pid" ]]; then
    if [[ -n "$bin" ]]; then
      _pg_as_owner "$dir" "$bin/pg_ctl" -D "$dir/data" -m immediate -w -t 30 stop >/dev/null 2>&1 || true
    fi
    # If pg_ctl could not stop it, end the postmaster this cluster recorded.
    if [[ -f "$dir/data/postmaster.pid" ]]; then
      pid=$(head -n1 "$dir/data/postmaster.pid" 2>/dev/null || true)
      if [[ "$pid" =~ ^[0-9]+$ ]] && kill -0 "$pid" 2>/dev/null; then
        kill -QUIT "$pid" 2>/dev/null || true
        sleep 1
        kill -KILL "$pid" 2>/dev/null || true
      fi
    fi
  fi
  rm -rf "$dir" || true
  if [[ "${RS501_PG_DIR:-}" == "$dir" ]]; then
    unset RS501_PG_DIR RS501_TEST_PG
  fi
  _pg_log "stopped and removed $dir"
  return 0
}

if [[ "${BASH_SOURCE[0]}" == "$0" ]]; then
  set -euo pipefail
  case "${1:-}" in
  start)
    pg_start
    printf 'export RS501_TEST_PG=%q\n' "$RS501_TEST_PG"
    printf 'export RS501_PG_DIR=%q\n' "$RS501_PG_DIR"
    ;;
  stop)
    pg_stop "${2:-}"
    ;;
  *)
    echo "usage: $0 start | stop [DIR]" >&2
    echo "  eval \"\$($0 start)\"   # exports RS501_TEST_PG and RS501_PG_DIR" >&2
    exit 2
    ;;
  esac
fi
