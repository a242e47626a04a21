#!/bin/bash
# Runs the benchmarks of the real program under Wine against the module
# simulator and prints "name value" lines. The prefix must be prepared, its
# COM PORT mapped to LINK and its wineserver started.
#   run_program_bench.sh HOST_BIN PROGRAM_BIN PREFIX PORT LINK FOLDER DATA_DAT \
#                        STARTUP_RUNS IDLE_SECONDS LATENCY_RUNS LOG_LINES
# PROGRAM_BIN holds veltrano.exe, DLL/PCOMM.DLL, veltrano-bench-window.exe,
# veltrano-bench-window-libraries.exe, veltrano-bench-reference.exe and
# veltrano-bench-driver.exe; FOLDER is emptied and used for the run.
set -uo pipefail
host_bin="$1"; program_bin="$2"; prefix="$3"; port="$4"; link="$5"; folder="$6"; data_dat="$7"
startup_runs="$8"; idle_seconds="$9"; latency_runs="${10}"; log_lines="${11}"
root="$(cd "$(dirname "$0")/../.." && pwd)"
learned_code=FA0102030405ED
test_code=FA1122334455ED

fail() { echo "run_program_bench: $*" >&2; exit 1; }
windows_path() { local path="$1"; echo "Z:${path//\//\\}"; }
driver() { "$root/scripts/wine-run.sh" "$prefix" "$program_bin/veltrano-bench-driver.exe" "$@" </dev/null; }

rm -rf "$folder"
mkdir -p "$folder/app/DLL" "$folder/minimal" || fail "cannot make $folder"
cp "$program_bin/veltrano.exe" "$folder/app/" && cp "$program_bin/DLL/PCOMM.DLL" "$folder/app/DLL/" &&
  cp "$data_dat" "$folder/app/data.dat" && cp "$program_bin/veltrano-bench-window.exe" "$program_bin/veltrano-bench-window-libraries.exe" "$folder/minimal/" ||
  fail "cannot copy the programs into $folder"
app="$(windows_path "$folder/app")"
# The 43-window reference, in a folder whose name is as long as the
# program's: both captions name the folder.
mkdir -p "$folder/ref" && cp "$program_bin/veltrano-bench-reference.exe" "$folder/ref/" ||
  fail "cannot copy the reference program into $folder"
reference="$(windows_path "$folder/ref")\\veltrano-bench-reference.exe"

# 2. Start-up, before the port exists in anybody's mind.
minimal="$(windows_path "$folder/minimal")"
driver startup "$app\\veltrano.exe" "$minimal\\veltrano-bench-window.exe" "$minimal\\veltrano-bench-window-libraries.exe" \
  "$reference" "$startup_runs" >"$folder/startup.out" 2>"$folder/startup.err" || { cat "$folder/startup.err" >&2; fail "start-up benchmark failed"; }
grep -E '^startup' "$folder/startup.out" | tr -d '\r'

# The reference must show the program's windows: both lists, control ids
# aside (the top-level windows' order is the system's), and how many lines
# differ.
census() {
  driver windows "$1" KVWindow 2>>"$folder/census.err" | tr -d '\r' | sed 's/ id=[-0-9]*$//' | sort >"$2" ||
    fail "cannot list the windows of $1"
}
census "$app\\veltrano.exe" "$folder/windows-program.txt"
census "$reference" "$folder/windows-reference.txt"
grep '^window-count' "$folder/windows-program.txt" | sed 's/^window-count/startup-program-windows/'
grep '^window-count' "$folder/windows-reference.txt" | sed 's/^window-count/startup-reference-windows/'
echo "startup-reference-window-differences $(diff "$folder/windows-program.txt" "$folder/windows-reference.txt" | grep -c '^[<>]')"

# The simulator's log counts from its own start, which it announces in Unix
# time: that puts the log's times on the driver's clock (the link's own
# time is kept only to the kernel's coarse clock, a few milliseconds). The
# log cuts its times to whole milliseconds, so on the driver's clock each is
# taken as the middle of its millisecond.
rm -f "$link"
"$host_bin/veltrano-module-sim" --link "$link" --log "$folder/frames.log" --status "$folder/status" \
  --store "$folder/store.txt" --learned-code "$learned_code" --learn-delay-ms 100 \
  </dev/null >"$folder/simulator.out" 2>&1 &
simulator_pid=$!
trap 'kill "$simulator_pid" 2>/dev/null; wait "$simulator_pid" 2>/dev/null' EXIT
for _ in $(seq 100); do grep -q 'Unix time' "$folder/simulator.out" 2>/dev/null && break; sleep 0.05; done
simulator_epoch_us=$(sed -n 's/.*Unix time \([0-9]*\)\.\([0-9]\{6\}\).*/\1\2/p' "$folder/simulator.out")
[ -L "$link" ] && [ -n "$simulator_epoch_us" ] || { cat "$folder/simulator.out" >&2; fail "the simulator did not start"; }
# Median and maximum of the numbers on standard input, as "NAME-ms" and
# "NAME-max-ms" lines.
summarise() {
  sort -g | awk -v name="$1" '{ all[n++] = $1 }
    END {
      if (n == 0) exit 1
      median = (n % 2) ? all[int(n / 2)] : (all[n / 2 - 1] + all[n / 2]) / 2
      printf "%s-ms %.1f\n%s-max-ms %.1f\n", name, median, name, all[n - 1]
    }'
}
export VELTRANO_E2E_PORT="COM$port" VELTRANO_E2E_FOLDER="$(windows_path "$folder")"
# Times of the simulator's frames of DIRECTION and KIND (and carrying CODE,
# when given), on the driver's clock in milliseconds, one a line in the
# order they went; from frames_log when that is set.
frame_times() {
  awk -v epoch="$simulator_epoch_us" -v direction="$1" -v kind="$2" -v code="${3:-}" '
    $2 == direction && $3 == kind {
      hex = ""
      for (i = 4; i <= NF; i++) hex = hex $i
      if (code == "" || hex == code) printf "%.3f\n", epoch / 1000 + $1 * 1000 + 0.5
    }' "${frames_log:-$folder/frames.log}"
}
# The driver's "NAME RUN MICROSECONDS" lines of FILE as milliseconds, one a
# line in the order of the runs.
driver_times() { tr -d '\r' <"$2" | awk -v name="$1" '$1 == name { printf "%.3f\n", $3 / 1000 }'; }

# 3. The write sequence: the simulator's times of the enter and exit frames.
driver write "$app" >"$folder/write.out" 2>"$folder/write.err" ||
  { cat "$folder/write.err" "$folder/write.out" >&2; fail "write benchmark failed"; }
tr -d '\r' <"$folder/write.out"
slots=$(grep -c ' rx slot ' "$folder/frames.log")
awk '$2 == "rx" && $3 == "enter-config" && !enter { enter = $1 }
     $2 == "rx" && $3 == "exit-config" { exit_time = $1 }
     END { if (enter != "" && exit_time != "") printf "write-ms %.0f\n", (exit_time - enter) * 1000 }' "$folder/frames.log"
echo "write-slot-frames $slots"

# 3b. Read-back of the rows the write left in the module, from the press of
# the confirmation's OK to "数据提取完成" in the log box, against the
# simulator's own pacing of the same read-back: from its receipt of the read
# request to its read-complete frame. Each run's times in between, on the
# driver's clock, show where the rest goes: OK to the enter frame on the
# line, the protocol's wait to the read request, and the read-complete
# frame's way into the log box.
driver read-back "$app" "$latency_runs" >"$folder/readback.out" 2>"$folder/readback.err" ||
  { cat "$folder/readback.err" >&2; fail "read-back benchmark failed"; }
# The enter frame of each read-back is the last one before its read request:
# the write sequence before the runs has its own.
awk '$2 == "rx" && $3 == "enter-config" { enter = $1 }
     $2 == "rx" && $3 == "read-request" { print enter, "rx enter-of-read" }' "$folder/frames.log" >"$folder/enters.log"
paste <(driver_times readback-confirmed "$folder/readback.out") <(driver_times readback-complete "$folder/readback.out") \
  <(frames_log="$folder/enters.log" frame_times rx enter-of-read) <(frame_times rx read-request) \
  <(frame_times tx read-complete) |
  awk 'NF == 5 { printf "readback-run %d %.1f %.1f %.1f %.1f %.1f\n", NR - 1, $2 - $1, $5 - $4, $3 - $1, $4 - $3, $2 - $5 }' \
    >"$folder/readback.runs"
[ -s "$folder/readback.runs" ] || fail "no read-back matched the simulator's log"
cat "$folder/readback.runs"
readback_column() { awk -v at="$1" '{ print $at }' "$folder/readback.runs" | summarise "$2"; }
readback_column 3 readback; readback_column 4 readback-pacing; readback_column 5 readback-confirm-to-enter
readback_column 6 readback-enter-to-request; readback_column 7 readback-tail
awk '{ ratio = $3 / $4; if (ratio > worst) worst = ratio } END { printf "readback-ratio-max %.3f\n", worst }' \
  "$folder/readback.runs"

# 5. Working sets: the program after start-up and after a read-back of the
# rows the write left in the module, the reference after its start-up. It
# runs after the read-back figures, which pair their runs with the
# simulator's read requests one by one.
driver memory "$app" "$reference" >"$folder/memory.out" 2>"$folder/memory.err" ||
  { cat "$folder/memory.err" "$folder/memory.out" >&2; fail "memory benchmark failed"; }
grep -E '^memory-' "$folder/memory.out" | tr -d '\r'

# 4a. CPU time while idle, from the Linux processes' own counters (the
# program and the prefix's wineserver): Wine's GetProcessTimes, which the
# driver also prints, does not count another process's time. First with the
# port open and the line quiet, then with the port closed, the timer still.
ticks_of() { awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo 0; }
share() {
  awk -v t="$1" -v hz="$(getconf CLK_TCK)" -v ns="$2" 'BEGIN { printf "%.3f", 100 * t / hz / (ns / 1e9) }'
}
measure_idle() {
  local mode="$1" label="$2" program_pid="" server_pid="" program_ticks=0 server_ticks=0 begun=0 line elapsed
  while IFS= read -r line; do
    line="${line%$'\r'}"
    case "$line" in
      idle-begin)
        begun=$(date +%s%N)
        program_pid=$(pgrep -f -- "veltrano\\.exe" | while read -r pid; do
          tr '\0' ' ' 2>/dev/null <"/proc/$pid/cmdline" | grep -q "${folder##*/}" && echo "$pid"; done | head -1)
        server_pid=$(pgrep -f -- "wineserver" | while read -r pid; do
          tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qx "WINEPREFIX=$prefix" && echo "$pid"; done | head -1)
        [ -n "$program_pid" ] && program_ticks=$(ticks_of "$program_pid")
        [ -n "$server_pid" ] && server_ticks=$(ticks_of "$server_pid") ;;
      idle-end)
        elapsed=$(( $(date +%s%N) - begun ))
        [ -n "$program_pid" ] && echo "$label-proc-percent $(share $(( $(ticks_of "$program_pid") - program_ticks )) "$elapsed")"
        [ -n "$server_pid" ] && echo "$label-wineserver-percent $(share $(( $(ticks_of "$server_pid") - server_ticks )) "$elapsed")" ;;
      idle-*) echo "$label-${line#idle-}" ;;
    esac
  done < <(driver "$mode" "$app" "$idle_seconds" 2>"$folder/$label.err")
  grep -q . "$folder/$label.err" && cat "$folder/$label.err" >&2
}
measure_idle idle idle
measure_idle idle-closed idle-closed

# 4b. Learning: each learned code from its write by the simulator to its
# line in the log box.
driver latency "$app" "$learned_code" "$latency_runs" >"$folder/latency.out" 2>"$folder/latency.err" ||
  { cat "$folder/latency.err" >&2; fail "latency benchmark failed"; }
paste <(driver_times latency-seen "$folder/latency.out") <(frame_times tx learned) |
  awk 'NF == 2 { printf "latency-run %d %.1f\n", NR - 1, $1 - $2 }' >"$folder/latency.runs"
[ -s "$folder/latency.runs" ] || fail "no learned code matched the simulator's log"
cat "$folder/latency.runs"
awk '{ print $3 }' "$folder/latency.runs" | summarise latency

# 4c. Test send: from the click on "测试" to the code's frame on the line,
# the simulator's receipt of its last byte; and to the program's log line.
driver test-send "$app" "$test_code" "$latency_runs" >"$folder/test-send.out" 2>"$folder/test-send.err" ||
  { cat "$folder/test-send.err" >&2; fail "test send benchmark failed"; }
paste <(driver_times test-send-clicked "$folder/test-send.out") <(driver_times test-send-logged "$folder/test-send.out") \
  <(frame_times rx code "$test_code") |
  awk 'NF == 3 { printf "test-send-run %d %.1f %.1f\n", NR - 1, $3 - $1, $2 - $1 }' >"$folder/test-send.runs"
[ -s "$folder/test-send.runs" ] || fail "no test send matched the simulator's log"
cat "$folder/test-send.runs"
awk '{ print $3 }' "$folder/test-send.runs" | summarise test-send
awk '{ print $4 }' "$folder/test-send.runs" | summarise test-send-log

# 5. Log growth, in the driver's own process.
driver log-growth 100 "$log_lines" >"$folder/log.out" 2>"$folder/log.err" ||
  { cat "$folder/log.err" >&2; fail "log growth benchmark failed"; }
tr -d '\r' <"$folder/log.out"
exit 0
