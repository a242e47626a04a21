#!/bin/bash
# One tiny run of each program benchmark: passes when every one ran and
# printed its figure, whatever the figure is.
#   smoke_program_bench.sh HOST_BIN PROGRAM_BIN PREFIX PORT LINK FOLDER
set -uo pipefail
host_bin="$1"; program_bin="$2"; prefix="$3"; port="$4"; link="$5"; folder="$6"
root="$(cd "$(dirname "$0")/../.." && pwd)"
mkdir -p "$folder"
"$host_bin/veltrano-bench-fill-table" "$root/tests/golden/grid/application_table.dat" \
  "$root/tests/e2e_program/module_store.txt" "$folder/data.dat" || exit 1
output="$folder/figures.txt"
"$root/tests/bench/run_program_bench.sh" "$host_bin" "$program_bin" "$prefix" "$port" "$link" "$folder/run" \
  "$folder/data.dat" 1 2 2 300 >"$output"
status=$?
cat "$output"
[ $status -eq 0 ] || exit 1
for figure in startup-ms startup-minimal-ms startup-reference-ms memory-startup-mb memory-readback-mb write-ms \
              readback-ms readback-pacing-ms idle-proc-percent latency-ms test-send-ms "log-append-us 100" \
              "log-append-us 300"; do
  grep -Eq "^$figure [0-9.]+$" "$output" || { echo "no figure: $figure"; exit 1; }
done
