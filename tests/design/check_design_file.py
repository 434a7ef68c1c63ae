#!/usr/bin/env python3
"""Checks the layout of design files with an independent property-list
reader: an XML root array; element 0 the magic; two side records of 28 items
(colours and the font as keyed archives in data, the rest strings); the
spreadsheet flag and path; an array of strings; an array of dictionaries of
strings; the front count and that many binary object archives, then the back
count and its archives, then, only with a table, at most one dictionary of
where the table's columns stood in their sheet ("excel_col_places": one
decimal place per table column, rising; "excel_sheet_titles": the sheet's
titles), and nothing else (63 + n + m elements, or one more)."""
import plistlib
import sys

MAGIC = "VESKMACFESTOONDESIGNS"
DATA_ITEMS = {2, 7, 8, 9, 12, 27, 28}   # colours and the font


def check(path):
    data = open(path, "rb").read()
    root = plistlib.loads(data)
    faults = [] if data.startswith(b"<?xml") else ["not an XML property list"]
    if not isinstance(root, list) or not root or root[0] != MAGIC:
        return faults + ["not an array starting with the magic"]
    kinds = [str] + [bytes if i % 28 in {d % 28 for d in DATA_ITEMS} else str for i in range(1, 57)]
    kinds += [str, str, list, list]
    for i, kind in enumerate(kinds):
        if i >= len(root) or not isinstance(root[i], kind):
            faults.append(f"element {i} is not {kind.__name__}")
        elif kind is bytes and plistlib.loads(root[i]).get("$archiver") != "NSKeyedArchiver":
            faults.append(f"element {i} is no keyed archive")
    if faults:
        return faults
    if root[57] not in ("Y", "N") or not all(isinstance(t, str) for t in root[59]):
        faults.append("spreadsheet flag or column titles malformed")
    if not all(isinstance(r, dict) and all(isinstance(v, str) for v in r.values()) for r in root[60]):
        faults.append("a row is not a dictionary of strings")
    index, counts = 61, []
    for side in ("front", "back"):
        text = root[index] if index < len(root) else None
        if not isinstance(text, str) or not text.isdigit():
            return faults + [f"{side} count {repr(text)[:40]} is not a decimal count"]
        counts.append(int(text))
        objects = root[index + 1:index + 1 + counts[-1]]
        if len(objects) != counts[-1] or not all(isinstance(o, bytes) and o.startswith(b"bplist00") for o in objects):
            faults.append(f"{side} objects are not {counts[-1]} binary archives")
        index += 1 + counts[-1]
    extra = root[63 + sum(counts):]
    if len(extra) == 1 and len(root[59]) > 1 and isinstance(extra[0], dict):
        places, titles = extra[0].get("excel_col_places"), extra[0].get("excel_sheet_titles")
        if set(extra[0]) != {"excel_col_places", "excel_sheet_titles"} or not isinstance(places, list) \
                or not isinstance(titles, list) or not all(isinstance(t, str) for t in places + titles) \
                or not all(p.isdigit() for p in places) or len(places) != len(root[59]) - 1 \
                or [int(p) for p in places] != sorted(set(int(p) for p in places)) \
                or (places and not 1 <= int(places[-1]) <= len(titles)):
            faults.append("the sheet columns element is malformed")
    elif extra:
        faults.append(f"{len(root)} elements, expected 63 + {counts[0]} + {counts[1]}")
    return faults


faults = [f"{p}: {f}" for p in sys.argv[1:] for f in check(p)]
print("\n".join(faults or ["ok"]) if sys.argv[1:] else "no design files given")
sys.exit(1 if faults or not sys.argv[1:] else 0)
