#!/bin/bash
# Runs one end-to-end case: the module simulator on a fresh pseudo-terminal
# (seen by Wine as COM PORT), then the Windows test program that drives
# veltrano.exe against it.
#   run_e2e_case.sh HOST_BIN PREFIX PORT LINK FOLDER PROGRAM CASE [--preload STORE] [simulator options...]
set -uo pipefail
host_bin="$1"; prefix="$2"; port="$3"; link="$4"; folder="$5"; program="$6"; case_name="$7"
shift 7
root="$(cd "$(dirname "$0")/../.." && pwd)"
source "$root/tests/e2e_program/case_steps.sh"
simulator_options=()
rm -rf "$folder"
mkdir -p "$folder"
while [ $# -gt 0 ]; do
  if [ "$1" = "--preload" ] && [ $# -ge 2 ]; then
    cp "$2" "$folder/store.txt"; cp "$2" "$folder/preloaded.txt"; shift 2
  else
    simulator_options+=("$1"); shift
  fi
done

rm -f "$link"
"$host_bin/veltrano-module-sim" --link "$link" --status "$folder/status" --store "$folder/store.txt" \
  --log "$folder/frames.log" "${simulator_options[@]}" </dev/null >"$folder/simulator.out" 2>&1 &
simulator_pid=$!
trap 'kill "$simulator_pid" 2>/dev/null; wait "$simulator_pid" 2>/dev/null' EXIT
wait_for_link "$link" "$simulator_pid" "$folder/simulator.out" || exit 1
run_windows_case "$root" "$prefix" "$port" "$folder" "$program" "$case_name" 240 100000
