#!/usr/bin/env bash
# Time from starting Vexo3 to its main window shown, under Xvfb, over several runs,
# each a first start on fresh settings; GNOME Clocks (where installed) started as many
# times in the same run, turn about, for the ratio; and, for the floor, a bare Qt
# window (bench_floor) as many times.
#
#   bash bench/startup_time.sh [path/to/Vexo3] [runs]
#
# Needs what bench/common.sh lists, and dbus-run-session (package dbus) for GNOME Clocks.
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] && command -v dbus-run-session >/dev/null; then
  exec dbus-run-session -- bash "$0" "$@" 2> >(grep -v "^dbus-daemon" >&2)
fi
source "$(dirname "$0")/common.sh"
BIN=${1:-build/bin/Vexo3}
RUNS=${2:-10}
# The window is looked for every 5 ms.
BENCH_POLL=0.005

bench_init
bench_app "$BIN"
bench_xvfb

timed() { # start function; prints ms to the window shown
  local s e
  s=$(date +%s%N)
  "$@"
  e=$(date +%s%N)
  echo $(( (e - s) / 1000000 ))
  bench_stop "$BENCH_PID"
}
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)] " ms (min " a[1] ", max " a[NR] ", " NR " runs)"}'; }

vexo3=() clocks=() floor=()
for i in $(seq "$RUNS"); do
  bench_seed
  vexo3+=("$(timed bench_start_vexo3)")
  floor+=("$(timed bench_start_floor wake)")
  if bench_clocks_installed; then
    rm -rf "$BENCH_WORK/config" "$BENCH_WORK/home" && mkdir -p "$BENCH_WORK/config" "$BENCH_WORK/home"
    clocks+=("$(timed bench_start_clocks)")
  fi
done
v=$(printf '%s\n' "${vexo3[@]}" | median)
echo "Vexo3, start to shown window: median $v"
echo "A bare Qt window, the same: median $(printf '%s\n' "${floor[@]}" | median)"
if [ ${#clocks[@]} -gt 0 ]; then
  c=$(printf '%s\n' "${clocks[@]}" | median)
  echo "GNOME Clocks, the same: median $c"
  awk -v v="${v%% *}" -v c="${c%% *}" 'BEGIN { printf "Vexo3 against GNOME Clocks: %.2f\n", v / c }'
fi
