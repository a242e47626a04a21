#!/bin/bash
# Installs what is missing, builds both trees and runs every test.
set -uo pipefail
source "$(dirname "$0")/lib/setup.sh"

install_dependencies || exit 1
build_native || exit 1
build_native_sanitized || exit 1
if can_run_win32; then build_windows || exit 1; else build_windows_product || exit 1; fi

status=0
log "native tests"
ctest --test-dir "$NATIVE_BUILD" --output-on-failure -j2 || status=1
log "native tests with sanitizers"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$SANITIZE_BUILD" --output-on-failure -j2 || status=1

log "checking the Windows binaries' imports"
"$VELTRANO_ROOT/tests/platform/check_imports.sh" i686-w64-mingw32-objdump \
  "$WINDOWS_BUILD/bin/veltrano.exe" "$WINDOWS_BUILD/bin/DLL/PCOMM.DLL" || status=1

# The Windows tests run in the 32-bit product tree where this machine can
# execute 32-bit code, and otherwise in the 64-bit tree under wine64.
if can_run_win32; then
  test_tree="$WINDOWS_BUILD"
  wine_loader=wine
else
  log "this machine's kernel cannot execute 32-bit x86 code: the Windows tests"
  log "run in the 64-bit Windows tree under wine64 instead"
  build_windows64 || exit 1
  test_tree="$WINDOWS64_BUILD"
  wine_loader=/usr/lib/wine/wine64
fi
export VELTRANO_WINE="$wine_loader"
test_prefix="$test_tree/wine/headless"
prepare_prefix "$test_prefix" headless || exit 1
"$VELTRANO_ROOT/scripts/wine-prefix.sh" start "$test_prefix"
trap '"$VELTRANO_ROOT/scripts/wine-prefix.sh" stop "$test_prefix"' EXIT
log "Windows tests under Wine ($test_tree)"
# Wine now and then leaves a process hanging in its own start-up or in a
# system component; such a case gets a second run, and one that fails twice
# fails the run. Every first failure stays in the output above its rerun.
ctest --test-dir "$test_tree" --output-on-failure -j2 --repeat until-pass:2 || status=1
"$VELTRANO_ROOT/scripts/wine-prefix.sh" stop "$test_prefix"
trap - EXIT

# What a user without a display gets from scripts/run.sh: the demonstration
# against the simulated module, ending well and leaving its screenshots.
log "the demonstration of scripts/run.sh without a display"
demonstration="$VELTRANO_BUILD/run/demonstration"
if env -u DISPLAY "$VELTRANO_ROOT/scripts/run.sh"; then
  for shot in 02-table-read-from-module 03-table-written 05-code-learned; do
    if [ ! -s "$demonstration/$shot.png" ]; then
      log "the demonstration left no screenshot $shot.png"; status=1
    fi
  done
else
  log "scripts/run.sh without a display failed"; status=1
fi

log "the release packages"
"$VELTRANO_ROOT/scripts/package.sh" >/dev/null || { log "scripts/package.sh failed"; status=1; }

log "a short soak: write and read-back cycles for 2 minutes"
"$VELTRANO_ROOT/scripts/soak.sh" 2 || { log "the soak failed"; status=1; }

log "fuzzing every target for 60 seconds"
"$VELTRANO_ROOT/scripts/fuzz.sh" 60 || { log "fuzzing found a fault"; status=1; }

if [ $status -eq 0 ]; then log "all tests passed"; else log "some tests failed"; fi
exit $status
