#!/usr/bin/env bash
# Time from starting Vexo3 to its main window shown, under Xvfb, over several runs,
# each a first start on fresh settings.
#
#   bash bench/startup_time.sh [path/to/Vexo3] [runs]
#
# Needs what bench/common.sh lists.
source "$(dirname "$0")/common.sh"
BIN=${1:-build/bin/Vexo3}
RUNS=${2:-10}
# The window is looked for every 5 ms.
BENCH_POLL=0.005

bench_init
bench_app "$BIN"
bench_xvfb

times=()
for i in $(seq "$RUNS"); do
  bench_seed
  s=$(date +%s%N)
  bench_start_vexo3
  e=$(date +%s%N)
  times+=($(( (e - s) / 1000000 )))
  bench_stop "$BENCH_PID"
done
printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print "start to shown window: median " a[int((NR+1)/2)] " ms, min " a[1] " ms, max " a[NR] " ms over " NR " runs"}'
