# Shared by run.sh and test.sh: install what is missing, configure, build.
set -euo pipefail

TAVRIK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
TAVRIK_BUILD=${TAVRIK_BUILD:-$TAVRIK_ROOT/build}

# Debian 12 packages the build and the tests need.
# file and dpkg-dev: cpack's Debian package (dpkg-shlibdeps asks file what each binary is).
TAVRIK_PACKAGES=(build-essential cmake qt6-base-dev qt6-svg-dev qt6-multimedia-dev qt6-translations-l10n clang fonts-noto-cjk
                 file dpkg-dev)
# What the test command needs on top: Qt Designer's development files (the designer
# plugin and its tests; Debian's CMake files of Qt6Designer also want the other two),
# the install test's validators and lintian (the Debian package's check), and an X
# server with xdotool for the end-to-end tests (Vexo's, and the one that ends Vexo3
# with every kind of window open), and openbox for the frame's drag under a real
# window manager.
TAVRIK_TEST_PACKAGES=(qt6-tools-dev libqt6opengl6-dev libxkbcommon-dev desktop-file-utils appstream lintian xvfb xdotool
                      openbox)
# apt's own output goes to this log; the scripts print one line per step.
TAVRIK_APT_LOG=${TAVRIK_APT_LOG:-$TAVRIK_BUILD/apt.log}

tavrik_apt() {
  if ! "$@" >>"$TAVRIK_APT_LOG" 2>&1; then
    echo "'$*' failed; the end of $TAVRIK_APT_LOG:" >&2
    tail -n 20 "$TAVRIK_APT_LOG" >&2
    exit 1
  fi
}

tavrik_install() {
  local missing=()
  for p in "${TAVRIK_PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    local cmd="apt-get update && apt-get install -y --no-install-recommends ${missing[*]}"
    echo "Missing packages: ${missing[*]}" >&2
    # A bare Debian has no sudo; su asks for root's password instead.
    if command -v sudo >/dev/null 2>&1; then
      echo "Install them with:  sudo sh -c '$cmd'" >&2
    else
      echo "Install them as root:  su -c '$cmd'" >&2
    fi
    exit 1
  fi
  mkdir -p "$(dirname "$TAVRIK_APT_LOG")"
  : >"$TAVRIK_APT_LOG"
  export DEBIAN_FRONTEND=noninteractive
  echo "Updating the package lists (apt's output: $TAVRIK_APT_LOG)"
  tavrik_apt apt-get update
  echo "Installing ${#missing[@]} packages: ${missing[*]}"
  tavrik_apt apt-get install -y --no-install-recommends "${missing[@]}"
  echo "Installed."
}

# Configures the build folder the first time; given options, applies them to it.
tavrik_configure() {
  if [ ! -f "$TAVRIK_BUILD/CMakeCache.txt" ] || [ $# -gt 0 ]; then
    cmake -S "$TAVRIK_ROOT" -B "$TAVRIK_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  fi
}

tavrik_build() {
  tavrik_configure
  cmake --build "$TAVRIK_BUILD" -j"$(nproc)" "$@"
}
