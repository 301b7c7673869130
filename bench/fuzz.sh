#!/usr/bin/env bash
# Runs every fuzz target for the given number of seconds each, one after another:
#   bench/fuzz.sh <seconds> [target...]      (targets: profile settings numtext countdown instance)
# Builds them first with clang in build-fuzz/ (-DTAVRIK_FUZZ=ON). The seeds in
# bench/fuzz/corpus stay as they are; what the fuzzer adds goes to build-fuzz/corpus,
# crashes to build-fuzz/findings. Prints executions and findings per target; exits 1
# when anything was found.
set -euo pipefail
source "$(dirname "$0")/../tools/common.sh"
seconds=${1:?usage: bench/fuzz.sh <seconds> [target...]}
shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(profile settings numtext countdown instance)

tavrik_install clang
build=${TAVRIK_FUZZ_BUILD:-$TAVRIK_ROOT/build-fuzz}
if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S "$TAVRIK_ROOT" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTAVRIK_FUZZ=ON -DBUILD_TESTING=OFF
fi
cmake --build "$build" -j"$(nproc)" --target "${targets[@]/#/fuzz_}"

found=0
printf '%-10s %14s %10s %9s\n' target executions exec/s findings
for t in "${targets[@]}"; do
  corpus=$build/corpus/$t
  findings=$build/findings/$t
  mkdir -p "$corpus" "$findings"
  log=$build/fuzz-$t.log
  # -timeout: an input that takes 10 s is a hang, and a finding too.
  "$build/fuzz/fuzz_$t" "$corpus" "$TAVRIK_ROOT/bench/fuzz/corpus/$t" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
    -artifact_prefix="$findings/" -print_final_stats=1 >"$log" 2>&1 || true
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  n=$(find "$findings" -type f | wc -l)
  found=$((found + n))
  printf '%-10s %14s %10s %9s\n' "$t" "${runs:-?}" "${rate:-?}" "$n"
done
[ "$found" -eq 0 ]
