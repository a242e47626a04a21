#!/bin/bash
# Runs a Windows program under Wine with the project's settings:
#   wine-run.sh PREFIX PROGRAM [ARGS...]
# The prefix must have been prepared by scripts/wine-prefix.sh; its wineserver
# is started and stopped outside this wrapper so parallel tests never race
# on creating it.
set -euo pipefail
prefix="$1"; shift
export WINEPREFIX="$prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=zh_CN.UTF-8
export LC_ALL=zh_CN.UTF-8
exec wine "$@"
