#!/usr/bin/env bash
# Clean build of the whole tree as the test command builds it (benchmarks and the
# designer plugin on, -j2), in a folder of its own: configure, then build, with wall
# and CPU time for each. CPU time is what the machine's load changes least.
#
#   bash bench/build_time.sh [extra cmake options]      (BENCH_KEEP=1 keeps the folder)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
# The build type and flags of the test command.
source "$ROOT/tools/common.sh"
DIR=$(mktemp -d "${TMPDIR:-/tmp}/tavrik-build.XXXXXX")
[ "${BENCH_KEEP:-0}" = 1 ] || trap 'rm -rf "$DIR"' EXIT
JOBS=${JOBS:-2}

measure() { # label, command...
  local label=$1 times
  shift
  local TIMEFORMAT='%R %U %S'
  if ! times=$( { time "$@" >"$DIR.log" 2>&1; } 2>&1 ); then
    echo "$label failed; the end of its log:" >&2
    tail -n 30 "$DIR.log" >&2
    exit 1
  fi
  read -r wall user sys <<<"$times"
  awk -v l="$label" -v w="$wall" -v u="$user" -v s="$sys" \
    'BEGIN { printf "%-10s wall %7.1f s   CPU %7.1f s (user %.1f + system %.1f)\n", l, w, u + s, u, s }'
}

echo "clean build in $DIR, -j$JOBS, on $(nproc) cores"
measure configure cmake -S "$ROOT" -B "$DIR" "${TAVRIK_BUILD_TYPE[@]}" -DTAVRIK_BENCHMARKS=ON \
  -DTAVRIK_DESIGNER_PLUGIN=ON "$@"
measure build cmake --build "$DIR" -j"$JOBS"
measure "no-op" cmake --build "$DIR" -j"$JOBS"
rm -f "$DIR.log"
