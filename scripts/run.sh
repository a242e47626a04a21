#!/bin/bash
# Installs what is missing, builds, and starts Veltrano under Wine
# (on a private Xvfb when no display is set).
set -uo pipefail
source "$(dirname "$0")/lib/setup.sh"

install_dependencies || exit 1
build_native || exit 1
build_windows || exit 1
if ! can_run_win32; then
  log "this machine's kernel cannot execute 32-bit x86 code, so Wine cannot start"
  log "veltrano.exe here; it was built to $WINDOWS_BUILD/bin"
  exit 1
fi
prepare_prefix "$X11_PREFIX" x11 || exit 1

xvfb_pid=""
if [ -z "${DISPLAY:-}" ]; then
  export DISPLAY=:97
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  log "started Xvfb on $DISPLAY"
fi
cleanup() {
  "$VELTRANO_ROOT/scripts/wine-prefix.sh" stop "$X11_PREFIX"
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT

log "starting veltrano.exe"
"$VELTRANO_ROOT/scripts/wine-run.sh" "$X11_PREFIX" "$WINDOWS_BUILD/bin/veltrano.exe"
