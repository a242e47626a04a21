#!/bin/bash
# Installs what is missing, builds, and starts Veltrano under Wine (on a
# private Xvfb when no display is set) against the module simulator, which
# sits on a pseudo-terminal that the program sees as COM3.
set -uo pipefail
source "$(dirname "$0")/lib/setup.sh"

install_dependencies || exit 1
build_native || exit 1
build_windows || exit 1
if can_run_win32; then
  program_tree="$WINDOWS_BUILD"
  export VELTRANO_WINE=wine
else
  log "this machine's kernel cannot execute 32-bit x86 code: starting the 64-bit build under wine64"
  build_windows64 || exit 1
  program_tree="$WINDOWS64_BUILD"
  export VELTRANO_WINE=/usr/lib/wine/wine64
fi
prefix="$program_tree/wine/x11"
run_folder="$VELTRANO_BUILD/run"
line_link="$run_folder/module-line"
port=3
mkdir -p "$run_folder"

prepare_prefix "$prefix" x11 || exit 1
"$VELTRANO_ROOT/scripts/wine-prefix.sh" map-port "$prefix" "$port" "$line_link" || exit 1

xvfb_pid=""
simulator_pid=""
cleanup() {
  "$VELTRANO_ROOT/scripts/wine-prefix.sh" stop "$prefix"
  [ -n "$simulator_pid" ] && kill "$simulator_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
  export DISPLAY=:97
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  log "started Xvfb on $DISPLAY (take a look with: import -display $DISPLAY -window root shot.png)"
fi

rm -f "$line_link"
"$NATIVE_BUILD/bin/veltrano-module-sim" --link "$line_link" --log "$run_folder/frames.log" \
  --status "$run_folder/status" --store "$run_folder/store.txt" </dev/null &
simulator_pid=$!
for _ in $(seq 100); do [ -L "$line_link" ] && break; sleep 0.1; done
log "module simulator on COM$port (frames logged to $run_folder/frames.log)"

"$VELTRANO_ROOT/scripts/wine-prefix.sh" start "$prefix"
log "starting veltrano.exe"
"$VELTRANO_ROOT/scripts/wine-run.sh" "$prefix" "$program_tree/bin/veltrano.exe"
