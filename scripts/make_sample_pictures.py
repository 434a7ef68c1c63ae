#!/usr/bin/env python3
"""Draws the sample and placeholder pictures that new card objects show:

  resources/no.png              placeholder of a picture object without a picture
  resources/sign_sample.png     sample signature
  resources/fingerprints.png    sample fingerprint
  resources/barcode_sample.png  barcode shown until the barcode designer made one
                                (EAN-8 "01234565", readable by any scanner)

Every picture is drawn at 144 dpi (two pixels per point) and records that
resolution, so its size in points is half its size in pixels. Plain Python,
no libraries: shapes are drawn on a finer grid and averaged down, which
smooths their edges.
"""
import math
import os

from png_file import write_png

DPI = 144
OUT_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")


class Canvas:
    """RGBA pixels on a grid `ss` times finer than the picture."""

    def __init__(self, width, height, ss=4, background=(0, 0, 0, 0)):
        self.width, self.height, self.ss = width, height, ss
        self.w, self.h = width * ss, height * ss
        self.px = [list(background) for _ in range(self.w * self.h)]

    def _put(self, x, y, colour):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y * self.w + x] = list(colour)

    def fill_rect(self, x0, y0, x1, y1, colour):
        """Fills the rectangle given in picture pixels."""
        s = self.ss
        for y in range(int(y0 * s), int(y1 * s)):
            for x in range(int(x0 * s), int(x1 * s)):
                self._put(x, y, colour)

    def fill_where(self, inside, colour):
        """Fills every fine cell whose centre (in picture pixels) satisfies `inside`."""
        s = self.ss
        for y in range(self.h):
            for x in range(self.w):
                if inside((x + 0.5) / s, (y + 0.5) / s):
                    self._put(x, y, colour)

    def stroke(self, points, width, colour):
        """Strokes a polyline (picture pixels) with round ends and joins."""
        s = self.ss
        r = width * s / 2.0
        for (ax, ay), (bx, by) in zip(points, points[1:]):
            ax, ay, bx, by = ax * s, ay * s, bx * s, by * s
            dx, dy = bx - ax, by - ay
            length2 = dx * dx + dy * dy
            for y in range(int(min(ay, by) - r) - 1, int(max(ay, by) + r) + 2):
                for x in range(int(min(ax, bx) - r) - 1, int(max(ax, bx) + r) + 2):
                    px, py = x + 0.5, y + 0.5
                    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
                    cx, cy = ax + t * dx - px, ay + t * dy - py
                    if cx * cx + cy * cy <= r * r:
                        self._put(x, y, colour)

    def pixels(self):
        """The picture's rows, each fine block averaged (colour weighted by alpha)."""
        s, n = self.ss, self.ss * self.ss
        rows = []
        for y in range(self.height):
            row = bytearray()
            for x in range(self.width):
                r = g = b = a = 0
                for sy in range(s):
                    base = (y * s + sy) * self.w + x * s
                    for sx in range(s):
                        pr, pg, pb, pa = self.px[base + sx]
                        r += pr * pa
                        g += pg * pa
                        b += pb * pa
                        a += pa
                if a:
                    row += bytes((round(r / a), round(g / a), round(b / a), round(a / n)))
                else:
                    row += bytes((0, 0, 0, 0))
            rows.append(bytes(row))
        return rows


def save(name, canvas):
    rows = canvas.pixels()
    raw = b"".join(b"\x00" + row for row in rows)
    write_png(os.path.join(OUT_DIR, name), canvas.width, canvas.height, raw, alpha=True, dpi=DPI)


def placeholder():
    """A grey card with a landscape sign: the picture that is not there."""
    c = Canvas(256, 256)
    back, edge, sign = (238, 240, 244, 255), (176, 184, 198, 255), (150, 160, 178, 255)

    def rounded(x, y, x0=8, y0=8, x1=248, y1=248, r=24):
        qx = min(max(x, x0 + r), x1 - r)
        qy = min(max(y, y0 + r), y1 - r)
        return (x - qx) ** 2 + (y - qy) ** 2 <= r * r

    c.fill_where(rounded, edge)
    c.fill_where(lambda x, y: rounded(x, y, 14, 14, 242, 242, 18), back)
    # sun
    c.fill_where(lambda x, y: (x - 170) ** 2 + (y - 88) ** 2 <= 22 ** 2, sign)

    # two hills
    def hills(x, y):
        big = y >= 190 - (70 - abs(x - 100)) * 1.4 and y <= 190 and abs(x - 100) <= 70
        small = y >= 190 - (50 - abs(x - 170)) * 1.2 and y <= 190 and abs(x - 170) <= 50
        return big or small

    c.fill_where(hills, sign)
    c.fill_rect(40, 190, 216, 196, sign)
    save("no.png", c)


def signature():
    """A handwritten-looking name with an underline, in dark blue ink."""
    c = Canvas(200, 100)
    ink = (24, 40, 110, 255)
    points = []
    for i in range(0, 601):
        t = i / 600.0
        # a run of loops drifting right, getting smaller towards the end
        x = 18 + 150 * t + 9 * math.sin(t * 2 * math.pi * 5.5 + 1.2)
        y = 50 - (22 - 10 * t) * math.sin(t * 2 * math.pi * 5.5) * (1 if t < 0.2 else 0.75) \
            + 6 * math.sin(t * 2 * math.pi * 1.3)
        points.append((x, y))
    c.stroke(points, 2.4, ink)
    flourish = [(14 + 172 * i / 100.0, 78 - 6 * math.sin(i / 100.0 * math.pi) + 2 * (i / 100.0)) for i in range(101)]
    c.stroke(flourish, 2.0, ink)
    save("sign_sample.png", c)


def fingerprint():
    """Ridges of a whorl inside an oval, in dark grey."""
    c = Canvas(160, 200, ss=3)
    ink = (60, 60, 66, 255)
    cx, cy = 80.0, 104.0
    for k in range(1, 15):
        a, b = 5.0 * k, 6.4 * k
        arc = []
        for i in range(0, 361):
            t = math.radians(i)
            wobble = 1 + 0.05 * math.sin(3 * t + k)
            x = cx + a * wobble * math.cos(t)
            y = cy + b * wobble * math.sin(t) - 0.8 * k * math.cos(t) ** 2
            if ((x - 80) / 72) ** 2 + ((y - 100) / 92) ** 2 <= 1:
                arc.append((x, y))
            else:
                if len(arc) > 1:
                    c.stroke(arc, 2.2, ink)
                arc = []
        # leave a small gap in each ridge, as real ridges end and split
        if len(arc) > 1:
            c.stroke(arc[: len(arc) - 10 - (k % 4) * 6], 2.2, ink)
    save("fingerprints.png", c)


# EAN-8 left-hand (odd parity) digit patterns; the right-hand ones are their complements.
EAN_LEFT = ["0001101", "0011001", "0010011", "0111101", "0100011",
            "0110001", "0101111", "0111011", "0110111", "0001011"]

# 3 x 5 digit shapes for the human-readable line.
DIGITS = {
    "0": ["111", "101", "101", "101", "111"], "1": ["010", "110", "010", "010", "111"],
    "2": ["111", "001", "111", "100", "111"], "3": ["111", "001", "111", "001", "111"],
    "4": ["101", "101", "111", "001", "001"], "5": ["111", "100", "111", "001", "111"],
    "6": ["111", "100", "111", "101", "111"], "7": ["111", "001", "010", "010", "010"],
    "8": ["111", "101", "111", "101", "111"], "9": ["111", "101", "111", "001", "111"],
}


def ean8(digits7):
    weights = [3, 1, 3, 1, 3, 1, 3]
    total = sum(int(d) * w for d, w in zip(digits7, weights))
    code = digits7 + str((10 - total % 10) % 10)
    left = "".join(EAN_LEFT[int(d)] for d in code[:4])
    right = "".join("".join("1" if m == "0" else "0" for m in EAN_LEFT[int(d)]) for d in code[4:])
    modules = "101" + left + "01010" + right + "101"
    guards = [True] * 3 + [False] * 28 + [True] * 5 + [False] * 28 + [True] * 3
    return code, modules, guards


def barcode():
    """EAN-8 "01234565" on white, two pixels per module, digits below."""
    c = Canvas(240, 120, ss=1, background=(255, 255, 255, 255))
    black = (0, 0, 0, 255)
    code, modules, guards = ean8("0123456")
    module = 2
    left = (240 - len(modules) * module) // 2
    top, bar_bottom, guard_bottom = 14, 92, 100
    for i, (m, guard) in enumerate(zip(modules, guards)):
        if m == "1":
            x = left + i * module
            c.fill_rect(x, top, x + module, guard_bottom if guard else bar_bottom, black)
    # digits: four under each half, each 3 x 5 cells of 2 pixels
    def text(digits, x_start, x_end):
        step = (x_end - x_start) / len(digits)
        for n, d in enumerate(digits):
            x0 = round(x_start + n * step + (step - 6) / 2)
            for row, bits in enumerate(DIGITS[d]):
                for col, bit in enumerate(bits):
                    if bit == "1":
                        c.fill_rect(x0 + col * 2, 96 + row * 2, x0 + col * 2 + 2, 96 + row * 2 + 2, black)
    text(code[:4], left + 3 * module, left + 31 * module)
    text(code[4:], left + 36 * module, left + 64 * module)
    save("barcode_sample.png", c)


def main():
    placeholder()
    signature()
    fingerprint()
    barcode()


if __name__ == "__main__":
    main()
