#!/bin/bash
# Builds the Windows installer from a build tree's bin folder:
#   make-installer.sh TARGET BIN VERSION OUTPUT
# TARGET is x86-unicode for the 32-bit product or amd64-unicode for the
# 64-bit one; BIN holds that product's veltrano.exe, DLL/PCOMM.DLL and
# veltrano-table.exe; VERSION has four numbers.
set -euo pipefail
if [ $# -ne 4 ]; then
  echo "usage: $0 x86-unicode|amd64-unicode BIN VERSION OUTPUT" >&2
  exit 2
fi
target="$1"; bin="$2"; version="$3"; output="$4"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

case "$target" in
  x86-unicode) arch=x86; objdump=i686-w64-mingw32-objdump; format=pei-i386 ;;
  amd64-unicode) arch=x64; objdump=x86_64-w64-mingw32-objdump; format=pei-x86-64 ;;
  *) echo "make-installer.sh: unknown target $target" >&2; exit 2 ;;
esac
if ! command -v makensis >/dev/null; then
  echo "make-installer.sh: makensis is missing (apt-get install nsis)" >&2
  exit 1
fi
for file in veltrano.exe DLL/PCOMM.DLL veltrano-table.exe; do
  if [ ! -f "$bin/$file" ]; then
    echo "make-installer.sh: $bin/$file is missing" >&2
    exit 1
  fi
  # A 64-bit installer cannot start on 32-bit Windows, and a 32-bit one
  # would put a program there that the system refuses: the files must be of
  # the installer's kind.
  header="$("$objdump" -f "$bin/$file")"
  if ! grep -q "file format $format\$" <<<"$header"; then
    echo "make-installer.sh: $bin/$file is not a $format image, which the $target installer needs" >&2
    exit 1
  fi
done
bin="$(cd "$bin" && pwd)"
mkdir -p "$(dirname "$output")"
output="$(cd "$(dirname "$output")" && pwd)/$(basename "$output")"

makensis -V2 -INPUTCHARSET UTF8 -DTARGET="$target" -DARCH="$arch" -DBIN="$bin" -DROOT="$root" -DVERSION="$version" \
  -DOUTFILE="$output" "$root/packaging/veltrano.nsi"
