#!/bin/bash
# The installer under Wine, silently, in a prefix of its own:
#   installer_test.sh SOURCE_ROOT TARGET BIN VERSION WORK_FOLDER CHECK_PROGRAM
# TARGET is the installer's (x86-unicode, amd64-unicode), BIN the tree's
# bin folder, CHECK_PROGRAM installed_program_check.exe; VELTRANO_WINE names
# the Wine loader. Builds the installer, installs into a folder with a space
# in its name, starts the installed program and closes its window,
# uninstalls, and checks that the folder, the Start-menu shortcut and the
# uninstall entry are gone.
set -uo pipefail
root="$1"; target="$2"; bin="$3"; version="$4"; work="$5"; check="$6"
wine="${VELTRANO_WINE:-wine}"
prefix="$work/prefix"
installer="$work/veltrano-setup.exe"
folder='C:\Veltrano Test'
unix_folder="$prefix/drive_c/Veltrano Test"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Veltrano'

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

mkdir -p "$work"
"$root/packaging/make-installer.sh" "$target" "$bin" "$version" "$installer" || { echo "FAIL: makensis"; exit 1; }

VELTRANO_WINE="$wine" "$root/scripts/wine-prefix.sh" init "$prefix" headless || { echo "FAIL: no prefix"; exit 1; }
export WINEPREFIX="$prefix" WINEDEBUG=-all LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
# Shortcuts made in this prefix stay out of the desktop's menus.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
[ "$(basename "$wine")" = wine ] || export WINELOADER="$wine"
VELTRANO_WINE="$wine" "$root/scripts/wine-prefix.sh" start "$prefix"
trap 'VELTRANO_WINE="$wine" "$root/scripts/wine-prefix.sh" stop "$prefix"' EXIT

rm -rf "$unix_folder"
shortcut_exists() {
  [ -n "$(find "$prefix/drive_c/users" -path '*/Start Menu/Programs/Veltrano/Veltrano.lnk' 2>/dev/null)" ]
}

echo "== installing silently into $folder"
# The installer reads /D= only unquoted and last on its command line, and
# Wine would quote an argument with a space: the command interpreter passes
# the line as written.
cp "$installer" "$prefix/drive_c/veltrano-setup.exe"
"$wine" cmd /c "C:\\veltrano-setup.exe /S /D=$folder" </dev/null >/dev/null 2>&1 || fail "the installer failed"
for file in veltrano.exe DLL/PCOMM.DLL veltrano-table.exe README.md LICENSE.txt uninstall.exe; do
  [ -f "$unix_folder/$file" ] || fail "$file was not installed"
done
cmp -s "$bin/veltrano.exe" "$unix_folder/veltrano.exe" || fail "the installed veltrano.exe differs from the built one"
shortcut_exists || fail "no Start-menu shortcut"
"$wine" reg query "$uninstall_key" /v DisplayVersion </dev/null 2>/dev/null | tr -d '\r' |
  grep -q "REG_SZ *$version\$" || fail "no uninstall entry with the version $version"

echo "== starting the installed program"
"$wine" "$check" "$folder\\veltrano.exe" </dev/null 2>&1 | tr -d '\r' | sed 's/^/  | /'
[ "${PIPESTATUS[0]}" -eq 0 ] || fail "the installed program did not start and end normally"

echo "== uninstalling silently"
"$wine" "$folder\\uninstall.exe" /S </dev/null >/dev/null 2>&1 || fail "the uninstaller failed"
# The uninstaller copies itself away and returns at once; its copy works on.
for _ in $(seq 300); do
  [ ! -e "$unix_folder" ] && ! shortcut_exists && break
  sleep 0.1
done
if [ -e "$unix_folder" ]; then
  fail "the install folder is still there, holding: $(cd "$unix_folder" && find . -mindepth 1 | tr '\n' ' ')"
fi
shortcut_exists && fail "the Start-menu shortcut is still there"
[ -z "$(find "$prefix/drive_c/users" -path '*/Start Menu/Programs/Veltrano' 2>/dev/null)" ] ||
  fail "the Start-menu folder is still there"
"$wine" reg query "$uninstall_key" </dev/null >/dev/null 2>&1 && fail "the uninstall entry is still there"

[ "$failures" -eq 0 ] && echo "all installer checks passed"
exit $((failures > 0))
