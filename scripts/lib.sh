# Shared by scripts/test and scripts/run: dependencies, the private X display
# and the project's own Wine prefix. Source it; it defines functions only.

SKM_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
SKM_WINE=/usr/lib/wine/wine64
SKM_WINESERVER=/usr/lib/wine/wineserver64

SKM_PACKAGES=(
  cmake make g++ googletest libgtest-dev libbenchmark-dev
  clang-14 libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64
  wine64 fonts-wine xvfb x11-apps x11-utils imagemagick
)

# Installs whatever of SKM_PACKAGES is missing (root or sudo).
skm_install_deps() {
  local missing=() pkg
  for pkg in "${SKM_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  # One broken index must not stop the install; the install itself must succeed.
  $sudo apt-get update -q || true
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
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

# Uses (and creates once) the Wine prefix given, and starts its wineserver;
# SKM_WINESERVER_PID holds its id.
skm_start_wine() {
  export WINEPREFIX="$1"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  mkdir -p "$(dirname "$WINEPREFIX")"
  "$SKM_WINESERVER" -f -p >/dev/null 2>&1 &
  SKM_WINESERVER_PID=$!
  if [ ! -f "$WINEPREFIX/.skirmaker-ready" ]; then
    echo "Creating Wine prefix $WINEPREFIX"
    "$SKM_WINE" wineboot -i >/dev/null 2>&1
    # No window manager runs on the private display: let Wine draw the frames.
    "$SKM_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    touch "$WINEPREFIX/.skirmaker-ready"
  fi
  # Start the prefix's background services here, so that they do not inherit
  # (and hold open) the output pipes of the first test program.
  "$SKM_WINE" wineboot </dev/null >/dev/null 2>&1 || true
}

skm_stop_wine() {
  if [ -n "${SKM_WINESERVER_PID:-}" ]; then
    "$SKM_WINESERVER" -k >/dev/null 2>&1 || true
    kill "$SKM_WINESERVER_PID" 2>/dev/null || true
    wait "$SKM_WINESERVER_PID" 2>/dev/null || true
    SKM_WINESERVER_PID=""
  fi
}

skm_configure_build() {
  local preset
  for preset in "$@"; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j"$(nproc)"
  done
}
