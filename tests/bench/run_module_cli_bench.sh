#!/bin/bash
# veltrano-module write --verify of a full table against the simulator,
# natively, once alone and once on three modules at a time. Prints "name
# value" lines for bench_table.py.
#   run_module_cli_bench.sh HOST_BIN FOLDER STORE
set -uo pipefail
host_bin="$1"; folder="$2"; store="$3"
fail() { echo "run_module_cli_bench.sh: $*" >&2; exit 1; }

rm -rf "$folder"
mkdir -p "$folder"
awk 'BEGIN { print "row,device,key,code" } { print $1 ",,," $2 }' "$store" >"$folder/table.csv"

simulator_pids=()
trap 'kill "${simulator_pids[@]}" 2>/dev/null; wait 2>/dev/null' EXIT
start_module() {
  local place="$folder/$1"
  mkdir -p "$place"
  "$host_bin/veltrano-module-sim" --link "$place/line" --log "$place/frames.log" --status "$place/status" \
    --store "$place/store.txt" </dev/null >"$place/simulator.out" 2>&1 &
  simulator_pids+=($!)
  for _ in $(seq 200); do [ -L "$place/line" ] && [ -f "$place/status" ] && return 0; sleep 0.01; done
  fail "the simulator in $place did not start"
}

# Milliseconds the tool takes, from start to exit.
timed_write() {
  local start end
  start=$(date +%s%N)
  "$host_bin/veltrano-module" write "$folder/table.csv" --verify "$@" >"$folder/write.out" 2>"$folder/write.err" ||
    { cat "$folder/write.err" >&2; fail "write --verify failed"; }
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}

start_module one
one_ms=$(timed_write --port "$folder/one/line")
# On the line: from the write's enter frame to the read-complete frame; the
# read-back alone: from the read request to the read-complete frame, which
# is the simulator's pacing of its records.
awk '$2 == "rx" && $3 == "enter-config" && !enter { enter = $1 }
     $2 == "rx" && $3 == "read-request" { request = $1 }
     $2 == "tx" && $3 == "read-complete" { complete = $1 }
     END { if (enter == "" || complete == "") exit 1
           printf "module-write-verify-line-ms %.0f\n", (complete - enter) * 1000
           printf "module-readback-pacing-ms %.0f\n", (complete - request) * 1000 }' "$folder/one/frames.log" ||
  fail "the frame log lacks the write's frames"
echo "module-write-verify-rows $(grep -c '^row ' "$folder/one/status")"
echo "module-write-verify-process-ms $one_ms"

start_module two
start_module three
start_module four
three_ms=$(timed_write --port "$folder/two/line" --port "$folder/three/line" --port "$folder/four/line")
echo "module-write-verify-three-ms $three_ms"
echo "module-write-verify-one-ms $one_ms"
