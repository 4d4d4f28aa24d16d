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
source "$here/xvfb_session.sh"

command -v Xvfb >/dev/null || skip "Xvfb is not installed (apt-get install xvfb)"
need xdotool xdotool
copy_program "$brisolt" "$bank_writer" "$out"

export SDL_AUDIODRIVER=nonexistent
reason=$("$sound_problem") || fail "a sound output opened with SDL_AUDIODRIVER=$SDL_AUDIODRIVER"
echo "no sound output: $reason"

# -fp built-ins: no core fonts beyond the built-in cursor and "fixed".
start_xvfb -fp built-ins
export PYTHONPATH="$preview:$here"

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

start_program
wait_for_main_window
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

quit_by_x
echo "strip check passed"
