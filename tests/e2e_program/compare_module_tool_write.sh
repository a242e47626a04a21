#!/bin/bash
# The command-line tool writes a module exactly as the program does: the
# frames the simulated module received during the program's write in an
# end-to-end case are compared, frame for frame and byte for byte, with what
# a fresh simulated module receives from veltrano-module writing the same
# table.
#   compare_module_tool_write.sh HOST_BIN CASE_FOLDER WORK_FOLDER
# CASE_FOLDER is the end-to-end case's folder: its frames.log ends with the
# program's write of the rows in preloaded.txt.
set -uo pipefail
host_bin="$1"; case_folder="$2"; work="$3"
root="$(cd "$(dirname "$0")/../.." && pwd)"
source "$root/tests/e2e_program/case_steps.sh"
rm -rf "$work"
mkdir -p "$work"

# The frames a module received in the last sequence of a log (from its last
# enter-configuration frame on), without the times.
last_sequence_received() {
  awk '$2 == "rx" && $3 == "enter-config" { n = 0 } $2 == "rx" { $1 = ""; frames[++n] = substr($0, 2) }
       END { for (i = 1; i <= n; i++) print frames[i] }' "$1"
}

if [ ! -s "$case_folder/frames.log" ] || [ ! -s "$case_folder/preloaded.txt" ]; then
  echo "FAIL: the end-to-end case left no frame log or table in $case_folder"
  exit 1
fi
last_sequence_received "$case_folder/frames.log" >"$work/program.frames"
grep -q "^rx exit-config" "$work/program.frames" || { echo "FAIL: the program's write did not end in the log"; exit 1; }

# The table the program wrote, as the table tool's CSV.
{
  echo "row,device,key,code"
  while read -r row code; do [ -n "$row" ] && echo "$row,,,$code"; done <"$case_folder/preloaded.txt"
} >"$work/table.csv"

link="$work/module-line"
"$host_bin/veltrano-module-sim" --link "$link" --store "$work/store.txt" --log "$work/frames.log" \
  </dev/null >"$work/simulator.out" 2>&1 &
simulator_pid=$!
trap 'kill "$simulator_pid" 2>/dev/null; wait "$simulator_pid" 2>/dev/null' EXIT
wait_for_link "$link" "$simulator_pid" "$work/simulator.out" || exit 1
"$host_bin/veltrano-module" write "$work/table.csv" --port "$link" </dev/null || {
  echo "FAIL: veltrano-module write failed"
  exit 1
}
kill "$simulator_pid"; wait "$simulator_pid" 2>/dev/null
trap - EXIT
last_sequence_received "$work/frames.log" >"$work/tool.frames"

if ! cmp -s "$work/program.frames" "$work/tool.frames"; then
  echo "FAIL: the frames differ (program <, tool >):"
  diff "$work/program.frames" "$work/tool.frames" | head -20
  exit 1
fi
echo "the tool's write is the program's, frame for frame: $(wc -l <"$work/tool.frames") frames"
