#!/usr/bin/env python3
"""Runs a program under Xvfb and saves the whole virtual screen as a PNG,
taken from the server's own frame buffer while the program runs.

    xvfb_screenshot.py OUT.png DELAY_SECONDS PROGRAM [ARGS...]
"""
import os
import struct
import subprocess
import sys
import tempfile
import time
import zlib


def xwd_to_png(xwd_path, png_path):
    data = open(xwd_path, "rb").read()
    fields = struct.unpack(">25I", data[:100])
    header_size, width, height = fields[0], fields[4], fields[5]
    bits_per_pixel, bytes_per_line, ncolours = fields[11], fields[12], fields[19]
    if bits_per_pixel != 32:
        raise SystemExit(f"expected a 32-bit screen, got {bits_per_pixel} bits per pixel")
    pixels = header_size + ncolours * 12
    rows = []
    for y in range(height):
        line = data[pixels + y * bytes_per_line: pixels + y * bytes_per_line + width * 4]
        rgb = bytearray(width * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = line[2::4], line[1::4], line[0::4]
        rows.append(b"\0" + bytes(rgb))

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)

    with open(png_path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        out.write(chunk(b"IDAT", zlib.compress(b"".join(rows))))
        out.write(chunk(b"IEND", b""))


def main():
    if len(sys.argv) < 4:
        raise SystemExit(__doc__)
    out, delay, program = sys.argv[1], float(sys.argv[2]), sys.argv[3:]
    with tempfile.TemporaryDirectory() as fbdir:
        server = subprocess.Popen(["Xvfb", ":97", "-screen", "0", "1024x768x24", "-fbdir", fbdir, "-nolisten", "tcp"])
        try:
            time.sleep(1.0)
            child = subprocess.Popen(program, env=dict(os.environ, DISPLAY=":97", SDL_VIDEODRIVER="x11"))
            time.sleep(delay)
            xwd_to_png(os.path.join(fbdir, "Xvfb_screen0"), out)
            child.terminate()
            child.wait(timeout=10)
        finally:
            server.terminate()
            server.wait(timeout=10)


if __name__ == "__main__":
    main()
