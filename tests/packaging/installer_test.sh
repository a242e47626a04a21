#!/bin/bash
# The release packages scripts/package.sh wrote, both of them:
#   installer_test.sh SOURCE_ROOT PACKAGE_FOLDER VERSION BIN64 WORK_FOLDER CHECK_PROGRAM
# PACKAGE_FOLDER holds Veltrano-VERSION-{x64,x86}.zip and -setup.exe, BIN64
# the 64-bit tree's bin folder (whose build the x64 package must hold),
# CHECK_PROGRAM installed_program_check.exe of that tree; VELTRANO_WINE names
# the 64-bit Wine loader.
#
# Each zip must hold exactly the product's files in its folder, the launcher
# executable, and images of its kind (PE32+ x86-64 or PE32 i386); each
# installer must be of its kind too. Each installer is then run silently
# under Wine, in a prefix of its own, into a folder with a space in its name:
# it must install the zip's very files, a Start-menu shortcut and an
# uninstall entry; the installed x64 program is started and its window
# closed; the uninstaller must remove all of it again. The x86 installer can
# only run where the kernel executes 32-bit x86 code; elsewhere that part is
# skipped and says so.
set -uo pipefail
root="$1"; package="$2"; version="$3"; bin64="$4"; work="$5"; check="$6"
wine64="${VELTRANO_WINE:-/usr/lib/wine/wine64}"
folder='C:\Veltrano Test'
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Veltrano'
files=(veltrano.exe veltrano-table.exe DLL/PCOMM.DLL README.md LICENSE.txt veltrano-linux.sh)
guide_pictures=()
for picture in "$root"/docs/guide/*.png; do guide_pictures+=("guide/$(basename "$picture")"); done
files+=("${guide_pictures[@]}")

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Sourced, setup.sh only defines its functions and folder names; it is the
# one place that knows whether this machine runs 32-bit programs.
source "$root/scripts/lib/setup.sh"

rm -rf "$work/unpacked"
mkdir -p "$work/unpacked"
started_prefixes=()
cleanup() {
  local entry
  for entry in "${started_prefixes[@]}"; do
    VELTRANO_WINE="${entry%%=*}" "$root/scripts/wine-prefix.sh" stop "${entry#*=}"
    WINEPREFIX="${entry#*=}" wineserver -w </dev/null >/dev/null 2>&1
    # Each run installs into a prefix of its own; kept, they would fill the disk.
    rm -rf "${entry#*=}"
  done
}
trap cleanup EXIT

# check_package ARCH OBJDUMP FORMAT ARCHITECTURE: the zip's contents and the
# kind of its images and of the installer.
check_package() {
  local arch="$1" objdump="$2" format="$3" architecture="$4"
  local name="Veltrano-$version-$arch" header file
  local zip="$package/$name.zip" installer="$package/$name-setup.exe"
  echo "== $name.zip and $name-setup.exe"
  if [ ! -f "$zip" ] || [ ! -f "$installer" ]; then
    fail "$zip or $installer is missing: run scripts/package.sh first"
    return 1
  fi
  # Names and Unix modes as the zip records them.
  python3 - "$zip" >"$work/$arch.listing" <<'EOF' || { fail "$zip cannot be read"; return 1; }
import sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as z:
    for info in z.infolist():
        if not info.is_dir():
            print(info.filename, oct((info.external_attr >> 16) & 0o777))
EOF
  local expected actual
  expected="$(printf "$name/%s\n" "${files[@]}" | sort)"
  actual="$(cut -d' ' -f1 "$work/$arch.listing" | sort)"
  [ "$actual" = "$expected" ] || fail "$name.zip holds: $(echo $actual), not: $(echo $expected)"
  grep -q "^$name/veltrano-linux.sh 0o7[0-7][0-7]$" "$work/$arch.listing" ||
    fail "the launcher in $name.zip is not executable: $(grep veltrano-linux.sh "$work/$arch.listing")"
  python3 -m zipfile -e "$zip" "$work/unpacked" || { fail "$zip cannot be unpacked"; return 1; }
  check_guide "$work/unpacked/$name" "$name.zip"
  for file in "$work/unpacked/$name/veltrano.exe" "$work/unpacked/$name/veltrano-table.exe" \
              "$work/unpacked/$name/DLL/PCOMM.DLL" "$installer"; do
    header="$("$objdump" -f "$file" 2>&1)"
    grep -q "file format $format\$" <<<"$header" && grep -q "^architecture: $architecture," <<<"$header" ||
      fail "$(basename "$file") of the $arch package is not a $format $architecture image: $(echo $header)"
  done
}

# check_guide FOLDER WHAT: the README beside the program is the user's
# guide, not the developers' README, and every picture it shows is there.
check_guide() {
  local folder="$1" what="$2" picture
  cmp -s "$folder/README.md" "$root/docs/user-guide.md" || fail "the README in $what is not the user's guide"
  grep -q 'scripts/' "$folder/README.md" && fail "the guide in $what sends the user to the developers' scripts"
  [ ${#guide_pictures[@]} -gt 0 ] || fail "the guide has no pictures"
  while IFS= read -r picture; do
    [ -f "$folder/$picture" ] || fail "$what lacks $picture, which its guide shows"
  done < <(grep -o '](guide/[^)]*)' "$folder/README.md" | sed 's/^](//; s/)$//')
}

# install_and_remove ARCH LOADER [CHECK_PROGRAM]: the installer run silently,
# the installed program started when a check program is given, then removed.
install_and_remove() {
  local arch="$1" wine="$2" check_program="${3:-}"
  local name="Veltrano-$version-$arch" file
  local prefix="$work/prefix-$arch"
  local unix_folder="$prefix/drive_c/Veltrano Test"
  VELTRANO_WINE="$wine" "$root/scripts/wine-prefix.sh" init "$prefix" headless || { fail "no $arch prefix"; return 1; }
  started_prefixes+=("$wine=$prefix")
  VELTRANO_WINE="$wine" "$root/scripts/wine-prefix.sh" start "$prefix"
  (
    export WINEPREFIX="$prefix" WINEDEBUG=-all LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
    # Shortcuts made in this prefix stay out of the desktop's menus.
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    [ "$(basename "$wine")" = wine ] || export WINELOADER="$wine"
    shortcut_exists() {
      [ -n "$(find "$prefix/drive_c/users" -path '*/Start Menu/Programs/Veltrano/Veltrano.lnk' 2>/dev/null)" ]
    }
    failures=0
    rm -rf "$unix_folder"

    echo "== installing $name-setup.exe silently into $folder"
    # The installer reads /D= only unquoted and last on its command line, and
    # Wine would quote an argument with a space: the command interpreter
    # passes the line as written.
    cp "$package/$name-setup.exe" "$prefix/drive_c/veltrano-setup.exe"
    "$wine" cmd /c "C:\\veltrano-setup.exe /S /D=$folder" </dev/null >/dev/null 2>&1 || fail "the installer failed"
    for file in veltrano.exe DLL/PCOMM.DLL veltrano-table.exe README.md LICENSE.txt "${guide_pictures[@]}"; do
      cmp -s "$work/unpacked/$name/$file" "$unix_folder/$file" ||
        fail "$file was not installed as the $arch zip holds it"
    done
    [ -f "$unix_folder/uninstall.exe" ] || fail "no uninstall.exe"
    [ -e "$unix_folder/veltrano-linux.sh" ] && fail "the Linux launcher was installed on Windows"
    shortcut_exists || fail "no Start-menu shortcut"
    entry="$("$wine" reg query "$uninstall_key" </dev/null 2>/dev/null | tr -d '\r')"
    grep -q "DisplayVersion *REG_SZ *$version\$" <<<"$entry" || fail "no uninstall entry with the version $version"
    grep -q "DisplayName *REG_SZ *Veltrano ($arch)\$" <<<"$entry" || fail "the uninstall entry does not name $arch"

    if [ -n "$check_program" ]; then
      echo "== starting the installed program"
      "$wine" "$check_program" "$folder\\veltrano.exe" </dev/null 2>&1 | tr -d '\r' | sed 's/^/  | /'
      [ "${PIPESTATUS[0]}" -eq 0 ] || fail "the installed program did not start and end normally"
    fi

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
    exit $((failures > 0))
  ) || failures=$((failures + 1))
}

if check_package x64 x86_64-w64-mingw32-objdump pei-x86-64 i386:x86-64; then
  cmp -s "$bin64/veltrano.exe" "$work/unpacked/Veltrano-$version-x64/veltrano.exe" ||
    fail "the x64 package's veltrano.exe is not this tree's build: run scripts/package.sh again"
  install_and_remove x64 "$wine64" "$check"
fi

if check_package x86 i686-w64-mingw32-objdump pei-i386 i386; then
  if can_run_win32; then
    install_and_remove x86 wine
  else
    echo "SKIP: this machine's kernel cannot execute 32-bit x86 code, so the x86 installer is not run here"
    echo "      (its zip's files and the images' kinds were checked above)"
  fi
fi

[ "$failures" -eq 0 ] && echo "all package checks passed"
exit $((failures > 0))
