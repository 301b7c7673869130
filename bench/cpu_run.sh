#!/usr/bin/env bash
# CPU, wake-ups and memory of the real Vexo3 under Xvfb:
#   - idle: a first start, nothing running, over 20 s;
#   - running: a stopwatch started two minutes ago, shown in the main window and in
#     the big window (20 cells, SegHeight 300), at the default precision (20 ms) and
#     at the finest (1 ms), over SECONDS.
#
#   bash bench/cpu_run.sh [path/to/Vexo3] [seconds]
#
# Needs what bench/common.sh lists; a screenshot of the 1 ms run is kept with
# BENCH_KEEP=1.
source "$(dirname "$0")/common.sh"
BIN=${1:-build/bin/Vexo3}
SECS=${2:-12}
IDLE_SECS=20

bench_init
bench_app "$BIN"
bench_xvfb
hz=$(getconf CLK_TCK)

# Prints one line of figures for BENCH_PID over $2 seconds, after a short settling.
measure() {
  local label=$1 secs=$2 pid=$BENCH_PID
  sleep 2
  local t0 w0 m0 s0 t1 w1 m1 s1
  t0=$(bench_cpu_ticks "$pid"); w0=$(bench_wakeups "$pid"); m0=$(bench_main_wakeups "$pid"); s0=$(date +%s%N)
  sleep "$secs"
  t1=$(bench_cpu_ticks "$pid"); w1=$(bench_wakeups "$pid"); m1=$(bench_main_wakeups "$pid"); s1=$(date +%s%N)
  local rss
  rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
  awk -v l="$label" -v t=$((t1 - t0)) -v hz="$hz" -v ns=$((s1 - s0)) -v w=$((w1 - w0)) -v m=$((m1 - m0)) -v rss="$rss" 'BEGIN {
    s = ns / 1e9
    printf "%s: CPU %.2f %% of one core, %.1f wake-ups/s (main thread %.1f) over %.1f s, resident %.1f MB\n",
      l, 100 * t / hz / s, w / s, m / s, s, rss / 1024 }'
}

bench_seed
bench_start_vexo3
measure "idle" "$IDLE_SECS"
bench_stop "$BENCH_PID"

for speed in 2 0; do
  bench_seed --running 120 --speed "$speed" --big --counts 14,20 --seg-height 300
  bench_start_vexo3
  label="running, precision $([ "$speed" = 2 ] && echo "20 ms" || echo "1 ms")"
  measure "$label" "$SECS"
  [ "$speed" = 0 ] && import -window root "$BENCH_WORK/running-1ms.png" 2>/dev/null || true
  bench_stop "$BENCH_PID"
done
