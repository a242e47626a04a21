#!/usr/bin/env bash
# Builds the libFuzzer targets in a native clang tree and runs each one for
# the given number of seconds (default 60), all at once, over a copy of its seeds in
# tests/fuzz/corpus. New inputs stay in the build tree; crash, timeout and
# out-of-memory inputs are collected in $VELTRANO_BUILD/fuzz/artifacts/<target>/
# and make the script fail (exit 1); a tree that cannot be configured or built
# is exit 3. Usage: scripts/fuzz.sh [seconds]
set -euo pipefail

# shellcheck source=lib/setup.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib/setup.sh"

seconds="${1:-60}"
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: scripts/fuzz.sh [seconds]" >&2
  exit 2
fi

FUZZ_BUILD="$VELTRANO_BUILD/fuzz"
FUZZ_DATA="$VELTRANO_ROOT/tests/fuzz"

# Target and the longest input it is given: a table file of a few hundred
# cells, a small grid with its keys and a pasted text, the main window's
# segment with room to grow, a long code, a read.
targets=(grid_file:16384 grid_keys:4096 template:200000 hex:4096 receive:512)

log "configuring the fuzz tree in $FUZZ_BUILD"
CC=clang CXX=clang++ cmake -S "$VELTRANO_ROOT" -B "$FUZZ_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELTRANO_FUZZ=ON >/dev/null || exit 3
build_targets=()
for entry in "${targets[@]}"; do
  build_targets+=("fuzz_${entry%%:*}")
done
log "building ${build_targets[*]}"
cmake --build "$FUZZ_BUILD" --target "${build_targets[@]}" || exit 3

# All targets run at the same time: the wall time is the given seconds
# whatever the number of targets, and the cores are shared between them.
prepare_run() {
  local name="$1"
  local work="$FUZZ_BUILD/runs/$name" artifacts="$FUZZ_BUILD/artifacts/$name"
  rm -rf "$work"
  mkdir -p "$work/corpus" "$artifacts"
  # Kept findings are replayed by ctest; some are slow by design (a table
  # file at the limits), so they do not seed the run.
  find "$FUZZ_DATA/corpus/$name" -maxdepth 1 -type f ! -name '.*' -exec cp {} "$work/corpus/" \;
}

count_findings() {
  find "$FUZZ_BUILD/artifacts/$1" -maxdepth 1 -type f \
    \( -name 'crash-*' -o -name 'timeout-*' -o -name 'oom-*' -o -name 'leak-*' \) | wc -l
}

declare -A before pids
for entry in "${targets[@]}"; do
  name="${entry%%:*}"
  max_len="${entry##*:}"
  prepare_run "$name"
  before[$name]=$(count_findings "$name")
  log "fuzzing $name for ${seconds}s (max_len $max_len)"
  "$FUZZ_BUILD/bin/fuzz_$name" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$FUZZ_BUILD/artifacts/$name/" "$FUZZ_BUILD/runs/$name/corpus" \
    >"$FUZZ_BUILD/runs/$name/fuzz.log" 2>&1 &
  pids[$name]=$!
done

findings=0
summary=()
for entry in "${targets[@]}"; do
  name="${entry%%:*}"
  work="$FUZZ_BUILD/runs/$name"
  status=0
  wait "${pids[$name]}" || status=$?
  after=$(count_findings "$name")
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/fuzz.log" | tail -n 1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$work/fuzz.log" | tail -n 1)
  line="$name: ${execs:-?} execs, ${rate:-?} exec/s"
  if [ "$status" -ne 0 ] || [ "$after" -gt "${before[$name]}" ]; then
    findings=$((findings + 1))
    line="$line, FOUND a fault (exit $status; inputs in $FUZZ_BUILD/artifacts/$name, log $work/fuzz.log)"
    grep -E '^(==[0-9]+==ERROR|SUMMARY|property broken|.*runtime error)' "$work/fuzz.log" | head -n 5 || true
  fi
  summary+=("$line")
done

log "results"
printf '  %s\n' "${summary[@]}"
if [ "$findings" -gt 0 ]; then
  log "$findings target(s) found a fault"
  exit 1
fi
log "no faults found"
