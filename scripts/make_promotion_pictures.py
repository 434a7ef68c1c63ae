#!/usr/bin/env python3
"""Draws the pictures of the promotion window and of its toolbar buttons:

  resources/Promotion_S.png   Sticker Studio: a sheet of round stickers
  resources/Promotion_R.png   Receipt Designer: a receipt with a torn edge
  resources/Promotion_B.png   Office Bundle: three cards fanned out
  resources/pattern_1.jpg     the tile behind the promotion picture

Each product picture is a coloured rounded tile, so that it still reads as
a toolbar icon of 20 pixels. Plain Python (make_sample_pictures.Canvas).
"""
import math
import os

from jpeg_file import write_jpeg
from make_sample_pictures import OUT_DIR, Canvas, save

SIZE = 160
WHITE = (255, 255, 255, 255)


def rounded(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def rotated(inside, angle, ox, oy):
    """`inside` turned by `angle` degrees about (ox, oy)."""
    c, s = math.cos(math.radians(angle)), math.sin(math.radians(angle))

    def turned(x, y):
        dx, dy = x - ox, y - oy
        return inside(ox + c * dx + s * dy, oy - s * dx + c * dy)
    return turned


def tile(colour):
    canvas = Canvas(SIZE, SIZE, ss=3)
    canvas.fill_where(rounded(4, 4, SIZE - 4, SIZE - 4, 28), colour)
    return canvas


def stickers():
    canvas = tile((236, 122, 40, 255))
    canvas.fill_where(rounded(30, 26, 130, 134, 8), WHITE)
    colours = [(236, 122, 40, 255), (46, 150, 200, 255), (120, 180, 60, 255), (214, 70, 110, 255)]
    for row in range(3):
        for col in range(2):
            cx, cy, colour = 58 + col * 44, 50 + row * 30, colours[(row + col) % 4]
            canvas.fill_where(lambda x, y, cx=cx, cy=cy: (x - cx) ** 2 + (y - cy) ** 2 <= 12 ** 2, colour)
    return canvas


def receipt():
    canvas = tile((22, 150, 140, 255))

    def paper(x, y):
        if not 40 <= x <= 120 or y < 22:
            return False
        edge = 128 + 6 * abs(((x - 40) % 10) - 5) / 5
        return y <= edge
    canvas.fill_where(paper, WHITE)
    grey = (120, 130, 140, 255)
    for i, (y, length) in enumerate([(38, 60), (52, 44), (64, 52), (76, 40), (88, 56)]):
        canvas.fill_rect(50, y, 50 + length, y + 4, grey if i else (22, 150, 140, 255))
    canvas.fill_rect(50, 104, 110, 110, (40, 40, 40, 255))
    return canvas


def bundle():
    canvas = tile((110, 70, 170, 255))
    cards = [(-16, (255, 214, 90, 255)), (0, (150, 210, 250, 255)), (16, WHITE)]
    for angle, colour in cards:
        canvas.fill_where(rotated(rounded(38, 46, 122, 100, 8), angle, 80, 120), colour)
    canvas.fill_where(lambda x, y: (x - 62) ** 2 + (y - 66) ** 2 <= 9 ** 2 and True, (110, 70, 170, 255))
    canvas.fill_rect(78, 60, 112, 64, (110, 70, 170, 255))
    canvas.fill_rect(78, 70, 104, 74, (150, 130, 190, 255))
    return canvas


def pattern_pixel(x, y):
    """A light lattice of diagonal lines and dots, tiling every 48 pixels."""
    base, line, dot = (236, 240, 249), (214, 223, 241), (200, 212, 238)
    d1, d2 = (x + y) % 24, (x - y) % 24
    cx, cy = x % 24 - 12, y % 24 - 12
    if cx * cx + cy * cy <= 6:
        return dot
    if d1 in (0, 1) or d2 in (0, 1):
        return line
    return base


def main():
    save("Promotion_S.png", stickers())
    save("Promotion_R.png", receipt())
    save("Promotion_B.png", bundle())
    write_jpeg(os.path.join(OUT_DIR, "pattern_1.jpg"), 48, 48, pattern_pixel)


if __name__ == "__main__":
    main()
