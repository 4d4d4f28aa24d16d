#!/usr/bin/env bash
# The face's keys lighting as a piece plays, on a virtual X screen with SDL's
# disk audio driver as the sound device: a copy of brisolt in a fresh folder
# with a synthetic Data.dat, COMPOSE with 5 phrases and the automatic Play.
# While it plays, the screen is copied every quarter of a second for six
# seconds; the keys lit on each copy are read off it (keyboard_screen.py) and
# printed with the playing time. Checks that keys light during playback, that
# copies a second apart differ in the keyboard area, that pause holds the
# keys (two copies a second apart are the same), that a phrase forward
# changes them and that Stop darkens every key. Screenshots (PNG) of each
# step land in OUT_FOLDER.
#
#   xvfb_keyboard_check.sh BRISOLT TEST_BANK_WRITER WINDOW_PREVIEW PREVIEW_FOLDER OUT_FOLDER
#
# Exits 77 (skipped) when Xvfb or xdotool is missing.
set -euo pipefail

brisolt=$1 bank_writer=$2 window_preview=$3 preview=$4 out=$5
here=$(cd "$(dirname "$0")" && pwd)
source "$here/xvfb_session.sh"

command -v Xvfb >/dev/null || skip "Xvfb is not installed (apt-get install xvfb)"
command -v xdotool >/dev/null || skip "xdotool is not installed (apt-get install xdotool)"
python=/usr/bin/python3
copy_program "$brisolt" "$bank_writer" "$out"
write_pictures "$window_preview"

start_xvfb
# The disk driver writes what the device plays to a file, paced like a sound card.
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw" PYTHONPATH="$preview:$here"

screen=$work/fb/Xvfb_screen0
png() { $python -c 'import sys; from xvfb_screenshot import xwd_to_png; xwd_to_png(sys.argv[1], sys.argv[2])' "$1" "$out/$2"; }
state() { $python "$here/window_screen.py" read "$work/pictures" "$1" "$X" "$Y"; }
keys() { $python "$here/keyboard_screen.py" keys "$work/pictures" "$1" "$X" "$Y"; }
differ() { $python "$here/keyboard_screen.py" differ "$1" "$2" "$X" "$Y"; }
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; }
# frames NAME COUNT: copies the screen COUNT times, a quarter of a second apart.
frames() {
  for i in $(seq -w 1 "$2"); do
    cp "$screen" "$work/$1-$i.xwd"
    sleep 0.25
  done
}

start_program
wait_for_main_window
$python "$here/window_screen.py" wait "$work/pictures" "$screen" "$X" "$Y" 10 "$out/1-idle.png" stop=lit >/dev/null ||
  fail "the window is not idle: $(state "$screen")"
cp "$screen" "$work/idle.xwd"
png "$work/idle.xwd" 1-idle.png
[ "$(keys "$work/idle.xwd")" = "-" ] || fail "keys lit before anything plays: $(keys "$work/idle.xwd")"

# COMPOSE, and the automatic Play.
click 480 182
$python "$here/window_screen.py" wait "$work/pictures" "$screen" "$X" "$Y" 90 "$out/2-playing.png" \
  play=lit phrase=01 >/dev/null || fail "the piece did not start playing: $(state "$screen")"

# Six seconds of playback, a copy every quarter second.
frames play 24
lit_frames=0
echo "while playing (time, lit keys; m: melody, v: other voices):"
for frame in "$work"/play-*.xwd; do
  shown=$(keys "$frame")
  [ "$shown" != "-" ] && lit_frames=$((lit_frames + 1))
  echo "  $(state "$frame" | cut -d' ' -f1-2)  $shown"
done
[ "$lit_frames" -ge 12 ] || fail "keys were lit on only $lit_frames of 24 copies of the playing window"
# Copies a second (four copies) apart: the keys move on with the music.
pairs=0 differing=0 first_pair=""
for i in $(seq 1 20); do
  a=$(printf '%s/play-%02d.xwd' "$work" "$i") b=$(printf '%s/play-%02d.xwd' "$work" $((i + 4)))
  pairs=$((pairs + 1))
  if differ "$a" "$b"; then
    differing=$((differing + 1))
    [ -z "$first_pair" ] && first_pair="$a $b"
  fi
done
echo "$differing of $pairs pairs of copies a second apart differ in the keyboard area"
# A loaded machine can hold the player back for a moment, so a quarter of
# the pairs is enough to show the keys following it.
[ "$differing" -ge $((pairs / 4)) ] || fail "only $differing of $pairs pairs a second apart differ in the keyboard area"
read -r a b <<<"$first_pair"
png "$a" 3-playing-a.png
png "$b" 4-playing-a-second-later.png
echo "screenshots: 3-playing-a.png ($(keys "$a")), 4-playing-a-second-later.png ($(keys "$b"))"

# Pause: the keys of that moment stay lit, unchanged.
click 507 277
sleep 0.5
cp "$screen" "$work/paused-a.xwd"
sleep 1
cp "$screen" "$work/paused-b.xwd"
differ "$work/paused-a.xwd" "$work/paused-b.xwd" && fail "paused, the keyboard changed"
png "$work/paused-b.xwd" 5-paused.png
echo "paused: $(state "$work/paused-b.xwd" | cut -d' ' -f1-2)  $(keys "$work/paused-b.xwd")"

# A phrase forward while paused: the keys of the new position, at once.
paused_phrase=$(state "$work/paused-b.xwd" | sed -n 's/.*phrase=\([0-9][0-9]\).*/\1/p')
click 580 327
$python "$here/window_screen.py" wait "$work/pictures" "$screen" "$X" "$Y" 5 "$out/6-phrase-forward.png" \
  "phrase!=$paused_phrase" pause=lit >/dev/null || fail "the phrase forward did not move on: $(state "$screen")"
sleep 0.3
cp "$screen" "$work/phrase-forward.xwd"
echo "a phrase forward, paused: $(state "$work/phrase-forward.xwd" | cut -d' ' -f1-2)  $(keys "$work/phrase-forward.xwd")"
differ "$work/paused-b.xwd" "$work/phrase-forward.xwd" || fail "the keys did not change with the phrase forward"
png "$work/phrase-forward.xwd" 6-phrase-forward.png

# Play on, then Stop: every key dark.
click 507 277
sleep 1.5
cp "$screen" "$work/playing-on.xwd"
png "$work/playing-on.xwd" 7-playing-on.png
echo "playing on: $(state "$work/playing-on.xwd" | cut -d' ' -f1-2)  $(keys "$work/playing-on.xwd")"
click 397 277
sleep 0.5
cp "$screen" "$work/stopped.xwd"
png "$work/stopped.xwd" 8-stopped.png
[ "$(keys "$work/stopped.xwd")" = "-" ] || fail "keys still lit after Stop: $(keys "$work/stopped.xwd")"

quit_by_x
echo "keyboard check passed"
