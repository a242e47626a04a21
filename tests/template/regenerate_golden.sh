#!/bin/bash
# Rewrites tests/golden/main_window.segment and its dump from
# app/window/main_window.vtd with a freshly built veltrano-tc. Review the
# dump's diff before committing.
#   tests/template/regenerate_golden.sh [native build folder]
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$root/build/native}"
cmake --build "$build" --target veltrano-tc
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$build/bin/veltrano-tc" compile "$root/app/window/main_window.vtd" \
  --header "$work/main_window_template.h" --source "$work/main_window_template.cpp" \
  --namespace veltrano::main_window --header-include app/window/main_window_template.h \
  --segment "$root/tests/golden/main_window.segment"
"$build/bin/veltrano-tc" --dump "$root/tests/golden/main_window.segment" \
  --output "$root/tests/golden/main_window.segment.txt"
echo "golden files rewritten in $root/tests/golden"
