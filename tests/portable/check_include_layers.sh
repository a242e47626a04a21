#!/bin/bash
# check_include_layers.sh ROOT: the product's folders stand on each other in
# one order (runtime, components, grid, app, tools; the serial library
# alone), and no folder reaches up. Inside a folder, no two files include
# each other's headers round a loop: each file stands above what it uses.
set -uo pipefail
root="$1"
status=0

# folder: the top folders its files may include.
declare -A allowed=(
  [runtime]="runtime"
  [components]="runtime components"
  [grid]="runtime components grid"
  [app]="runtime components grid app"
  [pcomm]="pcomm"
  [tools]="runtime components grid app pcomm tools"
)

sources_of() { find "$root/$1" -type f \( -name '*.h' -o -name '*.cpp' \) | sort; }

for folder in "${!allowed[@]}"; do
  [ -d "$root/$folder" ] || continue
  while IFS= read -r file; do
    while IFS= read -r included; do
      top="${included%%/*}"
      [ -d "$root/$top" ] || continue  # a system or library header
      if [[ " ${allowed[$folder]} " != *" $top "* ]]; then
        echo "${file#"$root"/} includes $included: $folder may not stand on $top" >&2
        status=1
      fi
    done < <(sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/p' "$file")
  done < <(sources_of "$folder")
done

# A unit is a header and its source file; an edge runs from a unit to each
# unit of the same folder whose header it includes.
check_loops() {
  local folder="$1" edges="" file unit included
  while IFS= read -r file; do
    unit=$(basename "${file%.*}")
    edges+="$unit $unit"$'\n'
    while IFS= read -r included; do
      [ "$(dirname "$included")" = "$folder" ] || continue
      included=$(basename "${included%.h}")
      [ "$included" = "$unit" ] || edges+="$unit $included"$'\n'
    done < <(sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+\.h)".*/\1/p' "$file")
  done < <(find "$root/$folder" -maxdepth 1 -type f \( -name '*.h' -o -name '*.cpp' \) | sort)
  local loop
  if ! loop=$(printf '%s' "$edges" | tsort 2>&1 >/dev/null); then :; fi
  if [ -n "$loop" ]; then
    echo "$folder: its files include each other round a loop:" >&2
    echo "$loop" | sed -n 's/^tsort: //p' >&2
    status=1
  fi
}

while IFS= read -r folder; do
  check_loops "${folder#"$root"/}"
done < <(find "$root/runtime" "$root/components" "$root/grid" "$root/app" "$root/pcomm" -type d | sort)

[ $status -eq 0 ] && echo "every folder stands only on the folders below it, and no files include each other round a loop"
exit $status
