#!/usr/bin/env bash
# Generate's speed with and without the score kept beside the log: the same
# piece (fixed session id, --no-hifi, PHRASES phrases) composed by a brisolt
# built before the keyboard lights (BEFORE) and by this one (AFTER), runs
# interleaved, each timed to its exit. Prints every run, the medians, their
# ratio and the size of the score.json the new build leaves.
#
#   bench/keyboard_generate_bench.sh BEFORE_BRISOLT AFTER_BRISOLT DATA_DAT [PHRASES] [RUNS]
set -euo pipefail
before=$(realpath "$1") after=$(realpath "$2") data=$(realpath "$3") phrases=${4:-5} runs=${5:-7}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" TMPDIR="$work/tmp"
mkdir -p "$HOME" "$TMPDIR"

# run NAME BINARY: one compose into a fresh archive; prints the seconds.
run() {
  rm -rf "$work/$1"
  local start end
  start=$(date +%s.%N)
  "$2" compose --no-hifi -q --phrases "$phrases" --session-id 20240131 --data "$data" --archive "$work/$1/" >/dev/null
  end=$(date +%s.%N)
  echo "$end - $start" | bc
}

: >"$work/before.txt"
: >"$work/after.txt"
for i in $(seq "$runs"); do
  # Alternate which goes first, so that neither always finds the cache warmer.
  if [ $((i % 2)) -eq 1 ]; then
    run b "$before" >>"$work/before.txt"
    run a "$after" >>"$work/after.txt"
  else
    run a "$after" >>"$work/after.txt"
    run b "$before" >>"$work/before.txt"
  fi
  echo "run $i: before $(tail -1 "$work/before.txt") s, after $(tail -1 "$work/after.txt") s"
done
/usr/bin/python3 - "$work/before.txt" "$work/after.txt" "$phrases" <<'PY'
import statistics, sys
before = [float(line) for line in open(sys.argv[1])]
after = [float(line) for line in open(sys.argv[2])]
b, a = statistics.median(before), statistics.median(after)
print(f"{sys.argv[3]} phrases: median before {b:.3f} s, after {a:.3f} s, after/before {a / b:.3f}")
PY
score=$(ls "$work"/a/*score.json)
echo "score.json: $(stat -c %s "$score") bytes, $(grep -c '"key"' "$score") notes"
