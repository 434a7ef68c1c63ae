#!/usr/bin/env python3
"""Writes the starting corpus of barcode_fuzzer: for every symbology position
a few settings with values it takes (digits, text, bytes above 127, the
characters the Data Matrix library gets wrong), and a dictionary of them.

    make_barcode_seeds.py FOLDER   writes FOLDER/barcode/ and FOLDER/barcode.dict

An input is 12 setting bytes (symbology, resolution, Data Matrix encoding and
format, QR version, level and side, module size, PDF417 level, switches, font
size, margins) followed by the value.
"""
import os
import sys

folder = sys.argv[1]
out = os.path.join(folder, "barcode")
os.makedirs(out, exist_ok=True)
values = [b"0123", b"400638133393", b"HELLO WORLD", b"hello world", b"A_B^C_", b"SN34RD1A",
          b"BR3A3-001-TSK 13471 3216", bytes(range(1, 256)), b"1" * 300, b"Gr\xc3\xbc\xc3\x9fe"]
count = 0
for symbology in range(24):
    for i, value in enumerate(values):
        settings = bytes([symbology, i % 3, i % 6, (i * 7) % 32, i % 42, i % 4, 60, 2, 2, i % 32, 10, 1])
        with open(os.path.join(out, "seed_%03d" % count), "wb") as f:
            f.write(settings + value)
        count += 1
with open(os.path.join(folder, "barcode.dict"), "w") as f:
    for word in ["0123", "_", "^", "HELLO", "hello", " ", "\\xff", "\\x00", "SN34"]:
        f.write('"%s"\n' % word)
