#!/bin/bash
# Runs one reliability case: the module simulator on a fresh pseudo-terminal
# (seen by Wine as COM PORT) with the case's fault options, then the Windows
# test program that drives veltrano.exe against it.
#   run_reliability_case.sh HOST_BIN PREFIX PORT LINK FOLDER PROGRAM CASE [--preload STORE] [--drive LETTER]
#                           [simulator options...]
# When the simulator hangs up, or when the test asks for it by creating
# FOLDER/restart-request, the simulator starts again on the same link and
# store without its fault options, and FOLDER/restarts counts the restarts:
# a module plugged in again after the line was lost. With --drive, the
# drive LETTER: of the prefix is FOLDER/drive for the case, and the test
# finds its name in VELTRANO_E2E_DRIVE.
set -uo pipefail
host_bin="$1"; prefix="$2"; port="$3"; link="$4"; folder="$5"; program="$6"; case_name="$7"
shift 7
root="$(cd "$(dirname "$0")/../.." && pwd)"
source "$root/tests/e2e_program/case_steps.sh"
fault_options=()
plain_options=()
drive=
rm -rf "$folder"
mkdir -p "$folder"
while [ $# -gt 0 ]; do
  case "$1" in
    --preload)
      cp "$2" "$folder/store.txt"; cp "$2" "$folder/preloaded.txt"; shift 2 ;;
    --drive)
      drive="${2,,}"; shift 2 ;;
    --noise|--split|--silent-readback)
      fault_options+=("$1"); shift ;;
    --hangup-after|--hangup-after-records|--noise-interval-ms|--seed|--split-gap-ms)
      fault_options+=("$1" "$2"); shift 2 ;;
    *)
      plain_options+=("$1"); shift ;;
  esac
done

start_simulator() {
  rm -f "$link"
  "$host_bin/veltrano-module-sim" --link "$link" --status "$folder/status" --store "$folder/store.txt" \
    --log "$folder/frames.log" "$@" </dev/null >>"$folder/simulator.out" 2>&1 &
  simulator_pid=$!
  wait_for_link "$link" "$simulator_pid" "$folder/simulator.out"
}

# Runs the simulator and brings it back when it goes; the simulator is its
# child, so its end is seen at once.
supervise() {
  local restarts=0
  start_simulator "${plain_options[@]}" "${fault_options[@]}" || return 1
  while [ ! -e "$folder/stop" ]; do
    if [ -e "$folder/restart-request" ]; then
      rm -f "$folder/restart-request"
      kill "$simulator_pid" 2>/dev/null
    fi
    if ! kill -0 "$simulator_pid" 2>/dev/null || [ -n "$(ps -o stat= -p "$simulator_pid" | grep Z)" ]; then
      wait "$simulator_pid" 2>/dev/null
      [ -e "$folder/stop" ] && break
      start_simulator "${plain_options[@]}" || return 1
      restarts=$((restarts + 1))
      echo "$restarts" >"$folder/restarts.new" && mv "$folder/restarts.new" "$folder/restarts"
    fi
    sleep 0.05
  done
  kill "$simulator_pid" 2>/dev/null; wait "$simulator_pid" 2>/dev/null
}

echo 0 >"$folder/restarts"
rm -f "$link"
supervise &
supervisor_pid=$!
trap 'touch "$folder/stop"; wait "$supervisor_pid" 2>/dev/null' EXIT
if [ -n "$drive" ]; then
  mkdir -p "$folder/drive"
  ln -sfn "$folder/drive" "$prefix/dosdevices/$drive:"
  trap 'rm -f "$prefix/dosdevices/$drive:"; touch "$folder/stop"; wait "$supervisor_pid" 2>/dev/null' EXIT
  export VELTRANO_E2E_DRIVE="${drive^^}:"
fi
wait_for_link "$link" "$supervisor_pid" "$folder/simulator.out" || exit 1
run_windows_case "$root" "$prefix" "$port" "$folder" "$program" "$case_name" 280 200
