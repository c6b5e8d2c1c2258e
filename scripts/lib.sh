# Shared by the scripts: dependencies, the private X display and the project's
# own Wine prefixes. Source it; it defines functions and settings only.

SKM_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
SKM_WINE=/usr/lib/wine/wine64
# The 32-bit loader (package wine32:i386); it runs in prefixes made by wine64,
# which serves both halves of a WoW64 prefix with its one 64-bit wineserver.
SKM_WINE32=/usr/lib/wine/wine
SKM_WINESERVER=/usr/lib/wine/wineserver64

SKM_PACKAGES=(
  cmake make g++ googletest libgtest-dev libbenchmark-dev
  clang-14 libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64
  wine64 fonts-wine xvfb x11-apps x11-utils imagemagick zip
)
# Runs the shipped 32-bit program and its tests. Optional: without it only the
# 64-bit Windows suite runs (see skm_wine32_usable).
SKM_WINE32_PACKAGE=wine32:i386

skm_installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

# Installs whatever of SKM_PACKAGES is missing (root or sudo); with the
# argument "wine32", 32-bit Wine too, whose failure is recorded, not fatal:
# SKM_WINE32_INSTALLED is then 1 when it is installed afterwards, else 0.
skm_install_deps() {
  local missing=() pkg sudo="" want32=0
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  for pkg in "${SKM_PACKAGES[@]}"; do
    skm_installed "$pkg" || missing+=("$pkg")
  done
  if [ "${1:-}" = wine32 ]; then
    skm_installed "$SKM_WINE32_PACKAGE" || want32=1
  fi
  # The i386 index is only fetched once dpkg knows the architecture.
  if [ "$want32" -eq 1 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386 || true
  fi
  if [ ${#missing[@]} -gt 0 ] || [ "$want32" -eq 1 ]; then
    # One broken index must not stop the install; the install itself must succeed.
    $sudo apt-get update -q || true
  fi
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
  fi
  SKM_WINE32_INSTALLED=1
  if [ "$want32" -eq 1 ]; then
    echo "Installing: $SKM_WINE32_PACKAGE"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "$SKM_WINE32_PACKAGE" ||
      SKM_WINE32_INSTALLED=0
  fi
  return 0
}

# Where the kernel runs no 32-bit programs itself, QEMU's user-mode emulator
# (Debian's qemu-user) runs them for it, registered for 32-bit x86 programs
# through binfmt_misc (root or sudo). A guest address space just above Wine's
# 2 GB makes Wine's start-up probing of its memory take seconds under QEMU
# instead of a minute; the setting means nothing to native programs.
export QEMU_RESERVED_VA=0x84000000
SKM_QEMU_I386=/usr/bin/qemu-i386
SKM_BINFMT=/proc/sys/fs/binfmt_misc
skm_emulate_i386() {
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  if ! skm_installed qemu-user; then
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends qemu-user || return 1
  fi
  [ -f "$SKM_BINFMT/register" ] || $sudo mount -t binfmt_misc binfmt_misc "$SKM_BINFMT" || return 1
  [ -f "$SKM_BINFMT/qemu-i386" ] && return 0
  # The ELF header of a 32-bit x86 executable or shared object, as QEMU's own registrations match it.
  printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$SKM_QEMU_I386"':' |
    $sudo tee "$SKM_BINFMT/register" >/dev/null
}

# Answers whether 32-bit programs can run under Wine here, emulating the
# processor where the kernel cannot run them; when not, sets SKM_WINE32_WHY to
# the reason.
skm_wine32_usable() {
  SKM_WINE32_WHY=""
  if [ "${SKM_WINE32_INSTALLED:-1}" -eq 0 ] || ! skm_installed "$SKM_WINE32_PACKAGE" || [ ! -x "$SKM_WINE32" ]; then
    SKM_WINE32_WHY="32-bit Wine could not be installed"
  elif ! "$SKM_WINE32" --version >/dev/null 2>&1 && ! { skm_emulate_i386 && "$SKM_WINE32" --version >/dev/null 2>&1; }; then
    SKM_WINE32_WHY="32-bit Wine cannot start here (the system runs no 32-bit programs, and emulating them failed)"
  fi
  [ -z "$SKM_WINE32_WHY" ]
}

# Starts a private Xvfb and exports DISPLAY; SKM_XVFB_PID holds its id.
skm_start_xvfb() {
  local fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$fifo" >/dev/null 2>&1 &
  SKM_XVFB_PID=$!
  local number
  read -r number <"$fifo"
  rm -f "$fifo"
  export DISPLAY=":$number"
}

skm_stop_xvfb() {
  if [ -n "${SKM_XVFB_PID:-}" ]; then
    kill "$SKM_XVFB_PID" 2>/dev/null || true
    wait "$SKM_XVFB_PID" 2>/dev/null || true
    SKM_XVFB_PID=""
  fi
}

# The wineservers this shell started: prefix -> process id.
declare -gA SKM_WINESERVER_PIDS=()

# Uses (and creates once) the Wine prefix given, starts its wineserver and
# exports WINEPREFIX; SKM_WINESERVER_PID holds the server's id. With "wow64"
# as second argument the prefix must also run 32-bit programs: one made
# without them (no 32-bit system files) is made again.
skm_start_wine() {
  export WINEPREFIX="$1"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  if [ "${2:-}" = wow64 ] && [ -f "$WINEPREFIX/.skirmaker-ready" ] &&
     [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
    echo "Wine prefix $WINEPREFIX lacks the 32-bit system files: making it again"
    rm -rf "$WINEPREFIX"
  fi
  mkdir -p "$(dirname "$WINEPREFIX")"
  "$SKM_WINESERVER" -f -p >/dev/null 2>&1 &
  SKM_WINESERVER_PID=$!
  SKM_WINESERVER_PIDS[$WINEPREFIX]=$SKM_WINESERVER_PID
  if [ ! -f "$WINEPREFIX/.skirmaker-ready" ]; then
    echo "Creating Wine prefix $WINEPREFIX"
    # A first start of Wine has been seen to fail once on a busy machine; making
    # a prefix again finishes what the first try left.
    local attempt
    for attempt in 1 2; do
      # No window manager runs on the private display: let Wine draw the frames.
      "$SKM_WINE" wineboot -i >/dev/null 2>&1 &&
        "$SKM_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 && break
      if [ "$attempt" -eq 2 ]; then
        echo "Wine prefix $WINEPREFIX could not be made" >&2
        return 1
      fi
      echo "Making Wine prefix $WINEPREFIX failed: trying once more"
    done
    if [ "${2:-}" = wow64 ] && [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
      echo "Wine prefix $WINEPREFIX was made without its 32-bit system files" >&2
      return 1
    fi
    touch "$WINEPREFIX/.skirmaker-ready"
  fi
  # A program that crashes ends at once, instead of waiting in a debugger for
  # a user who is not there (in both registry views of a WoW64 prefix).
  local view
  for view in /reg:64 /reg:32; do
    "$SKM_WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /t REG_SZ /d '' /f \
      $view >/dev/null 2>&1
  done
  # Start the prefix's background services here, so that they do not inherit
  # (and hold open) the output pipes of the first test program.
  "$SKM_WINE" wineboot </dev/null >/dev/null 2>&1 || true
}

# Ends the Wine of the prefixes given (default: every one this shell started),
# each through its own wineserver, then that server by its id.
skm_stop_wine() {
  local prefixes=("$@") prefix pid
  [ $# -eq 0 ] && prefixes=("${!SKM_WINESERVER_PIDS[@]}")
  for prefix in "${prefixes[@]}"; do
    pid=${SKM_WINESERVER_PIDS[$prefix]:-}
    [ -n "$pid" ] || continue
    WINEPREFIX="$prefix" "$SKM_WINESERVER" -k >/dev/null 2>&1 || true
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    unset "SKM_WINESERVER_PIDS[$prefix]"
    [ "${SKM_WINESERVER_PID:-}" = "$pid" ] && SKM_WINESERVER_PID=""
  done
  return 0
}

skm_configure_build() {
  local preset
  for preset in "$@"; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j"$(nproc)"
  done
}

# The shipped program stays within 500 KB, stripped and uncompressed. Strips the
# win32 preset's program into $1; fails, saying so, when it is larger.
skm_strip_shipped_program() {
  i686-w64-mingw32-strip -o "$1" "$SKM_ROOT/build/win32/src/app/Skirmaker.exe"
  local size
  size=$(stat -c %s "$1")
  if [ "$size" -gt 512000 ]; then
    echo "Skirmaker.exe is $size bytes stripped, over the 512,000 it may have" >&2
    return 1
  fi
  echo "Skirmaker.exe, stripped: $size bytes"
}
