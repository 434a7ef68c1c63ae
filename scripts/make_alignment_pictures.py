#!/usr/bin/env python3
"""Draws the eighteen pictures of the print window's block position buttons
into resources/: for each of the nine positions a sheet with a block of cells
at that place, plain (grey block) and selected (blue block on a tinted sheet).
The names are the ones the print window loads."""
import os

from png_file import write_png

SIZE = 32
PLAIN = ["top_left", "top_center", "top_right", "middle_left", "middle_center", "middle_right",
         "bootom_left", "bootom_center", "boottom_right"]
SELECTED = ["top_left - sel", "top_center - sel", "top_right - sel", "middle_left - sel", "middle_center_sel",
            "middle_right - sel", "bootom_left - sel", "bootom_center - sel", "boottom_right - sel"]

FRAME = (110, 110, 110, 255)
SHEET = (255, 255, 255, 255)
SHEET_SELECTED = (225, 238, 252, 255)
BLOCK = (150, 150, 150, 255)
BLOCK_SELECTED = (0, 110, 220, 255)
CLEAR = (0, 0, 0, 0)


def pixel(x, y, position, selected):
    # the sheet: a frame one pixel wide from 3 to 28
    if not (3 <= x <= 28 and 3 <= y <= 28):
        return CLEAR
    if x in (3, 28) or y in (3, 28):
        return FRAME
    column, row = position % 3, position // 3
    left, top = 6 + column * 7, 6 + row * 7
    if left <= x < left + 6 and top <= y < top + 6:
        return BLOCK_SELECTED if selected else BLOCK
    return SHEET_SELECTED if selected else SHEET


def draw(path, position, selected):
    rows = b"".join(b"\x00" + b"".join(bytes(pixel(x, y, position, selected)) for x in range(SIZE))
                    for y in range(SIZE))
    write_png(path, SIZE, SIZE, rows, alpha=True)


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")
    for position in range(9):
        draw(os.path.join(folder, PLAIN[position] + ".png"), position, False)
        draw(os.path.join(folder, SELECTED[position] + ".png"), position, True)


if __name__ == "__main__":
    main()
