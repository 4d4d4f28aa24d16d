# What the checks of the real window on a virtual X screen share, sourced by
# the xvfb_*_check.sh scripts and bench/window_generate_bench.sh: a work folder
# that goes on exit with the X server and the program, starting Xvfb and the
# program, finding the main window, keys, message boxes found on the screen
# pixel for pixel, and quitting by the X key.
#
# The sourcing script runs under `set -euo pipefail`. Sourcing it makes
# $work and sets the exit trap; the functions set server, program, window, X
# and Y (the client origin on the screen). Set keep_work to keep $work.

skip() { echo "SKIPPED: $*"; exit 77; }
fail() { echo "FAILED: $*"; exit 1; }

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

work=$(mktemp -d)
server=""
program=""
keep_work=""
end_session() {
  [ -n "$program" ] && kill "$program" 2>/dev/null || true
  [ -n "$server" ] && kill "$server" 2>/dev/null || true
  wait 2>/dev/null || true
  [ -n "$keep_work" ] || rm -rf "$work"
}
trap end_session EXIT

# copy_program BRISOLT BANK_WRITER OUT_FOLDER: a copy of BRISOLT in
# $work/program with a synthetic Data.dat; OUT_FOLDER made, its screenshots
# of an earlier run removed.
copy_program() {
  mkdir -p "$work/program" "$3"
  rm -f "$3"/*.png
  cp "$1" "$work/program/brisolt"
  "$2" "$work/program/Data.dat"
}

# write_pictures WINDOW_PREVIEW: the program's pictures in $work/pictures,
# for window_screen.py to read the screen by.
write_pictures() {
  mkdir -p "$work/pictures"
  SDL_VIDEODRIVER=dummy "$1" --pictures "$work/pictures" >/dev/null || fail "cannot write the pictures"
}

# start_xvfb [XVFB_OPTION...]: a 1024 x 768 screen whose frame buffer is the
# file $work/fb/Xvfb_screen0. Exports DISPLAY, SDL_VIDEODRIVER=x11, and HOME
# and TMPDIR in $work.
start_xvfb() {
  mkdir -p "$work/fb" "$work/home" "$work/tmp"
  Xvfb -displayfd 3 "$@" -screen 0 1024x768x24 -fbdir "$work/fb" -nolisten tcp 3>"$work/display" 2>/dev/null &
  server=$!
  for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || fail "Xvfb did not start"
  export DISPLAY=":$(cat "$work/display")" SDL_VIDEODRIVER=x11 HOME="$work/home" TMPDIR="$work/tmp"
}

# start_program: runs the copy in $work/program, its output to $work/stdout.
start_program() {
  "$work/program/brisolt" >"$work/stdout" 2>&1 &
  program=$!
}

# wait_for_main_window [TRIES] [PAUSE]: waits until the main window is on the
# screen, looking TRIES times (200) PAUSE seconds (0.1) apart; sets window, X
# and Y.
wait_for_main_window() {
  local tries=${1:-200} pause=${2:-0.1}
  window=""
  for _ in $(seq "$tries"); do
    window=$(xdotool search --onlyvisible --name "Aurelune" 2>/dev/null | head -1 || true)
    [ -n "$window" ] && break
    sleep "$pause"
  done
  [ -n "$window" ] || fail "the main window did not appear; output: $(cat "$work/stdout")"
  eval "$(xdotool getwindowgeometry --shell "$window")"
}

# key KEY...: types the keys into the main window.
key() { xdotool windowfocus --sync "$window" 2>/dev/null || true; xdotool key "$@"; }

# expect_box NAME ICON BUTTONS CAPTION TEXT: paints the box the window should
# show with $box_painter, checks it is centred on the client area, and waits
# until the screen shows it there, pixel for pixel (saved as $out/NAME.png;
# window_screen.py is found in $here).
# Sets box_x, box_y, box_w, box_h (client pixels).
expect_box() {
  local name=$1
  read -r box_x box_y box_w box_h < <("$box_painter" "$work/$name-expected.png" 650 600 "$2" "$3" "$4" "$5") ||
    fail "cannot paint the expected box $name"
  [ $((2 * box_x + box_w - 650)) -ge -1 ] && [ $((2 * box_x + box_w - 650)) -le 1 ] &&
    [ $((2 * box_y + box_h - 600)) -ge -1 ] && [ $((2 * box_y + box_h - 600)) -le 1 ] ||
    fail "box $name at ($box_x, $box_y) $box_w x $box_h is not centred on the 650 x 600 window"
  xdotool mousemove --window "$window" 1 1  # no button under the pointer
  python3 "$here/window_screen.py" box "$work/fb/Xvfb_screen0" "$X" "$Y" "$work/$name-expected.png" "$box_x" "$box_y" \
    10 "$out/$name.png" || fail "$name: the box '$4' is not on the screen at ($box_x, $box_y) of the window; see $out/$name.png"
  cp "$work/$name-expected.png" "$out/$name-expected.png"
  echo "screenshot: $out/$name.png (box '$4' at $box_x, $box_y, $box_w x $box_h, centred on the window)"
}
# expect_box_gone NAME: waits until the box expect_box found is off the screen.
expect_box_gone() {
  python3 "$here/window_screen.py" box "$work/fb/Xvfb_screen0" "$X" "$Y" "$work/$1-expected.png" "$box_x" "$box_y" \
    5 "$out/$1-closed.png" gone || fail "the box $1 is still on the screen"
}

# quit_by_x: the X key ends the program, with status 0.
quit_by_x() {
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  # The window may be gone before the key's release is sent to it (xdotool
  # then reports BadWindow); whether X ended the program is checked below.
  xdotool key --window "$window" x 2>/dev/null || true
  for _ in $(seq 100); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$program" 2>/dev/null && fail "X did not end the program"
  wait "$program" || fail "the program ended with status $?"
  program=""
}
