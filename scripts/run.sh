#!/bin/bash
# Installs what is missing, builds, and starts Veltrano under Wine against the
# module simulator, which sits on a pseudo-terminal the program sees as COM3.
# With a display the program is simply started there. Without one, a private
# Xvfb is started and a short demonstration is driven (open the port, read
# the module's table, clear the module, write the table, read it back, learn
# a code, save); its screenshots and the simulator's log are left in the
# folder it names, and the script exits 0 when every step worked.
set -uo pipefail
source "$(dirname "$0")/lib/setup.sh"

install_dependencies || exit 1
build_native || exit 1
# The program, its serial library and the demonstration's driver.
build_runnable_windows_targets veltrano pcomm veltrano-demo || exit 1
program_tree="$RUNNABLE_TREE"
run_folder="$VELTRANO_BUILD/run"
line_link="$run_folder/module-line"
port=3
mkdir -p "$run_folder"

demonstrate=false
[ -z "${DISPLAY:-}" ] && demonstrate=true
# The demonstration's screen has no window manager, so Wine frames the
# windows itself there.
if $demonstrate; then
  prefix="$program_tree/wine/framed"
  prepare_prefix "$prefix" framed || exit 1
else
  prefix="$program_tree/wine/x11"
  prepare_prefix "$prefix" x11 || exit 1
fi
"$VELTRANO_ROOT/scripts/wine-prefix.sh" map-port "$prefix" "$port" "$line_link" || exit 1

xvfb_pid=""
simulator_pid=""
cleanup() {
  "$VELTRANO_ROOT/scripts/wine-prefix.sh" stop "$prefix"
  [ -n "$simulator_pid" ] && kill "$simulator_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT

if $demonstrate; then
  export DISPLAY=:97
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  log "started Xvfb on $DISPLAY"
fi

# Where the simulator keeps its files: the run folder, or the demonstration's
# own folder with the program copied in, so its data.dat starts afresh.
simulator_folder="$run_folder"
if $demonstrate; then
  simulator_folder="$run_folder/demonstration"
  rm -rf "$simulator_folder"
  mkdir -p "$simulator_folder/DLL"
  cp "$program_tree/bin/veltrano.exe" "$simulator_folder/" || exit 1
  cp "$program_tree/bin/DLL/PCOMM.DLL" "$simulator_folder/DLL/" || exit 1
  cp "$VELTRANO_ROOT/tools/module_sim/demo_store.txt" "$simulator_folder/demo_store.txt"
  cp "$VELTRANO_ROOT/tools/module_sim/demo_store.txt" "$simulator_folder/store.txt"
fi

rm -f "$line_link"
"$NATIVE_BUILD/bin/veltrano-module-sim" --link "$line_link" --log "$simulator_folder/frames.log" \
  --status "$simulator_folder/status" --store "$simulator_folder/store.txt" --pace-ms 150 \
  </dev/null >"$simulator_folder/simulator.out" 2>&1 &
simulator_pid=$!
for _ in $(seq 100); do [ -L "$line_link" ] && break; sleep 0.1; done
if [ ! -L "$line_link" ]; then
  log "the module simulator did not start:"; cat "$simulator_folder/simulator.out"; exit 1
fi
log "module simulator on COM$port (frames logged to $simulator_folder/frames.log)"

"$VELTRANO_ROOT/scripts/wine-prefix.sh" start "$prefix"

if ! $demonstrate; then
  log "starting veltrano.exe: pick COM$port in its port list and press 开启"
  "$VELTRANO_ROOT/scripts/wine-run.sh" "$prefix" "$program_tree/bin/veltrano.exe"
  exit $?
fi

log "driving the demonstration; screenshots go to $simulator_folder"
windows_folder="Z:${simulator_folder//\//\\}"
"$VELTRANO_ROOT/scripts/wine-run.sh" "$prefix" "$program_tree/bin/veltrano-demo.exe" \
  "$windows_folder" "COM$port" "$windows_folder" </dev/null 2>"$simulator_folder/demo.err" |
  while IFS= read -r line; do
    line="${line%$'\r'}"
    case "$line" in
      "shot "*)
        name="${line#shot }"
        import -display "$DISPLAY" -window root "png:$simulator_folder/$name.png.part" &&
          mv "$simulator_folder/$name.png.part" "$simulator_folder/$name.png"
        log "screenshot $simulator_folder/$name.png" ;;
      *) log "$line" ;;
    esac
  done
status=${PIPESTATUS[0]}
if [ "$status" -ne 0 ]; then
  log "the demonstration failed (exit $status); the simulator's frames are in $simulator_folder/frames.log"
  exit 1
fi
log "demonstration done: screenshots, the saved data.dat and the simulator's frames.log are in $simulator_folder"
exit 0
