#!/usr/bin/env bash
# The benchmark suite in one command: builds the benchmark programs, checks
# the delay proxy, starts a throwaway PostgreSQL on loopback (SQLite only if
# it cannot start), runs every benchmark and prints the results table.
#
#   bash bench/run.sh
#
# Results (JSON and the table) go to build/bench/results/. The generated
# SQLite databases stay under the temporary folder between runs; the
# PostgreSQL ones live as long as the throwaway cluster, unless
# RS501_BENCH_PG names a server to keep them on.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
out="$root/build/bench/results"
tmp="${TMPDIR:-/tmp}"

if [[ ! -f build/build.ninja ]]; then bash tools/build.sh; fi
cmake --build build -j2 --target rs_proxy_check rs_calendar_bench rs_save_bench rs_memory_probe rs_bench_report rs501
mkdir -p "$out"
export QT_QPA_PLATFORM=offscreen RS501_UNATTENDED=1

load_before="$(cut -d' ' -f1-3 /proc/loadavg)"
echo "== delay proxy self-check"
build/bench/rs_proxy_check

pgdir=""
stop_pg() { if [[ -n "$pgdir" ]]; then bash tools/pgcluster.sh stop "$pgdir" || true; fi; }
trap stop_pg EXIT
pg="${RS501_BENCH_PG:-}"
if [[ -n "$pg" && ! "$pg" =~ ^postgres(ql)?://([^/@]*@)?(127\.0\.0\.1|localhost)(:[0-9]+)?/ ]]; then
  echo "RS501_BENCH_PG must name a server on 127.0.0.1: the delay proxy only relays on loopback" >&2
  exit 2
fi
if [[ -z "$pg" ]]; then
  if env_lines=$(bash tools/pgcluster.sh start 2>"$out/pgcluster.log"); then
    eval "$env_lines"
    pgdir="$RS501_PG_DIR"
    pg="$RS501_TEST_PG"
  else
    echo "PostgreSQL did not start (see $out/pgcluster.log): SQLite only"
  fi
fi

echo "== calendar: repaint beside its floor, start-up"
RS501_BENCH_DB="$pg" build/bench/rs_calendar_bench --benchmark_out="$out/calendar.json" --benchmark_out_format=json

echo "== editor: opening, saving, cancelling"
# RS501_BENCH_TODAY: the rs_save_bench of an earlier build, run beside this one.
saves=()
for run in today new; do
  bin=build/bench/rs_save_bench
  if [[ $run == today ]]; then bin="${RS501_BENCH_TODAY:-}"; [[ -x "$bin" ]] || continue; fi
  RS501_BENCH_DB="$pg" "$bin" --benchmark_out="$out/save-$run.json" --benchmark_out_format=json
  saves+=(--save "$run=$out/save-$run.json")
done

echo "== peak memory with a month shown"
memory=()
kb=$(build/bench/rs_memory_probe "$tmp/rs501-suite-1000000.sqlite")
memory+=(--memory "calendar, month of one room, SQLite 1M (rs_memory_probe)=$kb")
if [[ -n "$pg" ]]; then
  kb=$(build/bench/rs_memory_probe "${pg%/*}/rs501_bench_1000000")
  memory+=(--memory "calendar, month of one room, PostgreSQL 1M (rs_memory_probe)=$kb")
fi
kb=$(/usr/bin/time -f %M build/bin/rs501 --db "$tmp/rs501-suite-1000000.sqlite" --user DEMO --sala 1 \
  --screenshot "$out/week.png" 2>&1 >/dev/null | tail -n1)
memory+=(--memory "rs501 host, week of one room, SQLite 1M (/usr/bin/time)=$kb")

{
  echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), $(awk '/MemTotal/ {printf "%.1f GB RAM", $2 / 1048576}' /proc/meminfo); load average before: $load_before, after: $(cut -d' ' -f1-3 /proc/loadavg)"
  echo "Run: $(date -u '+%Y-%m-%d %H:%M UTC')"
  if [[ -n "$pgdir" ]]; then
    echo "PostgreSQL $(basename "$(dirname "$(cat "$pgdir/bindir")")"): throwaway cluster on 127.0.0.1 (tools/pgcluster.sh), fsync=off"
  elif [[ -n "$pg" ]]; then
    echo "PostgreSQL: the server RS501_BENCH_PG names, on 127.0.0.1"
  fi
  echo
  build/bench/rs_bench_report --calendar "$out/calendar.json" "${saves[@]}" "${memory[@]}"
} | tee "$out/table.md"
