#!/usr/bin/env python3
"""Draws the hatch patterns of card and shape fills into
resources/Fill_Style_Image/<name>.png.

Each pattern is one seamless tile of 16 x 16 pixels at 144 dpi (8 x 8 points):
dark lines or dots on a transparent ground, so the fill's background colour
shows through. Plain Python, no libraries.
"""
import os

from png_file import png_bytes

SIZE = 16
DPI = 144
INK = (40, 40, 40, 255)
CLEAR = (0, 0, 0, 0)
OUT_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "Fill_Style_Image")


def horizontal(x, y):
    return y % 8 in (0, 1)


def vertical(x, y):
    return x % 8 in (0, 1)


def grid(x, y):
    return horizontal(x, y) or vertical(x, y)


def diagonal(x, y):
    return (x - y) % 8 in (0, 1)


def back_diagonal(x, y):
    return (x + y) % 8 in (0, 1)


def diagonal_grid(x, y):
    return diagonal(x, y) or back_diagonal(x, y)


def dots(x, y):
    return x % 8 in (2, 3) and y % 8 in (2, 3)


def checks(x, y):
    return ((x // 4) + (y // 4)) % 2 == 0


PATTERNS = {
    "Horizontal": horizontal,
    "Vertical": vertical,
    "Grid": grid,
    "Diagonal": diagonal,
    "Back_Diagonal": back_diagonal,
    "Diagonal_Grid": diagonal_grid,
    "Dots": dots,
    "Checks": checks,
}


def png(pixels):
    raw = b"".join(b"\x00" + b"".join(bytes(p) for p in row) for row in pixels)
    return png_bytes(SIZE, SIZE, raw, alpha=True, dpi=DPI)


def main():
    os.makedirs(OUT_DIR, exist_ok=True)
    for name, inked in PATTERNS.items():
        pixels = [[INK if inked(x, y) else CLEAR for x in range(SIZE)] for y in range(SIZE)]
        with open(os.path.join(OUT_DIR, name + ".png"), "wb") as f:
            f.write(png(pixels))


if __name__ == "__main__":
    main()
