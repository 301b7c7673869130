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
# with every kind of window open), imagemagick's import to read their windows, and
# openbox for the frame's drag under a real window manager; for the desktop tests a
# private session bus (dbus-daemon) with gdbus (libglib2.0-bin) as the client, dunst
# as the notification server, weston with xwayland as a Wayland session, and the
# accessibility bus (at-spi2-core) with a client (python3-pyatspi).
TAVRIK_TEST_PACKAGES=(qt6-tools-dev libqt6opengl6-dev libxkbcommon-dev desktop-file-utils appstream lintian xvfb xdotool
                      imagemagick openbox dbus-daemon libglib2.0-bin dunst weston xwayland at-spi2-core python3-pyatspi)
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

# cmake's and the compiler's output goes to this log; its end is shown when a step fails.
TAVRIK_BUILD_LOG=$TAVRIK_BUILD/build.log

# Runs a step's command with its output in the build log; on failure, says so with the
# log's end and stops.
tavrik_logged() { # what, command...
  local what=$1
  shift
  if ! "$@" >>"$TAVRIK_BUILD_LOG" 2>&1; then
    echo "$what failed; the end of $TAVRIK_BUILD_LOG:" >&2
    tail -n 40 "$TAVRIK_BUILD_LOG" >&2
    exit 1
  fi
}

# The scripts' build: optimised, with line tables only (-g1): enough for backtraces and
# the sanitizers' reports, and full debug information would be a fifth of the build's time.
TAVRIK_BUILD_TYPE=(-DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG")

# Configures the build folder when it has not been, or when an option given differs
# from the one it was configured with.
tavrik_configure() {
  local needed=0 opt name value
  [ -f "$TAVRIK_BUILD/CMakeCache.txt" ] || needed=1
  for opt in "${TAVRIK_BUILD_TYPE[@]}" "$@"; do
    [ $needed = 1 ] && break
    name=${opt#-D}
    value=${name#*=}
    name=${name%%=*}
    name=${name%%:*}
    grep -qxE "${name}(:[A-Z]+)?=${value}" "$TAVRIK_BUILD/CMakeCache.txt" || needed=1
  done
  [ $needed = 1 ] || return 0
  mkdir -p "$TAVRIK_BUILD"
  echo "Configuring (cmake's output: $TAVRIK_BUILD_LOG)"
  tavrik_logged "Configuring" cmake -S "$TAVRIK_ROOT" -B "$TAVRIK_BUILD" "${TAVRIK_BUILD_TYPE[@]}" "$@"
}

# Builds, with one line that shows how far it is (on a terminal it is rewritten in
# place; elsewhere it is printed at each quarter).
tavrik_build() {
  tavrik_configure
  local start=$SECONDS status
  echo "Building with $(nproc) jobs (compiler output: $TAVRIK_BUILD_LOG)"
  set +e
  cmake --build "$TAVRIK_BUILD" -j"$(nproc)" "$@" 2>&1 | tee -a "$TAVRIK_BUILD_LOG" | awk -v tty="$([ -t 1 ] && echo 1)" '
    match($0, /^\[ *[0-9]+%\]/) {
      p = substr($0, RSTART + 1, RLENGTH - 2) + 0
      if (tty) printf "\r  %3d %%", p
      else if (p >= next_mark) { printf "  %d %%\n", p; next_mark = int(p / 25) * 25 + 25 }
      fflush()
    }
    END { if (tty) printf "\r" }'
  status=${PIPESTATUS[0]}
  set -e
  if [ "$status" -ne 0 ]; then
    echo "The build failed; the end of $TAVRIK_BUILD_LOG:" >&2
    grep -E "error|Error" "$TAVRIK_BUILD_LOG" | tail -n 20 >&2
    tail -n 20 "$TAVRIK_BUILD_LOG" >&2
    exit 1
  fi
  echo "Built in $((SECONDS - start)) s."
}

# Runs the tests (options go to CTest: -L unit, -R tst_flist…) with their whole output
# in build/ctest.log; shows what failed, with its output, and the summary.
tavrik_ctest() {
  local log=$TAVRIK_BUILD/ctest.log status
  echo "Testing (CTest's output: $log)"
  set +e
  (cd "$TAVRIK_BUILD" && ctest --output-on-failure -j"$(nproc)" "$@") >"$log" 2>&1
  status=$?
  set -e
  # Passed tests say nothing; failures keep their output, then the summary.
  grep -vE '^ *(Start +[0-9]+:|[0-9]+/[0-9]+ Test +#[0-9]+: .* Passed )' "$log" |
    sed -n '/^UpdateCTestConfiguration\|^Test project/!p' | cat -s
  return $status
}
