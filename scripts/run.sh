#!/bin/bash
# Installs what is missing, builds, and starts Veltrano under Wine against the
# module simulator, which sits on a pseudo-terminal the program sees as COM3.
# The simulated module starts every run holding the demonstration's full
# table (tools/module_sim/demo_store.txt), so the first "读取模块" shows a
# table; what the program writes into it lasts until the script ends.
#
# With a display the program is started there, from its own folder
# build/run/interactive (which keeps its data.dat from run to run). Ctrl-C,
# or closing the program's window, stops everything the script started: the
# program, the simulator and the Wine server.
#
# Without a display, a private Xvfb is started and a short demonstration is
# driven (open the port, read the module's table, clear the module, write
# the table, read it back, learn a code, send a typed code, set the port
# rates, save, and show the save and open dialogs) in build/run/demonstration;
# its screenshots and the simulator's log are left there, and the script
# exits 0 when every step worked.
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
program_pid=""
cleanup() {
  trap - INT TERM HUP
  # Ending the prefix's server ends every Windows process in it, the
  # program included; the loader that waited for it then returns.
  "$VELTRANO_ROOT/scripts/wine-prefix.sh" stop "$prefix"
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  [ -n "$simulator_pid" ] && kill "$simulator_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
}
trap cleanup EXIT
# A foreground program would keep the script from handling Ctrl-C until it
# ended, and a Windows program does not end on the terminal's interrupt; so
# the program runs in the background, the script waits for it, and an
# interrupt ends the script, whose exit handler stops the rest.
trap 'log "interrupted: stopping the program, the simulator and the Wine server"; exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

if $demonstrate; then
  export DISPLAY=:97
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  log "started Xvfb on $DISPLAY"
fi

# The program runs from a folder of its own with a copy of the program, so
# its caption and its data.dat are those of an installed program and not
# the build tree's; the simulator keeps its files there too.
if $demonstrate; then
  program_folder="$run_folder/demonstration"
  # The demonstration starts afresh every time, without a data.dat.
  rm -rf "$program_folder"
else
  program_folder="$run_folder/interactive"
fi
mkdir -p "$program_folder/DLL"
cp "$program_tree/bin/veltrano.exe" "$program_folder/" || exit 1
cp "$program_tree/bin/DLL/PCOMM.DLL" "$program_folder/DLL/" || exit 1
cp "$VELTRANO_ROOT/tools/module_sim/demo_store.txt" "$program_folder/demo_store.txt" || exit 1
cp "$VELTRANO_ROOT/tools/module_sim/demo_store.txt" "$program_folder/store.txt" || exit 1

rm -f "$line_link"
"$NATIVE_BUILD/bin/veltrano-module-sim" --link "$line_link" --log "$program_folder/frames.log" \
  --status "$program_folder/status" --store "$program_folder/store.txt" --pace-ms 150 \
  </dev/null >"$program_folder/simulator.out" 2>&1 &
simulator_pid=$!
for _ in $(seq 100); do [ -L "$line_link" ] && break; sleep 0.1; done
if [ ! -L "$line_link" ]; then
  log "the module simulator did not start:"; cat "$program_folder/simulator.out"; exit 1
fi
log "module simulator on COM$port, holding the demonstration's table (frames logged to $program_folder/frames.log)"

"$VELTRANO_ROOT/scripts/wine-prefix.sh" start "$prefix"

# wait_for PID: the job's exit status; an interrupt meanwhile ends the
# script through its trap.
wait_for() {
  wait "$1"
  local status=$?
  program_pid=""
  return $status
}

if ! $demonstrate; then
  log "starting $program_folder/veltrano.exe: pick COM$port in its port list and press 开启 (Ctrl-C here stops everything)"
  "$VELTRANO_ROOT/scripts/wine-run.sh" "$prefix" "$program_folder/veltrano.exe" </dev/null &
  program_pid=$!
  wait_for "$program_pid"
  status=$?
  log "the program ended (exit $status); stopping the simulator and the Wine server"
  exit $status
fi

# demonstrate: runs the demonstration's driver, taking the screenshots it asks for.
demonstrate_steps() {
  local windows_folder="Z:${program_folder//\//\\}"
  "$VELTRANO_ROOT/scripts/wine-run.sh" "$prefix" "$program_tree/bin/veltrano-demo.exe" \
    "$windows_folder" "COM$port" "$windows_folder" </dev/null 2>"$program_folder/demo.err" |
    while IFS= read -r line; do
      line="${line%$'\r'}"
      case "$line" in
        "shot "*)
          name="${line#shot }"
          import -display "$DISPLAY" -window root "png:$program_folder/$name.png.part" &&
            mv "$program_folder/$name.png.part" "$program_folder/$name.png"
          log "screenshot $program_folder/$name.png" ;;
        *) log "$line" ;;
      esac
    done
  return "${PIPESTATUS[0]}"
}

log "driving the demonstration; screenshots go to $program_folder"
demonstrate_steps &
program_pid=$!
wait_for "$program_pid"
status=$?
if [ "$status" -ne 0 ]; then
  log "the demonstration failed (exit $status); the simulator's frames are in $program_folder/frames.log"
  exit 1
fi
log "demonstration done: screenshots, the saved data.dat and the simulator's frames.log are in $program_folder"
exit 0
