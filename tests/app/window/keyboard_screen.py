#!/usr/bin/env python3
"""Reads the face's keyboard off a copy of the virtual X screen: which keys
are lit, and in which light, by comparing each key's place with the face
picture that brisolt-window-preview --pictures writes (1072.png).

    keyboard_screen.py keys PICTURES SCREEN LEFT TOP
        prints the lit keys, e.g. "C2:v E3:m G3:v" (m: the melody's warm
        light, v: the other voices' cool one), or "-" when none is lit
    keyboard_screen.py differ SCREEN_A SCREEN_B LEFT TOP
        exits 0 when the keyboard area differs between the two screens

The key places follow platform/window/pictures/keyboard_layout.h: 35 white
keys of 16 pixels from (44, 386), 42 high; black keys 10 x 26 centred on the
gaps. LEFT and TOP are the window's client origin on the screen.
"""
import os
import sys

from window_screen import Screen, read_png

KEYBOARD = (44, 386, 560, 42)
WHITE_PITCH = 16
BLACK_SIZE = (10, 26)
NAMES = ("C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B")
WHITE_BEFORE = (0, 0, 1, 1, 2, 3, 3, 4, 4, 5, 5, 6)


def key_place(key):
    semitone = (key - 1) % 12
    white_left = KEYBOARD[0] + ((key - 1) // 12 * 7 + WHITE_BEFORE[semitone]) * WHITE_PITCH
    if NAMES[semitone].endswith("#"):
        return white_left + WHITE_PITCH - BLACK_SIZE[0] // 2, KEYBOARD[1], BLACK_SIZE[0], BLACK_SIZE[1]
    return white_left, KEYBOARD[1], WHITE_PITCH - 1, KEYBOARD[3]


def key_name(key):
    return f"{NAMES[(key - 1) % 12]}{(key - 1) // 12 + 1}"


class FacePicture:
    def __init__(self, pictures):
        self.width, height, self.rgb = read_png(os.path.join(pictures, "1072.png"))

    def pixel(self, x, y):
        at = (y * self.width + x) * 3
        return tuple(self.rgb[at:at + 3])


def lit_keys(face, screen, left, top):
    keys = []
    for key in range(1, 61):
        x, y, width, height = key_place(key)
        # Lower down a white key (below the black keys), the middle of a black one.
        probe = (x + width // 2, y + height - 8) if height == KEYBOARD[3] else (x + width // 2, y + height // 2)
        shown = screen.pixel(left + probe[0], top + probe[1])
        if max(abs(a - b) for a, b in zip(shown, face.pixel(*probe))) <= 8:
            continue
        red, _, blue = shown
        keys.append(f"{key_name(key)}:{'m' if red > blue + 40 else 'v'}")
    return keys


def keyboard_area(screen, left, top):
    x, y, width, height = KEYBOARD
    return screen.region(left + x, top + y, width, height)


def main():
    if len(sys.argv) == 6 and sys.argv[1] == "keys":
        keys = lit_keys(FacePicture(sys.argv[2]), Screen.read(sys.argv[3]), int(sys.argv[4]), int(sys.argv[5]))
        print(" ".join(keys) if keys else "-")
        return 0
    if len(sys.argv) == 6 and sys.argv[1] == "differ":
        left, top = int(sys.argv[4]), int(sys.argv[5])
        a = keyboard_area(Screen.read(sys.argv[2]), left, top)
        b = keyboard_area(Screen.read(sys.argv[3]), left, top)
        return 0 if a != b else 1
    raise SystemExit(__doc__)


if __name__ == "__main__":
    sys.exit(main())
