#!/usr/bin/env bash
# Time from starting Vexo3 to its main window shown, under Xvfb, over several runs.
#   bash bench/startup_time.sh [path/to/Vexo3] [runs]
set -euo pipefail
BIN=$(readlink -f "${1:-build/bin/Vexo3}")
RUNS=${2:-10}
DISP=:96
work=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
Xvfb $DISP -screen 0 1600x1000x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
sleep 1
mkdir -p "$work/config"
times=()
for i in $(seq "$RUNS"); do
  s=$(date +%s%N)
  DISPLAY=$DISP XDG_CONFIG_HOME="$work/config" HOME="$work" "$BIN" >/dev/null 2>&1 &
  pid=$!
  # Poll every few milliseconds (xdotool's own --sync waits in half-second steps).
  until DISPLAY=$DISP xdotool search --onlyvisible --name '^Tavrik' >/dev/null 2>&1; do sleep 0.005; done
  e=$(date +%s%N)
  times+=($(( (e - s) / 1000000 )))
  kill -TERM $pid; wait $pid || true
done
printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print "start to shown window: median " a[int((NR+1)/2)] " ms, min " a[1] " ms, max " a[NR] " ms over " NR " runs"}'
