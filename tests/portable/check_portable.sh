#!/bin/bash
# check_portable.sh ROOT: the portable core must not reach for the window
# system, so it keeps compiling natively for sanitizers and fuzzing.
set -uo pipefail
root="$1"
folders=(runtime/template runtime/values runtime/binding runtime/dispatch runtime/loading runtime/commands
         components/classdata grid/model grid/file app/hex app/protocol app/configurator)
status=0
for folder in "${folders[@]}"; do
  [ -d "$root/$folder" ] || continue
  if hits=$(grep -rniE '#[[:space:]]*include[[:space:]]*[<"](windows|winbase|winuser|wingdi|windef|winreg|commctrl|objbase)\.h' \
              "$root/$folder"); then
    echo "$hits" >&2
    status=1
  fi
done
[ $status -eq 0 ] && echo "portable folders include no window-system headers"
exit $status
