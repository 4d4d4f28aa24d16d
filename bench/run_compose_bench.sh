#!/usr/bin/env bash
# What composing a piece costs: `brisolt compose` of a 5-phrase piece on the
# real Data.dat, beside (a) the I/O floor, the same bytes written and read
# with plain 64 KiB system calls and no audio work, and (b) what a user would
# use instead, FluidSynth's fast render of a MIDI file with the same notes at
# the same moments (written by brisolt-piece-midi from the composed piece).
# Then one 90-phrase compose (about 41 GB moved) when the disk has room.
# Prints one table and the targets.
#
#   bash bench/run_compose_bench.sh [--runs N] [--skip-90]
#
# Each figure is the median-wall run of N (default 3). Other work on the
# machine slows every row; compare rows of the same run.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/compose_bench_setup.sh"
compose_bench_setup run_compose_bench 3 "$@"
mkdir -p "$work/floor"

# measure NAME COMMAND...: runs it $runs times, keeps the median-wall report
# in $work/NAME; after each run, `between` removes what the run left.
between() { rm -rf "$work/Archive" "$work"/fluid.wav; }
measure() {
  local name=$1
  shift
  for run in $(seq "$runs"); do
    "$helpers/brisolt-measure" -o "$work/$name.$run" -- "$@" >/dev/null
    if ! grep -q 'status=0' "$work/$name.$run"; then
      echo "bench: '$*' failed: $(cat "$work/$name.$run")" >&2
      exit 1
    fi
    between
  done
  cat "$work/$name".* | sort -t= -k2 -g | sed -n "$(( (runs + 1) / 2 ))p" >"$work/$name"
}

compose_args=(compose --quiet --session-id "$session_id" --archive "$work/Archive")

echo "Measuring a 5-phrase compose, its I/O floor and FluidSynth ($runs runs each)..." >&2
measure compose5 "$bin/brisolt" "${compose_args[@]}" --phrases 5
measure floor5 "$helpers/brisolt-io-floor" "$work/floor" "$(field compose5 written_bytes)" "$(field compose5 read_bytes)"
notes=$("$helpers/brisolt-piece-midi" --session-id "$session_id" --phrases 5 --out "$work/piece.mid")
measure fluidsynth fluidsynth -ni -q -F "$work/fluid.wav" -r 22050 -T wav -O s16 "$soundfont" "$work/piece.mid"
# For reference, the dense piece of the measurements (82 notes a second).
"$helpers/brisolt-piece-midi" --session-id "$session_id" --phrases 5 --density 82 --out "$work/dense.mid" >/dev/null
measure fluidsynth_dense fluidsynth -ni -q -F "$work/fluid.wav" -r 22050 -T wav -O s16 "$soundfont" "$work/dense.mid"

ran_90=0
free_bytes=$(df --output=avail -B1 "$work" | tail -1)
if [ "$with_90" -eq 1 ] && [ "$free_bytes" -ge 45000000000 ]; then
  echo "Measuring one 90-phrase compose and its I/O floor (about 41 GB each)..." >&2
  runs=1
  measure compose90 "$bin/brisolt" "${compose_args[@]}" --phrases 90
  voice_file_90=$(( 44 + (90 * 16 * 4 + 3) * 44100 ))
  measure floor90 "$helpers/brisolt-io-floor" "$work/floor" "$(field compose90 written_bytes)" \
    "$(field compose90 read_bytes)" "$voice_file_90"
  ran_90=1
elif [ "$with_90" -eq 1 ]; then
  echo "Skipping 90 phrases: $((free_bytes / 1000000000)) GB free in $work, 45 GB needed." >&2
fi

row() {  # NAME LABEL
  awk -v label="$2" -v wall="$(field "$1" wall_s)" -v user="$(field "$1" user_s)" -v sys="$(field "$1" sys_s)" \
      -v peak="$(field "$1" peak_kb)" -v written="$(field "$1" written_bytes)" -v read="$(field "$1" read_bytes)" \
      'BEGIN { printf "| %-50s | %8.2f | %8.2f | %8.1f | %10.3f | %9.3f |\n",
               label, wall, user + sys, peak / 1024, written / 1e9, read / 1e9 }'
}

echo
printf "| %-50s | %8s | %8s | %8s | %10s | %9s |\n" run "wall s" "CPU s" "peak MB" "written GB" "read GB"
echo "|$(printf -- '-%.0s' $(seq 52))|----------|----------|----------|------------|-----------|"
row compose5 "brisolt compose, 5 phrases"
row floor5 "I/O floor, same bytes, 64 KiB calls"
row fluidsynth "fluidsynth -F, same notes ($(sed 's/.*notes=\([0-9]*\).*/\1/' <<<"$notes") notes, 22050 Hz)"
row fluidsynth_dense "fluidsynth -F, dense reference (82 notes/s)"
if [ "$ran_90" -eq 1 ]; then
  row compose90 "brisolt compose, 90 phrases"
  row floor90 "I/O floor, 90 phrases"
fi
echo
echo "MIDI file: $notes"

awk -v c="$(field compose5 wall_s)" -v f="$(field floor5 wall_s)" -v s="$(field fluidsynth wall_s)" \
    -v d="$(field fluidsynth_dense wall_s)" \
    -v m5="$(field compose5 peak_kb)" -v m90="$( [ "$ran_90" -eq 1 ] && field compose90 peak_kb || echo -1)" '
  function verdict(ok) { return ok ? "met" : "MISSED" }
  BEGIN {
    printf "Targets: compose within 1.5 x the I/O floor: %.2f x (%s)\n", c / f, verdict(c <= 1.5 * f)
    printf "         at least 5 x faster than FluidSynth: %.1f x (%s); %.1f x the dense reference\n", s / c,
           verdict(s >= 5 * c), d / c
    printf "         peak memory under 32 MB: %.1f MB at 5 phrases (%s)", m5 / 1024, verdict(m5 < 32768)
    if (m90 >= 0) printf ", %.1f MB at 90 (%s)", m90 / 1024, verdict(m90 < 32768)
    printf "\n"
  }'
