#!/usr/bin/env bash
# Checks one part of what cmake --install ships with the validator its users'
# desktops and distributions use:
#   dist_check.sh metainfo|desktop|man|completion|icons DIST_DIR [ICONS_DIR]
#   dist_check.sh install DIST_DIR BUILD_DIR SOUNDFONT
set -uo pipefail
part=$1
dist=$2
icons=${3:-}

# need <program> <package>: fails the check when the validator is missing.
need() {
  command -v "$1" >/dev/null || { echo "FAIL: $1 is missing; install the Debian package $2"; exit 1; }
}

case $part in
  metainfo)
    need appstreamcli appstream
    appstreamcli validate --no-net --explain "$dist/brisolt.metainfo.xml" || exit 1
    # The desktop id it launches must be the entry that is installed.
    grep -q '<launchable type="desktop-id">brisolt.desktop</launchable>' "$dist/brisolt.metainfo.xml" || {
      echo "FAIL: the metainfo does not launch brisolt.desktop"; exit 1; }
    ;;
  desktop)
    need desktop-file-validate desktop-file-utils
    report=$(desktop-file-validate "$dist/brisolt.desktop" 2>&1)
    [ -z "$report" ] || { echo "FAIL: desktop-file-validate:"; echo "$report"; exit 1; }
    ;;
  man)
    need man man-db
    need groff groff-base
    for page in "$dist"/man/*.1; do
      # groff's warnings (-ww) and man's own check of the page as it renders.
      warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings=w -l -Tutf8 "$page" 2>&1 >/dev/null)
      [ -z "$warnings" ] || { echo "FAIL: $page:"; echo "$warnings"; exit 1; }
      text=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page" 2>/dev/null | col -b)
      for section in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS"; do
        grep -q "^$section" <<<"$text" || { echo "FAIL: $page has no $section section"; exit 1; }
      done
    done
    text=$(LC_ALL=C.UTF-8 man -l "$dist/man/brisolt.1" 2>/dev/null | col -b)
    for word in compose plan play FILES ENVIRONMENT XDG_DATA_HOME; do
      grep -q "$word" <<<"$text" || { echo "FAIL: brisolt.1 does not mention $word"; exit 1; }
    done
    ;;
  completion)
    bash -n "$dist/completion/brisolt.bash" || exit 1
    # The bash completion offers the subcommands and a subcommand's options.
    offered=$(bash -c '
      _init_completion() { cur=${COMP_WORDS[COMP_CWORD]}; prev=${COMP_WORDS[COMP_CWORD-1]};
                           words=("${COMP_WORDS[@]}"); cword=$COMP_CWORD; }
      source "$1"
      COMP_WORDS=(brisolt ""); COMP_CWORD=1; _brisolt; echo "${COMPREPLY[*]}"
      COMP_WORDS=(brisolt compose --); COMP_CWORD=2; _brisolt; echo "${COMPREPLY[*]}"
      COMP_WORDS=(brisolt compose --key B); COMP_CWORD=3; _brisolt; echo "${COMPREPLY[*]}"' _ "$dist/completion/brisolt.bash")
    grep -q "compose plan play" <<<"$offered" || { echo "FAIL: no subcommands offered: $offered"; exit 1; }
    grep -q -- "--phrases" <<<"$offered" || { echo "FAIL: compose's options not offered: $offered"; exit 1; }
    grep -q "^B Bb$\|^Bb B$" <<<"$offered" || { echo "FAIL: keys after --key B: $offered"; exit 1; }
    if command -v zsh >/dev/null; then
      zsh -n "$dist/completion/_brisolt" || exit 1
    fi
    ;;
  icons)
    # Debian's Python, where python3-pil installs the image library.
    /usr/bin/python3 -c 'import PIL' 2>/dev/null || { echo "FAIL: python3-pil is missing"; exit 1; }
    /usr/bin/python3 - "$icons" <<'PY' || exit 1
import sys
from PIL import Image
folder = sys.argv[1]
for size in (16, 32, 48, 64, 128, 256):
    path = f"{folder}/brisolt-{size}.png"
    image = Image.open(path)
    assert image.size == (size, size), f"{path}: {image.size}, expected {size}x{size}"
    assert image.mode == "RGBA", f"{path}: mode {image.mode}, expected RGBA"
    alpha = image.getchannel("A")
    last = size - 1
    corners = [alpha.getpixel(p) for p in ((0, 0), (last, 0), (0, last), (last, last))]
    assert corners == [0, 0, 0, 0], f"{path}: corner alphas {corners}, expected all 0"
    centre = alpha.getpixel((size // 2, size // 2))
    assert centre == 255, f"{path}: centre alpha {centre}, expected 255"
    edge = alpha.getpixel((size // 2, 0))
    assert edge > 0, f"{path}: the middle of the top edge is transparent"
print("icons: 6 sizes, transparent corners, opaque centre")
PY
    # The scalable icon: well-formed SVG, square, shapes only (no embedded
    # picture), transparent outside its rounded square.
    /usr/bin/python3 - "$dist/icons/brisolt.svg" <<'PY' || exit 1
import sys
import xml.etree.ElementTree as ElementTree
SVG = "{http://www.w3.org/2000/svg}"
root = ElementTree.parse(sys.argv[1]).getroot()
assert root.tag == SVG + "svg", f"{sys.argv[1]}: the root is {root.tag}, not an svg element"
box = [float(v) for v in root.get("viewBox", "").split()]
assert len(box) == 4 and box[2] == box[3] > 0, f"{sys.argv[1]}: viewBox {root.get('viewBox')} is not square"
assert not list(root.iter(SVG + "image")), f"{sys.argv[1]}: embeds a raster picture"
tile = next(r for r in root.iter(SVG + "rect") if r.get("width") == str(int(box[2])))
assert float(tile.get("rx", 0)) > 0, f"{sys.argv[1]}: the tile has square corners, so no transparency"
print("scalable icon: square SVG of shapes with rounded corners")
PY
    ;;
  install)
    # cmake --install into a scratch prefix, then a new user with an empty
    # home composes at once. Skipped (77) without the SoundFont the
    # installation renders Data.dat from.
    build=$3
    soundfont=$4
    [ -f "$soundfont" ] || { echo "SKIP: $soundfont is missing (fluid-soundfont-gm)"; exit 77; }
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
    cmake --install "$build" --prefix "$scratch/prefix" >"$scratch/install.log" 2>&1 || {
      cat "$scratch/install.log"; echo "FAIL: cmake --install"; exit 1; }
    for file in bin/brisolt bin/brisolt-make-bank share/brisolt/Data.dat share/brisolt/brisolt.html \
                share/brisolt/brisolt-piece.svg share/man/man1/brisolt.1 \
                share/applications/brisolt.desktop share/icons/hicolor/256x256/apps/brisolt.png \
                share/icons/hicolor/scalable/apps/brisolt.svg; do
      [ -e "$scratch/prefix/$file" ] || { echo "FAIL: $file was not installed"; exit 1; }
    done
    mkdir "$scratch/home"
    paths=$(env -i HOME="$scratch/home" PATH="$scratch/prefix/bin:/usr/bin:/bin" TMPDIR="$scratch" \
            brisolt compose -q --session-id 1 2>"$scratch/err.txt") || {
      cat "$scratch/err.txt"; echo "FAIL: brisolt compose as a new user"; exit 1; }
    mix=$(sed -n 1p <<<"$paths")
    [ "$mix" = "$scratch/home/.local/share/brisolt/Archive/$(basename "$mix")" ] && [ -s "$mix" ] || {
      echo "FAIL: the piece is not in the user's archive: $paths"; exit 1; }
    # The page is read whole before it is searched: grep -q leaving early
    # would end man with SIGPIPE, which pipefail counts as a failure.
    page=$(LC_ALL=C.UTF-8 man -l "$scratch/prefix/share/man/man1/brisolt.1" 2>/dev/null | col -b)
    grep -q "EXIT STATUS" <<<"$page" || { echo "FAIL: the installed manual page does not show"; exit 1; }
    ;;
  *) echo "unknown part '$part'"; exit 2 ;;
esac
echo "$part: ok"
