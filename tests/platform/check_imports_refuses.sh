#!/bin/bash
# check_imports_refuses.sh OBJDUMP IMAGE PROBLEM... : check_imports.sh must
# fail on IMAGE and name every PROBLEM given.
set -uo pipefail
objdump="$1"; image="$2"; shift 2
said="$("$(dirname "$0")/check_imports.sh" "$objdump" "$image" 2>&1)"
status=$?
echo "$said"
if [ $status -eq 0 ]; then
  echo "check_imports.sh passed $image" >&2
  exit 1
fi
result=0
for problem in "$@"; do
  grep -qxF "$image: $problem" <<<"$said" || { echo "not said: $image: $problem" >&2; result=1; }
done
exit $result
