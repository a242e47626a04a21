#!/bin/bash
# The Windows console build of veltrano-module under Wine, against the module
# simulator on a pseudo-terminal that the prefix maps to COM PORT.
#   run_windows_cases.sh HOST_BIN PREFIX PORT LINK FOLDER PROGRAM STORE
set -uo pipefail
host_bin="$1"; prefix="$2"; port="$3"; link="$4"; folder="$5"; program="$6"; store="$7"
root="$(cd "$(dirname "$0")/../.." && pwd)"
com="COM$port"
failures=0

rm -rf "$folder"
mkdir -p "$folder"
cd "$folder" || exit 1
cp "$store" store.txt

rm -f "$link"
"$host_bin/veltrano-module-sim" --link "$link" --status status --store store.txt --log frames.log \
  </dev/null >simulator.out 2>&1 &
simulator_pid=$!
trap 'kill "$simulator_pid" 2>/dev/null; wait "$simulator_pid" 2>/dev/null' EXIT
deadline=$((SECONDS + 10))
until [ -L "$link" ] && [ -f status ]; do
  if [ $SECONDS -ge $deadline ] || ! kill -0 "$simulator_pid" 2>/dev/null; then
    echo "the simulator did not publish $link"; cat simulator.out; exit 1
  fi
  sleep 0.01
done

# Runs the Windows program; its exit code, output and errors are kept.
tool() {
  timeout 120 "$root/scripts/wine-run.sh" "$prefix" "$program" "$@" </dev/null >out.txt 2>err.txt
  code=$?
  tr -d '\r' <out.txt >out.unix && mv out.unix out.txt
}

# expect WHAT CONDITION...: runs the condition and names what failed.
expect() {
  local what="$1"; shift
  if "$@"; then
    echo "ok: $what"
  else
    echo "FAILED: $what (exit $code)"; sed 's/^/  out: /' out.txt; sed 's/^/  err: /' err.txt
    failures=$((failures + 1))
  fi
}

rows_held() { grep -c '^row ' status; }

tool ports
expect "ports lists $com" grep -q "^$com " out.txt

tool find --port "$com" --port COM250
expect "find names $com and only it" \
  test "$code" -eq 0 -a "$(grep -c 'module at 115200' out.txt)" -eq 1 -a "$(grep -c "^$com: module at" out.txt)" -eq 1
expect "find leaves the module out of configuration mode" grep -q '^configuring 0' status

tool read --port "$com" -o read.dat
expect "read takes the store into a table file" test "$code" -eq 0
awk 'BEGIN { print "row,device,key,code" } { print $1 ",,," $2 }' store.txt >store.csv
"$host_bin/veltrano-table" import store.csv expected.dat >/dev/null
expect "the table read equals the store" "$host_bin/veltrano-table" diff expected.dat read.dat

tool clear --port "$com"
expect "clear empties the module" test "$code" -eq 0 -a "$(rows_held)" -eq 0

tool write read.dat --verify --port "$com" --json
expect "write --verify puts every row back" \
  test "$code" -eq 0 -a "$(rows_held)" -eq "$(wc -l <store.txt)" -a -n "$(grep '"result": "verified"' out.txt)"

tool set-baud 9600 19200 38400 57600 --bind projector --port "$com"
expect "set-baud reaches the module" grep -q '^port-setting 9600 19200 38400 57600 2$' status

tool read --port COM250
expect "a port that is not there ends with exit 3" test "$code" -eq 3

exit $((failures > 0))
