#!/bin/bash
# Runs a Windows program under Wine with the project's settings:
#   wine-run.sh PREFIX PROGRAM [ARGS...]
# The prefix must have been prepared by scripts/wine-prefix.sh; its wineserver
# is started and stopped outside this wrapper so parallel tests never race
# on creating it. VELTRANO_WINE names the loader (64-bit programs need wine64
# itself where the 32-bit loader cannot run).
set -euo pipefail
prefix="$1"; shift
export WINEPREFIX="$prefix"
export WINEDEBUG=-all
# A program that crashes ends at once with its fault, instead of waiting for
# Wine's debugger until the test that started it times out.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
export LANG=zh_CN.UTF-8
export LC_ALL=zh_CN.UTF-8
wine="${VELTRANO_WINE:-wine}"
[ "$wine" = wine ] || export WINELOADER="$wine"
exec "$wine" "$@"
