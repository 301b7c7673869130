# Shared by the benchmark scripts (source it): a work folder of their own, an X
# server of their own, waits that give up, and Vexo3 started on a seeded state.
#
# Needs: xvfb (Xvfb), xdotool, imagemagick (import, for screenshots), and a build with
# -DTAVRIK_BENCHMARKS=ON (seed_state next to Vexo3). Set BENCH_KEEP=1 to keep the
# work folder (logs, screenshots) after the run.
set -euo pipefail

BENCH_PACKAGES=(xvfb xdotool imagemagick)
BENCH_PIDS=()

bench_need() {
  local missing=() cmd
  for cmd in Xvfb xdotool import; do
    command -v "$cmd" >/dev/null || missing+=("$cmd")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "missing: ${missing[*]}; install with: apt-get install -y --no-install-recommends ${BENCH_PACKAGES[*]}" >&2
    exit 1
  fi
}

bench_cleanup() {
  local pid
  for pid in "${BENCH_PIDS[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  wait 2>/dev/null || true
  if [ "${BENCH_KEEP:-0}" = 1 ]; then
    echo "work folder kept: $BENCH_WORK" >&2
  else
    rm -rf "$BENCH_WORK"
  fi
}

# The work folder with app/ (the program and its files), config/, home/, tmp/.
bench_init() {
  bench_need
  BENCH_WORK=$(mktemp -d "${TMPDIR:-/tmp}/tavrik-bench.XXXXXX")
  trap bench_cleanup EXIT
  mkdir -p "$BENCH_WORK"/{app,config,home,tmp}
}

# Polls a command every BENCH_POLL seconds (20 ms) until it succeeds; gives up after
# $1 seconds.
bench_wait() {
  local timeout=$1 what=$2
  shift 2
  local deadline=$(( $(date +%s%N) + timeout * 1000000000 ))
  until "$@" >/dev/null 2>&1; do
    if [ "$(date +%s%N)" -gt "$deadline" ]; then
      echo "gave up after ${timeout} s waiting for $what" >&2
      exit 1
    fi
    sleep "${BENCH_POLL:-0.02}"
  done
}

# An X server on a free display: Xvfb picks the number and writes it when it is ready.
bench_xvfb() {
  local fifo="$BENCH_WORK/displayfd"
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp -noreset 3>"$fifo" >"$BENCH_WORK/xvfb.log" 2>&1 &
  BENCH_PIDS+=($!)
  local display=""
  read -r -t 10 display <"$fifo" || true
  if [ -z "$display" ]; then
    echo "Xvfb did not start (see $BENCH_WORK/xvfb.log)" >&2
    exit 1
  fi
  export DISPLAY=":$display"
  BENCH_XPID=${BENCH_PIDS[-1]}
}

# Copies the program and the files next to it into the work folder.
bench_app() {
  local bin
  bin=$(readlink -f "$1")
  [ -x "$bin" ] || { echo "no program at $1 (build it first)" >&2; exit 1; }
  cp -r "$(dirname "$bin")/." "$BENCH_WORK/app/"
  BENCH_SEED="$BENCH_WORK/app/seed_state"
  [ -x "$BENCH_SEED" ] || { echo "no seed_state next to $1: configure with -DTAVRIK_BENCHMARKS=ON" >&2; exit 1; }
}

# A fresh settings folder with the state seed_state makes of the arguments.
bench_seed() {
  rm -rf "$BENCH_WORK/config" && mkdir -p "$BENCH_WORK/config"
  "$BENCH_SEED" "$BENCH_WORK/config" "$@"
}

bench_vexo3_shown() {
  xdotool search --all --onlyvisible --pid "$1" --name '^Tavrik'
}

# Starts Vexo3 (or the program named by $1: Vexo) on the work folder's settings; sets
# BENCH_PID once its window shows.
bench_start_vexo3() {
  local program=${1:-Vexo3}
  XDG_CONFIG_HOME="$BENCH_WORK/config" HOME="$BENCH_WORK/home" temp="$BENCH_WORK/tmp" \
    XDG_RUNTIME_DIR="$BENCH_WORK/tmp" "$BENCH_WORK/app/$program" >>"$BENCH_WORK/$program.log" 2>&1 &
  BENCH_PID=$!
  BENCH_PIDS+=("$BENCH_PID")
  bench_wait 20 "the $program window" bench_vexo3_shown "$BENCH_PID"
}

# GNOME Clocks, the desktop's own stopwatch, as a user starts it on a desktop of its
# own (a private session bus, settings in memory, drawn by the CPU as on Xvfb); sets
# BENCH_PID once its window shows. Run under dbus-run-session.
bench_clocks_installed() { command -v gnome-clocks >/dev/null; }
bench_start_clocks() {
  GSK_RENDERER=cairo GSETTINGS_BACKEND=memory XDG_CONFIG_HOME="$BENCH_WORK/config" HOME="$BENCH_WORK/home" \
    gnome-clocks >>"$BENCH_WORK/clocks.log" 2>&1 &
  BENCH_PID=$!
  BENCH_PIDS+=("$BENCH_PID")
  bench_wait 30 "the GNOME Clocks window" xdotool search --all --onlyvisible --pid "$BENCH_PID" --name .
}

# The floor: a bare Qt window (bench_floor, mode $1); sets BENCH_PID once it shows.
bench_start_floor() {
  "$BENCH_WORK/app/bench_floor" "$1" >>"$BENCH_WORK/bench_floor.log" 2>&1 &
  BENCH_PID=$!
  BENCH_PIDS+=("$BENCH_PID")
  bench_wait 20 "the bench_floor window" xdotool search --all --onlyvisible --pid "$BENCH_PID" --name '^bench_floor'
}

bench_stop() {
  kill -TERM "$1" 2>/dev/null || true
  local i
  for i in $(seq 250); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.02
  done
  echo "process $1 did not end within 5 s of SIGTERM; killed" >&2
  kill -KILL "$1" 2>/dev/null || true
}

# CPU time of a process in clock ticks, and its context switches (all threads): the
# voluntary ones are the times it went to sleep and was woken.
bench_cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
bench_wakeups() { cat /proc/"$1"/task/*/status | awk '/^voluntary_ctxt_switches/ {n += $2} END {print n}'; }
bench_main_wakeups() { awk '/^voluntary_ctxt_switches/ {print $2}' "/proc/$1/status"; }
