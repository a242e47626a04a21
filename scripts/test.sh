#!/bin/bash
# Installs what is missing, builds every tree and runs every test: the whole
# Windows suite in the 64-bit tree under wine64 on every machine, and in the
# 32-bit tree under wine as well where the machine can run 32-bit code.
set -uo pipefail
source "$(dirname "$0")/lib/setup.sh"

install_dependencies || exit 1
# A disk that fills half-way fails every later step with errors that hide
# the cause, so a short one is named first.
warn_if_short_of_space "$FULL_RUN_SPACE_GB"
# The include layers are checked first: a file that reaches up fails the run
# before anything is built.
log "checking that every folder stands only on the layers below it"
"$VELTRANO_ROOT/tests/portable/check_include_layers.sh" "$VELTRANO_ROOT" || exit 1
log "checking that every C++ file is laid out as .clang-format says"
"$VELTRANO_ROOT/scripts/check-format.sh" || exit 1
build_native || exit 1
build_native_sanitized || exit 1
build_windows64 || exit 1
# The 32-bit tree's test programs can only run where the kernel executes
# 32-bit code; elsewhere only its product is built, to be checked and packed.
if can_run_win32; then build_windows || exit 1; else build_windows_product || exit 1; fi

status=0
log "native tests"
ctest --test-dir "$NATIVE_BUILD" --output-on-failure -j2 || status=1
log "native tests with sanitizers"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$SANITIZE_BUILD" --output-on-failure -j2 || status=1

log "checking the Windows binaries' imports and hardening flags"
"$VELTRANO_ROOT/tests/platform/check_imports.sh" i686-w64-mingw32-objdump \
  "$WINDOWS_BUILD/bin/veltrano.exe" "$WINDOWS_BUILD/bin/DLL/PCOMM.DLL" "$WINDOWS_BUILD/bin/veltrano-table.exe" || status=1
"$VELTRANO_ROOT/tests/platform/check_imports.sh" x86_64-w64-mingw32-objdump \
  "$WINDOWS64_BUILD/bin/veltrano.exe" "$WINDOWS64_BUILD/bin/DLL/PCOMM.DLL" \
  "$WINDOWS64_BUILD/bin/veltrano-table.exe" || status=1

# Both products are packed before the Windows tests: the shipping tests
# install and inspect these very packages. The trees are built already, so
# this only packs.
log "the release packages"
"$VELTRANO_ROOT/scripts/package.sh" >/dev/null || { log "scripts/package.sh failed"; status=1; }

# Wine now and then leaves a process hanging in its own start-up or in a
# system component; such a case gets a second run, and one that fails twice
# fails the run. Every first failure stays in the output above its rerun.
run_windows_tests() {
  local tree="$1" result=0
  export VELTRANO_WINE="$2"
  test_prefix="$tree/wine/headless"
  prepare_prefix "$test_prefix" headless || return 1
  "$VELTRANO_ROOT/scripts/wine-prefix.sh" start "$test_prefix"
  trap '"$VELTRANO_ROOT/scripts/wine-prefix.sh" stop "$test_prefix"' EXIT
  log "Windows tests under Wine ($tree)"
  ctest --test-dir "$tree" --output-on-failure -j2 --repeat until-pass:2 || result=1
  "$VELTRANO_ROOT/scripts/wine-prefix.sh" stop "$test_prefix"
  trap - EXIT
  return $result
}

run_windows_tests "$WINDOWS64_BUILD" /usr/lib/wine/wine64 || status=1
if can_run_win32; then
  run_windows_tests "$WINDOWS_BUILD" wine || status=1
else
  log "this machine's kernel cannot execute 32-bit x86 code: the 32-bit tree's tests are left out"
  log "(its product was built, its imports checked and its packages inspected)"
fi

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

log "a short soak: write and read-back cycles for 2 minutes"
"$VELTRANO_ROOT/scripts/soak.sh" 2 || { log "the soak failed"; status=1; }

log "fuzzing every target for 60 seconds"
"$VELTRANO_ROOT/scripts/fuzz.sh" 60
case $? in
  0) ;;
  1) log "fuzzing found a fault"; status=1 ;;
  *) log "the fuzz targets could not be built"; status=1 ;;
esac

if [ $status -eq 0 ]; then log "all tests passed"; else log "some tests failed"; fi
exit $status
