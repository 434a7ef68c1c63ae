#!/usr/bin/env python3
"""Draws the pictures of the picture library into resources/LibraryImage/.

One folder per category (lower-case names; the library shows them
capitalised), a handful of simple pictures in each: shapes filled with
flat colours on a transparent ground, edges smoothed by measuring each
pixel's distance to the shape. Plain Python, no libraries.
"""
import math
import os

from png_file import write_png

OUT_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "LibraryImage")
SIZE = 128


# ---- distances: negative inside a shape, positive outside ----

def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def box(x0, y0, x1, y1, radius=0.0):
    cx, cy, hx, hy = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2, (y1 - y0) / 2

    def d(x, y):
        qx, qy = abs(x - cx) - hx + radius, abs(y - cy) - hy + radius
        return math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - radius

    return d


def polygon(points):
    edges = list(zip(points, points[1:] + points[:1]))

    def d(x, y):
        best, inside = float("inf"), False
        for (ax, ay), (bx, by) in edges:
            ex, ey = bx - ax, by - ay
            t = max(0.0, min(1.0, ((x - ax) * ex + (y - ay) * ey) / (ex * ex + ey * ey)))
            best = min(best, math.hypot(x - ax - t * ex, y - ay - t * ey))
            if (ay > y) != (by > y) and x < ax + (y - ay) * ex / ey:
                inside = not inside
        return -best if inside else best

    return d


def segment(ax, ay, bx, by, width):
    ex, ey = bx - ax, by - ay

    def d(x, y):
        t = max(0.0, min(1.0, ((x - ax) * ex + (y - ay) * ey) / (ex * ex + ey * ey)))
        return math.hypot(x - ax - t * ex, y - ay - t * ey) - width / 2

    return d


def outline(shape, width):
    return lambda x, y: abs(shape(x, y)) - width / 2


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def minus(shape, cut):
    return lambda x, y: max(shape(x, y), -cut(x, y))


def star_points(cx, cy, outer, inner, spikes, turn=-math.pi / 2):
    points = []
    for i in range(spikes * 2):
        r = outer if i % 2 == 0 else inner
        a = turn + i * math.pi / spikes
        points.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return points


def regular(cx, cy, r, sides, turn=-math.pi / 2):
    return [(cx + r * math.cos(turn + 2 * math.pi * i / sides), cy + r * math.sin(turn + 2 * math.pi * i / sides))
            for i in range(sides)]


def heart(cx, cy, s):
    lobe = s * 0.3
    return union(circle(cx - lobe, cy - s * 0.12, lobe * 1.05), circle(cx + lobe, cy - s * 0.12, lobe * 1.05),
                 polygon([(cx - s * 0.6, cy - s * 0.02), (cx + s * 0.6, cy - s * 0.02), (cx, cy + s * 0.58)]))


# ---- painting ----

class Picture:
    def __init__(self, width=SIZE, height=SIZE):
        self.width, self.height = width, height
        self.pixels = [[0.0, 0.0, 0.0, 0.0] for _ in range(width * height)]

    def fill(self, shape, colour, opacity=1.0):
        """Lays `colour` (r, g, b) over the shape, its edge smoothed over one pixel."""
        for y in range(self.height):
            for x in range(self.width):
                cover = max(0.0, min(1.0, 0.5 - shape(x + 0.5, y + 0.5))) * opacity
                if cover <= 0.0:
                    continue
                p = self.pixels[y * self.width + x]
                a = cover + p[3] * (1.0 - cover)
                for i in range(3):
                    p[i] = (colour[i] * cover + p[i] * p[3] * (1.0 - cover)) / a
                p[3] = a

    def save(self, path):
        raw = bytearray()
        previous_row = [0] * (self.width * 4)
        for y in range(self.height):
            row = []
            for x in range(self.width):
                r, g, b, a = self.pixels[y * self.width + x]
                row.extend((round(r), round(g), round(b), round(a * 255)) if a > 0 else (0, 0, 0, 0))
            raw.append(2)  # Up filter: flat colours repeat from row to row
            raw.extend((row[i] - previous_row[i]) & 0xFF for i in range(len(row)))
            previous_row = row
        write_png(path, self.width, self.height, raw, alpha=True)


RED, ORANGE, GOLD, YELLOW = (226, 72, 76), (244, 140, 56), (232, 178, 48), (250, 214, 80)
GREEN, TEAL, BLUE, NAVY = (88, 178, 104), (46, 162, 168), (70, 130, 220), (40, 64, 120)
PURPLE, PINK, WHITE, GREY = (150, 96, 200), (240, 130, 170), (255, 255, 255), (120, 126, 140)
DARK = (60, 60, 70)


# ---- party cards ----

def balloons():
    p = Picture()
    for cx, cy, colour, tx in ((44, 44, RED, 60), (84, 38, BLUE, 64), (64, 60, YELLOW, 62)):
        p.fill(segment(cx, cy + 22, tx, 120, 1.6), GREY)
        p.fill(lambda x, y, cx=cx, cy=cy: math.hypot((x - cx) / 0.85, y - cy) * 0.85 - 21, colour)
        p.fill(polygon([(cx - 4, cy + 24), (cx + 4, cy + 24), (cx, cy + 18)]), colour)
        p.fill(circle(cx - 8, cy - 8, 4), WHITE, 0.6)
    return p


def gift():
    p = Picture()
    p.fill(box(20, 50, 108, 116, 4), PURPLE)
    p.fill(box(14, 36, 114, 54, 4), (176, 120, 220))
    p.fill(box(56, 36, 72, 116), GOLD)
    p.fill(outline(circle(50, 26, 12), 6), GOLD)
    p.fill(outline(circle(78, 26, 12), 6), GOLD)
    return p


def cake():
    p = Picture()
    p.fill(box(14, 108, 114, 116, 4), GREY)
    p.fill(box(22, 72, 106, 110, 6), PINK)
    p.fill(box(32, 46, 96, 74, 6), (250, 236, 220))
    for i, x in enumerate(range(26, 106, 10)):
        p.fill(circle(x + 2, 88, 3), WHITE if i % 2 else YELLOW)
    for x in (46, 64, 82):
        p.fill(box(x - 2.5, 26, x + 2.5, 46, 1.5), BLUE)
        p.fill(lambda px, py, x=x: math.hypot((px - x) * 1.6, py - 18) / 1.3 - 6, ORANGE)
    return p


def party_hat():
    p = Picture()
    hat = polygon([(64, 10), (100, 114), (28, 114)])
    p.fill(hat, TEAL)
    for k in range(4):
        y = 40 + k * 20
        p.fill(lambda x, py, y=y: max(hat(x, py), abs(py - (y + (x - 64) * 0.3)) - 4), YELLOW)
    p.fill(circle(64, 12, 9), PINK)
    p.fill(box(22, 110, 106, 118, 4), PINK)
    return p


def heart_picture():
    p = Picture()
    p.fill(heart(64, 62, 100), RED)
    p.fill(circle(44, 40, 7), WHITE, 0.5)
    return p


def confetti():
    p = Picture()
    colours = (RED, BLUE, YELLOW, GREEN, PURPLE, ORANGE, PINK, TEAL)
    for i in range(26):
        a = i * 2.399963
        r = 10 + 46 * math.sqrt((i + 0.5) / 26)
        cx, cy = 64 + r * math.cos(a), 64 + r * math.sin(a)
        colour = colours[i % len(colours)]
        if i % 3 == 0:
            p.fill(circle(cx, cy, 4.5), colour)
        else:
            turn = a * 1.7
            dx, dy = 6 * math.cos(turn), 6 * math.sin(turn)
            p.fill(segment(cx - dx, cy - dy, cx + dx, cy + dy, 4), colour)
    return p


def sparkle():
    p = Picture()
    p.fill(polygon(star_points(64, 64, 56, 14, 4)), GOLD)
    p.fill(polygon(star_points(64, 64, 30, 8, 4, -math.pi / 4)), YELLOW)
    p.fill(polygon(star_points(104, 24, 16, 4, 4)), GOLD)
    p.fill(polygon(star_points(24, 104, 12, 3, 4)), GOLD)
    return p


# ---- badges ----

def rosette():
    p = Picture()
    p.fill(polygon([(46, 70), (60, 76), (44, 124), (36, 112), (24, 116)]), BLUE)
    p.fill(polygon([(82, 70), (68, 76), (84, 124), (92, 112), (104, 116)]), BLUE)
    p.fill(polygon(star_points(64, 54, 48, 40, 18)), GOLD)
    p.fill(circle(64, 54, 34), YELLOW)
    p.fill(outline(circle(64, 54, 28), 2.5), GOLD)
    p.fill(polygon(star_points(64, 54, 16, 7, 5)), GOLD)
    return p


def shield():
    p = Picture()
    outer = polygon([(64, 8), (112, 24), (106, 76), (64, 122), (22, 76), (16, 24)])
    inner = polygon([(64, 20), (100, 32), (95, 72), (64, 108), (33, 72), (28, 32)])
    p.fill(outer, NAVY)
    p.fill(inner, BLUE)
    p.fill(polygon([(54, 64), (62, 74), (80, 48), (86, 54), (62, 84), (48, 70)]), WHITE)
    return p


def star_badge():
    p = Picture()
    p.fill(circle(64, 64, 58), RED)
    p.fill(outline(circle(64, 64, 50), 3), WHITE)
    p.fill(polygon(star_points(64, 66, 38, 16, 5)), WHITE)
    return p


def ribbon_banner():
    p = Picture()
    p.fill(polygon([(4, 54), (30, 54), (30, 86), (4, 86), (14, 70)]), (176, 50, 56))
    p.fill(polygon([(124, 54), (98, 54), (98, 86), (124, 86), (114, 70)]), (176, 50, 56))
    p.fill(box(20, 44, 108, 78, 3), RED)
    for x in range(34, 100, 12):
        p.fill(circle(x, 61, 3), WHITE)
    return p


def check_badge():
    p = Picture()
    p.fill(polygon(star_points(64, 64, 60, 52, 16)), GREEN)
    p.fill(circle(64, 64, 44), (110, 196, 124))
    p.fill(union(segment(42, 66, 58, 82, 10), segment(58, 82, 88, 48, 10)), WHITE)
    return p


def name_tag():
    p = Picture()
    p.fill(box(8, 26, 120, 104, 10), WHITE)
    p.fill(outline(box(8, 26, 120, 104, 10), 3), GREY)
    p.fill(minus(box(8, 26, 120, 52, 10), box(0, 44, 128, 60)), RED)
    p.fill(box(8, 42, 120, 52), RED)
    p.fill(box(20, 66, 108, 70, 2), DARK)
    p.fill(box(20, 82, 84, 86, 2), GREY)
    return p


def medal():
    p = Picture()
    p.fill(polygon([(38, 4), (56, 4), (72, 58), (58, 62)]), BLUE)
    p.fill(polygon([(90, 4), (72, 4), (56, 58), (70, 62)]), RED)
    p.fill(circle(64, 84, 34), GOLD)
    p.fill(circle(64, 84, 26), YELLOW)
    p.fill(polygon(star_points(64, 86, 18, 8, 5)), GOLD)
    return p


# ---- shapes ----

def simple(shape, colour):
    def draw():
        p = Picture()
        p.fill(shape, colour)
        return p
    return draw


def arrow():
    p = Picture()
    p.fill(polygon([(10, 50), (74, 50), (74, 24), (118, 64), (74, 104), (74, 78), (10, 78)]), ORANGE)
    return p


# ---- frames (card-shaped, open in the middle) ----

FRAME_W, FRAME_H = 200, 126


def frame_picture(*layers):
    def draw():
        p = Picture(FRAME_W, FRAME_H)
        for shape, colour in layers:
            p.fill(shape, colour)
        return p
    return draw


def card_box(inset, radius=0.0):
    return box(inset, inset, FRAME_W - inset, FRAME_H - inset, radius)


def dotted_frame():
    p = Picture(FRAME_W, FRAME_H)
    p.fill(outline(card_box(6, 8), 2), TEAL)
    for x in range(18, FRAME_W - 12, 14):
        p.fill(circle(x, 16, 3), TEAL)
        p.fill(circle(x, FRAME_H - 16, 3), TEAL)
    for y in range(30, FRAME_H - 24, 14):
        p.fill(circle(16, y, 3), TEAL)
        p.fill(circle(FRAME_W - 16, y, 3), TEAL)
    return p


def corner_frame():
    p = Picture(FRAME_W, FRAME_H)
    p.fill(outline(card_box(10), 1.5), GOLD)
    for cx, cy in ((10, 10), (FRAME_W - 10, 10), (10, FRAME_H - 10), (FRAME_W - 10, FRAME_H - 10)):
        p.fill(polygon(regular(cx, cy, 12, 4, 0)), GOLD)
        p.fill(circle(cx, cy, 4), WHITE)
    return p


def wavy_frame():
    p = Picture(FRAME_W, FRAME_H)
    border = card_box(12)

    def wave(x, y):
        return abs(border(x, y) + 2.5 * math.sin((x + y) / 5.0)) - 2.0

    p.fill(wave, PURPLE)
    return p


def leafy_frame():
    p = Picture(FRAME_W, FRAME_H)
    p.fill(outline(card_box(14, 6), 2), GREEN)
    for i, x in enumerate(range(24, FRAME_W - 16, 18)):
        for y in (14, FRAME_H - 14):
            tilt = 0.6 if i % 2 else -0.6
            p.fill(lambda px, py, x=x, y=y, tilt=tilt: math.hypot(
                ((px - x) * math.cos(tilt) + (py - y) * math.sin(tilt)) / 7,
                (-(px - x) * math.sin(tilt) + (py - y) * math.cos(tilt)) / 3.5) * 3.5 - 3.5, GREEN)
    return p


CATEGORIES = {
    "party cards": {
        "balloons.png": balloons,
        "gift.png": gift,
        "cake.png": cake,
        "party_hat.png": party_hat,
        "heart.png": heart_picture,
        "confetti.png": confetti,
        "sparkle.png": sparkle,
    },
    "badges": {
        "rosette.png": rosette,
        "shield.png": shield,
        "star_badge.png": star_badge,
        "ribbon_banner.png": ribbon_banner,
        "check_badge.png": check_badge,
        "name_tag.png": name_tag,
        "medal.png": medal,
    },
    "shapes": {
        "circle.png": simple(circle(64, 64, 54), BLUE),
        "rounded_square.png": simple(box(12, 12, 116, 116, 18), GREEN),
        "triangle.png": simple(polygon([(64, 10), (120, 112), (8, 112)]), ORANGE),
        "diamond.png": simple(polygon(regular(64, 64, 58, 4)), PURPLE),
        "hexagon.png": simple(polygon(regular(64, 64, 58, 6, 0)), TEAL),
        "star.png": simple(polygon(star_points(64, 68, 60, 24, 5)), GOLD),
        "ring.png": simple(outline(circle(64, 64, 46), 14), RED),
        "arrow.png": arrow,
    },
    "frames": {
        "simple_frame.png": frame_picture((outline(card_box(6), 4), NAVY)),
        "double_frame.png": frame_picture((outline(card_box(5), 3), RED), (outline(card_box(12), 1.5), RED)),
        "rounded_frame.png": frame_picture((outline(card_box(7, 16), 5), BLUE)),
        "dotted_frame.png": dotted_frame,
        "corner_frame.png": corner_frame,
        "wavy_frame.png": wavy_frame,
        "leafy_frame.png": leafy_frame,
    },
}


def main():
    for category, pictures in CATEGORIES.items():
        folder = os.path.join(OUT_DIR, category)
        os.makedirs(folder, exist_ok=True)
        for name, draw in pictures.items():
            draw().save(os.path.join(folder, name))


if __name__ == "__main__":
    main()
