#!/usr/bin/env bash
# How fast the mastered stereo rendition is made: synthetic pieces of 5 and
# 90 phrases (about six notes a second) played by FluidSynth, measured,
# mastered and written as the program makes it. Prints the figures of every run, then the median
# speed (audio seconds per wall second) against the 120x target, and the
# speed per CPU second, which other work on the machine disturbs less (also
# for the rendition alone, leaving out the process start-up that the program
# pays with or without it). Then `brisolt compose` of the same 5- and 90-phrase
# pieces on the real Data.dat with --hifi and --no-hifi, in turns: what the
# rendition adds to a compose.
#
#   bash bench/run_rendition_bench.sh [--runs N] [--skip-90]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../tools/setup.sh"

runs=3
phrase_counts=(5 90)
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs=$2; shift 2 ;;
    --skip-90) phrase_counts=(5); shift ;;
    *) echo "usage: bash bench/run_rendition_bench.sh [--runs N] [--skip-90]" >&2; exit 2 ;;
  esac
done

install_missing "${build_packages[@]}"
cmake -S "$repo_root" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DBRISOLT_WERROR=ON \
  -DBRISOLT_BUILD_BENCHMARKS=ON >/dev/null
cmake --build "$build_dir" --target brisolt-rendition-bench >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/brisolt-rendition-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
for phrases in "${phrase_counts[@]}"; do
  : >"$work/runs"
  for run in $(seq "$runs"); do
    "$build_dir/bench/brisolt-rendition-bench" "$phrases" "$work/piece.wav" | tee -a "$work/runs"
    rm -f "$work/piece.wav"
  done
  # median of a key=value field over the runs
  median() { grep -o " $1=[0-9.]*" "$work/runs" | cut -d= -f2 | sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
  echo "== $phrases phrases: median speed $(median speed_x)x real time (target 120x), $(median cpu_speed_x)x per CPU second ($(median render_cpu_speed_x)x for the rendition alone, without process start-up), peak memory $(median max_rss_mb) MB"
done

# compose with and without the rendition, in turns; the median wall time of each.
data="$build_dir/bin/Data.dat"
[ "$(stat -c %s "$data" 2>/dev/null || echo 0)" -ge 15696272 ] || "$build_dir/bin/brisolt-make-bank" >/dev/null
cmake --build "$build_dir" --target brisolt >/dev/null
for phrases in "${phrase_counts[@]}"; do
  : >"$work/composes"
  for run in $(seq "$runs"); do
    for hifi in --hifi --no-hifi; do
      started=$(date +%s.%N)
      "$build_dir/bin/brisolt" compose "$hifi" --quiet --phrases "$phrases" --session-id 20240131 \
        --data "$data" --archive "$work/Archive/" >/dev/null
      awk -v h="$hifi" -v a="$started" -v b="$(date +%s.%N)" 'BEGIN { print h, b - a }' >>"$work/composes"
      rm -rf "$work/Archive"
    done
  done
  with=$(grep -- '^--hifi' "$work/composes" | cut -d' ' -f2 | sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}')
  without=$(grep -- '^--no-hifi' "$work/composes" | cut -d' ' -f2 | sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}')
  awk -v p="$phrases" -v w="$with" -v o="$without" 'BEGIN {
    audio = 64 * p + 3
    printf "== compose of %d phrases: %.2f s with the rendition, %.2f s without; the rendition adds %.2f s, %.0fx real time for %d s of music\n", p, w, o, w - o, audio / (w - o), audio }'
done
