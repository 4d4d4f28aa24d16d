#!/usr/bin/env bash
# Tries the session-id entry and the status strip of the real window on a
# virtual X screen without core fonts and without any sound output
# (SDL_AUDIODRIVER names a driver that does not exist): F3 opens the entry
# over the window, Esc leaves it, F3 again, ten digits and Enter set the
# next piece's session id, which the strip then names; COMPOSE by the Enter
# key makes that piece (its log says so) and, as it cannot be played, the
# strip says that there is no sound output device, why, and where the piece
# is, shortened to fit the strip. Every box and every line of the strip is
# found on the screen pixel for pixel as brisolt-test-message-box and
# brisolt-test-text-strip paint them; a screenshot (PNG) of every step is
# saved in OUT_FOLDER.
#
#   xvfb_strip_check.sh BRISOLT TEST_BANK_WRITER PREVIEW_FOLDER OUT_FOLDER BOX_PAINTER STRIP_PAINTER SOUND_PROBLEM
#
# Exits 77 (skipped) when Xvfb is missing, or xdotool is missing and cannot be
# installed.
set -euo pipefail

brisolt=$1 bank_writer=$2 preview=$3 out=$4 box_painter=$5 strip_painter=$6 sound_problem=$7
here=$(cd "$(dirname "$0")" && pwd)
skip() { echo "SKIPPED: $*"; exit 77; }
fail() { echo "FAILED: $*"; exit 1; }

command -v Xvfb >/dev/null || skip "Xvfb is not installed (apt-get install xvfb)"
# need COMMAND PACKAGE: installs PACKAGE when COMMAND is missing (as root), or skips.
need() {
  command -v "$1" >/dev/null && return
  if [ "$(id -u)" -eq 0 ] && command -v apt-get >/dev/null; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "$2" >/dev/null 2>&1 ||
      skip "$1 is not installed and $2 could not be installed"
  else
    skip "$1 is not installed (apt-get install $2)"
  fi
}
need xdotool xdotool

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
rm -f "$out"/*.png
cp "$brisolt" "$work/program/brisolt"
"$bank_writer" "$work/program/Data.dat"

export SDL_AUDIODRIVER=nonexistent
reason=$("$sound_problem") || fail "a sound output opened with SDL_AUDIODRIVER=$SDL_AUDIODRIVER"
echo "no sound output: $reason"

# -fp built-ins: no core fonts beyond the built-in cursor and "fixed".
Xvfb -displayfd 3 -fp built-ins -screen 0 1024x768x24 -fbdir "$work/fb" -nolisten tcp 3>"$work/display" 2>/dev/null &
server=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")" SDL_VIDEODRIVER=x11
export HOME="$work/home" TMPDIR="$work/tmp" PYTHONPATH="$preview:$here"

key() { xdotool windowfocus --sync "$window" 2>/dev/null || true; xdotool key "$@"; }

# expect_box NAME ICON BUTTONS CAPTION TEXT: waits until the screen shows the
# box, pixel for pixel, centred on the 650 x 600 client area (NAME.png).
expect_box() {
  local name=$1
  read -r box_x box_y box_w box_h < <("$box_painter" "$work/$name-expected.png" 650 600 "$2" "$3" "$4" "$5") ||
    fail "cannot paint the expected box $name"
  [ $((2 * box_x + box_w - 650)) -ge -1 ] && [ $((2 * box_x + box_w - 650)) -le 1 ] &&
    [ $((2 * box_y + box_h - 600)) -ge -1 ] && [ $((2 * box_y + box_h - 600)) -le 1 ] ||
    fail "box $name at ($box_x, $box_y) $box_w x $box_h is not centred on the 650 x 600 window"
  xdotool mousemove --window "$window" 1 1
  python3 "$here/window_screen.py" box "$work/fb/Xvfb_screen0" "$X" "$Y" "$work/$name-expected.png" "$box_x" "$box_y" \
    10 "$out/$name.png" || fail "$name: the box '$4' is not on the screen at ($box_x, $box_y) of the window; see $out/$name.png"
  echo "screenshot: $out/$name.png (box '$4' at $box_x, $box_y, $box_w x $box_h, centred on the window)"
}
expect_box_gone() {
  python3 "$here/window_screen.py" box "$work/fb/Xvfb_screen0" "$X" "$Y" "$work/$1-expected.png" "$box_x" "$box_y" \
    5 "$out/$1-closed.png" gone || fail "the box $1 is still on the screen"
}
# expect_strip NAME SECONDS TEXT: waits until the status strip (15, 530)
# shows TEXT as the window paints it, pixel for pixel (NAME.png).
expect_strip() {
  local line
  line=$("$strip_painter" "$work/$1-strip.png" "$3") || fail "cannot paint the strip for '$3'"
  python3 "$here/window_screen.py" box "$work/fb/Xvfb_screen0" "$X" "$Y" "$work/$1-strip.png" 15 530 "$2" "$out/$1.png" ||
    fail "$1: the status strip does not show '$line'; see $out/$1.png"
  cp "$work/$1-strip.png" "$out/$1-strip-expected.png"
  echo "screenshot: $out/$1.png (the strip shows '$line')"
}

"$work/program/brisolt" >"$work/stdout" 2>&1 &
program=$!
window=""
for _ in $(seq 200); do
  window=$(xdotool search --onlyvisible --name "Aurelune" 2>/dev/null | head -1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || fail "the main window did not appear; output: $(cat "$work/stdout")"
eval "$(xdotool getwindowgeometry --shell "$window")"  # X and Y: the client origin
expect_strip 1-empty-strip 5 ""
sleep 0.3

# F3 opens the entry over the window; Esc leaves it and changes nothing.
caption="Brisolt - Session ID"
prompt='The session id of a piece, as its log shows it ("Session ID: ..."). The next COMPOSE makes that piece again with the settings shown. Enter to use it, Esc to leave.'
key F3
expect_box 2-session-entry question ok "$caption" "$prompt"$'\n\n    _'
key Escape
expect_box_gone 2-session-entry
expect_strip 3-strip-after-esc 5 ""

# F3, ten digits and Enter: the strip names the session the next COMPOSE makes.
session_id=1052345678
key F3
expect_box 2-session-entry question ok "$caption" "$prompt"$'\n\n    _'
key $(echo "$session_id" | sed 's/./& /g')
expect_box 4-session-entry-typed question ok "$caption" "$prompt"$'\n\n    '"${session_id}_"
key Return
expect_box_gone 4-session-entry-typed
expect_strip 5-strip-next-session 5 "The next COMPOSE re-creates session $session_id"

# COMPOSE by Enter: the piece of that session id is made, and as it cannot
# be played the strip says why and where it is.
key Return
mix=""
for _ in $(seq 600); do
  mix=$(ls "$work/program/Archive/"*Pelko.wav 2>/dev/null | head -1 || true)
  [ -n "$mix" ] && break
  sleep 0.1
done
[ -n "$mix" ] || fail "no final mix in $work/program/Archive; output: $(cat "$work/stdout")"
log="${mix%Pelko.wav}log.txt"
# The log's lines end in CR LF.
tr -d '\r' <"$log" | grep -qx "Session ID: $session_id" ||
  fail "the piece was not made with session id $session_id: $(grep 'Session ID' "$log")"
expect_strip 6-strip-no-sound 60 "No sound output device ($reason) · the piece is in $mix"

key x
for _ in $(seq 100); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
kill -0 "$program" 2>/dev/null && fail "X did not end the program"
wait "$program" || fail "the program ended with status $?"
program=""
echo "strip check passed"
