#!/usr/bin/env bash
# The two render engines side by side: `brisolt compose --engine streaming`
# against `--engine files` and against FluidSynth's fast render of a MIDI
# file with the same notes (written by brisolt-piece-midi), at 5 and 90
# phrases on the real Data.dat. Runs go in rounds, one of each in turn, so
# that other load on the machine falls on every row alike; each ratio is
# taken within a round and the median of the rounds is reported, beside the
# median of each row. Peak memory comes from brisolt-measure, peak temporary
# space from sampling the temporary folder every 20 ms during each run. The
# composes write only the mix (--no-hifi): the MIDI file and the stereo
# rendition cost the same with either engine.
#
#   bash bench/run_engine_bench.sh [--runs N] [--skip-90]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/compose_bench_setup.sh"
compose_bench_setup run_engine_bench 5 "$@"

# once NAME COMMAND...: one run; appends its report (with tmp_peak_bytes) to
# $work/NAME.all.
once() {
  local name=$1
  shift
  local peak_file="$work/tmp_peak"
  echo 0 >"$peak_file"
  ( peak=0
    while :; do
      used=$(du -sb "$TMPDIR" 2>/dev/null | cut -f1) || true  # a file may vanish under du
      [ "${used:-0}" -gt "$peak" ] && peak=$used && echo "$peak" >"$peak_file"
      sleep 0.02
    done ) &
  local sampler=$!
  "$helpers/brisolt-measure" -o "$work/report" -- "$@" >/dev/null
  kill "$sampler" 2>/dev/null || true  # it may have ended already
  wait "$sampler" 2>/dev/null || true
  if ! grep -q 'status=0' "$work/report"; then
    echo "bench: '$*' failed: $(cat "$work/report")" >&2
    exit 1
  fi
  local folder_bytes
  folder_bytes=$(du -sb "$TMPDIR" 2>/dev/null | cut -f1 || true)  # the empty folder itself
  local peak
  peak=$(cat "$peak_file")
  echo "$(cat "$work/report") tmp_peak_bytes=$(( ${peak:-0} > ${folder_bytes:-0} ? ${peak:-0} - ${folder_bytes:-0} : 0 ))" \
    >>"$work/$name.all"
  echo "  $name: $(tail -1 "$work/$name.all")" >&2  # each run as it ends, should the bench be cut short
  rm -rf "$work/Archive" "$work/fluid.wav"
}
# median NAME: the median-wall report of $work/NAME.all into $work/NAME.
median() {
  local count
  count=$(wc -l <"$work/$1.all")
  sort -t= -k2 -g "$work/$1.all" | sed -n "$(( (count + 1) / 2 ))p" >"$work/$1"
}
# values NAME KEY: KEY of every run of NAME, one a line, in the order run.
values() { sed -n "s/.*\\b$2=\\([^ ]*\\).*/\\1/p" "$work/$1.all"; }
# rounds SLOW FAST: SLOW's wall time over FAST's in each round (the nth run
# of each is the nth round); ratio SLOW FAST: their median.
rounds() { paste -d' ' <(values "$1" wall_s) <(values "$2" wall_s) | awk -v f="${3:-%.1f }" '{ printf f, $1 / $2 }'; }
ratio() { rounds "$1" "$2" '%.4f\n' | sort -g | awk '{ r[NR] = $1 } END { print r[int((NR + 1) / 2)] }'; }
# highest NAME KEY: the highest KEY of any run of NAME; -1 when NAME never ran.
highest() { if [ -f "$work/$1.all" ]; then values "$1" "$2" | sort -g | tail -1; else echo -1; fi; }
load() { cut -d' ' -f1-3 /proc/loadavg; }

compose_args=(compose --quiet --no-hifi --session-id "$session_id" --archive "$work/Archive")
notes5=$("$helpers/brisolt-piece-midi" --session-id "$session_id" --phrases 5 --out "$work/piece5.mid")
load_start=$(load)

echo "5 phrases: streaming, files and FluidSynth in rounds, $runs rounds..." >&2
for run in $(seq "$runs"); do
  once stream5 "$bin/brisolt" "${compose_args[@]}" --phrases 5 --engine streaming
  once files5 "$bin/brisolt" "${compose_args[@]}" --phrases 5 --engine files
  once fluid5 fluidsynth -ni -q -F "$work/fluid.wav" -r 22050 -T wav -O s16 "$soundfont" "$work/piece5.mid"
done
for name in stream5 files5 fluid5; do median "$name"; done

ran_90=0
runs90=$(( runs < 3 ? runs : 3 ))
free_bytes=$(df --output=avail -B1 "$work" | tail -1)
if [ "$with_90" -eq 1 ] && [ "$free_bytes" -ge 45000000000 ]; then
  echo "90 phrases: streaming and files in rounds, $runs90 rounds..." >&2
  for run in $(seq "$runs90"); do
    once stream90 "$bin/brisolt" "${compose_args[@]}" --phrases 90 --engine streaming
    once files90 "$bin/brisolt" "${compose_args[@]}" --phrases 90 --engine files
  done
  median stream90
  median files90
  ran_90=1
elif [ "$with_90" -eq 1 ]; then
  echo "90 phrases with the file engine need 45 GB free in $work; measuring streaming alone." >&2
  for run in $(seq "$runs90"); do once stream90 "$bin/brisolt" "${compose_args[@]}" --phrases 90 --engine streaming; done
  median stream90
fi
load_end=$(load)

row() {  # NAME LABEL
  [ -f "$work/$1" ] || return 0
  awk -v label="$2" -v wall="$(field "$1" wall_s)" -v user="$(field "$1" user_s)" -v sys="$(field "$1" sys_s)" \
      -v peak="$(field "$1" peak_kb)" -v tmp="$(field "$1" tmp_peak_bytes)" \
      'BEGIN { printf "| %-36s | %8.3f | %8.3f | %8.1f | %9.1f |\n", label, wall, user + sys, peak / 1024, tmp / 1048576 }'
}
echo
echo "Medians of $runs rounds at 5 phrases, $runs90 at 90; load average $load_start at the start, $load_end at the end."
echo "MIDI file for FluidSynth: $notes5"
printf "| %-36s | %8s | %8s | %8s | %9s |\n" run "wall s" "CPU s" "peak MB" "tmp MB"
echo "|--------------------------------------|----------|----------|----------|-----------|"
row stream5 "compose --engine streaming, 5"
row files5 "compose --engine files, 5"
row fluid5 "fluidsynth -F, same notes, 5"
row stream90 "compose --engine streaming, 90"
row files90 "compose --engine files, 90"
echo
echo "Per round: files/streaming at 5 phrases: $(rounds files5 stream5); FluidSynth/streaming: $(rounds fluid5 stream5)"
if [ "$ran_90" -eq 1 ]; then echo "           files/streaming at 90 phrases: $(rounds files90 stream90)"; fi
awk -v r5="$(ratio files5 stream5)" -v rf="$(ratio fluid5 stream5)" \
    -v r90="$( [ "$ran_90" -eq 1 ] && ratio files90 stream90 || echo -1)" \
    -v m90="$(highest stream90 peak_kb)" -v t5="$(highest stream5 tmp_peak_bytes)" \
    -v t90="$(highest stream90 tmp_peak_bytes)" '
  function verdict(ok) { return ok ? "met" : "MISSED" }
  BEGIN {
    printf "Targets (median of the per-round ratios; memory and space: the highest of any round):\n"
    printf "  5 phrases at least 3 x faster than files: %.1f x (%s)\n", r5, verdict(r5 >= 3)
    if (r90 > 0) printf "  90 phrases at least 5 x faster than files: %.1f x (%s)\n", r90, verdict(r90 >= 5)
    if (m90 >= 0) printf "  peak memory under 32 MB at 90 phrases: %.1f MB (%s)\n", m90 / 1024, verdict(m90 < 32768)
    printf "  temporary files under 64 MB: %.1f MB at 5, %.1f MB at 90 (%s)\n", t5 / 1048576,
           t90 < 0 ? 0 : t90 / 1048576, verdict(t5 < 67108864 && t90 < 67108864)
    printf "  at least 15 x faster than FluidSynth: %.1f x (%s)\n", rf, verdict(rf >= 15)
  }'
