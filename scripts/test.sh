#!/bin/bash
# Installs what is missing, builds both trees and runs every test.
set -uo pipefail
source "$(dirname "$0")/lib/setup.sh"

install_dependencies || exit 1
build_native || exit 1
build_native_sanitized || exit 1
build_windows || exit 1

status=0
log "native tests"
ctest --test-dir "$NATIVE_BUILD" --output-on-failure -j2 || status=1
log "native tests with sanitizers"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$SANITIZE_BUILD" --output-on-failure -j2 || status=1

log "checking the Windows binaries' imports"
"$VELTRANO_ROOT/tests/platform/check_imports.sh" i686-w64-mingw32-objdump \
  "$WINDOWS_BUILD/bin/veltrano.exe" "$WINDOWS_BUILD/bin/DLL/PCOMM.DLL" || status=1

if can_run_win32; then
  prepare_prefix "$HEADLESS_PREFIX" headless || exit 1
  "$VELTRANO_ROOT/scripts/wine-prefix.sh" start "$HEADLESS_PREFIX"
  trap '"$VELTRANO_ROOT/scripts/wine-prefix.sh" stop "$HEADLESS_PREFIX"' EXIT
  log "Windows tests under Wine"
  ctest --test-dir "$WINDOWS_BUILD" --output-on-failure -j2 || status=1
else
  log "WINDOWS TESTS NOT RUN: this machine's kernel cannot execute 32-bit x86 code,"
  log "so Wine cannot start 32-bit Windows programs here. The Windows tree was built"
  log "and its imports checked; its test programs need a machine that runs i386 code."
fi

if [ $status -eq 0 ]; then log "all tests passed"; else log "some tests failed"; fi
exit $status
