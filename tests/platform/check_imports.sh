#!/bin/bash
# check_imports.sh OBJDUMP FILE... : fails when a file imports a DLL that is
# not part of Windows itself, or when the system could not harden it: every
# image must let the system place it anywhere (DYNAMIC_BASE, with the
# relocations that make moving it possible) and keep data from running as
# code (NX_COMPAT); an x86-64 image must also take addresses from the whole
# 64-bit range (HIGH_ENTROPY_VA). A flag without its relocations is ignored
# by the loader, so the image would still sit at its fixed base.
set -uo pipefail
objdump="$1"; shift
allowed='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comctl32|comdlg32|msvcrt|winmm|uuid|shlwapi|version|uxtheme|msimg32|windowscodecs|imm32|ws2_32|mpr)\.dll$'
status=0
for file in "$@"; do
  [ -n "$file" ] || continue
  if ! headers="$("$objdump" -p "$file" 2>&1)"; then
    echo "$file: $objdump cannot read it: $headers" >&2
    status=1
    continue
  fi
  problems=()
  mapfile -t dlls < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")
  [ ${#dlls[@]} -eq 0 ] && problems+=("no import table found")
  for dll in "${dlls[@]}"; do
    lower=$(echo "$dll" | tr 'A-Z' 'a-z')
    [[ "$lower" =~ $allowed ]] || problems+=("imports $dll, which is not a system DLL")
  done

  if grep -q 'file format pei-x86-64$' <<<"$headers"; then
    kind=x86-64; wanted=(DYNAMIC_BASE NX_COMPAT HIGH_ENTROPY_VA)
  elif grep -q 'file format pei-i386$' <<<"$headers"; then
    kind=i386; wanted=(DYNAMIC_BASE NX_COMPAT)
  else
    kind=unknown; wanted=(DYNAMIC_BASE NX_COMPAT)
    problems+=("neither an x86-64 nor an i386 Windows image")
  fi
  # The flag names stand indented under their field, up to the next field.
  dll_characteristics="$(awk '/^DllCharacteristics/{on=1; next} on && /^\t/{print; next} {on=0}' <<<"$headers")"
  for flag in "${wanted[@]}"; do
    grep -qw "$flag" <<<"$dll_characteristics" || problems+=("no $flag")
  done
  relocations="$(awk '/Base Relocation Directory/ {print $4; exit}' <<<"$headers")"
  [[ "$relocations" =~ ^[0-9a-fA-F]+$ ]] && (( 16#$relocations > 0 )) ||
    problems+=("no relocations, so it cannot be moved from its base")

  if [ ${#problems[@]} -gt 0 ]; then
    for problem in "${problems[@]}"; do echo "$file: $problem" >&2; done
    status=1
  else
    echo "$file: $kind, ${wanted[*]}, relocations; imports ${dlls[*]}"
  fi
done
exit $status
