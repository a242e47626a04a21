#!/bin/bash
# scripts/run.sh with a display, as a user starts it:
#   run_script_test.sh SOURCE_ROOT BUILD_ROOT WORK_FOLDER
# BUILD_ROOT is the build folder the script builds into (build/), already
# built, so its build steps have nothing left to do. On a private Xvfb it
# checks that the program runs from its own folder under BUILD_ROOT/run (its
# caption names that folder's data.dat), that the simulated module starts
# with the demonstration's full table, and that Ctrl-C in the script's
# terminal, and closing the program's window, each stop everything the
# script started: the program, the simulator and the Wine server.
set -uo pipefail
root="$1"; build="$2"; work="$3"
prefix="$build/windows64/wine/x11"
folder="$build/run/interactive"
mkdir -p "$work"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

xvfb_pid=""
script_pid=""
cleanup() {
  [ -n "$script_pid" ] && kill -KILL -- "-$script_pid" 2>/dev/null
  WINEPREFIX="$prefix" wineserver -k </dev/null >/dev/null 2>&1
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT

exec 3<> <(:)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
read -r -t 30 display <&3 || { echo "FAIL: Xvfb did not start"; exit 1; }
exec 3<&-
export DISPLAY=":$display"

# The processes the script may have left: any process of the prefix (Wine
# gives them all its WINEPREFIX), and the simulator on the script's line.
leftovers() {
  local entry
  for entry in /proc/[0-9]*; do
    if words_of "$entry/environ" | grep -qxF "WINEPREFIX=$prefix" ||
       words_of "$entry/cmdline" | grep -qxF "$build/run/module-line"; then
      printf '%s %s\n' "${entry#/proc/}" "$(words_of "$entry/cmdline" | tr '\n' ' ')"
    fi
  done
}
# A /proc file of NUL-separated words, a line each; nothing once the process has gone.
words_of() { { tr '\0' '\n' <"$1"; } 2>/dev/null; }

# start_script NAME: the script in a process group of its own, as a
# terminal runs it in the foreground; waits until the program's window shows.
start_script() {
  # A background job of this shell starts with the interrupt ignored, which
  # a script cannot trap; a terminal's foreground job starts with it live.
  VELTRANO_BUILD="$build" python3 -c '
import os, signal, sys
signal.signal(signal.SIGINT, signal.SIG_DFL)
os.setsid()
os.execv(sys.argv[1], sys.argv[1:])' "$root/scripts/run.sh" </dev/null >"$work/$1.out" 2>&1 &
  script_pid=$!
  local caption=""
  for _ in $(seq 600); do
    caption="$(xwininfo -root -tree 2>/dev/null | grep -o '"Veltrano [^"]*"' | head -n 1)"
    [ -n "$caption" ] && break
    kill -0 "$script_pid" 2>/dev/null || break
    sleep 0.5
  done
  if [ -z "$caption" ]; then
    sed 's/^/  | /' "$work/$1.out"
    echo "FAIL: the program's window did not show"
    exit 1
  fi
  echo "window: $caption"
  printf '%s\n' "$caption" >"$work/$1.caption"
}

# stopped_everything NAME: waits for the script to end; its status.
stopped_everything() {
  local status=""
  for _ in $(seq 60); do
    if ! kill -0 "$script_pid" 2>/dev/null; then
      wait "$script_pid"; status=$?
      break
    fi
    sleep 0.5
  done
  sed 's/^/  | /' "$work/$1.out"
  if [ -z "$status" ]; then
    fail "$1: the script was still running 30 s later"
    kill -KILL -- "-$script_pid" 2>/dev/null
    return 1
  fi
  script_pid=""
  echo "the script ended with status $status"
  local left
  left="$(leftovers)"
  [ -z "$left" ] || fail "$1: left running: $left"
  return 0
}

echo "== Ctrl-C in the script's terminal"
start_script interrupted
grep -qF 'run\interactive\data.dat' "$work/interrupted.caption" ||
  fail "the caption does not name the program's own folder: $(cat "$work/interrupted.caption")"
grep -qF 'build\windows64' "$work/interrupted.caption" && fail "the caption names the build tree"
cmp -s "$root/tools/module_sim/demo_store.txt" "$folder/store.txt" ||
  fail "the simulated module does not start with the demonstration's table"
[ -n "$(leftovers)" ] || fail "no process of the run was found, so the checks below prove nothing"
# A terminal sends its interrupt to the whole foreground process group.
kill -INT -- "-$script_pid"
stopped_everything interrupted
grep -q "interrupted" "$work/interrupted.out" || fail "the script did not say it was interrupted"

echo "== the program's window closed"
# The user's table survives from run to run; the simulated module starts full again.
printf 'kept\n' >"$folder/data.dat.marker"
start_script closed
[ -f "$folder/data.dat.marker" ] || fail "the program's folder was emptied between runs"
rm -f "$folder/data.dat.marker"
# taskkill without /f asks the program's windows to close, as the close box does.
WINEPREFIX="$prefix" WINEDEBUG=-all "${VELTRANO_WINE:-wine}" taskkill /im veltrano.exe </dev/null >/dev/null 2>&1
stopped_everything closed
grep -q "the program ended" "$work/closed.out" || fail "the script did not notice the program ending"

[ "$failures" -eq 0 ] && echo "all checks of scripts/run.sh passed"
exit $((failures > 0))
