#!/bin/bash
# Builds the product and packs it into $VELTRANO_BUILD/package/ (build/package/):
#   Veltrano-VERSION.zip        veltrano.exe, DLL/PCOMM.DLL, veltrano-table.exe,
#                               README.md, LICENSE.txt and the Linux launcher
#                               veltrano-linux.sh, in a folder Veltrano-VERSION
#   Veltrano-VERSION-setup.exe  the Windows installer of the same files
#                               (without the launcher), 32-bit like the program
# Where this machine cannot execute 32-bit code, it also packs the 64-bit test
# tree's build into test-only-x64/: an installer for the tests that run under
# wine64 here, never for shipping.
set -euo pipefail
source "$(dirname "$0")/lib/setup.sh"

install_dependencies
if ! command -v makensis >/dev/null; then
  log "makensis is missing: apt-get install nsis"
  exit 1
fi
build_native
build_windows_product

version="$(cat "$WINDOWS_BUILD/veltrano-version.txt")"
package="$VELTRANO_BUILD/package"
name="Veltrano-$version"
rm -rf "$package"
mkdir -p "$package/$name/DLL"

log "packing $name.zip"
bin="$WINDOWS_BUILD/bin"
cp "$bin/veltrano.exe" "$bin/veltrano-table.exe" "$package/$name/"
cp "$bin/DLL/PCOMM.DLL" "$package/$name/DLL/"
cp "$VELTRANO_ROOT/README.md" "$VELTRANO_ROOT/packaging/LICENSE.txt" "$VELTRANO_ROOT/packaging/veltrano-linux.sh" \
  "$package/$name/"
chmod 755 "$package/$name/veltrano-linux.sh"
(cd "$package" && python3 -m zipfile -c "$name.zip" "$name")

log "building the installer $name-setup.exe (x86-unicode)"
"$VELTRANO_ROOT/packaging/make-installer.sh" x86-unicode "$bin" "$version" "$package/$name-setup.exe"

if ! can_run_win32; then
  log "this machine cannot execute 32-bit code: ALSO building a 64-bit installer of the 64-bit test tree"
  log "(amd64-unicode, in test-only-x64/; it is what the installer test runs here, not a product)"
  configure_windows64
  cmake --build "$WINDOWS64_BUILD" --target veltrano pcomm veltrano-table
  "$VELTRANO_ROOT/packaging/make-installer.sh" amd64-unicode "$WINDOWS64_BUILD/bin" "$version" \
    "$package/test-only-x64/$name-setup-x64-test.exe"
fi

log "done; in $package:"
(cd "$package" && find . -maxdepth 2 -type f \( -name '*.zip' -o -name '*-setup*.exe' \) | sort | sed 's|^\./|    |')
