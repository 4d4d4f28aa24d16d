#!/usr/bin/env bash
# Measures how soon the splash is on the screen after brisolt starts, and how
# long it stays there, on a virtual X screen without core fonts. Prints one
# line per run.
#
#   bench/splash_time.sh BRISOLT [RUNS]
set -euo pipefail
brisolt=$1 runs=${2:-3}
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || { echo "needs xvfb and xdotool"; exit 2; }

# seconds_until NAME_PATTERN LIMIT: polls until a visible window matches.
seconds_until() {
  for _ in $(seq "$2"); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 && break
    sleep 0.01
  done
  date +%s.%N
}

for run in $(seq "$runs"); do
  work=$(mktemp -d)
  mkdir -p "$work/program" "$work/home"
  cp "$brisolt" "$work/program/brisolt"
  Xvfb -displayfd 3 -fp built-ins -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
  server=$!
  for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
  started=$(date +%s.%N)
  DISPLAY=":$(cat "$work/display")" SDL_AUDIODRIVER=dummy HOME="$work/home" "$work/program/brisolt" >/dev/null 2>&1 &
  program=$!
  splash=$(DISPLAY=":$(cat "$work/display")" seconds_until '^Brisolt$' 1000)
  main=$(DISPLAY=":$(cat "$work/display")" seconds_until 'Aurelune' 1500)
  python3 -c "import sys; a, b, c = map(float, sys.argv[2:]); print(f'run {sys.argv[1]}: splash after {b - a:.2f} s, on the screen {c - b:.2f} s')" \
    "$run" "$started" "$splash" "$main"
  kill "$program" "$server" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
done
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
