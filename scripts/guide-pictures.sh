#!/bin/bash
# Takes the user's guide's pictures afresh: runs the demonstration of
# scripts/run.sh on a private screen and copies each of its screenshots that
# the guide shows into docs/guide/, cut down to the program's windows.
# Review the pictures before committing them.
set -uo pipefail
source "$(dirname "$0")/lib/setup.sh"

env -u DISPLAY "$VELTRANO_ROOT/scripts/run.sh" || exit 1
shots="$VELTRANO_BUILD/run/demonstration"
guide="$VELTRANO_ROOT/docs/guide"
mkdir -p "$guide"
status=0
while IFS= read -r picture; do
  name="$(basename "$picture")"
  if [ ! -f "$shots/$name" ]; then
    log "the demonstration took no $name, which docs/user-guide.md shows"
    status=1
    continue
  fi
  # The screen around the windows is plain black: trimming it leaves the windows.
  convert "$shots/$name" -trim +repage -strip "$guide/$name" || status=1
  log "$guide/$name"
done < <(grep -o '](guide/[^)]*\.png)' "$VELTRANO_ROOT/docs/user-guide.md" | sed 's/^](guide\///; s/)$//' | sort -u)
exit $status
