#!/bin/bash
# check_x64_image.sh OBJDUMP FILE... : fails unless every file is an ordinary
# 64-bit Windows image that the system may load anywhere in the address
# space: x86-64, large-address-aware, DYNAMIC_BASE and HIGH_ENTROPY_VA, with
# the relocations that make moving it possible, and the toolchain's own
# preferred base (0x140000000 for a program; above 4 GB for a DLL). An image
# pinned below 4 GB would let a pointer cut to 32 bits go unnoticed.
set -uo pipefail
objdump="$1"; shift
status=0
for file in "$@"; do
  [ -n "$file" ] || continue
  if ! headers="$("$objdump" -p "$file" 2>&1)"; then
    echo "$file: $objdump cannot read it: $headers" >&2
    status=1
    continue
  fi
  problems=()
  grep -q 'file format pei-x86-64$' <<<"$headers" || problems+=("not an x86-64 image")
  # The flag names stand indented under their field, up to the next field.
  characteristics="$(awk '/^Characteristics /{on=1; next} on && /^\t/{print; next} {on=0}' <<<"$headers")"
  dll_characteristics="$(awk '/^DllCharacteristics/{on=1; next} on && /^\t/{print; next} {on=0}' <<<"$headers")"
  grep -q 'large address aware' <<<"$characteristics" || problems+=("not large-address-aware")
  grep -qw DYNAMIC_BASE <<<"$dll_characteristics" || problems+=("no DYNAMIC_BASE")
  grep -qw HIGH_ENTROPY_VA <<<"$dll_characteristics" || problems+=("no HIGH_ENTROPY_VA")
  relocations="$(awk '/Base Relocation Directory/ {print $4; exit}' <<<"$headers")"
  [[ "$relocations" =~ ^0*$ ]] && problems+=("no relocations, so it cannot be moved from its base")
  base="$(awk '$1 == "ImageBase" {print $2; exit}' <<<"$headers")"
  if ! [[ "$base" =~ ^[0-9a-fA-F]+$ ]]; then
    problems+=("no ImageBase in the headers")
  elif grep -qx $'\tDLL' <<<"$characteristics"; then
    (( 16#$base >= 16#100000000 )) || problems+=("DLL base 0x$base lies below 4 GB")
  else
    (( 16#$base == 16#140000000 )) || problems+=("program base 0x$base is not the toolchain's 0x140000000")
  fi
  if [ ${#problems[@]} -gt 0 ]; then
    for problem in "${problems[@]}"; do echo "$file: $problem" >&2; done
    status=1
  else
    echo "$file: x86-64, large-address-aware, DYNAMIC_BASE, HIGH_ENTROPY_VA, base 0x$base"
  fi
done
exit $status
