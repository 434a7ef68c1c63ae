#!/usr/bin/env python3
"""Draws resources/Cross.png, the 16 x 16 cursor picture shown while a new card
object is drawn: a black cross with a white border, transparent elsewhere."""
import os
import struct
import zlib

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


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def main():
    rows = b"".join(b"\x00" + b"".join(bytes(pixel(x, y)) for x in range(SIZE)) for y in range(SIZE))
    png = (b"\x89PNG\r\n\x1a\n"
           + chunk(b"IHDR", struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0))
           + chunk(b"IDAT", zlib.compress(rows, 9))
           + chunk(b"IEND", b""))
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "Cross.png")
    with open(out, "wb") as f:
        f.write(png)


if __name__ == "__main__":
    main()
