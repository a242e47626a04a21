#!/bin/bash
# Starts Veltrano under Wine on Linux, from the folder this script is in.
#
#   veltrano-linux.sh [--prefix DIR] [--devices DIR] [--wine PROGRAM] [--ports-only]
#
#   --prefix DIR     the Wine prefix to create or use
#                    (default ~/.local/share/veltrano/wine)
#   --devices DIR    where to look for serial adapters (default /dev)
#   --wine PROGRAM   the Wine loader (default the 64-bit wine64; wine for
#                    the 32-bit veltrano.exe of the x86 package)
#   --ports-only     map the serial ports and say which is which, but do not
#                    start the program
#
# Each serial adapter found (ttyUSB*, ttyACM*, and the ttyS* ports that have
# a serial chip behind them) becomes a COM port of the prefix, numbered from
# COM1 in that order; the program lists them in its port list. The program
# runs with the Chinese locale its texts are written for.
set -uo pipefail

prefix="${XDG_DATA_HOME:-$HOME/.local/share}/veltrano/wine"
devices=/dev
wine=""
start_program=true

say() { printf 'veltrano: %s\n' "$*"; }
fail() { printf 'veltrano: %s\n' "$*" >&2; exit 1; }
usage() { sed -n '4,13s/^# \{0,1\}//p' "${BASH_SOURCE[0]}"; }

while [ $# -gt 0 ]; do
  case "$1" in
    --prefix) [ $# -ge 2 ] || fail "--prefix needs a folder"; prefix="$2"; shift 2 ;;
    --devices) [ $# -ge 2 ] || fail "--devices needs a folder"; devices="$2"; shift 2 ;;
    --wine) [ $# -ge 2 ] || fail "--wine needs a program"; wine="$2"; shift 2 ;;
    --ports-only) start_program=false; shift ;;
    -h|--help) usage; exit 0 ;;
    -*) printf 'veltrano: unknown option %s (%s --help lists the options)\n' "$1" "${0##*/}" >&2; exit 2 ;;
    *) printf 'veltrano: unexpected argument %s (%s --help lists the options)\n' "$1" "${0##*/}" >&2; exit 2 ;;
  esac
done

# What Wine prints is kept here and shown only when a Wine command fails.
log="$(mktemp "${TMPDIR:-/tmp}/veltrano.XXXXXX")" || fail "cannot create a temporary file"
trap 'rm -f "$log"' EXIT

# Under the Chinese locale Wine and the program write code page 936, which a
# UTF-8 terminal shows as mojibake; text that already is UTF-8 must not be
# converted a second time, and bytes that are neither still say something.
# Bytes are read as bytes: in a UTF-8 locale read can take the newline after
# an unfinished character as belonging to it and join two lines.
readable() {
  local LC_ALL=C line converted
  while IFS= read -r line || [ -n "$line" ]; do
    line="${line%$'\r'}"
    if [[ "$line" != *[![:ascii:]]* ]] || iconv -f UTF-8 -t UTF-8 <<<"$line" >/dev/null 2>&1; then
      printf '%s\n' "$line"
    elif converted="$(iconv -f GB18030 -t UTF-8 <<<"$line" 2>/dev/null)"; then
      printf '%s\n' "$converted"
    else
      printf '%s\n' "$line"
    fi
  done
}
# A Wine command that failed: the launcher's summary, Wine's own last words,
# and what to do about it.
#   explain SUMMARY ADVICE [WHO]
explain() {
  {
    printf 'veltrano: %s\n' "$1"
    if [ -s "$log" ]; then
      printf 'veltrano: %s said:\n' "${3:-Wine}"
      tail -n 15 "$log" | readable | sed '/^$/d; s/^/  /'
    else
      printf 'veltrano: %s printed no message\n' "${3:-Wine}"
    fi
    printf 'veltrano: %s\n' "$2"
  } >&2
}

here="$(cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")" && pwd)"
program="$here/veltrano.exe"
if $start_program && [ ! -f "$program" ]; then
  fail "veltrano.exe is not beside this script (in $here)"
fi
[ -d "$devices" ] || fail "no device folder $devices"

# The machine a Windows image is built for, as PE writes it: 8664 for
# x86-64, 014c for i386.
image_machine() {
  local offset
  offset="$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')"
  [[ "$offset" =~ ^[0-9]+$ ]] || return 1
  od -An -tx2 -j$((offset + 4)) -N2 "$1" 2>/dev/null | tr -d ' '
}

# The x64 package runs under the 64-bit Wine alone, which needs neither the
# i386 architecture nor wine32. The x86 package's program needs the 32-bit
# loader; Debian's plain "wine" falls back to wine64 without it, which cannot
# start a 32-bit program, so there only the real 32-bit loader will do.
bits=64
[ -f "$program" ] && [ "$(image_machine "$program")" = 014c ] && bits=32
if [ -z "$wine" ]; then
  if [ $bits = 64 ]; then
    candidates=(/usr/lib/wine/wine64 wine64)
  elif [ -d /usr/lib/wine ]; then
    candidates=(/usr/lib/wine/wine)
  else
    candidates=(wine)
  fi
  for candidate in "${candidates[@]}"; do
    if command -v "$candidate" >/dev/null 2>&1; then wine="$candidate"; break; fi
  done
fi
if [ -z "$wine" ] || ! command -v "$wine" >/dev/null 2>&1; then
  if [ $bits = 64 ]; then
    fail "Wine is missing. The 64-bit Wine alone runs Veltrano (no i386 architecture or wine32 needed);
on Debian or Ubuntu install it and the font Wine draws its title bars with:
  sudo apt-get install --no-install-recommends wine64 fonts-wine"
  fi
  fail "the 32-bit Wine is missing, which this 32-bit veltrano.exe needs (the x64 package
runs with the 64-bit Wine alone). On Debian or Ubuntu install it with:
  sudo dpkg --add-architecture i386 && sudo apt-get update && sudo apt-get install wine wine32:i386 fonts-wine"
fi
wine="$(command -v "$wine")"
# A kernel without 32-bit support refuses the 32-bit loader with nothing
# better than "Exec format error". The probe runs through bash because
# timeout's own exec hands a refused binary to /bin/sh, which hides the 126;
# in the C locale so that the refusal can be told from a missing permission.
LC_ALL=C timeout 30 bash -c 'exec "$@"' veltrano "$wine" --version </dev/null >"$log" 2>&1
probe=$?
if [ $probe -ne 0 ]; then
  if [ $probe -eq 126 ] && grep -q 'Exec format error' "$log" &&
     [ "$(od -An -tx1 -N5 "$wine" 2>/dev/null | tr -d ' \n')" = 7f454c4601 ]; then
    if [ $bits = 32 ]; then
      fail "this machine's kernel cannot run 32-bit programs: it refuses the 32-bit Wine
loader $wine, which the 32-bit veltrano.exe of the x86 package needs.
The x64 package runs here with the 64-bit Wine alone (wine64): unpack it and start its veltrano-linux.sh."
    fi
    fail "this machine's kernel cannot run 32-bit programs: it refuses the 32-bit Wine
loader $wine. The x64 package's veltrano.exe runs with the 64-bit Wine alone:
leave out --wine, or name wine64."
  fi
  if [ $probe -eq 124 ]; then
    explain "the Wine loader $wine did not answer within 30 seconds" \
      "reinstall Wine, or name another loader with --wine PROGRAM" "it"
  else
    explain "the Wine loader $wine does not run (exit status $probe)" \
      "reinstall Wine, or name another loader with --wine PROGRAM" "it"
  fi
  exit 1
fi
# The server that belongs to this loader: the one beside it (Debian names
# the 64-bit one wineserver64), else the usual one.
loader_dir="$(dirname "$wine")"
suffix=""
[[ "$(basename "$wine")" == *64 ]] && suffix=64
wineserver=""
for candidate in "$loader_dir/wineserver$suffix" "$loader_dir/wineserver"; do
  if [ -x "$candidate" ]; then wineserver="$candidate"; break; fi
done
[ -n "$wineserver" ] || wineserver="$(command -v wineserver)" || fail "wineserver is missing; reinstall Wine"
say "Wine: $wine"

# The program's texts are code page 936: Wine gives it that code page only
# under a Chinese locale, and draws the characters only with a CJK font.
if ! locale -a 2>/dev/null | grep -qiE '^zh_CN\.utf-?8$'; then
  say "the Chinese locale zh_CN.UTF-8 is missing: the program's texts will be garbled. Add it with:"
  say "  sudo sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen && sudo locale-gen"
  export LANG=zh_CN.UTF-8
else
  export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
fi
# Asked of the whole list at once: with pipefail, grep -q stopping early
# would make fc-list's broken pipe count as "not found".
fonts="$(fc-list 2>/dev/null)"
if ! grep -qi 'wqy-microhei' <<<"$fonts" && [ ! -f /usr/share/fonts/truetype/wqy/wqy-microhei.ttc ]; then
  say "the font WenQuanYi Micro Hei is missing: Chinese texts will show as boxes. Install it with:"
  say "  sudo apt-get install fonts-wqy-microhei"
fi
# Wine draws the title bar's buttons with the Marlett font, which Debian
# keeps in fonts-wine among Wine's own fonts, and which the 64-bit Wine only
# recommends. Without it the buttons show as the letters "0 1 r". Wine's own
# fonts lie beside its loader: share/wine/fonts next to bin/ in Wine's own
# layout, two levels up from Debian's /usr/lib/wine.
marlett_found=false
for folder in "$loader_dir/../share/wine/fonts" "$loader_dir/../../share/wine/fonts" \
              "$prefix/drive_c/windows/Fonts"; do
  [ -f "$folder/marlett.ttf" ] && marlett_found=true
done
grep -qi marlett <<<"$fonts" && marlett_found=true
if ! $marlett_found; then
  say "Wine's Marlett font is missing: the window's title-bar buttons will show as \"0 1 r\". Install it with:"
  say "  sudo apt-get install fonts-wine"
fi

export WINEPREFIX="$prefix"
export WINEDEBUG=-all
# No Mono or Gecko prompts, and no menu entries or file associations in the
# desktop for this private prefix.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
[ "$(basename "$wine")" = wine ] || export WINELOADER="$wine"

if [ ! -f "$prefix/system.reg" ]; then
  say "preparing the Wine prefix $prefix (once; this takes a minute)"
  mkdir -p "$prefix" || fail "cannot create $prefix"
  "$wine" wineboot -i </dev/null >"$log" 2>&1
  status=$?
  "$wineserver" -w
  if [ ! -f "$prefix/system.reg" ]; then
    explain "Wine could not prepare the prefix $prefix (wineboot ended with status $status)" \
      "remove the folder $prefix and start again; if it fails again, reinstall Wine or name another loader with --wine"
    exit 1
  fi
fi

# Serial adapters, numbered as the kernel numbers them. A ttyS node exists
# for every possible on-board port; only one with a chip behind it takes
# terminal settings, the others fail with an input/output error.
numbered() {
  local device
  for device in "$devices/$1"[0-9]*; do
    [[ "$(basename "$device")" =~ ^$1[0-9]+$ ]] && [ -e "$device" ] && printf '%s\n' "$device"
  done | sort -V
}
adapters=()
denied=()
while IFS= read -r device; do
  [ -n "$device" ] || continue
  name="$(basename "$device")"
  if [ ! -r "$device" ] || [ ! -w "$device" ]; then
    denied+=("$device")
    # Whether an on-board port has a chip cannot be asked without access.
    [[ "$name" == ttyS* ]] && continue
  elif [[ "$name" == ttyS* ]] && ! stty -F "$device" >/dev/null 2>&1; then
    continue
  fi
  adapters+=("$device")
done < <(numbered ttyUSB; numbered ttyACM; numbered ttyS)
if [ ${#denied[@]} -gt 0 ]; then
  group="$(stat -L -c %G "${denied[0]}" 2>/dev/null || echo dialout)"
  say "no access to ${denied[*]}: add yourself to the group $group and log in again:"
  say "  sudo usermod -aG $group ${USER:-$(id -un)}"
fi

mapping=""
for i in "${!adapters[@]}"; do
  mapping+="COM$((i + 1))=${adapters[$i]}"$'\n'
done

# What this script wrote into the prefix last time: values it no longer
# wants are removed, values of other origin are left alone.
record="$prefix/veltrano-ports"
previous="$(cat "$record" 2>/dev/null || true)"
if [ "$mapping" != "${previous:+$previous$'\n'}" ]; then
  say "updating the serial ports of the prefix (Wine programs running in it are stopped)"
  "$wineserver" -k </dev/null >/dev/null 2>&1
  while IFS='=' read -r port _; do
    [ -n "$port" ] || continue
    grep -q "^$port=" <<<"$mapping" && continue
    "$wine" reg delete 'HKLM\Software\Wine\Ports' /v "$port" /f </dev/null >"$log" 2>&1 && continue
    # Someone may have removed the value already, which is no fault.
    "$wine" reg query 'HKLM\Software\Wine\Ports' /v "$port" </dev/null >/dev/null 2>&1 || continue
    explain "cannot remove $port from the prefix $prefix" \
      "remove the folder $prefix and start again (it is prepared anew)"
    exit 1
  done <<<"$previous"
  while IFS='=' read -r port device; do
    [ -n "$port" ] || continue
    if ! "$wine" reg add 'HKLM\Software\Wine\Ports' /v "$port" /d "$device" /f </dev/null >"$log" 2>&1; then
      explain "cannot write $port into the prefix $prefix" \
        "remove the folder $prefix and start again (it is prepared anew)"
      exit 1
    fi
  done <<<"$mapping"
  # Wine reads the port list when its server starts: let this one end, so
  # the next start sees the new list.
  "$wineserver" -w
  printf '%s' "$mapping" >"$record"
fi

if [ ${#adapters[@]} -eq 0 ]; then
  say "no serial adapter found in $devices"
else
  say "serial ports:"
  for i in "${!adapters[@]}"; do
    say "  COM$((i + 1)) = ${adapters[$i]}"
  done
  say "(Wine may list further COM ports of its own; the ones above are the adapters.)"
fi

$start_program || exit 0
say "starting $program"
cd "$here" || fail "cannot enter $here"
# Wine says why it cannot start a program on stdout, the program itself
# complains on stderr, both in code page 936: each stream goes through the
# converter to where it was going, and is kept in case the start fails.
keep() { readable | tee -a "$log"; }
: >"$log"
{
  (
    "$wine" "$program" 2>&3 3>&- | keep 3>&-
    exit "${PIPESTATUS[0]}"
  ) 3>&1 >&4 4>&- | keep >&2 4>&-
  status=${PIPESTATUS[0]}
} 4>&1
if [ "$status" -ne 0 ]; then
  explain "veltrano.exe did not start, or ended with an error (exit status $status)" \
    "if it did not start, check the Wine install ($wine --version), or remove the folder $prefix and start again"
fi
exit "$status"
