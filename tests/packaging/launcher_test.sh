#!/bin/bash
# The Linux launcher's serial port mapping, in a scratch prefix with a
# folder of stand-in adapters (pseudo-terminals), and its choice of Wine:
#   launcher_test.sh SOURCE_ROOT WORK_FOLDER
# VELTRANO_WINE names the Wine loader. Checks which COM port each adapter
# becomes, that the mapping reaches the prefix's registry and the port list
# the program reads, that bytes written to COM1 arrive at its adapter, and
# that later runs follow adapters coming and going and leave other port
# settings alone. Then that it takes the 64-bit Wine for a 64-bit program
# and the 32-bit loader for a 32-bit one, that a missing Wine is explained
# with the 64-bit Wine alone, and that a missing Marlett font (the title
# bar's buttons) is noticed and explained. With stand-in loaders: that a
# kernel refusing the 32-bit loader is explained, that Wine's messages of a
# failed prefix or program start are shown in UTF-8 with what to do, that
# the program's exit status and folder are kept, and that a wrong option is
# named.
set -uo pipefail
root="$1"; work="$2"
wine="${VELTRANO_WINE:-wine}"
launcher="$root/packaging/veltrano-linux.sh"
prefix="$work/prefix"
devices="$work/devices"
holder_pid=""

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# shellcheck disable=SC2317  # run by the EXIT trap
cleanup() {
  [ -n "$holder_pid" ] && kill "$holder_pid" 2>/dev/null
  WINEPREFIX="$prefix" wineserver -k </dev/null >/dev/null 2>&1
  WINEPREFIX="$prefix" wineserver -w </dev/null >/dev/null 2>&1
  # The launcher makes a whole prefix of its own (1.3 GB); kept from run to
  # run, the build trees' prefixes together would fill the disk.
  rm -rf "$prefix"
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

# From here on the prefix's port list stays empty, so the runs below change
# nothing in the prefix.

# A Windows image as far as the launcher reads it: the DOS header's pointer
# to the PE header, and the machine field after the PE signature; the
# launcher is copied beside it.
fake_image() {
  mkdir -p "$(dirname "$1")"
  cp "$launcher" "$(dirname "$1")/veltrano-linux.sh"
  python3 -c '
import struct, sys
header = bytearray(0x80)
header[0:2] = b"MZ"
header[60:64] = struct.pack("<I", 0x40)
header[0x40:0x46] = b"PE\0\0" + struct.pack("<H", int(sys.argv[2], 16))
open(sys.argv[1], "wb").write(header)
' "$1" "$2"
}
run_copy() {
  "$1/veltrano-linux.sh" --prefix "$prefix" --devices "$devices" --ports-only "${@:2}" >"$work/out" 2>&1
  local status=$?
  sed 's/^/  | /' "$work/out"
  return $status
}

echo "== a 64-bit program takes the 64-bit Wine"
fake_image "$work/x64/veltrano.exe" 8664
wine64="$(command -v /usr/lib/wine/wine64 || command -v wine64)"
run_copy "$work/x64" || fail "the launcher failed"
said "Wine: $wine64" || fail "the launcher did not take $wine64 for a 64-bit program"

echo "== a 32-bit program takes the 32-bit loader"
fake_image "$work/x86/veltrano.exe" 014c
if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
  run_copy "$work/x86" || fail "the launcher failed"
  said "Wine: /usr/lib/wine/wine" || fail "the launcher did not take the 32-bit loader for a 32-bit program"
elif [ -x /usr/lib/wine/wine ]; then
  run_copy "$work/x86" && fail "the launcher went on with a 32-bit loader this kernel refuses"
  said "cannot run 32-bit programs" || fail "the refused 32-bit loader was not explained"
else
  run_copy "$work/x86" && fail "the launcher went on without the 32-bit Wine"
  said "wine32:i386" || fail "the missing 32-bit Wine was not explained"
fi

echo "== no Wine"
run_copy "$work/x64" --wine "$work/no-such-folder/wine64"
[ $? -eq 1 ] || fail "a missing Wine did not stop the launcher"
said "apt-get install --no-install-recommends wine64 fonts-wine" || fail "the hint does not name wine64 and fonts-wine"
said "wine32:i386" && fail "the hint for the 64-bit program asks for the 32-bit Wine"
said "add-architecture" && fail "the hint for the 64-bit program asks for the i386 architecture"

echo "== the Marlett font"
# The real loader finds Wine's own fonts (Debian's fonts-wine, which the
# scripts install); the same loader called from a folder without them, with
# a font list that names nothing, does not.
run_copy "$work/x64" --wine "$wine" || fail "the launcher failed"
said "Marlett" && fail "the launcher missed the installed Marlett font"
bare="$work/bare-wine/bin"
real_wine="$(command -v "$wine")"
mkdir -p "$bare"
printf '#!/bin/sh\nexec %q "$@"\n' "$real_wine" >"$bare/$(basename "$real_wine")"
printf '#!/bin/sh\nexec wineserver "$@"\n' >"$bare/wineserver"
chmod +x "$bare/$(basename "$real_wine")" "$bare/wineserver"
printf '<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "fonts.dtd">\n<fontconfig></fontconfig>\n' \
  >"$work/no-fonts.conf"
FONTCONFIG_FILE="$work/no-fonts.conf" run_copy "$work/x64" --wine "$bare/$(basename "$real_wine")" ||
  fail "the launcher failed"
said "Marlett font is missing" || fail "the missing Marlett font was not noticed"
said "apt-get install fonts-wine" || fail "the hint does not name fonts-wine"

# Stand-in loaders, each in a folder of its own with a wineserver that does
# nothing, and run with prefixes of their own: none of them reaches the
# scratch prefix above. Each answers --version as a working loader does,
# and does what its standard input says otherwise. In them, 无法运行
# ("cannot run") is written in code page 936, as Wine writes it under the
# Chinese locale.
fakes="$work/fake-wine"
rm -rf "$fakes"
fake_loader() {
  mkdir -p "$fakes/$1"
  printf '#!/bin/sh\nexit 0\n' >"$fakes/$1/wineserver"
  {
    cat <<'EOF'
#!/bin/sh
[ "$1" = --version ] && { echo wine-stand-in; exit 0; }
EOF
    cat
  } >"$fakes/$1/wine64"
  chmod +x "$fakes/$1/wineserver" "$fakes/$1/wine64"
}
raw_gbk=$'\xce\xde\xb7\xa8\xd4\xcb\xd0\xd0'
shown_raw() { LC_ALL=C grep -qaF -- "$1" "$work/out"; }

echo "== a 32-bit loader the kernel refuses"
# An ELF header of class 32-bit with nothing a kernel could load behind it:
# refused with "Exec format error" on any machine, as the real 32-bit loader
# is on a kernel without 32-bit support.
mkdir -p "$fakes/elf32"
{ printf '\177ELF\001\001\001'; head -c 121 /dev/zero; } >"$fakes/elf32/wine"
chmod +x "$fakes/elf32/wine"
run_copy "$work/x86" --wine "$fakes/elf32/wine"
[ $? -eq 1 ] || fail "the launcher did not stop at the refused loader"
said "kernel cannot run 32-bit programs" || fail "the refusal was not put down to the kernel"
said "x64 package runs here with the 64-bit Wine alone (wine64)" || fail "the x64 package was not offered"
run_copy "$work/x64" --wine "$fakes/elf32/wine"
[ $? -eq 1 ] || fail "the launcher did not stop at the refused loader"
said "kernel cannot run 32-bit programs" || fail "the refusal was not put down to the kernel"
said "leave out --wine, or name wine64" || fail "a 64-bit program was not pointed at wine64"

echo "== a loader that does not run"
fake_loader broken </dev/null
printf '#!/bin/sh\necho "wine: could not load ntdll.so" >&2\nexit 1\n' >"$fakes/broken/wine64"
run_copy "$work/x64" --wine "$fakes/broken/wine64"
[ $? -eq 1 ] || fail "the launcher went on with a loader that does not run"
said "the Wine loader $fakes/broken/wine64 does not run (exit status 1)" || fail "the loader's failure was not summed up"
said "  wine: could not load ntdll.so" || fail "the loader's own message was not shown"
said "reinstall Wine, or name another loader with --wine" || fail "what to do was not said"
said "kernel cannot run" && fail "a loader that runs was blamed on the kernel"

echo "== a prefix Wine cannot prepare"
fake_loader failed-boot <<'EOF'
[ "$1" = wineboot ] && { printf '\316\336\267\250\324\313\320\320\n' >&2; exit 1; }
exit 9
EOF
rm -rf "$work/fresh-prefix"
run_copy "$work/x64" --prefix "$work/fresh-prefix" --wine "$fakes/failed-boot/wine64"
[ $? -eq 1 ] || fail "a failed wineboot did not stop the launcher"
said "Wine could not prepare the prefix $work/fresh-prefix (wineboot ended with status 1)" ||
  fail "the failure was not summed up"
said "  无法运行" || fail "Wine's message was not shown in UTF-8"
shown_raw "$raw_gbk" && fail "Wine's message was shown in code page 936"
said "remove the folder $work/fresh-prefix and start again" || fail "what to do was not said"

echo "== a program start that fails"
# The prefix exists and no adapter changes, so the launcher goes straight
# to the start. Wine says why it cannot start a program on stdout (无法运行),
# the program complains on stderr (错误, "error"); besides those, a line
# that already is UTF-8 must come through unchanged and bytes that are
# neither must not be lost.
fake_loader failed-start <<'EOF'
case "$1" in *veltrano.exe)
  pwd >"$(dirname "$0")/folder"
  printf '\316\336\267\250\324\313\320\320\r\n'
  printf '\264\355\316\363\n' >&2
  printf '已是 UTF-8\n' >&2
  printf 'raw-\377-end\n' >&2
  exit 3 ;;
esac
exit 9
EOF
mkdir -p "$work/started-prefix"
: >"$work/started-prefix/system.reg"
(cd / && "$work/x64/veltrano-linux.sh" --prefix "$work/started-prefix" --devices "$devices" \
  --wine "$fakes/failed-start/wine64") >"$work/stdout" 2>"$work/stderr"
status=$?
cat "$work/stdout" "$work/stderr" >"$work/out"
sed 's/^/  | /' "$work/out"
[ $status -eq 3 ] || fail "the launcher ended with $status, not the program's 3"
[ "$(cat "$fakes/failed-start/folder" 2>/dev/null)" = "$work/x64" ] ||
  fail "the program did not run in the launcher's folder"
grep -qx "无法运行" "$work/stdout" || fail "Wine's message on stdout did not reach stdout in UTF-8"
grep -qx "错误" "$work/stderr" || fail "the program's stderr did not reach stderr in UTF-8"
said "veltrano.exe did not start, or ended with an error (exit status 3)" || fail "the failure was not summed up"
said "  无法运行" || fail "Wine's message was not repeated after the summary"
shown_raw "$raw_gbk" && fail "Wine's message was shown in code page 936"
said "已是 UTF-8" || fail "text that already was UTF-8 was converted again"
shown_raw $'raw-\xff-end' || fail "bytes that are no text were lost"
said "check the Wine install" || fail "what to do was not said"

echo "== a program that ends well"
fake_loader good-start <<'EOF'
case "$1" in *veltrano.exe) exit 0 ;; esac
exit 9
EOF
"$work/x64/veltrano-linux.sh" --prefix "$work/started-prefix" --devices "$devices" \
  --wine "$fakes/good-start/wine64" >"$work/out" 2>&1
status=$?
sed 's/^/  | /' "$work/out"
[ $status -eq 0 ] || fail "the launcher ended with $status after the program ended well"
said "did not start" && fail "a program that ended well was reported as failed"

echo "== a wrong option"
"$launcher" --colour >"$work/out" 2>&1
status=$?
sed 's/^/  | /' "$work/out"
[ $status -eq 2 ] || fail "an unknown option was not refused"
said "unknown option --colour (veltrano-linux.sh --help lists the options)" || fail "the unknown option was not named"
"$launcher" colour >"$work/out" 2>&1
status=$?
sed 's/^/  | /' "$work/out"
[ $status -eq 2 ] || fail "a stray argument was not refused"
said "unexpected argument colour" || fail "the stray argument was not named"
"$launcher" --wine >"$work/out" 2>&1
[ $? -eq 1 ] || fail "a missing option value was not refused"
said "--wine needs a program" || fail "the missing value was not named"

[ "$failures" -eq 0 ] && echo "all launcher checks passed"
exit $((failures > 0))
