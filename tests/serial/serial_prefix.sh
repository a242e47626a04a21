#!/bin/bash
# Wine prefix of the serial line tests, apart from the shared test prefix
# because mapping a COM port needs a restart of the prefix's wineserver.
#   serial_prefix.sh start PREFIX PORT LINK   map COMport to LINK, start the wineserver
#   serial_prefix.sh stop  PREFIX
# LINK is a stable path; each test points it at a fresh pseudo-terminal. The
# port's device link is made at wineserver start whether or not LINK exists
# yet, and followed only when the port is opened.
set -euo pipefail
cmd="$1"; prefix="$2"
root="$(cd "$(dirname "$0")/../.." && pwd)"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8

case "$cmd" in
  start)
    port="$3"; link="$4"
    mkdir -p "$(dirname "$link")"
    "$root/scripts/wine-prefix.sh" init "$prefix" headless
    # Each program session leaves its folder in the prefix's temporary
    # folder, large test tables included, to be looked at after a failure;
    # the next run starts without the last one's.
    rm -rf "$prefix"/drive_c/users/*/Temp/veltrano-e2e-*
    # Mapping stops a wineserver left over from an interrupted run, which
    # would keep the old port list; this prefix belongs to these tests alone.
    "$root/scripts/wine-prefix.sh" map-port "$prefix" "$port" "$link"
    "$root/scripts/wine-prefix.sh" start "$prefix"
    ;;
  stop)
    "$root/scripts/wine-prefix.sh" stop "$prefix"
    ;;
  *)
    echo "usage: $0 start PREFIX PORT LINK | stop PREFIX" >&2
    exit 2
    ;;
esac
