#!/bin/bash
# Builds both products and packs them into $VELTRANO_BUILD/package/ (build/package/):
#   Veltrano-VERSION-x64.zip        the 64-bit program: veltrano.exe, DLL/PCOMM.DLL,
#                                   veltrano-table.exe, the user's guide as README.md
#                                   with its pictures in guide/, LICENSE.txt and
#                                   the Linux launcher veltrano-linux.sh, in a
#                                   folder Veltrano-VERSION-x64
#   Veltrano-VERSION-x64-setup.exe  its Windows installer (64-bit, without the launcher)
#   Veltrano-VERSION-x86.zip        the same for the 32-bit program, for 32-bit
#   Veltrano-VERSION-x86-setup.exe  Windows and for binding 32-bit DLLs
# Building the 32-bit product needs no 32-bit execution, so every machine
# packs both.
set -euo pipefail
source "$(dirname "$0")/lib/setup.sh"

install_dependencies
if ! command -v makensis >/dev/null; then
  log "makensis is missing: apt-get install nsis"
  exit 1
fi
build_native
build_windows_product
build_windows64_product

version="$(cat "$WINDOWS_BUILD/veltrano-version.txt")"
version64="$(cat "$WINDOWS64_BUILD/veltrano-version.txt")"
if [ "$version" != "$version64" ]; then
  log "the 32-bit tree is version $version but the 64-bit tree $version64: reconfigure both"
  exit 1
fi
package="$VELTRANO_BUILD/package"
rm -rf "$package"
mkdir -p "$package"

# pack ARCH BIN INSTALLER_TARGET
pack() {
  local arch="$1" bin="$2" target="$3"
  local name="Veltrano-$version-$arch"
  log "packing $name.zip"
  mkdir -p "$package/$name/DLL"
  cp "$bin/veltrano.exe" "$bin/veltrano-table.exe" "$package/$name/"
  cp "$bin/DLL/PCOMM.DLL" "$package/$name/DLL/"
  cp "$VELTRANO_ROOT/packaging/LICENSE.txt" "$VELTRANO_ROOT/packaging/veltrano-linux.sh" "$package/$name/"
  # The user's guide is the package's README; its pictures go beside it.
  cp "$VELTRANO_ROOT/docs/user-guide.md" "$package/$name/README.md"
  mkdir -p "$package/$name/guide"
  cp "$VELTRANO_ROOT"/docs/guide/*.png "$package/$name/guide/"
  chmod 755 "$package/$name/veltrano-linux.sh"
  (cd "$package" && python3 -m zipfile -c "$name.zip" "$name")
  rm -rf "${package:?}/$name"

  log "building the installer $name-setup.exe ($target)"
  "$VELTRANO_ROOT/packaging/make-installer.sh" "$target" "$bin" "$version" "$package/$name-setup.exe"
}

pack x64 "$WINDOWS64_BUILD/bin" amd64-unicode
pack x86 "$WINDOWS_BUILD/bin" x86-unicode

log "done; in $package:"
(cd "$package" && find . -maxdepth 1 -type f \( -name '*.zip' -o -name '*-setup.exe' \) | sort | sed 's|^\./|    |')
