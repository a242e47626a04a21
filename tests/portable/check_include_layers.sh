#!/bin/bash
# check_include_layers.sh ROOT: the product's folders stand on each other in
# one order (runtime, components, grid, app, tools; the serial library
# alone), and no folder reaches up. Inside a folder, no two files include
# each other's headers round a loop: each file stands above what it uses.
set -uo pipefail
root="$1"
cd "$root" || exit 2
status=0

# Every quoted include of the product's sources, as "file included".
includes=$(grep -rHE --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' \
             runtime components grid app pcomm tools |
           sed -E 's/^([^:]+):[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1 \2/')

# Each folder may include only the top folders listed after it.
if ! awk -v layers="runtime:runtime components:runtime,components grid:runtime,components,grid \
app:runtime,components,grid,app pcomm:pcomm tools:runtime,components,grid,app,pcomm,tools" '
  BEGIN {
    n = split(layers, entries, " ")
    for (i = 1; i <= n; ++i) { split(entries[i], pair, ":"); allowed[pair[1]] = "," pair[2] "," }
    for (f in allowed) product[f] = 1
  }
  {
    split($1, from, "/"); split($2, to, "/")
    if (!(to[1] in product)) next  # a header of a library or of the system
    if (index(allowed[from[1]], "," to[1] ",") == 0) {
      print $1 " includes " $2 ": " from[1] " may not stand on " to[1] > "/dev/stderr"
      bad = 1
    }
  }
  END { exit bad }' <<<"$includes"; then
  status=1
fi

# A unit is a header and its source file; an edge runs from a unit to each
# unit of the same folder whose header it includes. tsort names a loop.
folders=$(awk '{ sub(/\/[^\/]+$/, "", $1); print $1 }' <<<"$includes" | sort -u)
for folder in $folders; do
  edges=$(awk -v folder="$folder" '
    {
      from = $1; to = $2
      fromFolder = from; sub(/\/[^\/]+$/, "", fromFolder)
      toFolder = to; sub(/\/[^\/]+$/, "", toFolder)
      if (fromFolder != folder) next
      sub(/^.*\//, "", from); sub(/\.(h|cpp)$/, "", from)
      print from, from
      if (toFolder != folder) next
      sub(/^.*\//, "", to); sub(/\.h$/, "", to)
      if (to != from) print from, to
    }' <<<"$includes")
  loop=$(tsort <<<"$edges" 2>&1 >/dev/null)
  if [ -n "$loop" ]; then
    echo "$folder: its files include each other round a loop:" >&2
    sed -n 's/^tsort: //p' <<<"$loop" | grep -v 'input contains a loop' | sed 's/^/  /' >&2
    status=1
  fi
done

[ $status -eq 0 ] && echo "every folder stands only on the layers below it, and no files include each other round a loop"
exit $status
