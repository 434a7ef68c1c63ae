#!/usr/bin/env python3
"""Independent checks of keyed archives with Python's plistlib.

  keyed_archive_tool.py dump FILE        describe an archive as JSON
  keyed_archive_tool.py pasteboard FILE  describe pasteboard data (an array of archives) as JSON
  keyed_archive_tool.py make DIR         write hand-built archives in the platform's form into DIR
"""
import base64
import json
import plistlib
import sys
from plistlib import UID


def describe_value(v):
    if isinstance(v, UID):
        return {"uid": v.data}
    if isinstance(v, bytes):
        return {"data": base64.b64encode(v).decode("ascii")}
    if isinstance(v, bool):
        return {"bool": v}
    if isinstance(v, int):
        return {"int": v}
    if isinstance(v, float):
        return {"real": v}
    if isinstance(v, str):
        return {"string": v}
    if isinstance(v, list):
        return {"array": [describe_value(x) for x in v]}
    if isinstance(v, dict):
        return {"dict": {k: describe_value(x) for k, x in v.items()}}
    return {"other": repr(v)}


def describe_archive(data):
    archive = plistlib.loads(data)
    objects = archive["$objects"]
    out = {
        "archiver": archive.get("$archiver"),
        "version": archive.get("$version"),
        "top_keys": sorted(archive["$top"].keys()),
        "root": archive["$top"]["root"].data,
        "count": len(objects),
        "first": objects[0],
        "objects": [],
    }
    for obj in objects:
        if isinstance(obj, dict) and "$class" in obj:
            info = objects[obj["$class"].data]
            out["objects"].append({
                "classname": info["$classname"],
                "classes": info["$classes"],
                "keys": list(k for k in obj.keys() if k != "$class"),
                "values": {k: describe_value(v) for k, v in obj.items() if k != "$class"},
            })
        else:
            out["objects"].append({"plain": describe_value(obj)})
    return out


def cmd_dump(path):
    with open(path, "rb") as f:
        data = f.read()
    if not data.startswith(b"bplist00"):
        raise SystemExit("not a binary property list")
    print(json.dumps(describe_archive(data)))


def cmd_pasteboard(path):
    with open(path, "rb") as f:
        data = f.read()
    if not data.startswith(b"bplist00"):
        raise SystemExit("not a binary property list")
    root = plistlib.loads(data)
    print(json.dumps({"elements": [describe_archive(x) for x in root]}))


class Builder:
    """Builds a keyed archive the way the platform lays it out."""

    def __init__(self):
        self.objects = ["$null"]
        self.classes = {}

    def add(self, value):
        self.objects.append(value)
        return UID(len(self.objects) - 1)

    def reserve(self):
        return self.add(None)

    def set(self, uid, value):
        self.objects[uid.data] = value

    def cls(self, *chain):
        if chain not in self.classes:
            self.classes[chain] = self.add({"$classname": chain[0], "$classes": list(chain)})
        return self.classes[chain]

    def obj(self, chain, **keys):
        keys["$class"] = self.cls(*chain)
        return self.add(keys)

    def archive(self, root, fmt=plistlib.FMT_BINARY):
        value = {"$version": 100000, "$archiver": "NSKeyedArchiver", "$top": {"root": root}, "$objects": self.objects}
        if fmt == plistlib.FMT_XML:
            value = cf_uids(value)
        return plistlib.dumps(value, fmt=fmt)


def cf_uids(v):
    """XML property lists write a UID as the dictionary {"CF$UID": n}."""
    if isinstance(v, UID):
        return {"CF$UID": v.data}
    if isinstance(v, list):
        return [cf_uids(x) for x in v]
    if isinstance(v, dict):
        return {k: cf_uids(x) for k, x in v.items()}
    return v


COLOR = ("NSColor", "NSObject")
FONT = ("NSFont", "NSObject")
DICT = ("NSDictionary", "NSObject")
ARRAY = ("NSArray", "NSObject")
MSTRING = ("NSMutableString", "NSString", "NSObject")
ASTRING = ("NSAttributedString", "NSObject")


def varints(pairs):
    out = bytearray()
    for pair in pairs:
        for n in pair:
            while True:
                b = n & 0x7F
                n >>= 7
                out.append(b | (0x80 if n else 0))
                if not n:
                    break
    return bytes(out)


def single_colour(space, key, text):
    b = Builder()
    return b.archive(b.obj(COLOR, NSColorSpace=space, **{key: text}))


def cmd_make(folder):
    files = {}
    files["colour_1.bplist"] = single_colour(1, "NSRGB", b"0.25 0.5 0.75\0")
    files["colour_2.bplist"] = single_colour(2, "NSRGB", b"1 0 0 0.5\0")
    files["colour_3.bplist"] = single_colour(3, "NSWhite", b"0.5\0")
    files["colour_4.bplist"] = single_colour(4, "NSWhite", b"0.25 0.75\0")
    files["colour_5.bplist"] = single_colour(5, "NSCYMK", b"0 1 1 0\0")
    files["colour_5b.bplist"] = single_colour(5, "NSCMYK", b"0 0 0 1 0.5\0")
    # Components of an archive made by the platform, ten significant digits.
    files["colour_2_long.bplist"] = single_colour(2, "NSRGB", b"0.1176581159 0.1221527234 0.1597783715\0")

    b = Builder()
    fallback = b.obj(COLOR, NSColorSpace=3, NSWhite=b"1\0")
    root = b.obj(COLOR, NSColorSpace=6, NSCatalogName=b.add("System"),
                 NSColorName=b.add("textBackgroundColor"), NSColor=fallback)
    files["colour_6.bplist"] = b.archive(root)

    b = Builder()
    files["colour_cfuid.xml"] = b.archive(b.obj(COLOR, NSColorSpace=2, NSRGB=b"0 0.5 1\0"), plistlib.FMT_XML)

    b = Builder()
    files["font.bplist"] = b.archive(b.obj(FONT, NSName=b.add("TimesNewRomanPSMT"), NSSize=13.0, NSfFlags=16))

    b = Builder()
    files["font_unknown.bplist"] = b.archive(b.obj(FONT, NSName=b.add("LucidaGrande"), NSSize=11.0, NSfFlags=3100))

    b = Builder()
    files["mutable_string.bplist"] = b.archive(b.obj(MSTRING, **{"NS.string": "Gr\u00fc\u00dfe \u263a"}))

    # Two runs over 200 characters: 150 in Times 12 red, 50 in Arial 20 white.
    b = Builder()
    root = b.reserve()
    text = b.obj(MSTRING, **{"NS.string": "a" * 150 + "b" * 50})
    k_font, k_colour = b.add("NSFont"), b.add("NSColor")
    d1 = b.obj(DICT, **{"NS.keys": [k_font, k_colour],
                        "NS.objects": [b.obj(FONT, NSName=b.add("TimesNewRomanPSMT"), NSSize=12.0, NSfFlags=16),
                                       b.obj(COLOR, NSColorSpace=2, NSRGB=b"1 0 0\0")]})
    d2 = b.obj(DICT, **{"NS.keys": [k_colour, k_font],
                        "NS.objects": [b.obj(COLOR, NSColorSpace=3, NSWhite=b"1\0"),
                                       b.obj(FONT, NSName=b.add("ArialMT"), NSSize=20.0, NSfFlags=16)]})
    attributes = b.obj(ARRAY, **{"NS.objects": [d1, d2]})
    info = b.add(varints([(150, 0), (50, 1)]))
    b.set(root, {"$class": b.cls(*ASTRING), "NSString": text, "NSAttributes": attributes,
                 "NSAttributeInfo": info})
    files["text_runs.bplist"] = b.archive(root)

    # One dictionary for the whole text, the attribute info inline.
    b = Builder()
    font = b.obj(FONT, NSName=b.add("TimesNewRomanPSMT"), NSSize=9.0, NSfFlags=16)
    d = b.obj(DICT, **{"NS.keys": [b.add("NSFont")], "NS.objects": [font]})
    files["text_single.bplist"] = b.archive(b.obj(ASTRING, NSString=b.add("Hello"), NSAttributes=d))

    for name, data in files.items():
        with open(f"{folder}/{name}", "wb") as f:
            f.write(data)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    {"dump": cmd_dump, "pasteboard": cmd_pasteboard, "make": cmd_make}[sys.argv[1]](sys.argv[2])
