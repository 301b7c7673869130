#!/usr/bin/env bash
# Time from running `Vexo3 --lap` to its record being in the running Vexo3's record
# list, under Xvfb, over several laps. The running Vexo3 answers a command only after
# carrying it out, so the record is in the list when the command ends; after each lap
# (outside the timing) `--status` confirms the count. Prints `--status` before and
# after `--start-pause` and `--lap` first.
#
#   bash bench/lap_latency.sh [path/to/Vexo3] [laps]
#
# Needs what bench/common.sh lists.
source "$(dirname "$0")/common.sh"
BIN=${1:-build/bin/Vexo3}
LAPS=${2:-20}

bench_init
bench_app "$BIN"
bench_xvfb
bench_seed
bench_start_vexo3

# A second start of Vexo3 on the same settings, as a shortcut of the desktop runs it.
vexo3() {
  XDG_CONFIG_HOME="$BENCH_WORK/config" HOME="$BENCH_WORK/home" temp="$BENCH_WORK/tmp" \
    XDG_RUNTIME_DIR="$BENCH_WORK/tmp" "$BENCH_WORK/app/Vexo3" "$@"
}
records() { vexo3 --status | sed -n 's/^记录：\([0-9]*\) 条$/\1/p'; }
live() { vexo3 --status | grep -q '^记录：'; }
bench_wait 20 "Vexo3 to take commands" live

for step in --status --start-pause --status --lap --status; do
  echo "\$ vexo3 $step"
  vexo3 "$step"
  echo "(exit $?)"
done

before=$(records)
times=()
for i in $(seq "$LAPS"); do
  s=$(date +%s%N)
  vexo3 --lap
  e=$(date +%s%N)
  times+=($(( (e - s) / 1000 )))
  n=$(records)
  if [ "$n" != $((before + i)) ]; then
    echo "lap $i: the list holds $n records, not $((before + i))" >&2
    exit 1
  fi
done
printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1}
  END {printf "vexo3 --lap to its record in the list: median %.1f ms, min %.1f ms, max %.1f ms over %d laps\n",
       a[int((NR+1)/2)]/1000, a[1]/1000, a[NR]/1000, NR}'
bench_stop "$BENCH_PID"
