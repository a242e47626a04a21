#!/bin/bash
# The Linux launcher's serial port mapping, in a scratch prefix with a
# folder of stand-in adapters (pseudo-terminals):
#   launcher_test.sh SOURCE_ROOT WORK_FOLDER
# VELTRANO_WINE names the Wine loader. Checks which COM port each adapter
# becomes, that the mapping reaches the prefix's registry and the port list
# the program reads, that bytes written to COM1 arrive at its adapter, and
# that later runs follow adapters coming and going and leave other port
# settings alone.
set -uo pipefail
root="$1"; work="$2"
wine="${VELTRANO_WINE:-wine}"
launcher="$root/packaging/veltrano-linux.sh"
prefix="$work/prefix"
devices="$work/devices"
holder_pid=""

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
cleanup() {
  [ -n "$holder_pid" ] && kill "$holder_pid" 2>/dev/null
  WINEPREFIX="$prefix" wineserver -k </dev/null >/dev/null 2>&1
}
trap cleanup EXIT

export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
[ "$(basename "$wine")" = wine ] || export WINELOADER="$wine"

launch() {
  "$launcher" --prefix "$prefix" --devices "$devices" --wine "$wine" --ports-only >"$work/out" 2>&1
  local status=$?
  sed 's/^/  | /' "$work/out"
  return $status
}
said() { grep -qF -- "$1" "$work/out"; }
# The values under HKLM\Software\Wine\Ports as NAME=DATA lines.
ports_in_registry() {
  "$wine" reg query 'HKLM\Software\Wine\Ports' </dev/null 2>/dev/null | tr -d '\r' |
    awk '$2 == "REG_SZ" { print $1 "=" $3 }' | sort
}

rm -rf "$devices"
mkdir -p "$work" "$devices"
rm -f "$work"/*.received

# Three adapters that answer, and an on-board port node without a chip
# (it takes no terminal settings).
python3 "$root/tests/packaging/pty_holder.py" "$devices/ttyUSB0" "$devices/ttyACM0" "$devices/ttyS1" \
  >"$work/holder.out" 2>&1 &
holder_pid=$!
for _ in $(seq 100); do grep -q ready "$work/holder.out" 2>/dev/null && break; sleep 0.1; done
grep -q ready "$work/holder.out" || { echo "FAIL: the stand-in adapters did not start"; exit 1; }
ln -s /dev/null "$devices/ttyS0"

# A port set up by someone else stays as it is.
if [ ! -f "$prefix/system.reg" ]; then
  launch >/dev/null || { echo "FAIL: the launcher could not prepare the prefix"; exit 1; }
fi
"$wine" reg add 'HKLM\Software\Wine\Ports' /v COM9 /d /dev/null /f </dev/null >/dev/null 2>&1
wineserver -w

echo "== three adapters"
launch || fail "the launcher failed"
said "COM1 = $devices/ttyUSB0" || fail "ttyUSB0 is not COM1"
said "COM2 = $devices/ttyACM0" || fail "ttyACM0 is not COM2"
said "COM3 = $devices/ttyS1" || fail "ttyS1 is not COM3"
said "ttyS0" && fail "the port without a chip was mapped"
expected="COM1=$devices/ttyUSB0
COM2=$devices/ttyACM0
COM3=$devices/ttyS1
COM9=/dev/null"
[ "$(ports_in_registry)" = "$expected" ] || fail "the registry holds: $(ports_in_registry | tr '\n' ' ')"
serialcomm="$("$wine" reg query 'HKLM\HARDWARE\DEVICEMAP\SERIALCOMM' </dev/null 2>/dev/null | tr -d '\r')"
for port in COM1 COM2 COM3; do
  grep -qE "REG_SZ +$port\$" <<<"$serialcomm" || fail "$port is not in the port list the program reads"
done
"$wine" cmd /c 'echo veltrano-line-check>COM1' </dev/null >/dev/null 2>&1
for _ in $(seq 50); do grep -q veltrano-line-check "$devices/ttyUSB0.received" 2>/dev/null && break; sleep 0.1; done
grep -q veltrano-line-check "$devices/ttyUSB0.received" 2>/dev/null || fail "bytes written to COM1 did not reach ttyUSB0"

echo "== the same adapters again"
launch || fail "the launcher failed"
said "updating" && fail "an unchanged set of adapters rewrote the prefix"
said "COM3 = $devices/ttyS1" || fail "the ports were not listed again"

echo "== the USB adapter unplugged"
rm "$devices/ttyUSB0"
launch || fail "the launcher failed"
said "COM1 = $devices/ttyACM0" || fail "ttyACM0 is not COM1"
said "COM2 = $devices/ttyS1" || fail "ttyS1 is not COM2"
expected="COM1=$devices/ttyACM0
COM2=$devices/ttyS1
COM9=/dev/null"
[ "$(ports_in_registry)" = "$expected" ] || fail "the registry holds: $(ports_in_registry | tr '\n' ' ')"

echo "== no adapters"
rm -f "$devices"/tty*
launch || fail "the launcher failed"
said "no serial adapter found" || fail "no adapters was not reported"
[ "$(ports_in_registry)" = "COM9=/dev/null" ] || fail "the registry holds: $(ports_in_registry | tr '\n' ' ')"

echo "== a wrong option"
"$launcher" --colour >/dev/null 2>&1
[ $? -eq 2 ] || fail "an unknown option was not refused"

[ "$failures" -eq 0 ] && echo "all launcher checks passed"
exit $((failures > 0))
