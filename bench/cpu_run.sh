#!/usr/bin/env bash
# CPU and memory of the real Vexo3 while its stopwatch runs, shown in the main window
# and in the big window (20 cells, SegHeight 300), under Xvfb.
#
#   bash bench/cpu_run.sh [path/to/Vexo3] [seconds]
#
# A running state two minutes old is seeded into a temporary settings folder, so the
# program starts running by itself; it is measured at the default precision (20 ms)
# and at the finest (1 ms). Needs xvfb and python3.
set -euo pipefail
BIN=$(readlink -f "${1:-build/bin/Vexo3}")
SECS=${2:-12}
DISP=:97
work=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT

Xvfb $DISP -screen 0 1600x1000x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
sleep 1

mkdir -p "$work/app" "$work/config" "$work/tmp"
cp "$BIN" "$work/app/Vexo3"
[ -f "$(dirname "$BIN")/Vexo.ini" ] && cp -r "$(dirname "$BIN")/Vexo.ini" "$(dirname "$BIN")/seg" "$work/app/" 2>/dev/null || true

seed() { # $1 = Speed
  python3 - "$work/config/BriselSoftware.ini" "$1" <<'PY'
import sys, time, datetime
path, speed = sys.argv[1], sys.argv[2]
start = datetime.datetime.now() - datetime.timedelta(seconds=120)
day = (start.date() - datetime.date(1899, 12, 30)).days
secs = start.hour * 3600 + start.minute * 60 + start.second
running = {1, 4, 6, 7}
lines = ["[Setting]", f"StartTime={secs}", f"StartDate={day}", "PauseTime=0", "PauseDate=0",
         "TimerEnabled=True", "fbig.Visible=-1", "TimeString=", "TimerString=", "SegCounts1=14", "SegCounts2=20"]
for i in range(8):
    v = "-1" if i in running else "0"
    lines += [f"CMD%28{i}%29.Enabled={v}", f"CMD%28{i}%29.Visible={v}"]
lines += ["", "[Tavrik]", f"Speed={speed}", "SegHeight=300", "OnTop=0", ""]
open(path, "w").write("\n".join(lines))
PY
}

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

for speed in 2 0; do
  seed "$speed"
  DISPLAY=$DISP XDG_CONFIG_HOME="$work/config" HOME="$work" temp="$work/tmp" "$work/app/Vexo3" >/dev/null 2>&1 &
  pid=$!
  sleep 3
  hz=$(getconf CLK_TCK)
  t0=$(cpu_ticks $pid); s0=$(date +%s.%N)
  sleep "$SECS"
  t1=$(cpu_ticks $pid); s1=$(date +%s.%N)
  rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
  if [ "$speed" = 0 ]; then DISPLAY=$DISP import -window root "$work/shot.png" 2>/dev/null && cp "$work/shot.png" /tmp/vexo3-bench-shot.png || true; fi
  kill -TERM $pid; wait $pid || true
  python3 -c "
t=($t1-$t0)/$hz; s=$s1-$s0
print(f'precision {\"20 ms\" if \"$speed\"==\"2\" else \"1 ms\"}: CPU {100*t/s:.1f} % of one core over {s:.1f} s, resident {$rss/1024:.1f} MB')"
done
