#!/bin/bash
# check_imports.sh OBJDUMP FILE... : fails when a file imports a DLL that is
# not part of Windows itself.
set -euo pipefail
objdump="$1"; shift
allowed='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comctl32|comdlg32|msvcrt|winmm|uuid|shlwapi|version|uxtheme|msimg32|windowscodecs|imm32|ws2_32|mpr)\.dll$'
status=0
for file in "$@"; do
  [ -n "$file" ] || continue
  mapfile -t dlls < <("$objdump" -p "$file" | sed -n 's/^[[:space:]]*DLL Name: //p')
  if [ ${#dlls[@]} -eq 0 ]; then
    echo "$file: no import table found" >&2
    status=1
  fi
  for dll in "${dlls[@]}"; do
    lower=$(echo "$dll" | tr 'A-Z' 'a-z')
    if ! [[ "$lower" =~ $allowed ]]; then
      echo "$file imports $dll, which is not a system DLL" >&2
      status=1
    fi
  done
  echo "$file: ${dlls[*]}"
done
exit $status
