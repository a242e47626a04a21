#!/bin/bash
# check_sim_messages.sh SIMULATOR: what a user sees of the module simulator
# from a terminal: on start, where the module is and where its frames go; on
# a wrong argument, one line naming it and where help is, and exit 2.
set -uo pipefail
simulator="$1"
folder=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; rm -rf "$folder"' EXIT
status=0
fail() { echo "$*" >&2; status=1; }

"$simulator" --bogus >"$folder/out" 2>"$folder/err"
code=$?
[ "$code" -eq 2 ] || fail "an unknown option exits $code, not 2"
[ "$(wc -l <"$folder/err")" -eq 1 ] || fail "an unknown option printed more than one line: $(cat "$folder/err")"
grep -q -- "--bogus" "$folder/err" || fail "the error does not name the option: $(cat "$folder/err")"
grep -q -- "--help" "$folder/err" || fail "the error does not point to --help: $(cat "$folder/err")"

"$simulator" --link "$folder/line" --log "$folder/frames.log" </dev/null >"$folder/start" 2>&1 &
pid=$!
for _ in $(seq 100); do grep -q "frames are logged" "$folder/start" 2>/dev/null && break; sleep 0.1; done
terminal=$(readlink "$folder/line")
grep -q "listens on $terminal, linked as $folder/line" "$folder/start" ||
  fail "the start does not name the terminal $terminal: $(cat "$folder/start")"
grep -q "frames are logged to $folder/frames.log" "$folder/start" ||
  fail "the start does not name the log: $(cat "$folder/start")"

[ $status -eq 0 ] && echo "the simulator names its terminal and log on start, and a wrong argument in one line"
exit $status
