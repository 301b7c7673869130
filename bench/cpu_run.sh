#!/usr/bin/env bash
# CPU and wake-ups of both programs under Xvfb, the X server's share counted too, with
# GNOME Clocks (where installed: apt-get install gnome-clocks) measured in the same run:
#   - idle: a first start, nothing running; then with the pointer resting on a button
#     (its hot look shown, nothing else changing);
#   - running: Vexo3 with a stopwatch started two minutes ago, in its main window and
#     with the big window (20 cells, SegHeight 300); Vexo started by its key, in its
#     main window and its mini window; GNOME Clocks' stopwatch started by its keys;
#     each at the default precision (20 ms) and at the finest (1 ms);
#   - the floor: a bare Qt window woken every 20 ms; one rewriting a plain QLabel; that
#     with a second window repainting a big display's digit cell.
# Prints a table (CPU in % of one core over SECONDS, after 2 s of settling).
#
#   bash bench/cpu_run.sh [path/to/Vexo3] [seconds]
#
# Needs what bench/common.sh lists, and dbus-run-session (package dbus) for GNOME
# Clocks. The screenshots of each case are kept with BENCH_KEEP=1.
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] && command -v dbus-run-session >/dev/null; then
  exec dbus-run-session -- bash "$0" "$@" 2> >(grep -v "^dbus-daemon" >&2)
fi
source "$(dirname "$0")/common.sh"
BIN=${1:-build/bin/Vexo3}
SECS=${2:-10}
IDLE_SECS=${IDLE_SECS:-20}

bench_init
bench_app "$BIN"
bench_xvfb
hz=$(getconf CLK_TCK)
declare -A TOTAL

echo "| case | program | X server | both | wake-ups/s (main thread) | resident |"
echo "|---|---|---|---|---|---|"
# One row for BENCH_PID over $2 seconds, after a short settling; the total is kept
# under the case's key $3.
measure() {
  local label=$1 secs=$2 key=${3:-} pid=$BENCH_PID
  sleep 2
  local t0 x0 m0 s0 t1 x1 m1 s1 rss
  t0=$(bench_cpu_ticks "$pid"); x0=$(bench_cpu_ticks "$BENCH_XPID"); m0=$(bench_main_wakeups "$pid"); s0=$(date +%s%N)
  sleep "$secs"
  t1=$(bench_cpu_ticks "$pid"); x1=$(bench_cpu_ticks "$BENCH_XPID"); m1=$(bench_main_wakeups "$pid"); s1=$(date +%s%N)
  rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
  [ "${BENCH_KEEP:-0}" = 1 ] && import -window root "$BENCH_WORK/${label// /_}.png" 2>/dev/null || true
  local row
  row=$(awk -v l="$label" -v t=$((t1 - t0)) -v x=$((x1 - x0)) -v hz="$hz" -v ns=$((s1 - s0)) -v m=$((m1 - m0)) -v rss="$rss" 'BEGIN {
    s = ns / 1e9; p = 100 * t / hz / s; xs = 100 * x / hz / s
    printf "| %s | %.1f %% | %.1f %% | %.1f %% | %.1f | %.0f MB |\n", l, p, xs, p + xs, m / s, rss / 1024 }')
  echo "$row"
  [ -n "$key" ] && TOTAL[$key]=$(awk -F'|' '{ gsub(/[ %]/, "", $5); print $5 }' <<<"$row")
  return 0
}

precision() { [ "$1" = 2 ] && echo "20 ms" || echo "1 ms"; }

# Rests the pointer on the first button of the program's window: $1 and $2 are the
# button's middle in the window.
rest_on_button() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$(bench_vexo3_shown "$BENCH_PID" | head -n 1)")"
  xdotool mousemove $((X + $1)) $((Y + $2))
}

bench_seed
bench_start_vexo3
measure "Vexo3 idle" "$IDLE_SECS"
rest_on_button 40 112
# Past the button's tooltip, which shows once.
sleep 1
measure "Vexo3 idle, pointer resting on a button" "$IDLE_SECS"
xdotool mousemove 0 0
bench_stop "$BENCH_PID"

bench_seed
bench_start_vexo3 Vexo
rest_on_button 40 124
sleep 1
measure "Vexo idle, pointer resting on a button" "$IDLE_SECS"
xdotool mousemove 0 0
bench_stop "$BENCH_PID"

if bench_clocks_installed; then
  bench_start_clocks
  measure "GNOME Clocks idle" "$IDLE_SECS"
  xdotool key alt+3
  sleep 0.5
  xdotool key space
  measure "GNOME Clocks stopwatch running" "$SECS" clocks
  bench_stop "$BENCH_PID"
fi

for speed in 2 0; do
  bench_seed --running 120 --speed "$speed" --counts 14,20
  bench_start_vexo3
  measure "Vexo3 running, $(precision $speed), main window" "$SECS" "vexo3-$speed"
  bench_stop "$BENCH_PID"
  bench_seed --running 120 --speed "$speed" --big --counts 14,20 --seg-height 300
  bench_start_vexo3
  measure "Vexo3 running, $(precision $speed), with the big window" "$SECS"
  bench_stop "$BENCH_PID"
done

for speed in 2 0; do
  bench_seed --speed "$speed"
  bench_start_vexo3 Vexo
  win=$(bench_vexo3_shown "$BENCH_PID" | head -n 1)
  xdotool windowfocus --sync "$win" key F1
  measure "Vexo running, $(precision $speed), main window" "$SECS"
  if [ "$speed" = 0 ]; then
    # Its menu (a click on "Tavrik菜单"), then "微型窗口".
    xdotool mousemove --window "$win" 48 8 click 1
    sleep 0.5
    xdotool key --delay 50 Up Up Up Up Up Up Up Up Return
    sleep 0.5
    measure "Vexo running, 1 ms, mini window" "$SECS"
  fi
  bench_stop "$BENCH_PID"
done

# The floor: what any Qt Widgets window pays here for a 20 ms tick.
for mode in wake label big; do
  bench_start_floor "$mode"
  if [ "$mode" = wake ]; then
    measure "A bare Qt window woken every 20 ms, nothing drawn" "$SECS"
  elif [ "$mode" = label ]; then
    measure "A bare Qt window rewriting a plain QLabel every 20 ms" "$SECS"
  else
    measure "That, and a second window repainting a 80 x 300 px cell every 20 ms" "$SECS"
  fi
  bench_stop "$BENCH_PID"
done

if [ -n "${TOTAL[clocks]:-}" ]; then
  for speed in 2 0; do
    awk -v v="${TOTAL[vexo3-$speed]}" -v c="${TOTAL[clocks]}" -v p="$(precision $speed)" \
      'BEGIN { printf "Vexo3 at %s against GNOME Clocks, both with the X server: %.2f\n", p, v / c }'
  done
else
  echo "GNOME Clocks is not installed: no comparison (apt-get install gnome-clocks)"
fi
