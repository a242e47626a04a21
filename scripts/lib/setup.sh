# Shared set-up for the scripts: installs what is missing, builds both trees.
# Source it; it defines functions and the folder variables below.

VELTRANO_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
VELTRANO_BUILD="${VELTRANO_BUILD:-$VELTRANO_ROOT/build}"
NATIVE_BUILD="$VELTRANO_BUILD/native"
SANITIZE_BUILD="$VELTRANO_BUILD/native-sanitize"
WINDOWS_BUILD="$VELTRANO_BUILD/windows"
WINDOWS64_BUILD="$VELTRANO_BUILD/windows64"
X11_PREFIX="$WINDOWS_BUILD/wine/x11"

# The clock time on every step shows where a run's time goes.
log() { printf '== %s %s\n' "$(date +%H:%M:%S)" "$*"; }

need_packages() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  printf '%s\n' "${missing[@]}"
}

install_dependencies() {
  local packages=(g++-mingw-w64-i686-posix binutils-mingw-w64-i686 wine wine32:i386 wine64
                  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
                  xvfb xauth x11-utils imagemagick fonts-wqy-microhei locales cmake ninja-build
                  googletest g++ clang libclang-rt-14-dev python3 libbenchmark-dev nsis)
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    log "adding the i386 architecture"
    dpkg --add-architecture i386
    rm -f /var/lib/apt/lists/veltrano-updated
  fi
  local missing
  missing=$(need_packages "${packages[@]}")
  if [ -n "$missing" ]; then
    log "installing: $(echo $missing)"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    # shellcheck disable=SC2086
    apt-get install -y -qq --no-install-recommends $missing >/dev/null
  fi
  if ! locale -a 2>/dev/null | grep -qi '^zh_CN.utf8$'; then
    log "generating the zh_CN.UTF-8 locale"
    sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null
  fi
}

build_native() {
  log "building the native tree"
  cmake -S "$VELTRANO_ROOT" -B "$NATIVE_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$NATIVE_BUILD"
}

build_native_sanitized() {
  log "building the native tree with AddressSanitizer and UndefinedBehaviorSanitizer"
  cmake -S "$VELTRANO_ROOT" -B "$SANITIZE_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELTRANO_SANITIZE=ON >/dev/null
  cmake --build "$SANITIZE_BUILD"
}

build_windows() {
  log "building the Windows tree"
  configure_windows && cmake --build "$WINDOWS_BUILD"
}

# Only what ships (the program, its serial library, the table tool): where
# the Windows tests run in the 64-bit tree, the 32-bit tree's test programs
# could never be started.
build_windows_product() {
  log "building the Windows program, its serial library and the table tool"
  configure_windows && cmake --build "$WINDOWS_BUILD" --target veltrano pcomm veltrano-table
}

configure_windows() {
  cmake -S "$VELTRANO_ROOT" -B "$WINDOWS_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$VELTRANO_ROOT/cmake/toolchain-i686-w64-mingw32.cmake" \
    -DVELTRANO_HOST_BIN="$NATIVE_BUILD/bin" >/dev/null
}

# The 64-bit Windows tree: the same sources, built to run their tests under
# wine64 on machines whose kernel cannot execute 32-bit code.
build_windows64() {
  log "building the 64-bit Windows test tree"
  configure_windows64 && cmake --build "$WINDOWS64_BUILD"
}

configure_windows64() {
  cmake -S "$VELTRANO_ROOT" -B "$WINDOWS64_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$VELTRANO_ROOT/cmake/toolchain-x86_64-w64-mingw32.cmake" \
    -DVELTRANO_HOST_BIN="$NATIVE_BUILD/bin" >/dev/null
}

# Builds the given targets in the Windows tree whose programs this machine
# can start: the 32-bit tree, or the 64-bit one where the kernel cannot
# execute i386 code. Sets RUNNABLE_TREE and VELTRANO_WINE to match.
build_runnable_windows_targets() {
  if can_run_win32; then
    RUNNABLE_TREE="$WINDOWS_BUILD"
    export VELTRANO_WINE=wine
    configure_windows || return 1
  else
    log "this machine's kernel cannot execute 32-bit x86 code: using the 64-bit build under wine64"
    RUNNABLE_TREE="$WINDOWS64_BUILD"
    export VELTRANO_WINE=/usr/lib/wine/wine64
    configure_windows64 || return 1
  fi
  cmake --build "$RUNNABLE_TREE" --target "$@"
}

# 32-bit Windows programs run under Wine's 32-bit loader, an i386 Linux
# program: the kernel must be able to execute 32-bit x86 code.
can_run_win32() {
  /lib/ld-linux.so.2 --version >/dev/null 2>&1
}

prepare_prefix() {
  local prefix="$1" mode="$2"
  log "preparing the Wine prefix $prefix ($mode)"
  "$VELTRANO_ROOT/scripts/wine-prefix.sh" init "$prefix" "$mode"
}
