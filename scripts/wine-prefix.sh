#!/bin/bash
# Prepares and controls a private Wine prefix (never ~/.wine).
#   wine-prefix.sh init  PREFIX [headless|x11|framed]
#                                                create once, as a copy of the loader's template;
#                                                headless uses the null graphics driver;
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

root="$(cd "$(dirname "$0")/.." && pwd)"

# A new prefix is 1.3 GB, nearly all of it Wine's system folders, which are
# the same in every prefix of one Wine and which no test writes to. So each
# loader's prefix is made once, as a template, and every prefix is a copy of
# it whose system folders are hard links: a few megabytes instead of a
# gigabyte, and a second instead of fifteen.
shared_folders=(drive_c/windows/system32 drive_c/windows/syswow64 drive_c/windows/winsxs)

make_template() {
  local template="$1"
  [ -f "$template/.veltrano-template" ] && return 0
  rm -rf "$template"
  mkdir -p "$template"
  WINEPREFIX="$template" "$wine" wineboot -i </dev/null >/dev/null 2>&1
  WINEPREFIX="$template" wineserver -w </dev/null >/dev/null 2>&1
  touch "$template/.veltrano-template"
}

# Copies the template beside TARGET first and renames the copy, so that an
# interrupted copy is never taken for a prefix.
clone_template() {
  local template="$1" target="$2" folder
  local partial="$2.partial"
  local excludes=(--exclude=./.veltrano-template)
  for folder in "${shared_folders[@]}"; do excludes+=("--exclude=./$folder"); done
  rm -rf "$partial"
  mkdir -p "$partial"
  tar -C "$template" "${excludes[@]}" -cf - . | tar -C "$partial" -xf -
  for folder in "${shared_folders[@]}"; do
    [ -d "$template/$folder" ] || continue
    # Another file system cannot take hard links: copy the folder whole.
    if ! cp -al "$template/$folder" "$partial/$folder" 2>/dev/null; then
      rm -rf "${partial:?}/$folder"
      cp -a "$template/$folder" "$partial/$folder"
    fi
  done
  rmdir "$target" 2>/dev/null || true
  mv -T "$partial" "$target"
}

case "$cmd" in
  init)
    if [ -f "$prefix/.veltrano-ready" ] && [ "$(cat "$prefix/.veltrano-ready")" = "$mode" ]; then
      exit 0
    fi
    if [ ! -f "$prefix/system.reg" ]; then
      # A Wine of another version updates a prefix's system folders on its
      # first start, which would rewrite the files every copy shares.
      version="$("$wine" --version 2>/dev/null | tr -c 'A-Za-z0-9.\n-' '_' || true)"
      template="${VELTRANO_BUILD:-$root/build}/wine-templates/$(basename "$wine")-${version:-unknown}"
      mkdir -p "$(dirname "$template")"
      # Prefixes of both test suites can be made at once: one makes the template.
      {
        flock 9
        make_template "$template"
      } 9>"$template.lock"
      clone_template "$template" "$prefix"
    fi
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
