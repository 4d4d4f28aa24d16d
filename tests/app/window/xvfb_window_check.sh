#!/usr/bin/env bash
# Tries the real window on a virtual X screen without any core fonts, as a
# new user would: a copy of brisolt in a fresh folder with a synthetic
# Data.dat, the splash, Save with nothing composed ("Nothing to save!",
# closed with Esc), COMPOSE without Data.dat (the error box, closed with
# Enter), COMPOSE with 5 phrases, the automatic Play, pause, a phrase
# forward, Save while paused (the report box, closed with a click on OK),
# Stop, then X to quit. Clicks at the hot spots; reads the digits, lit
# buttons and position bar off the screen (window_screen.py), finds each
# message box pixel for pixel as brisolt-test-message-box paints it, centred
# on the window, and saves a screenshot (PNG) of every step.
# Checks what the program leaves behind: the saved phrase (the mix's bytes of
# phrase 2), its part of the score and the log kept, the rest of the session removed, Brisolt.INI
# written.
#
#   xvfb_window_check.sh BRISOLT TEST_BANK_WRITER WINDOW_PREVIEW PREVIEW_FOLDER OUT_FOLDER BOX_PAINTER
#
# Exits 77 (skipped) when Xvfb is missing, or xdotool is missing and cannot be
# installed.
set -euo pipefail

brisolt=$1 bank_writer=$2 window_preview=$3 preview=$4 out=$5 box_painter=$6
here=$(cd "$(dirname "$0")" && pwd)
source "$here/xvfb_session.sh"

command -v Xvfb >/dev/null || skip "Xvfb is not installed (apt-get install xvfb)"
need xdotool xdotool
copy_program "$brisolt" "$bank_writer" "$out"
cp "$(dirname "$brisolt")/brisolt.html" "$work/program/"
write_pictures "$window_preview"

# -fp built-ins: the server has no core fonts beyond its built-in cursor and
# "fixed", as on a desktop without xfonts-base.
start_xvfb -fp built-ins
export SDL_AUDIODRIVER=dummy PYTHONPATH="$preview:$here"

screenshot() {
  python3 -c 'import sys; from xvfb_screenshot import xwd_to_png; xwd_to_png(sys.argv[1], sys.argv[2])' \
    "$work/fb/Xvfb_screen0" "$out/$1"
  echo "screenshot: $out/$1"
}
# expect_window PNG SECONDS CONDITION...: waits until the window shows what the
# conditions say (see window_screen.py) and saves that screen as PNG.
expect_window() {
  local png=$1 seconds=$2 state
  shift 2
  state=$(python3 "$here/window_screen.py" wait "$work/pictures" "$work/fb/Xvfb_screen0" "$X" "$Y" "$seconds" \
    "$out/$png" "$@") || fail "$png: expected $*; the window shows $state"
  echo "screenshot: $out/$png ($state)"
}
screen_state() { python3 "$here/window_screen.py" read "$work/pictures" "$work/fb/Xvfb_screen0" "$X" "$Y"; }
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; }

# How soon the splash shows is measured by bench/splash_time.sh; here it only
# has to come, and a busy machine may take seconds to start a program.
# look_for_splash: sets splash to its window, or says why there is none.
look_for_splash() {
  splash=""
  local until=$(( $(date +%s) + 20 )) state
  while [ "$(date +%s)" -lt "$until" ]; do
    splash=$(xdotool search --onlyvisible --name '^Brisolt$' 2>/dev/null | head -1 || true)
    [ -n "$splash" ] && return 0
    kill -0 "$program" 2>/dev/null || break
    sleep 0.02
  done
  # What there is to see instead: the program's state and words, and the windows.
  if kill -0 "$program" 2>/dev/null; then
    state="is still running"
  else
    local status=0
    wait "$program" || status=$?
    state="ended with status $status"
  fi
  echo "no splash: the program $state; it printed: '$(cat "$work/stdout")'; the windows:"
  for id in $(xdotool search --name '' 2>/dev/null || true); do echo "  $id '$(xdotool getwindowname "$id" 2>/dev/null || true)'"; done
  return 1
}
started=$(date +%s.%N)
start_program
if ! look_for_splash; then
  # Seen twice on shared CI machines and never on a quiet one: the report
  # above is kept in the test's output, and the program gets a second start.
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
  echo "starting the program a second time"
  started=$(date +%s.%N)
  start_program
  look_for_splash || fail "no splash on the screen within 20 s, twice"
fi
python3 -c "import sys, time; print(f'splash on the screen after {time.time() - float(sys.argv[1]):.2f} s')" "$started"
sleep 0.5
screenshot 1-splash.png
wait_for_main_window
shown=$(date +%s.%N)
python3 -c "import sys; s = float(sys.argv[2]) - float(sys.argv[1]); print(f'main window after {s:.1f} s'); sys.exit(0 if s >= 5 else 1)" \
  "$started" "$shown" || fail "the splash was up less than five seconds"
expect_window 2-idle.png 5 time=---- phrase=-- stop=lit play=dark pause=dark record=dark bar=hidden
sleep 0.3

# SAVE with nothing composed: the box says so until Esc closes it.
click 562 277
expect_box 2a-nothing-to-save information ok "Brisolt - Save Session" "Nothing to save!"
key Escape
expect_box_gone 2a-nothing-to-save
expect_window 2b-idle-again.png 5 time=---- phrase=-- stop=lit play=dark record=dark bar=hidden

# COMPOSE without Data.dat: the error box names the missing file until Enter
# closes it, and nothing is composed.
mv "$work/program/Data.dat" "$work/Data.dat"
click 480 182
expect_box 2c-file-error error ok "Brisolt - File Error" \
  "The sample data file '$work/program/Data.dat' is missing; build it with brisolt-make-bank -o '$work/program/Data.dat'."
key Return
expect_box_gone 2c-file-error
mv "$work/Data.dat" "$work/program/Data.dat"
expect_window 2d-idle-after-error.png 5 time=---- phrase=-- stop=lit play=dark record=dark bar=hidden
[ ! -e "$work/program/Archive" ] || [ -z "$(ls "$work/program/Archive")" ] ||
  fail "COMPOSE without Data.dat left files: $(ls "$work/program/Archive")"

# COMPOSE, with the default 5 phrases. A render can be over in a second, so
# the screen is copied often meanwhile, and the first copy whose progress bar
# shows red becomes the screenshot of the window during Generate.
click 480 182
for frame in $(seq -w 1 60); do
  cp "$work/fb/Xvfb_screen0" "$work/frame$frame.xwd"
  sleep 0.05
done
python3 - "$work" "$out/3-generating.png" "$X" "$Y" <<'PY' || fail "no copy of the screen shows the window generating"
import glob, os, sys
from window_screen import Screen
from xvfb_screenshot import xwd_to_png
work, target, left, top = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
for frame in sorted(glob.glob(os.path.join(work, "frame*.xwd"))):
    red, green, blue = Screen.read(frame).pixel(left + 382, top + 232)  # the left end of the generation bar
    if red > 200 and green < 80 and blue < 80:
        xwd_to_png(frame, target)
        print("screenshot: " + target + " (" + os.path.basename(frame) + ")")
        sys.exit(0)
sys.exit(1)
PY
# The automatic Play: time and phrase digits, the position bar, play lit.
expect_window 4-playing.png 60 play=lit stop=dark pause=dark phrase=01 'time=00[0-5]?' time!=0000 bar!=hidden
mix=$(ls "$work/program/Archive/"*Pelko.wav 2>/dev/null | head -1 || true)
[ -n "$mix" ] || fail "no final mix in $work/program/Archive"
prefix=$(basename "$mix" Pelko.wav)
# With a piano SoundFont installed (H is on) the window made the rendition
# beside the mix, and Play plays it.
hifi=""
[ -f "$work/program/Archive/${prefix}PelkoL.wav" ] && hifi=yes
echo "playing $(basename "$mix") after $(python3 -c "import sys, time; print(f'{time.time() - float(sys.argv[1]):.1f}')" "$shown") s of the window"

# Pause: pause lit, and the time stands still.
click 507 277
expect_window 5-paused.png 5 pause=lit play=lit phrase=01
sleep 0.5
before=$(screen_state)
sleep 1
after=$(screen_state)
[ "$before" = "$after" ] || fail "paused, the window changed from '$before' to '$after'"

# A phrase forward: phrase 2 starts at 01:04 and, paused, stays there.
click 580 327
expect_window 6-phrase-forward.png 5 phrase=02 time=0104 bar=40 pause=lit play=lit
sleep 1
after=$(screen_state)
case "$after" in *time=0104\ phrase=02*) ;; *) fail "paused after the seek, the window went on to '$after'" ;; esac

# Save while paused keeps phrase 2: its excerpt is written, and the report
# box says so over the window until a click on its OK closes it.
click 562 277
expect_box 7-save-report information ok "Aurelune - Save Session - Phrase 2" \
  "File saved in folder $work/program/Archive/"$'\nLog file:\t'"${prefix}log.txt"$'\nMusic file:\t'"${prefix}Pelko_02.wav"
excerpt="$work/program/Archive/${prefix}Pelko_02.wav"
[ -f "$excerpt" ] || fail "Save did not write $(basename "$excerpt"): $(ls "$work/program/Archive")"
[ "$(stat -c %s "$excerpt")" -eq $((44 + 2822400)) ] || fail "the excerpt has $(stat -c %s "$excerpt") bytes, expected 2822444"
# Phrase 2 of the mix: 64 s from two samples before the end of the 20682-byte
# lead-in, counted from byte 40.
cmp -s <(tail -c +$((20682 + 40 + 2822400 + 1)) "$mix" | head -c 2822400) <(tail -c +45 "$excerpt") ||
  fail "the excerpt's samples are not phrase 2 of the mix"
if [ -n "$hifi" ]; then
  # The rendition's excerpt: the same 64 s, at 44.1 kHz stereo 16-bit; and
  # the phrase's MIDI file.
  renditionExcerpt="$work/program/Archive/${prefix}PelkoL_02.wav"
  [ "$(stat -c %s "$renditionExcerpt" 2>/dev/null)" = $((44 + 64 * 176400)) ] ||
    fail "the rendition's excerpt of phrase 2 is missing or not 64 s long: $(ls -l "$work/program/Archive")"
  [ -s "$work/program/Archive/${prefix}Piano_02.mid" ] || fail "Save did not write ${prefix}Piano_02.mid"
fi
# OK: the one button, centred 16 + 26 pixels above the box's bottom edge.
click $((box_x + box_w / 2)) $((box_y + box_h - 16 - 13))
expect_box_gone 7-save-report
expect_window 8-saved.png 5 time=0104 phrase=02 pause=lit play=lit record=dark

# Stop: stop lit, the digits and the bar gone.
click 397 277
expect_window 9-stopped.png 5 stop=lit play=dark pause=dark time=---- phrase=-- bar=hidden

# X quits.
quit_by_x

expected=$'KeySignature=C\nScale=Major\nMotifMode=B\nPhraseMode=B\nPhrases=5\nHiFi=On'
[ "$(cat "$work/program/Brisolt.INI")" = "$expected" ] || fail "Brisolt.INI: $(cat "$work/program/Brisolt.INI")"
kept=$(ls "$work/program/Archive" | tr '\n' ' ')
keep="${prefix}Pelko_02.wav ${prefix}log.txt ${prefix}score_02.json "
[ -n "$hifi" ] && keep="${prefix}PelkoL_02.wav ${prefix}Pelko_02.wav ${prefix}Piano_02.mid ${prefix}log.txt ${prefix}score_02.json "
[ "$kept" = "$keep" ] ||
  fail "the archive should keep only the saved phrase, its part of the score and the log of $prefix, it holds: $kept"
echo "window check passed in $(python3 -c "import sys, time; print(f'{time.time() - float(sys.argv[1]):.1f}')" "$started") s"
