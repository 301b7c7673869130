#!/usr/bin/env bash
# Ends the real Vexo3 again and again with every set of windows open, each round with
# another way of ending for each set (see tests/vexo3/e2e/tst_ending.cpp):
#   bench/ending_rounds.sh [rounds=50] [build folder=build]
# Prints, per window set, how many rounds ended the program as they should.
set -uo pipefail
rounds=${1:-50}
build=${2:-$(cd "$(dirname "$0")/.." && pwd)/build}
test=$build/tests/vexo3/e2e/tst_ending
[ -x "$test" ] || { echo "no $test: build the tests first" >&2; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
for ((r = 0; r < rounds; r++)); do
  TAVRIK_ENDING_ROUND=$r QT_QPA_PLATFORM=offscreen "$test" -o "$out/round$r.txt,txt" >/dev/null 2>&1
  grep -h '^FAIL!' "$out/round$r.txt" | sed "s/^/round $r: /"
done
printf '%-30s %s\n' "window set" "ended as they should"
grep -h '^PASS   : TestEnding::ends(\|^FAIL!  : TestEnding::ends(' "$out"/round*.txt |
  sed -E 's/^(PASS|FAIL!) *: TestEnding::ends\(([^)]*)\).*/\1\t\2/' |
  awk -F'\t' -v n="$rounds" '{ sets[$2] = 1; if ($1 == "PASS") pass[$2]++ }
       END { for (s in sets) printf "%-30s %d of %d\n", s, pass[s], n }' | sort
