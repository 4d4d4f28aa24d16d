#!/usr/bin/env bash
# Tries the real window on a virtual X screen, as a new user would: a copy of
# brisolt in a fresh folder with a synthetic Data.dat, the splash, COMPOSE
# with 5 phrases, the automatic Play, then X to quit. Saves screenshots (PNG)
# of the splash, the idle window, the window during Generate and after it,
# and checks what the program leaves behind: Brisolt.INI written, the unsaved
# session removed.
#
#   xvfb_window_check.sh BRISOLT TEST_BANK_WRITER PREVIEW_FOLDER OUT_FOLDER
#
# Exits 77 (skipped) when Xvfb is missing, or xdotool is missing and cannot
# be installed.
set -euo pipefail

brisolt=$1 bank_writer=$2 preview=$3 out=$4
skip() { echo "SKIPPED: $*"; exit 77; }
fail() { echo "FAILED: $*"; exit 1; }

command -v Xvfb >/dev/null || skip "Xvfb is not installed (apt-get install xvfb)"
if ! command -v xdotool >/dev/null; then
  if [ "$(id -u)" -eq 0 ] && command -v apt-get >/dev/null; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends xdotool >/dev/null 2>&1 ||
      skip "xdotool is not installed and could not be installed"
  else
    skip "xdotool is not installed (apt-get install xdotool)"
  fi
fi

work=$(mktemp -d)
server=""
program=""
cleanup() {
  [ -n "$program" ] && kill "$program" 2>/dev/null || true
  [ -n "$server" ] && kill "$server" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/program" "$work/home" "$work/tmp" "$work/fb" "$out"
cp "$brisolt" "$work/program/brisolt"
cp "$(dirname "$brisolt")/brisolt.html" "$work/program/"
"$bank_writer" "$work/program/Data.dat"

Xvfb -displayfd 3 -screen 0 1024x768x24 -fbdir "$work/fb" -nolisten tcp 3>"$work/display" 2>/dev/null &
server=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")" SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
export HOME="$work/home" TMPDIR="$work/tmp"

screenshot() {
  python3 -c 'import sys; sys.path.insert(0, sys.argv[1]); from xvfb_screenshot import xwd_to_png; xwd_to_png(sys.argv[2], sys.argv[3])' \
    "$preview" "$work/fb/Xvfb_screen0" "$out/$1"
  echo "screenshot: $out/$1"
}

started=$(date +%s.%N)
"$work/program/brisolt" >"$work/stdout" 2>&1 &
program=$!

sleep 2.5
screenshot 1-splash.png
window=""
for _ in $(seq 200); do
  window=$(xdotool search --onlyvisible --name "Aurelune" 2>/dev/null | head -1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || fail "the main window did not appear; output: $(cat "$work/stdout")"
shown=$(date +%s.%N)
python3 -c "import sys; s = float(sys.argv[2]) - float(sys.argv[1]); print(f'main window after {s:.1f} s'); sys.exit(0 if s >= 5 else 1)" \
  "$started" "$shown" || fail "the splash was up less than five seconds"
sleep 0.5
screenshot 2-idle.png

# COMPOSE, with the default 5 phrases. A render can be over in a second, so
# the screen is copied often meanwhile, and the first copy whose progress bar
# shows red becomes the screenshot of the window during Generate.
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove --window "$window" 480 182 click 1
for frame in $(seq -w 1 60); do
  cp "$work/fb/Xvfb_screen0" "$work/frame$frame.xwd"
  sleep 0.05
done
python3 - "$preview" "$work" "$out/3-generating.png" "$X" "$Y" <<'PY' || fail "no copy of the screen shows the window generating"
import glob, os, struct, sys
sys.path.insert(0, sys.argv[1])
from xvfb_screenshot import xwd_to_png
work, target, left, top = sys.argv[2], sys.argv[3], int(sys.argv[4]), int(sys.argv[5])
def pixel(path, x, y):
    data = open(path, "rb").read()
    fields = struct.unpack(">25I", data[:100])
    start = fields[0] + fields[19] * 12 + y * fields[12] + x * 4
    blue, green, red = data[start], data[start + 1], data[start + 2]
    return red, green, blue
for frame in sorted(glob.glob(os.path.join(work, "frame*.xwd"))):
    red, green, blue = pixel(frame, left + 382, top + 232)  # the left end of the generation bar
    if red > 200 and green < 80 and blue < 80:
        xwd_to_png(frame, target)
        print("screenshot: " + target + " (" + os.path.basename(frame) + ")")
        sys.exit(0)
sys.exit(1)
PY
mix=""
for _ in $(seq 600); do
  mix=$(ls "$work/program/Archive/"*Pelko.wav 2>/dev/null | head -1 || true)
  [ -n "$mix" ] && break
  sleep 0.1
done
[ -n "$mix" ] || fail "no final mix in $work/program/Archive"
echo "final mix after $(python3 -c "import sys, time; print(f'{time.time() - float(sys.argv[1]):.1f}')" "$shown") s of the window"
sleep 2.5
screenshot 4-playing.png

# X quits.
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --window "$window" x
for _ in $(seq 100); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
kill -0 "$program" 2>/dev/null && fail "X did not end the program"
wait "$program" || fail "the program ended with status $?"
program=""

expected=$'KeySignature=C\nScale=Major\nMotifMode=B\nPhraseMode=B\nPhrases=5'
[ "$(cat "$work/program/Brisolt.INI")" = "$expected" ] || fail "Brisolt.INI: $(cat "$work/program/Brisolt.INI")"
left=$(ls "$work/program/Archive" | wc -l)
[ "$left" -eq 0 ] || fail "the unsaved session left $left files: $(ls "$work/program/Archive")"
echo "window check passed"
