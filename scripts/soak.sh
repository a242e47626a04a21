#!/bin/bash
# Soak run: the real program writes the table into the simulated module and
# reads it back, cycle after cycle, for MINUTES minutes (default 2). Every
# minute the program's handle count and private bytes are sampled; the run
# fails when a cycle fails or when, from the first sample to the last,
#   handles grow by more than SOAK_HANDLE_GROWTH (default 20), or
#   private bytes grow by more than SOAK_BYTES_GROWTH (default 16 MiB) plus
#   SOAK_BYTES_PER_LOG_CHAR (default 8) for every character the log box
#   gained meanwhile (it keeps its text as UTF-16, and appending copies it).
# Wine counts no private bytes for another process; there the working set
# (resident memory) stands in for them, under the same bound.
#   soak.sh [MINUTES]
set -uo pipefail
source "$(dirname "$0")/lib/setup.sh"

minutes="${1:-2}"
if ! [[ "$minutes" =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: $0 [MINUTES]" >&2; exit 2
fi
handle_growth="${SOAK_HANDLE_GROWTH:-20}"
bytes_growth="${SOAK_BYTES_GROWTH:-16777216}"
bytes_per_char="${SOAK_BYTES_PER_LOG_CHAR:-8}"

install_dependencies || exit 1
build_native || exit 1
build_runnable_windows_targets veltrano pcomm veltrano-soak-driver veltrano-process-stats || exit 1
tree="$RUNNABLE_TREE"

folder="$VELTRANO_BUILD/soak"
prefix="$tree/wine/soak"
link="$tree/wine/soak-line"
port=7
rm -rf "$folder"
mkdir -p "$folder"
cp "$VELTRANO_ROOT/tests/e2e_program/module_store.txt" "$folder/store.txt"
cp "$folder/store.txt" "$folder/preloaded.txt"

simulator_pid=""
driver_pid=""
cleanup() {
  touch "$folder/stop"
  [ -n "$driver_pid" ] && { sleep 1; kill "$driver_pid" 2>/dev/null; wait "$driver_pid" 2>/dev/null; }
  [ -n "$simulator_pid" ] && { kill "$simulator_pid" 2>/dev/null; wait "$simulator_pid" 2>/dev/null; }
  "$VELTRANO_ROOT/tests/serial/serial_prefix.sh" stop "$prefix"
}
trap cleanup EXIT

log "preparing the soak prefix (COM$port)"
"$VELTRANO_ROOT/tests/serial/serial_prefix.sh" start "$prefix" "$port" "$link" || exit 1
rm -f "$link"
"$NATIVE_BUILD/bin/veltrano-module-sim" --link "$link" --status "$folder/status" --store "$folder/store.txt" \
  --log "$folder/frames.log" --pace-ms 150 </dev/null >"$folder/simulator.out" 2>&1 &
simulator_pid=$!
for _ in $(seq 500); do [ -L "$link" ] && break; sleep 0.02; done
[ -L "$link" ] || { log "the simulator did not publish $link"; cat "$folder/simulator.out"; exit 1; }

windows_folder="Z:${folder//\//\\}"
VELTRANO_E2E_FOLDER="$windows_folder" VELTRANO_E2E_PORT="COM$port" \
  "$VELTRANO_ROOT/scripts/wine-run.sh" "$prefix" "$tree/bin/veltrano-soak-driver.exe" "$windows_folder\\stop" \
  </dev/null >"$folder/driver.out" 2>&1 &
driver_pid=$!

# The first sample is taken once a whole cycle has run, so start-up costs
# do not count as growth.
for _ in $(seq 600); do
  grep -q '^cycle 1 ' "$folder/driver.out" 2>/dev/null && break
  kill -0 "$driver_pid" 2>/dev/null || break
  sleep 0.5
done
if ! grep -q '^cycle 1 ' "$folder/driver.out"; then
  log "the first cycle did not finish"; cat "$folder/driver.out"; exit 1
fi

sample() {
  local stats chars cycles
  stats=$("$VELTRANO_ROOT/scripts/wine-run.sh" "$prefix" "$tree/bin/veltrano-process-stats.exe" </dev/null 2>&1 \
    | tr -d '\r' | grep '^handles ')
  chars=$(tr -d '\r' <"$folder/driver.out" | grep '^cycle ' | tail -n 1 | awk '{print $5}')
  cycles=$(grep -c '^cycle ' "$folder/driver.out")
  [[ "$stats" =~ ^handles\ [0-9]+\ private-bytes\ [0-9]+\ working-set\ [0-9]+$ ]] &&
    [[ "$chars" =~ ^[0-9]+$ ]] || return 1
  echo "$1 $(echo "$stats" | awk '{print $2, ($4 > 0 ? $4 : $6), ($4 > 0 ? "private" : "working-set")}') $chars $cycles"
}

status=0
samples="$folder/samples"
: >"$samples"
printf '%-7s %-8s %-12s %-12s %-10s %s\n' minute handles bytes counted log-chars cycles
start=$SECONDS
for minute in $(seq 0 "$minutes"); do
  while [ $((SECONDS - start)) -lt $((minute * 60)) ]; do sleep 1; done
  if ! kill -0 "$driver_pid" 2>/dev/null; then log "the driver ended early"; status=1; break; fi
  line=$(sample "$minute") || { log "the program's counters could not be read"; status=1; break; }
  echo "$line" >>"$samples"
  printf '%-7s %-8s %-12s %-12s %-10s %s\n' $line
done

touch "$folder/stop"
wait "$driver_pid"; driver_status=$?
driver_pid=""
failed_cycles=$(grep -c '^cycle .* failed' "$folder/driver.out")
cycles=$(grep -c '^cycle ' "$folder/driver.out")
log "$cycles cycles, $failed_cycles failed"
if [ "$driver_status" -ne 0 ] || [ "$failed_cycles" -ne 0 ]; then
  log "the driver reported failures:"; cat "$folder/driver.out"; status=1
fi

if [ "$(wc -l <"$samples")" -ge 2 ]; then
  read -r _ first_handles first_bytes _ first_chars _ < <(head -n 1 "$samples")
  read -r _ last_handles last_bytes _ last_chars _ < <(tail -n 1 "$samples")
  handles_grew=$((last_handles - first_handles))
  bytes_grew=$((last_bytes - first_bytes))
  allowed_bytes=$((bytes_growth + bytes_per_char * (last_chars - first_chars)))
  log "handles grew by $handles_grew (allowed $handle_growth), bytes by $bytes_grew (allowed $allowed_bytes)"
  [ "$handles_grew" -le "$handle_growth" ] || { log "handle count grew beyond the bound"; status=1; }
  [ "$bytes_grew" -le "$allowed_bytes" ] || { log "private bytes grew beyond the bound"; status=1; }
else
  log "fewer than two samples"; status=1
fi

if [ $status -eq 0 ]; then log "soak passed"; else log "soak failed"; fi
exit $status
