#!/usr/bin/env python3
"""Reads what the main window shows from a copy of the virtual X screen: the
playing time and phrase digits, which transport buttons are lit, how far the
position bar is filled. Digits and lit buttons are recognised by comparing the
screen, pixel for pixel, with the pictures that brisolt-window-preview
--pictures writes.

    window_screen.py read PICTURES SCREEN LEFT TOP
        prints the state, e.g. "time=0104 phrase=02 stop=dark play=lit
        pause=lit record=dark bar=40"; a digit that is not shown reads '-',
        a hidden position bar reads "bar=hidden"
    window_screen.py wait PICTURES SCREEN LEFT TOP SECONDS PNG CONDITION...
        copies the screen until its state meets every CONDITION (KEY=PATTERN
        or KEY!=PATTERN, shell-style patterns), saves that copy as PNG and
        prints its state; exits 1 with the last state after SECONDS

    window_screen.py box SCREEN LEFT TOP BOX_PNG BOX_X BOX_Y SECONDS PNG [gone]
        copies the screen until the message box BOX_PNG (as
        brisolt-test-message-box paints it) is shown, pixel for pixel (each
        colour within BOX_TOLERANCE), at
        client position BOX_X, BOX_Y, and saves that copy as PNG; with "gone",
        until it is no longer shown. Exits 1 after SECONDS

SCREEN is the Xvfb frame buffer file (-fbdir); LEFT and TOP are the window's
client origin on the screen.
"""
import fnmatch
import os
import struct
import sys
import time
import zlib

from xvfb_screenshot import xwd_to_png  # from platform/window/preview, on PYTHONPATH

# Where things sit on the window's face (client pixels).
DIGIT_TOP = 310
DIGIT_SIZE = (20, 30)
TIME_DIGITS = (400, 420, 450, 470)
PHRASE_DIGITS = (520, 540)
DIGIT_PICTURES = (930, 931, 932, 934, 936, 937, 938, 939, 940, 206)
BUTTON_SIZE = (25, 25)
BUTTONS = (("stop", (385, 265), 1004), ("play", (440, 265), 1006), ("pause", (495, 265), 1008),
           ("record", (550, 265), 1007))
BAR = (380, 225, 205, 15)
BAR_BACKGROUND = (150, 149, 147)


class Screen:
    """A copy of an XWD frame buffer of 32 bits per pixel."""

    def __init__(self, data):
        fields = struct.unpack(">25I", data[:100])
        if fields[11] != 32:
            raise ValueError(f"expected a 32-bit screen, got {fields[11]} bits per pixel")
        self.data = data
        self.width, self.height, self.line = fields[4], fields[5], fields[12]
        self.pixels = fields[0] + fields[19] * 12

    @classmethod
    def read(cls, path):
        with open(path, "rb") as file:
            return cls(file.read())

    def pixel(self, x, y):
        at = self.pixels + y * self.line + x * 4
        return self.data[at + 2], self.data[at + 1], self.data[at]

    def region(self, x, y, width, height):
        rows = []
        for row in range(y, y + height):
            start = self.pixels + row * self.line + x * 4
            line = self.data[start:start + width * 4]
            rgb = bytearray(width * 3)
            rgb[0::3], rgb[1::3], rgb[2::3] = line[2::4], line[1::4], line[0::4]
            rows.append(bytes(rgb))
        return b"".join(rows)


def read_png(path):
    """(width, height, RGB bytes) of an 8-bit RGB PNG without row filters, as
    brisolt-window-preview writes them."""
    with open(path, "rb") as file:
        data = file.read()
    at, idat, width, height = 8, b"", 0, 0
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
            if (depth, colour) != (8, 2):
                raise ValueError(f"{path}: not an 8-bit RGB picture")
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    raw = zlib.decompress(idat)
    stride = width * 3 + 1
    rows = [raw[y * stride:(y + 1) * stride] for y in range(height)]
    if any(row[0] != 0 for row in rows):
        raise ValueError(f"{path}: rows with a filter")
    return width, height, b"".join(row[1:] for row in rows)


class Face:
    def __init__(self, pictures):
        def load(picture, size):
            width, height, rgb = read_png(os.path.join(pictures, f"{picture}.png"))
            if (width, height) != size:
                raise ValueError(f"picture {picture} is {width} x {height}, expected {size[0]} x {size[1]}")
            return rgb
        self.digits = [load(picture, DIGIT_SIZE) for picture in DIGIT_PICTURES]
        self.lit = {name: load(picture, BUTTON_SIZE) for name, _, picture in BUTTONS}

    def state(self, screen, left, top):
        def digit(x):
            shown = screen.region(left + x, top + DIGIT_TOP, *DIGIT_SIZE)
            return str(self.digits.index(shown)) if shown in self.digits else "-"
        state = {"time": "".join(digit(x) for x in TIME_DIGITS), "phrase": "".join(digit(x) for x in PHRASE_DIGITS)}
        for name, (x, y), _ in BUTTONS:
            state[name] = "lit" if screen.region(left + x, top + y, *BUTTON_SIZE) == self.lit[name] else "dark"
        x, y, width, height = BAR
        middle = top + y + height // 2
        if screen.pixel(left + x + width - 3, middle) != BAR_BACKGROUND:
            state["bar"] = "hidden"
        else:
            filled = 0
            while filled < width - 4 and screen.pixel(left + x + 2 + filled, middle) != BAR_BACKGROUND:
                filled += 1
            state["bar"] = str(filled)
        return state


def describe(state):
    return " ".join(f"{key}={value}" for key, value in state.items())


def meets(state, condition):
    negated = "!=" in condition
    key, pattern = condition.split("!=" if negated else "=", 1)
    if key not in state:
        raise SystemExit(f"unknown key in condition '{condition}'; keys: {', '.join(state)}")
    return fnmatch.fnmatchcase(state[key], pattern) != negated


def save_copy(data, png):
    copy = png + ".xwd"
    with open(copy, "wb") as file:
        file.write(data)
    xwd_to_png(copy, png)
    os.remove(copy)


# Anti-aliased letters may come out a shade apart between two processes;
# a different letter, a missing icon or a moved box differs by far more.
BOX_TOLERANCE = 12


def same_picture(shown, expected):
    return len(shown) == len(expected) and all(abs(a - b) <= BOX_TOLERANCE for a, b in zip(shown, expected))


def wait_for_box(path, left, top, box_png, box_x, box_y, seconds, png, gone):
    width, height, expected = read_png(box_png)
    deadline = time.monotonic() + seconds
    while True:
        with open(path, "rb") as file:
            data = file.read()
        shown = same_picture(Screen(data).region(left + box_x, top + box_y, width, height), expected)
        if shown != gone:
            save_copy(data, png)
            return 0
        if time.monotonic() > deadline:
            save_copy(data, png)
            return 1
        time.sleep(0.05)


def main():
    if len(sys.argv) >= 10 and sys.argv[1] == "box":
        path, left, top, box_png = sys.argv[2], int(sys.argv[3]), int(sys.argv[4]), sys.argv[5]
        box_x, box_y, seconds, png = int(sys.argv[6]), int(sys.argv[7]), float(sys.argv[8]), sys.argv[9]
        return wait_for_box(path, left, top, box_png, box_x, box_y, seconds, png, sys.argv[10:] == ["gone"])
    if len(sys.argv) < 6 or sys.argv[1] not in ("read", "wait"):
        raise SystemExit(__doc__)
    face = Face(sys.argv[2])
    path, left, top = sys.argv[3], int(sys.argv[4]), int(sys.argv[5])
    if sys.argv[1] == "read":
        print(describe(face.state(Screen.read(path), left, top)))
        return 0
    seconds, png, conditions = float(sys.argv[6]), sys.argv[7], sys.argv[8:]
    deadline = time.monotonic() + seconds
    while True:
        with open(path, "rb") as file:
            data = file.read()
        state = face.state(Screen(data), left, top)
        if all(meets(state, condition) for condition in conditions):
            save_copy(data, png)
            print(describe(state))
            return 0
        if time.monotonic() > deadline:
            print(describe(state))
            return 1
        time.sleep(0.05)


if __name__ == "__main__":
    sys.exit(main())
