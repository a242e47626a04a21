#!/bin/bash
# Prepares and controls a private Wine prefix (never ~/.wine).
#   wine-prefix.sh init  PREFIX [headless|x11|framed]
#                                                create once; headless uses the null graphics driver;
#                                                framed draws window frames itself, for screens
#                                                without a window manager
#   wine-prefix.sh start PREFIX                  persistent wineserver, detached from the caller's pipes
#   wine-prefix.sh stop  PREFIX
#   wine-prefix.sh map-port PREFIX PORT LINK     COMport opens LINK (a pty path); stops the wineserver,
#                                                which reads the port list when it starts
set -euo pipefail
cmd="$1"; prefix="$2"; mode="${3:-headless}"
wine="${VELTRANO_WINE:-wine}"   # the loader: wine, or wine64 for 64-bit programs
[ "$wine" = wine ] || export WINELOADER="$wine"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8

case "$cmd" in
  init)
    if [ -f "$prefix/.veltrano-ready" ] && [ "$(cat "$prefix/.veltrano-ready")" = "$mode" ]; then
      exit 0
    fi
    mkdir -p "$prefix"
    "$wine" wineboot -i </dev/null >/dev/null 2>&1
    if [ "$mode" = headless ]; then
      "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >/dev/null 2>&1
    else
      "$wine" reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f </dev/null >/dev/null 2>&1 || true
    fi
    if [ "$mode" = framed ]; then
      "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f </dev/null >/dev/null 2>&1
    fi
    wineserver -w
    echo "$mode" > "$prefix/.veltrano-ready"
    ;;
  start)
    setsid wineserver -p </dev/null >/dev/null 2>&1 &
    "$wine" wineboot </dev/null >/dev/null 2>&1
    ;;
  stop)
    wineserver -k </dev/null >/dev/null 2>&1 || true
    ;;
  map-port)
    port="$3"; link="$4"
    mkdir -p "$(dirname "$link")"
    wineserver -k </dev/null >/dev/null 2>&1 || true
    marker="$prefix/.veltrano-serial-port"
    if [ "$(cat "$marker" 2>/dev/null || true)" != "COM$port=$link" ]; then
      "$wine" reg add 'HKLM\Software\Wine\Ports' /v "COM$port" /d "$link" /f </dev/null >/dev/null 2>&1
      wineserver -w </dev/null >/dev/null 2>&1
      echo "COM$port=$link" > "$marker"
    fi
    ;;
  *)
    echo "usage: $0 init|start|stop PREFIX [headless|x11|framed] | map-port PREFIX PORT LINK" >&2
    exit 2
    ;;
esac
