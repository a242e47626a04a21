# Shared set-up for the scripts: installs what is missing, builds the trees.
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

# What a full scripts/test.sh from a fresh clone leaves on the disk: the five
# build trees, two Wine prefix templates and the prefixes cloned from them.
FULL_RUN_SPACE_GB=10

# Names a disk with less than the given gigabytes free where the trees go.
warn_if_short_of_space() {
  local needed_gb="$1" folder="$VELTRANO_BUILD" free_kb
  while [ ! -d "$folder" ]; do folder="$(dirname "$folder")"; done
  free_kb="$(df -Pk "$folder" | awk 'NR == 2 { print $4 }')"
  [ -n "$free_kb" ] || return 0
  if [ "$free_kb" -lt $((needed_gb * 1024 * 1024)) ]; then
    log "WARNING: $((free_kb / 1024)) MB free under $folder; a full run takes about $needed_gb GB" \
      "and the steps that find the disk full will fail"
  fi
}

need_packages() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  printf '%s\n' "${missing[@]}"
}

install_dependencies() {
  # The i686 cross compiler and makensis are amd64 programs: building the
  # 32-bit product needs no i386 packages, only running it does.
  install_packages g++-mingw-w64-i686-posix binutils-mingw-w64-i686 wine wine64 fonts-wine \
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 binutils \
    xvfb xauth x11-utils imagemagick fonts-wqy-microhei locales cmake ninja-build \
    googletest g++ clang libclang-rt-14-dev clang-format-14 python3 libbenchmark-dev nsis \
    pkg-config libserialport-dev || return 1
  if kernel_runs_i386; then
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
      log "adding the i386 architecture for Wine's 32-bit loader"
      dpkg --add-architecture i386
      apt_lists_fresh=false
    fi
    install_packages wine32:i386 || return 1
  fi
  if ! locale -a 2>/dev/null | grep -qi '^zh_CN.utf8$'; then
    log "generating the zh_CN.UTF-8 locale"
    sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null
  fi
}

apt_lists_fresh=false
install_packages() {
  local missing
  missing=$(need_packages "$@")
  [ -n "$missing" ] || return 0
  log "installing: $(echo $missing)"
  export DEBIAN_FRONTEND=noninteractive
  if ! $apt_lists_fresh; then
    apt-get update -qq
    apt_lists_fresh=true
  fi
  # shellcheck disable=SC2086
  apt-get install -y -qq --no-install-recommends $missing >/dev/null
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
  log "building the 32-bit Windows tree"
  configure_windows && cmake --build "$WINDOWS_BUILD"
}

# Only what ships (the program, its serial library, the table tool): on a
# machine that cannot start 32-bit programs, the 32-bit tree's test programs
# could never run.
build_windows_product() {
  log "building the 32-bit Windows program, its serial library and the table tool"
  configure_windows && cmake --build "$WINDOWS_BUILD" --target veltrano pcomm veltrano-table
}

configure_windows() {
  cmake -S "$VELTRANO_ROOT" -B "$WINDOWS_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$VELTRANO_ROOT/cmake/toolchain-i686-w64-mingw32.cmake" \
    -DVELTRANO_HOST_BIN="$NATIVE_BUILD/bin" >/dev/null
}

# The 64-bit Windows tree: the 64-bit product and every Windows test, run
# under wine64, which needs nothing of the machine but x86-64.
build_windows64() {
  log "building the 64-bit Windows tree"
  configure_windows64 && cmake --build "$WINDOWS64_BUILD"
}

build_windows64_product() {
  log "building the 64-bit Windows program, its serial library and the table tool"
  configure_windows64 && cmake --build "$WINDOWS64_BUILD" --target veltrano pcomm veltrano-table
}

configure_windows64() {
  cmake -S "$VELTRANO_ROOT" -B "$WINDOWS64_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$VELTRANO_ROOT/cmake/toolchain-x86_64-w64-mingw32.cmake" \
    -DVELTRANO_HOST_BIN="$NATIVE_BUILD/bin" -DVELTRANO_PACKAGE_DIR="$VELTRANO_BUILD/package" >/dev/null
}

# Builds the given targets in the Windows tree that runs on every machine,
# the 64-bit one, for the scripts that start the program (run, soak, bench).
# Sets RUNNABLE_TREE and VELTRANO_WINE to match.
build_runnable_windows_targets() {
  RUNNABLE_TREE="$WINDOWS64_BUILD"
  export VELTRANO_WINE=/usr/lib/wine/wine64
  configure_windows64 || return 1
  cmake --build "$RUNNABLE_TREE" --target "$@"
}

# 32-bit Windows programs run under Wine's 32-bit loader, an i386 Linux
# program: the kernel must execute 32-bit x86 code, and wine32 be installed.
can_run_win32() {
  kernel_runs_i386 && [ -x /usr/lib/wine/wine ]
}

# Many virtual machines' kernels refuse 32-bit x86 programs ("Exec format
# error"). Asked with a static i386 program of our own that exits 42, so the
# answer needs no i386 package (ld-linux.so.2 exists only once one is in).
# The build folder is used because /tmp may be mounted noexec.
kernel_runs_i386() {
  if [ -z "${VELTRANO_KERNEL_RUNS_I386:-}" ]; then
    local probe status=1
    mkdir -p "$VELTRANO_BUILD"
    probe=$(mktemp -d "$VELTRANO_BUILD/i386-probe.XXXXXX") || return 1
    if printf '.globl _start\n_start:\n movl $1, %%eax\n movl $42, %%ebx\n int $0x80\n' |
         as --32 -o "$probe/probe.o" - 2>/dev/null &&
       ld -m elf_i386 -o "$probe/probe" "$probe/probe.o" 2>/dev/null; then
      "$probe/probe" 2>/dev/null
      status=$?
    fi
    rm -rf "$probe"
    if [ "$status" -eq 42 ]; then export VELTRANO_KERNEL_RUNS_I386=yes; else export VELTRANO_KERNEL_RUNS_I386=no; fi
  fi
  [ "$VELTRANO_KERNEL_RUNS_I386" = yes ]
}

prepare_prefix() {
  local prefix="$1" mode="$2"
  log "preparing the Wine prefix $prefix ($mode)"
  "$VELTRANO_ROOT/scripts/wine-prefix.sh" init "$prefix" "$mode"
}
