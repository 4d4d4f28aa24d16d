#!/usr/bin/env bash
# The two render engines side by side: `brisolt compose --engine streaming`
# against `--engine files` and against FluidSynth's fast render of a MIDI
# file with the same notes (written by brisolt-piece-midi), at 5 and 90
# phrases on the real Data.dat. Runs are interleaved (one of each in turn) so
# that other load on the machine falls on every row alike; each figure is the
# median of N runs. Peak memory comes from brisolt-measure, peak temporary
# space from sampling the temporary folder every 20 ms during each run.
#
#   bash bench/run_engine_bench.sh [--runs N] [--skip-90]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../tools/setup.sh"

runs=5
with_90=1
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs=$2; shift 2 ;;
    --skip-90) with_90=0; shift ;;
    *) echo "usage: bash bench/run_engine_bench.sh [--runs N] [--skip-90]" >&2; exit 2 ;;
  esac
done

install_missing "${build_packages[@]}" fluidsynth
build_brisolt -DBRISOLT_BUILD_BENCHMARKS=ON >/dev/null
bin="$build_dir/bin"
helpers="$build_dir/bench"
soundfont=/usr/share/sounds/sf2/FluidR3_GM.sf2
session_id=20240131

if [ "$(stat -c %s "$bin/Data.dat" 2>/dev/null || echo 0)" -lt 15696272 ]; then
  "$bin/brisolt-make-bank" >/dev/null
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/brisolt-engine-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/tmp"
export TMPDIR="$work/tmp"

# once NAME COMMAND...: one run; appends its report (with tmp_peak_bytes) to $work/NAME.all.
once() {
  local name=$1
  shift
  local peak_file="$work/tmp_peak"
  echo 0 >"$peak_file"
  ( peak=0
    while :; do
      used=$(du -sb "$TMPDIR" 2>/dev/null | cut -f1)
      [ "${used:-0}" -gt "$peak" ] && peak=$used && echo "$peak" >"$peak_file"
      sleep 0.02
    done ) &
  local sampler=$!
  "$helpers/brisolt-measure" -o "$work/report" -- "$@" >/dev/null
  kill "$sampler" 2>/dev/null; wait "$sampler" 2>/dev/null || true
  if ! grep -q 'status=0' "$work/report"; then
    echo "bench: '$*' failed: $(cat "$work/report")" >&2
    exit 1
  fi
  echo "$(cat "$work/report") tmp_peak_bytes=$(( $(cat "$peak_file") - 4096 ))" >>"$work/$name.all"
  rm -rf "$work/Archive" "$work/fluid.wav"
}
median() { sort -t= -k2 -g "$work/$1.all" | sed -n "$(( (runs + 1) / 2 ))p" >"$work/$1"; }
field() { sed -n "s/.*\\b$2=\\([^ ]*\\).*/\\1/p" "$work/$1"; }

compose_args=(compose --quiet --session-id "$session_id" --archive "$work/Archive")
"$helpers/brisolt-piece-midi" --session-id "$session_id" --phrases 5 --out "$work/piece5.mid" >/dev/null

echo "5 phrases: streaming, files and FluidSynth interleaved, $runs runs each..." >&2
for run in $(seq "$runs"); do
  once stream5 "$bin/brisolt" "${compose_args[@]}" --phrases 5 --engine streaming
  once files5 "$bin/brisolt" "${compose_args[@]}" --phrases 5 --engine files
  once fluid5 fluidsynth -ni -q -F "$work/fluid.wav" -r 22050 -T wav -O s16 "$soundfont" "$work/piece5.mid"
done
for name in stream5 files5 fluid5; do median "$name"; done

ran_90=0
free_bytes=$(df --output=avail -B1 "$work" | tail -1)
if [ "$with_90" -eq 1 ] && [ "$free_bytes" -ge 45000000000 ]; then
  runs90=$(( runs < 3 ? runs : 3 ))
  echo "90 phrases: streaming and files interleaved, $runs90 runs each..." >&2
  saved_runs=$runs; runs=$runs90
  for run in $(seq "$runs"); do
    once stream90 "$bin/brisolt" "${compose_args[@]}" --phrases 90 --engine streaming
    once files90 "$bin/brisolt" "${compose_args[@]}" --phrases 90 --engine files
  done
  for name in stream90 files90; do median "$name"; done
  runs=$saved_runs
  ran_90=1
elif [ "$with_90" -eq 1 ]; then
  echo "90 phrases with the file engine need 45 GB free in $work; measuring streaming alone." >&2
  runs90=$(( runs < 3 ? runs : 3 )); saved_runs=$runs; runs=$runs90
  for run in $(seq "$runs"); do once stream90 "$bin/brisolt" "${compose_args[@]}" --phrases 90 --engine streaming; done
  median stream90
  runs=$saved_runs
fi

row() {  # NAME LABEL
  [ -f "$work/$1" ] || return 0
  awk -v label="$2" -v wall="$(field "$1" wall_s)" -v user="$(field "$1" user_s)" -v sys="$(field "$1" sys_s)" \
      -v peak="$(field "$1" peak_kb)" -v tmp="$(field "$1" tmp_peak_bytes)" \
      'BEGIN { printf "| %-36s | %8.3f | %8.3f | %8.1f | %9.1f |\n", label, wall, user + sys, peak / 1024, tmp / 1048576 }'
}
echo
printf "| %-36s | %8s | %8s | %8s | %9s |\n" run "wall s" "CPU s" "peak MB" "tmp MB"
echo "|--------------------------------------|----------|----------|----------|-----------|"
row stream5 "compose --engine streaming, 5"
row files5 "compose --engine files, 5"
row fluid5 "fluidsynth -F, same notes, 5"
row stream90 "compose --engine streaming, 90"
row files90 "compose --engine files, 90"
echo
awk -v s5="$(field stream5 wall_s)" -v f5="$(field files5 wall_s)" -v fl="$(field fluid5 wall_s)" \
    -v s90="$(field stream90 wall_s)" -v f90="$( [ "$ran_90" -eq 1 ] && field files90 wall_s || echo -1)" \
    -v m90="$(field stream90 peak_kb)" -v t5="$(field stream5 tmp_peak_bytes)" -v t90="$(field stream90 tmp_peak_bytes)" '
  function verdict(ok) { return ok ? "met" : "MISSED" }
  BEGIN {
    printf "Targets: 5 phrases at least 3 x faster than files: %.1f x (%s)\n", f5 / s5, verdict(f5 >= 3 * s5)
    if (f90 > 0) printf "         90 phrases at least 5 x faster than files: %.1f x (%s)\n", f90 / s90, verdict(f90 >= 5 * s90)
    printf "         peak memory under 32 MB at 90 phrases: %.1f MB (%s)\n", m90 / 1024, verdict(m90 < 32768)
    printf "         temporary files under 64 MB: %.1f MB at 5, %.1f MB at 90 (%s)\n", t5 / 1048576, t90 / 1048576,
           verdict(t5 < 67108864 && t90 < 67108864)
    printf "         at least 15 x faster than FluidSynth: %.1f x (%s)\n", fl / s5, verdict(fl >= 15 * s5)
  }'
