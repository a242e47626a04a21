#!/bin/bash
# Builds and runs the benchmarks and prints one table: each figure, its
# reference measured in the same run, their ratio and the target, and the
# machine it ran on.
#   scripts/bench.sh [--idle-seconds N] [--smoke]
# --smoke runs everything once at a tiny size (a check that it works, not a
# measurement). The Windows pieces run in the 64-bit tree under wine64, which
# every machine of ours can run.
set -uo pipefail
source "$(dirname "$0")/lib/setup.sh"

idle_seconds=60; startup_runs=25; latency_runs=10; log_lines=10000; rows=20000; columns=10; min_time=0.5
while [ $# -gt 0 ]; do
  case "$1" in
    --idle-seconds) idle_seconds="$2"; shift 2 ;;
    --smoke) idle_seconds=2; startup_runs=1; latency_runs=2; log_lines=300; rows=20; columns=3; min_time=0.001; shift ;;
    *) echo "usage: $0 [--idle-seconds N] [--smoke]" >&2; exit 2 ;;
  esac
done

build_native || exit 1
build_runnable_windows_targets veltrano pcomm veltrano-bench-driver veltrano-bench-window \
  veltrano-bench-window-libraries veltrano-bench-reference || exit 1

run_folder="$VELTRANO_BUILD/bench"
prefix="$RUNNABLE_TREE/wine/bench"
port=9
line_link="$RUNNABLE_TREE/wine/bench-line"
rm -rf "$run_folder"
mkdir -p "$run_folder"

log "table file benchmark (native)"
"$NATIVE_BUILD/bin/veltrano-bench-table" --rows="$rows" --columns="$columns" \
  --application="$VELTRANO_ROOT/tests/golden/grid/application_table.dat" --folder="$run_folder" \
  --benchmark_min_time="$min_time" --benchmark_out="$run_folder/table.json" --benchmark_out_format=json \
  >"$run_folder/table.out" 2>&1 || { cat "$run_folder/table.out"; exit 1; }

"$NATIVE_BUILD/bin/veltrano-bench-fill-table" "$VELTRANO_ROOT/tests/golden/grid/application_table.dat" \
  "$VELTRANO_ROOT/tests/e2e_program/module_store.txt" "$run_folder/data.dat" >/dev/null || exit 1

prepare_prefix "$prefix" headless || exit 1
"$VELTRANO_ROOT/scripts/wine-prefix.sh" map-port "$prefix" "$port" "$line_link" || exit 1
"$VELTRANO_ROOT/scripts/wine-prefix.sh" start "$prefix" || exit 1
trap '"$VELTRANO_ROOT/scripts/wine-prefix.sh" stop "$prefix"' EXIT

log "program benchmarks under Wine (idle line for $idle_seconds s)"
"$VELTRANO_ROOT/tests/bench/run_program_bench.sh" "$NATIVE_BUILD/bin" "$RUNNABLE_TREE/bin" "$prefix" "$port" \
  "$line_link" "$run_folder/program" "$run_folder/data.dat" "$startup_runs" "$idle_seconds" "$latency_runs" \
  "$log_lines" >"$run_folder/program.txt" || exit 1

log "veltrano-module write --verify, one module and three (native)"
"$VELTRANO_ROOT/tests/bench/run_module_cli_bench.sh" "$NATIVE_BUILD/bin" "$run_folder/module-cli" \
  "$VELTRANO_ROOT/tools/module_sim/demo_store.txt" >>"$run_folder/program.txt" || exit 1

python3 "$VELTRANO_ROOT/tests/bench/bench_table.py" "$run_folder/table.json" "$run_folder/program.txt" "$log_lines" \
  "$idle_seconds"
