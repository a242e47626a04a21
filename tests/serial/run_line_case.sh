#!/bin/bash
# Runs one case of the Windows serial line test against a fresh far end.
#   run_line_case.sh HOST_BIN PREFIX PORT LINK RECORD PROGRAM CASE
#                    [--check-record HEX] [--far-end-gone ended|killed]
#                    [far end options...]
# The far end publishes its pseudo-terminal at LINK (mapped to COM PORT in
# PREFIX) and records what it receives in RECORD; with --check-record the
# record must be exactly HEX. With --far-end-gone the far end is gone before
# the case runs: "ended" as it ends by itself (its link removed), "killed"
# as when it is killed outright (its link left pointing at nothing).
set -uo pipefail
host_bin="$1"; prefix="$2"; port="$3"; link="$4"; record="$5"; program="$6"; case_name="$7"
shift 7
root="$(cd "$(dirname "$0")/../.." && pwd)"
check=""
gone=""
far_options=()
while [ $# -gt 0 ]; do
  if [ "$1" = "--check-record" ] && [ $# -ge 2 ]; then
    check="$2"; shift 2
  elif [ "$1" = "--far-end-gone" ] && [ $# -ge 2 ]; then
    gone="$2"; shift 2
  else
    far_options+=("$1"); shift
  fi
done

rm -f "$link" "$record"
"$host_bin/serial_far_end" --link "$link" --record "$record" --timeout 90 "${far_options[@]}" </dev/null &
far_pid=$!
trap 'kill "$far_pid" 2>/dev/null; wait "$far_pid" 2>/dev/null' EXIT

deadline=$((SECONDS + 10))
until [ -L "$link" ]; do
  if [ $SECONDS -ge $deadline ] || ! kill -0 "$far_pid" 2>/dev/null; then
    echo "the far end did not publish $link"
    exit 1
  fi
  sleep 0.01
done

case "$gone" in
  "") ;;
  ended) kill -TERM "$far_pid"; wait "$far_pid" ;;
  killed) kill -KILL "$far_pid"; wait "$far_pid" 2>/dev/null ;;
  *) echo "--far-end-gone takes ended or killed, not $gone"; exit 2 ;;
esac
if [ -n "$gone" ]; then
  trap - EXIT
  [ "$gone" = ended ] && [ -L "$link" ] && { echo "the far end left its link behind"; exit 1; }
  [ "$gone" = killed ] && [ ! -L "$link" ] && { echo "the killed far end's link is missing"; exit 1; }
fi

output="$(mktemp)"
VELTRANO_SERIAL_PORT="$port" timeout 90 "$root/scripts/wine-run.sh" "$prefix" "$program" \
  --gtest_filter="$case_name" </dev/null >"$output" 2>&1
status=$?
cat "$output"
# A filter that matches nothing passes in GoogleTest; here it must not.
if ! grep -q '^\[  PASSED  \] 1 test' "$output"; then
  status=1
fi
rm -f "$output"

far_status=0
if [ -z "$gone" ]; then
  kill -TERM "$far_pid" 2>/dev/null
  wait "$far_pid"
  far_status=$?
fi
trap - EXIT
if [ -n "$check" ]; then
  received="$(od -An -tx1 -v "$record" 2>/dev/null | tr -d ' \n' | tr 'a-f' 'A-F')"
  if [ "$received" != "$check" ]; then
    echo "the far end received '$received', expected '$check'"
    status=1
  fi
  if [ $far_status -ne 0 ]; then
    echo "the far end ended with status $far_status"
    status=1
  fi
fi
exit $status
