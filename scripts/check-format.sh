#!/bin/bash
# check-format.sh [--fix]: every C++ file git tracks is laid out as the
# tree's .clang-format says. Each clang-format release lays some constructs
# out a little differently, so one version is pinned; scripts/test.sh
# installs it. With --fix the files are rewritten in place instead.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
formatter=clang-format-14
pinned_version=14.0.6

if ! command -v "$formatter" >/dev/null; then
  echo "$formatter is not installed (scripts/test.sh installs it)" >&2
  exit 2
fi
version=$("$formatter" --version | sed -nE 's/.*version ([0-9.]+).*/\1/p')
if [ "$version" != "$pinned_version" ]; then
  echo "$formatter is version $version; the tree is laid out with $pinned_version" >&2
  exit 2
fi

cd "$root" || exit 2
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
  "$formatter" -i "${files[@]}"
  exit $?
fi
if ! findings=$("$formatter" --dry-run --Werror "${files[@]}" 2>&1); then
  grep -oE '^[^:]+\.(cpp|h):' <<<"$findings" | sort -u | sed 's/:$/: not laid out as .clang-format says/' >&2
  echo "run scripts/check-format.sh --fix" >&2
  exit 1
fi
echo "${#files[@]} C++ files laid out as .clang-format says"
