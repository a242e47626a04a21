# Steps shared by the scripts that run one Windows test case against the
# module simulator; sourced, not run.

# wait_for_link LINK PID SIMULATOR_OUT: waits until the simulator publishes
# LINK; fails, showing what the simulator said, when PID ends first or ten
# seconds pass.
wait_for_link() {
  local link="$1" pid="$2" said="$3"
  local deadline=$((SECONDS + 10))
  until [ -L "$link" ]; do
    if [ $SECONDS -ge $deadline ] || ! kill -0 "$pid" 2>/dev/null; then
      echo "the simulator did not publish $link"; cat "$said"; return 1
    fi
    sleep 0.01
  done
}

# run_windows_case ROOT PREFIX PORT FOLDER PROGRAM CASE SECONDS FRAME_LINES:
# runs one case of the Windows test program under Wine, with the case's
# folder and port in its environment, and prints its output; on a failure
# also the last FRAME_LINES lines of the simulator's frame log. Fails unless
# exactly that one case ran and passed.
run_windows_case() {
  local root="$1" prefix="$2" port="$3" folder="$4" program="$5" case_name="$6" seconds="$7" frame_lines="$8"
  local output="$folder/test.out" status
  VELTRANO_E2E_FOLDER="Z:${folder//\//\\}" VELTRANO_E2E_PORT="COM$port" timeout "$seconds" \
    "$root/scripts/wine-run.sh" "$prefix" "$program" --gtest_filter="$case_name" </dev/null >"$output" 2>&1
  status=$?
  cat "$output"
  # A filter that matches nothing passes in GoogleTest; here it must not.
  grep -q '^\[  PASSED  \] 1 test' "$output" || status=1
  if [ $status -ne 0 ]; then
    echo "--- simulator frames"; tail -n "$frame_lines" "$folder/frames.log"
  fi
  return $status
}
