#!/usr/bin/env python3
"""Draws the card backgrounds of the start wizard into resources/Background/.

Card-shaped pictures (506 x 319 pixels, half of an ID-1 card at 300 dpi):
soft gradients and light patterns that leave dark text readable. Plain
Python, no libraries; each row is written with the PNG "Sub" filter, which
keeps smooth colour runs small.
"""
import math
import os
import random

from png_file import write_png

WIDTH, HEIGHT = 506, 319
OUT_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "Background")


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def write_picture(path, pixel):
    raw = bytearray()
    for y in range(HEIGHT):
        raw.append(1)  # Sub filter
        previous = (0, 0, 0)
        for x in range(WIDTH):
            colour = pixel(x, y)
            raw.extend((colour[i] - previous[i]) & 0xFF for i in range(3))
            previous = colour

    write_png(path, WIDTH, HEIGHT, raw)


def blush(x, y):
    return mix((255, 236, 240), (250, 205, 215), (x + y) / (WIDTH + HEIGHT))


def morning_sky(x, y):
    return mix((214, 234, 252), (255, 250, 240), y / HEIGHT)


def mint_dots(x, y):
    ground = mix((232, 248, 240), (214, 240, 226), x / WIDTH)
    cx, cy = (x % 24) - 12, (y % 24) - 12
    return mix(ground, (180, 222, 200), 1.0 - (math.hypot(cx, cy) - 3.0)) if math.hypot(cx, cy) < 4.0 else ground


def golden_stripes(x, y):
    ground = (255, 248, 228)
    band = (x + y) % 40
    return mix(ground, (246, 226, 170), 1.0 - abs(band - 6) / 2.0) if band < 9 else ground


def lavender_confetti_pixels():
    rng = random.Random(7)
    colours = [(222, 190, 240), (250, 210, 180), (190, 220, 250), (250, 200, 220)]
    dots = [(rng.randrange(WIDTH), rng.randrange(HEIGHT), rng.uniform(2.5, 5.0), rng.choice(colours))
            for _ in range(140)]
    cell = 16
    grid = {}
    for dot in dots:
        grid.setdefault((dot[0] // cell, dot[1] // cell), []).append(dot)

    def pixel(x, y):
        colour = mix((246, 240, 252), (236, 226, 248), y / HEIGHT)
        for gx in (x // cell - 1, x // cell, x // cell + 1):
            for gy in (y // cell - 1, y // cell, y // cell + 1):
                for dx, dy, r, c in grid.get((gx, gy), ()):
                    distance = math.hypot(x - dx, y - dy)
                    if distance < r:
                        colour = mix(colour, c, min(1.0, r - distance))
        return colour

    return pixel


def peach_waves(x, y):
    ground = mix((255, 242, 230), (252, 228, 212), x / WIDTH)
    band = (y + 10.0 * math.sin(x / 38.0)) % 46
    return mix(ground, (248, 204, 176), 1.0 - abs(band - 4) / 3.0) if band < 8 else ground


def sea_grid(x, y):
    ground = mix((232, 245, 251), (212, 234, 247), y / HEIGHT)
    on_line = x % 23 == 11 or y % 23 == 11
    return mix(ground, (186, 216, 236), 0.8) if on_line else ground


def rose_corners(x, y):
    ground = (255, 250, 250)
    corner = min(math.hypot(x - cx, y - cy) for cx in (0, WIDTH) for cy in (0, HEIGHT))
    return mix(ground, (242, 196, 208), (150 - corner) / 150 * 0.9) if corner < 150 else ground


def main():
    os.makedirs(OUT_DIR, exist_ok=True)
    pictures = {
        "Blush.png": blush,
        "Golden_Stripes.png": golden_stripes,
        "Lavender_Confetti.png": lavender_confetti_pixels(),
        "Mint_Dots.png": mint_dots,
        "Morning_Sky.png": morning_sky,
        "Peach_Waves.png": peach_waves,
        "Rose_Corners.png": rose_corners,
        "Sea_Grid.png": sea_grid,
    }
    for name, pixel in pictures.items():
        write_picture(os.path.join(OUT_DIR, name), pixel)


if __name__ == "__main__":
    main()
