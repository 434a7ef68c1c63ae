#!/usr/bin/env python3
"""Checks the layout of design files with an independent property-list
reader: the root is an array; element 0 the magic; two side records of 28
items (strings, colours and fonts as data); the spreadsheet flag and path;
an array of strings; an array of dictionaries of strings; the front count,
that many data elements, the back count and that many data elements, and
nothing else (63 + n + m elements). Every data element is itself a keyed
archive (a binary property list). Exits 1 with the faults listed."""
import plistlib
import sys

MAGIC = "VESKMACFESTOONDESIGNS"
# Side record items stored as data (colours and the font); the rest are strings.
DATA_ITEMS = {2, 7, 8, 9, 12, 27, 28}


def check(path):
    faults = []
    with open(path, "rb") as f:
        data = f.read()
    if not data.startswith(b"<?xml"):
        faults.append("not an XML property list")
    root = plistlib.loads(data)
    if not isinstance(root, list):
        return faults + ["root is not an array"]

    def expect(index, kind, what):
        if index >= len(root):
            faults.append(f"element {index} ({what}) missing")
            return None
        if not isinstance(root[index], kind):
            faults.append(f"element {index} ({what}) is {type(root[index]).__name__}")
            return None
        return root[index]

    if expect(0, str, "magic") != MAGIC:
        faults.append("element 0 is not the magic")
    for side in (0, 28):
        for item in range(1, 29):
            kind = bytes if item in DATA_ITEMS else str
            value = expect(side + item, kind, f"record item {item}")
            if isinstance(value, bytes):
                archive = plistlib.loads(value)
                if archive.get("$archiver") != "NSKeyedArchiver":
                    faults.append(f"element {side + item} is no keyed archive")
    for index in (1, 5, 29, 33):
        if root[index] not in ("Y", "N"):
            faults.append(f"flag {index} is {root[index]!r}")
    if expect(57, str, "spreadsheet flag") not in ("Y", "N"):
        faults.append("element 57 is no flag")
    expect(58, str, "spreadsheet path")
    titles = expect(59, list, "column titles") or []
    if not all(isinstance(t, str) for t in titles):
        faults.append("a column title is not a string")
    for row in expect(60, list, "rows") or []:
        if not isinstance(row, dict) or not all(isinstance(v, str) for v in row.values()):
            faults.append("a row is not a dictionary of strings")
    index = 61
    counts = []
    for side in ("front", "back"):
        text = expect(index, str, f"{side} count")
        if text is None or not text.isdigit():
            faults.append(f"{side} count {text!r} is not a decimal count")
            return faults
        count = int(text)
        counts.append(count)
        for i in range(index + 1, index + 1 + count):
            archive = expect(i, bytes, f"{side} object")
            if archive is not None and not archive.startswith(b"bplist00"):
                faults.append(f"element {i} is not a binary keyed archive")
        index += 1 + count
    if len(root) != 63 + sum(counts):
        faults.append(f"{len(root)} elements, expected 63 + {counts[0]} + {counts[1]}")
    return faults


def main(paths):
    failed = False
    for path in paths:
        for fault in check(path):
            print(f"{path}: {fault}")
            failed = True
    if not paths:
        print("no design files given")
        failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
