#!/usr/bin/env python3
"""Draws resources/Cross.png, the 16 x 16 cursor picture shown while a new card
object is drawn: a black cross with a white border, transparent elsewhere."""
import os

from png_file import write_png

SIZE = 16


def pixel(x, y):
    black = (0, 0, 0, 255)
    white = (255, 255, 255, 255)
    clear = (0, 0, 0, 0)
    if (x == 7 and 1 <= y <= 14) or (y == 7 and 1 <= x <= 14):
        return black
    if (6 <= x <= 8 and 0 <= y <= 15) or (6 <= y <= 8 and 0 <= x <= 15):
        return white
    return clear


def main():
    rows = b"".join(b"\x00" + b"".join(bytes(pixel(x, y)) for x in range(SIZE)) for y in range(SIZE))
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "Cross.png")
    write_png(out, SIZE, SIZE, rows, alpha=True)


if __name__ == "__main__":
    main()
