# Shared by the run and test commands: package installation, build folders, a private Xvfb.
# Sourced, not run.

LUMENO_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# The presets put their build trees here.
export LUMENO_BUILD="$LUMENO_ROOT/build"
LUMENO_JOBS="${LUMENO_JOBS:-$(nproc 2>/dev/null || echo 2)}"

# Installs the Debian packages that are not installed yet (apt-get, as root).
lumeno_install_packages() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then
    return 0
  fi
  echo "Installing: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
}

LUMENO_BUILD_PACKAGES=(cmake ninja-build g++ python3 mingw-w64 googletest libgtest-dev
  libgmock-dev libbenchmark-dev nlohmann-json3-dev libstb-dev libosmesa6-dev libglu1-mesa-dev
  libgl-dev libgl1-mesa-dri)
LUMENO_WINE_PACKAGES=(wine wine64 xvfb xauth x11-utils xdotool imagemagick fonts-wqy-microhei)
LUMENO_FUZZ_PACKAGES=(clang libclang-rt-14-dev)

lumeno_build_windows() {
  cmake --preset windows >/dev/null
  cmake --build --preset windows -j "$LUMENO_JOBS" "$@"
}

lumeno_wine_prefix() {
  echo "$LUMENO_BUILD/windows/wineprefix"
}

# Starts Xvfb on a free display number and exports DISPLAY; LUMENO_XVFB_PID is its process.
lumeno_start_xvfb() {
  local n=90
  while [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ]; do
    n=$((n + 1))
  done
  Xvfb ":$n" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
  LUMENO_XVFB_PID=$!
  local i
  for i in $(seq 1 100); do
    if [ -e "/tmp/.X11-unix/X${n}" ]; then break; fi
    sleep 0.1
  done
  export DISPLAY=":$n"
}

lumeno_stop_xvfb() {
  if [ -n "${LUMENO_XVFB_PID:-}" ]; then
    kill "$LUMENO_XVFB_PID" 2>/dev/null || true
    wait "$LUMENO_XVFB_PID" 2>/dev/null || true
    LUMENO_XVFB_PID=""
  fi
}
