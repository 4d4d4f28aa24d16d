#!/usr/bin/env bash
# What the compose benchmarks share (sourced by run_compose_bench.sh and
# run_engine_bench.sh): their options, the build, the real Data.dat and a
# work folder that is also the runs' temporary folder.
#
#   source bench/compose_bench_setup.sh
#   compose_bench_setup NAME DEFAULT_RUNS "$@"
#
# sets runs (--runs N), with_90 (0 with --skip-90), bin and helpers (the
# program's and the benchmark helpers' folders), soundfont, session_id and
# work (removed on exit; $work/tmp is exported as TMPDIR). `field NAME KEY`
# reads KEY=value from the brisolt-measure report $work/NAME.
source "$(dirname "${BASH_SOURCE[0]}")/../tools/setup.sh"

compose_bench_setup() {
  local name=$1
  runs=$2
  shift 2
  with_90=1
  while [ $# -gt 0 ]; do
    case "$1" in
      --runs) runs=$2; shift 2 ;;
      --runs=*) runs=${1#--runs=}; shift ;;
      --skip-90) with_90=0; shift ;;
      *) echo "usage: bash bench/$name.sh [--runs N] [--skip-90]" >&2; exit 2 ;;
    esac
  done
  if ! [[ "$runs" =~ ^[1-9][0-9]*$ ]]; then
    echo "bench/$name.sh: --runs $runs is not a number of runs; use 1 or more" >&2
    exit 2
  fi

  install_missing "${build_packages[@]}" fluidsynth
  build_brisolt -DBRISOLT_BUILD_BENCHMARKS=ON >/dev/null
  bin="$build_dir/bin"
  helpers="$build_dir/bench"
  soundfont=/usr/share/sounds/sf2/FluidR3_GM.sf2
  session_id=20240131

  if [ "$(stat -c %s "$bin/Data.dat" 2>/dev/null || echo 0)" -lt 15696272 ]; then
    "$bin/brisolt-make-bank" >/dev/null
  fi

  work=$(mktemp -d "${TMPDIR:-/tmp}/brisolt-$name-XXXXXX")
  trap 'rm -rf "$work"' EXIT
  mkdir -p "$work/tmp"
  export TMPDIR="$work/tmp"  # the voice files, stems and scratch mixes of every run
}

field() { sed -n "s/.*\\b$2=\\([^ ]*\\).*/\\1/p" "$work/$1"; }
