#!/usr/bin/env bash
# An hour of Vexo's alarm sounding: memory, threads, open files and the Timer2 tick's
# own time, with the real sound (Qt Multimedia, then the desktop's beep). Runs
# build/bin/bench_alarm:
#   1. offscreen, with Beep.wav, 3600 one-second ticks paced every 20 ms;
#   2. the same in an X server of its own (the beep goes to X);
#   3. offscreen without Beep.wav (only the beep sounds);
#   4. offscreen at the real pace, one tick a second, for REAL_SECONDS (default 120);
#   5. when PulseAudio is installed: a sound server of the run's own with a null sink,
#      so that the sound really plays, 3600 ticks paced every 100 ms.
#
#   bash bench/alarm_hour.sh [path/to/bench_alarm]
#
# Needs what bench/common.sh lists and a build with -DTAVRIK_BENCHMARKS=ON.
source "$(dirname "$0")/common.sh"
BIN=$(readlink -f "${1:-build/bin/bench_alarm}")
REAL_SECONDS=${REAL_SECONDS:-120}
[ -x "$BIN" ] || { echo "no $BIN: configure with -DTAVRIK_BENCHMARKS=ON and build bench_alarm" >&2; exit 1; }

bench_init
mkdir -p "$BENCH_WORK/nowav"
export XDG_CONFIG_HOME="$BENCH_WORK/config" HOME="$BENCH_WORK/home" XDG_RUNTIME_DIR="$BENCH_WORK/tmp"
chmod 700 "$BENCH_WORK/tmp"

run() {
  echo "== $1"
  shift
  "$@" || echo "(exit $?)"
  echo
}

run "offscreen, Beep.wav" env QT_QPA_PLATFORM=offscreen "$BIN" --seconds 3600 --pace 20
bench_xvfb
run "X server ($DISPLAY), Beep.wav" env QT_QPA_PLATFORM=xcb "$BIN" --seconds 3600 --pace 20
run "offscreen, no Beep.wav" env QT_QPA_PLATFORM=offscreen "$BIN" --seconds 3600 --pace 20 --app "$BENCH_WORK/nowav"
run "offscreen, Beep.wav, real pace" env QT_QPA_PLATFORM=offscreen "$BIN" --seconds "$REAL_SECONDS" --pace 1000

if command -v pulseaudio >/dev/null; then
  pulse="$BENCH_WORK/pulse"
  mkdir -p "$pulse"
  PULSE_RUNTIME_PATH="$pulse" PULSE_STATE_PATH="$pulse" pulseaudio -n --daemonize=no --exit-idle-time=-1 \
    --disallow-exit -L module-null-sink -L "module-native-protocol-unix socket=$pulse/native auth-anonymous=1" \
    >"$BENCH_WORK/pulse.log" 2>&1 &
  BENCH_PIDS+=($!)
  bench_wait 10 "the sound server" test -S "$pulse/native"
  run "offscreen, Beep.wav, PulseAudio null sink" env QT_QPA_PLATFORM=offscreen PULSE_SERVER="unix:$pulse/native" \
    "$BIN" --seconds 3600 --pace 100
else
  echo "== PulseAudio null sink: skipped (no pulseaudio installed)"
fi
