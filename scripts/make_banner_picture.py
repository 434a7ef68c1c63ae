#!/usr/bin/env python3
"""Draws resources/banner.png, the 64 x 56 tile of the main window's banner strip
behind the toolbar: a soft blue gradient from top to bottom, the same across
every column so that the tiles join without a seam."""
import os

from png_file import write_png

WIDTH = 64
HEIGHT = 56
TOP = (236, 243, 252)
BOTTOM = (190, 211, 238)


def colour(y):
    t = y / (HEIGHT - 1)
    rgb = [round(a + (b - a) * t) for a, b in zip(TOP, BOTTOM)]
    if y == HEIGHT - 1:
        rgb = [170, 192, 222]   # a thin darker line under the strip
    return bytes(rgb)


def main():
    rows = b"".join(b"\x00" + colour(y) * WIDTH for y in range(HEIGHT))
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "banner.png")
    write_png(out, WIDTH, HEIGHT, rows)


if __name__ == "__main__":
    main()
