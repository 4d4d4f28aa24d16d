#!/usr/bin/env bash
# Generate in the window against `brisolt compose`, side by side: one window
# on a virtual X screen (no core fonts), a piece of PHRASES phrases (C Major,
# B/B) with a fixed session id typed into the session-id entry (F3), COMPOSE
# by the Enter key, timed until the window's Generate has written the final
# mix (its progress log says so); then `brisolt compose` with the same
# settings and --session-id, timed to its exit. Runs interleave; the medians
# and their ratio are printed, with the remaining-time estimates the window
# showed from the 20 % mark of the bar on compared with the real end.
#
# Both make the MIDI file and the stereo rendition, as the window does by
# default; HIFI=off runs both without (Brisolt.INI says HiFi=Off, and the
# command gets --no-hifi).
#
# The remaining-time estimates are replayed from the window's progress log
# (brisolt-estimate-replay, built in build/bench/) with every step
# weighed alike, as before, and with the measured step costs, as now; the
# time of each stretch of the bar is printed for measuring the costs anew
# (app/window/generate_step_costs.cpp).
#
#   bench/window_generate_bench.sh BRISOLT DATA_DAT [PHRASES] [RUNS]
#
# BRISOLT is the built executable, DATA_DAT the real sample bank
# (brisolt-make-bank writes it). Needs Xvfb and xdotool. A run that has not
# ended after WAIT_SECONDS (default 300) stops the benchmark with what the
# window printed.
set -euo pipefail
brisolt=$(realpath "$1") data=$(realpath "$2") phrases=${3:-20} runs=${4:-5}
session_id=1052345678
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || { echo "needs xvfb and xdotool"; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
replay=$(dirname "$brisolt")/../bench/brisolt-estimate-replay  # BRISOLT is build/bin/brisolt
[ -x "$replay" ] || { echo "needs $replay (build the benchmarks)"; exit 2; }
python=/usr/bin/python3
[ -x "$python" ] || python=python3
wait_seconds=${WAIT_SECONDS:-300}

source "$here/../tests/app/window/xvfb_session.sh"
keep_work=${BENCH_KEEP:-}
mkdir -p "$work/program" "$work/command"
cp "$brisolt" "$work/program/brisolt"
# A copy (or a hard link): the program never follows a symbolic link.
ln "$data" "$work/program/Data.dat" 2>/dev/null || cp "$data" "$work/program/Data.dat"
case "${HIFI:-on}" in
  on) hifi_option=--hifi; replay_mode=rendition ;;
  off) hifi_option=--no-hifi; replay_mode="" ;;
  *) echo "HIFI is on or off"; exit 2 ;;
esac
[ "$hifi_option" = --hifi ] && hifi_line=On || hifi_line=Off
printf 'HiFi=%s\n' "$hifi_line" >"$work/program/Brisolt.INI"  # the other settings as at a first start

start_xvfb -fp built-ins
# No sound output: the automatic Play after Generate fails at once and the
# window is idle again for the next run's F3 (a Stop click could come before
# Play starts and miss it).
export SDL_AUDIODRIVER=nonexistent BRISOLT_PROGRESS_LOG="$work/progress.log"

start_program
wait_for_main_window 300 0.05
sleep 0.5
# The phrase count: 5 at start, five more per +.
for _ in $(seq $(((phrases - 5) / 5))); do key KP_Add; sleep 0.1; done

# now: seconds since the epoch, to the microsecond.
now() { date +%s.%N; }
# wait_done RUN: waits until the progress log's RUN-th run is done; prints
# when. Fails when the window ends, or after WAIT_SECONDS.
wait_done() {
  "$python" - "$work/progress.log" "$1" "$program" "$wait_seconds" <<'PY'
import os, sys, time
path, run, program, limit = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), float(sys.argv[4])
started = time.time()
while True:
    try:
        with open(path) as log:
            if sum(line.startswith("done ") for line in log) >= run:
                break
    except FileNotFoundError:
        pass
    if not os.path.exists(f"/proc/{program}") or time.time() - started > limit:
        sys.exit(1)
    time.sleep(0.005)
print(f"{time.time():.6f}")
PY
}

for run in $(seq "$runs"); do
  # Keys typed before the entry is open are dropped with the window's
  # pending input; on a busy machine opening it can take a while.
  key F3; sleep 1.5
  key $(echo "$session_id" | sed 's/./& /g'); key Return; sleep 1
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  started=$(now)
  xdotool key Return
  ended=$(wait_done "$run") || {
    echo "the window's Generate $run did not end within $wait_seconds s; the window printed:"
    cat "$work/stdout"
    exit 1
  }
  echo "window $run $("$python" -c "import sys; print(f'{float(sys.argv[2]) - float(sys.argv[1]):.3f}')" "$started" "$ended")" \
    | tee -a "$work/times"
  sleep 0.5

  started=$(now)
  "$brisolt" compose "$hifi_option" --key C --scale Major --motif B --phrase-mode B --phrases "$phrases" \
    --session-id "$session_id" --archive "$work/command/" --data "$data" --quiet >"$work/compose.out"
  ended=$(now)
  echo "command $run $("$python" -c "import sys; print(f'{float(sys.argv[2]) - float(sys.argv[1]):.3f}')" "$started" "$ended")" \
    | tee -a "$work/times"
  mix=$(head -1 "$work/compose.out")
  window_mix=$(ls "$work/program/Archive/"*Pelko.wav 2>/dev/null | head -1 || true)
  if [ -n "$window_mix" ] && ! cmp -s "$mix" "$window_mix"; then echo "the window's and the command's mixes differ"; fi
  rm -f "$work/command/"*
done

"$python" "$here/app/window_generate_report.py" "$work/times" "$work/progress.log"
"$replay" "$work/progress.log" "$phrases" $replay_mode
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
