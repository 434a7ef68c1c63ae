#!/usr/bin/env python3
"""Draws the program's icon, desktop/icons/brightfold_<size>.png for the sizes
the desktop's icon theme asks for: a name badge seen from the front, with a
blue band at the top, a round photo, two lines of text and a barcode. Each
pixel is sampled 4 x 4 times, so the edges are smooth at every size."""
import os

from png_file import write_png

SIZES = (16, 24, 32, 48, 64, 128, 256)
SAMPLES = 4

CARD = (0.10, 0.06, 0.90, 0.94)   # left, top, right, bottom, in units of the icon's size
RADIUS = 0.08
BAND_BOTTOM = 0.30
WHITE = (255, 255, 255)
EDGE = (60, 72, 90)
BAND = (47, 111, 176)
PHOTO = (236, 164, 84)
TEXT = (120, 128, 140)
BARS = (30, 30, 30)
BAR_PATTERN = "1101001100101101011001"   # 1: a bar, 0: a gap, left to right


def in_rounded_rect(x, y, left, top, right, bottom, radius):
    if not (left <= x <= right and top <= y <= bottom):
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def colour_at(x, y):
    """The colour of the point (x, y) of the unit square, None outside the card."""
    left, top, right, bottom = CARD
    if not in_rounded_rect(x, y, left, top, right, bottom, RADIUS):
        return None
    edge = 0.025
    if not in_rounded_rect(x, y, left + edge, top + edge, right - edge, bottom - edge, RADIUS - edge):
        return EDGE
    if y < BAND_BOTTOM:
        return BAND
    if (x - 0.33) ** 2 + (y - 0.50) ** 2 <= 0.12 ** 2:
        return PHOTO
    if 0.52 <= x <= 0.80 and (0.42 <= y <= 0.47 or 0.53 <= y <= 0.58):
        return TEXT
    if 0.22 <= x < 0.78 and 0.70 <= y <= 0.86:
        slot = int((x - 0.22) / (0.56 / len(BAR_PATTERN)))
        if BAR_PATTERN[min(slot, len(BAR_PATTERN) - 1)] == "1":
            return BARS
    return WHITE


def pixel(size, px, py):
    """The RGBA value of pixel (px, py): the average of its samples."""
    total = [0, 0, 0]
    covered = 0
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            colour = colour_at((px + (sx + 0.5) / SAMPLES) / size, (py + (sy + 0.5) / SAMPLES) / size)
            if colour is not None:
                covered += 1
                for i in range(3):
                    total[i] += colour[i]
    if covered == 0:
        return (0, 0, 0, 0)
    return tuple(round(c / covered) for c in total) + (round(255 * covered / SAMPLES ** 2),)


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "desktop", "icons")
    os.makedirs(out, exist_ok=True)
    for size in SIZES:
        rows = b"".join(b"\x00" + b"".join(bytes(pixel(size, x, y)) for x in range(size)) for y in range(size))
        write_png(os.path.join(out, f"brightfold_{size}.png"), size, size, rows, alpha=True)


if __name__ == "__main__":
    main()
