#!/usr/bin/env bash
# What start-up costs two builds of brisolt: peak memory (RSS) of --version
# and of a --no-hifi compose at 90 and 5 phrases, the shared libraries each
# maps, and the CPU time (user+sys) of a 5-phrase --no-hifi compose, runs of
# the two interleaved, medians.
#
#   bash bench/startup_cost.sh BEFORE_BINARY AFTER_BINARY DATA.DAT [RUNS]
set -euo pipefail
before=$1 after=$2 data=$3 runs=${4:-9}
work=$(mktemp -d "${TMPDIR:-/tmp}/brisolt-startup-XXXXXX")
trap 'rm -rf "$work"' EXIT
export TMPDIR=$work

# Prints "peak_kb cpu_seconds" of one run.
measure() {
  local binary=$1
  shift
  /usr/bin/time -f "%M %U %S" -o "$work/time" "$binary" "$@" >/dev/null 2>&1
  rm -rf "$work/archive"
  awk '{printf "%d %.3f\n", $1, $2 + $3}' "$work/time"
}
compose() { echo compose --quiet --no-hifi --session-id 20240131 --data "$data" --archive "$work/archive" "$@"; }
median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

printf '%-40s %12s %12s\n' "" before after
printf '%-40s %12s %12s\n' "libraries mapped at start-up" "$(ldd "$before" | grep -c .)" "$(ldd "$after" | grep -c .)"
labels=("--version" "compose --no-hifi --phrases 90" "compose --no-hifi --phrases 5")
runs_of=("--version" "$(compose --phrases 90)" "$(compose --phrases 5)")
for k in 0 1 2; do
  run=${runs_of[$k]}
  # shellcheck disable=SC2086
  b=$(measure "$before" $run | cut -d' ' -f1)
  # shellcheck disable=SC2086
  a=$(measure "$after" $run | cut -d' ' -f1)
  printf '%-40s %9.1f MB %9.1f MB\n' "peak RSS ${labels[$k]}" \
    "$(echo "$b / 1024" | bc -l)" "$(echo "$a / 1024" | bc -l)"
done
: >"$work/cpu.before"
: >"$work/cpu.after"
for ((i = 0; i < runs; i++)); do
  # shellcheck disable=SC2046
  measure "$before" $(compose --phrases 5) | cut -d' ' -f2 >>"$work/cpu.before"
  # shellcheck disable=SC2046
  measure "$after" $(compose --phrases 5) | cut -d' ' -f2 >>"$work/cpu.after"
done
printf '%-40s %10.3f s %10.3f s   (median of %d interleaved runs)\n' "CPU user+sys, 5 phrases --no-hifi" \
  "$(median <"$work/cpu.before")" "$(median <"$work/cpu.after")" "$runs"
echo "all runs, before: $(tr '\n' ' ' <"$work/cpu.before")"
echo "all runs, after:  $(tr '\n' ' ' <"$work/cpu.after")"
