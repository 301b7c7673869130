#!/usr/bin/env bash
# bench/cpu_run.sh several times over, each case's row the median of its rounds. The
# shared machine's load drifts over minutes: one 30 s window a case moved a row by half
# a point between two runs, more than the differences the table is read for. Rounds
# that each take every case in turn spread that drift over all the rows alike.
#
#   bash bench/cpu_rounds.sh [path/to/Vexo3] [seconds a case a round] [rounds]
#
# Defaults: 10 s, 3 rounds (about 12 minutes). Each round's own table goes to stderr.
set -euo pipefail
BIN=${1:-build/bin/Vexo3}
SECS=${2:-10}
ROUNDS=${3:-3}
tables=$(mktemp)
trap 'rm -f "$tables"' EXIT
for round in $(seq "$ROUNDS"); do
  echo "round $round of $ROUNDS" >&2
  bash "$(dirname "$0")/cpu_run.sh" "$BIN" "$SECS" | tee -a "$tables" >&2
done

awk -F'|' -v rounds="$ROUNDS" '
  function median(list,   v, n, i, j, t) {
    n = split(list, v, " ")
    for (i = 2; i <= n; i++)
      for (j = i; j > 1 && v[j - 1] + 0 > v[j] + 0; j--) { t = v[j]; v[j] = v[j - 1]; v[j - 1] = t }
    return n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
  }
  /^\| case/ { header = $0; next }
  /^\|---/ { rule = $0; next }
  /^\| / {
    if (!(($2) in label)) { label[$2] = 1; rows[++nrows] = $2 }
    for (c = 3; c <= 7; c++) { v = $c; gsub(/[ %MB]/, "", v); values[$2 SUBSEP c] = values[$2 SUBSEP c] " " v }
    next
  }
  / against GNOME Clocks/ {
    key = $0; sub(/: [0-9.]+$/, "", key); v = $0; sub(/.*: /, "", v)
    if (!(key in ratio)) ratios[++nratios] = key
    ratio[key] = ratio[key] " " v
    next
  }
  END {
    printf "Medians of %d rounds.\n%s\n%s\n", rounds, header, rule
    for (r = 1; r <= nrows; r++) {
      l = rows[r]
      printf "|%s| %.1f %% | %.1f %% | %.1f %% | %.1f | %.0f MB |\n", l, median(values[l SUBSEP 3]),
        median(values[l SUBSEP 4]), median(values[l SUBSEP 5]), median(values[l SUBSEP 6]), median(values[l SUBSEP 7])
    }
    for (r = 1; r <= nratios; r++)
      printf "%s: %.2f (rounds:%s)\n", ratios[r], median(ratio[ratios[r]]), ratio[ratios[r]]
  }' "$tables"
