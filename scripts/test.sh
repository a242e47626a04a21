#!/bin/bash
# Installs what is missing, builds both trees and runs every test.
set -uo pipefail
source "$(dirname "$0")/lib/setup.sh"

install_dependencies || exit 1
build_native || exit 1
build_windows || exit 1

status=0
log "native tests"
ctest --test-dir "$NATIVE_BUILD" --output-on-failure -j2 || status=1

prepare_prefix "$HEADLESS_PREFIX" headless || exit 1
"$VELTRANO_ROOT/scripts/wine-prefix.sh" start "$HEADLESS_PREFIX"
trap '"$VELTRANO_ROOT/scripts/wine-prefix.sh" stop "$HEADLESS_PREFIX"' EXIT
log "Windows tests under Wine"
ctest --test-dir "$WINDOWS_BUILD" --output-on-failure -j2 || status=1

if [ $status -eq 0 ]; then log "all tests passed"; else log "some tests failed"; fi
exit $status
