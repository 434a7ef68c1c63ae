#!/usr/bin/env python3
"""Builds zip archives with Python's zipfile for the archive tests, and reads
the archives the program packs.

    zip_tool.py make FOLDER   writes FOLDER/<name>.zip and prints, as JSON,
        {"good": {name: {path: text, or null for an empty folder "path/"}},
         "hostile": {name: {"code": error code, "keep": [paths that may be unpacked],
                            "bound": bytes, "entries": count}}}
        The absolute entry name of "absolute" points at FOLDER/out/absolute/evil.
    zip_tool.py check ZIP     prints {"bad": first entry with a bad CRC or null,
        "entries": [[name, method, date_time, flag_bits, text or null for a folder]]}
"""
import io
import json
import os
import struct
import sys
import zipfile


class Unseekable(io.RawIOBase):
    """A stream zipfile cannot seek back in, so it writes data descriptors."""

    def __init__(self, sink):
        self.sink = sink

    def writable(self):
        return True

    def write(self, b):
        return self.sink.write(b)


def archive(entries, descriptors=False):
    """entries: (name, text, method[, date_time[, force_zip64]])"""
    buffer = io.BytesIO()
    with zipfile.ZipFile(Unseekable(buffer) if descriptors else buffer, "w") as z:
        for name, text, method, *rest in entries:
            info = zipfile.ZipInfo(name, rest[0] if rest else (1980, 1, 1, 0, 0, 0))
            info.compress_type = method
            if len(rest) > 1:
                with z.open(info, "w", force_zip64=True) as f:
                    f.write(text.encode())
            else:
                z.writestr(info, text.encode() if isinstance(text, str) else text)
    return buffer.getvalue()


S, D = zipfile.ZIP_STORED, zipfile.ZIP_DEFLATED
LONG = "".join("line %d of a long text\n" % i for i in range(4000))


def make(folder):
    good = {
        "backslash": ([("dir\\sub\\a.txt", "A", D), ("dir\\empty\\", "", S), ("top.txt", "T", S)],
                      {"dir/sub/a.txt": "A", "dir/empty/": None, "top.txt": "T"}),
        "folders": ([("top/", "", S), ("top/inner/", "", S), ("top/file.txt", "hello", D), ("empty/", "", S)],
                    {"top/inner/": None, "top/file.txt": "hello", "empty/": None}),
        "methods": ([("stored.txt", LONG, S), ("deflated.txt", LONG, D), ("blank.txt", "", D)],
                    {"stored.txt": LONG, "deflated.txt": LONG, "blank.txt": ""}),
        "zip64": ([("big64.txt", LONG, D, (2020, 5, 6, 7, 8, 10), True), ("small.txt", "s", S)],
                  {"big64.txt": LONG, "small.txt": "s"}),
        "unicode": ([("Gr\u00fc\u00dfe/\u540d\u524d.txt", "\u00fcn\u00efc\u00f6d\u00e9", D)],
                    {"Gr\u00fc\u00dfe/\u540d\u524d.txt": "\u00fcn\u00efc\u00f6d\u00e9"}),
        "dates": ([("dated.txt", "d", D, (2001, 2, 3, 4, 5, 6)), ("undated.txt", "u", D, (1980, 0, 0, 0, 0, 0))],
                  {"dated.txt": "d", "undated.txt": "u"}),
    }
    manifest = {"good": {}, "hostile": {}}
    blobs = {}
    for name, (entries, tree) in good.items():
        blobs[name] = archive(entries)
        manifest["good"][name] = tree
    blobs["descriptors"] = archive([("dd/one.txt", LONG, D), ("dd/two.txt", "two", D)], descriptors=True)
    manifest["good"]["descriptors"] = {"dd/one.txt": LONG, "dd/two.txt": "two"}

    def hostile(name, data, code=-4, keep=(), bound=1 << 30, entries=100000):
        blobs[name] = data
        manifest["hostile"][name] = {"code": code, "keep": list(keep), "bound": bound, "entries": entries}

    hostile("parent", archive([("ok.txt", "ok", D), ("../evil", "evil", D)]), keep=["ok.txt"])
    hostile("absolute", archive([(os.path.join(os.path.abspath(folder), "out/absolute/evil"), "evil", D)]))
    hostile("nested", archive([("a/../../x", "evil", D)]))
    hostile("backparent", archive([("..\\evil", "evil", D)]))
    hostile("drive", archive([("C:/evil", "evil", D)]))
    hostile("truncated", blobs["methods"][: len(blobs["methods"]) * 3 // 5], code=-1)
    stored = bytearray(archive([("crc.txt", LONG, S)]))
    stored[30 + len("crc.txt") + 100] ^= 0x01      # a byte of the stored text
    hostile("crc", bytes(stored), code=-5)
    deflated = bytearray(archive([("inflate.txt", LONG, D)]))
    deflated[30 + len("inflate.txt") + 40] ^= 0x55  # a byte of the deflate stream
    hostile("inflate", bytes(deflated), code=-5)
    # sizes that cut the deflate stream short: minizip then ends the entry
    # early and skips its CRC check
    short = bytearray(archive([("short.txt", LONG, D)]))
    central = short.rindex(b"PK\x01\x02")
    size = struct.unpack_from("<I", short, 18)[0] // 2
    struct.pack_into("<I", short, 18, size)
    struct.pack_into("<I", short, central + 20, size)
    hostile("short", bytes(short), code=-5)
    hostile("bomb", archive([("bomb.bin", bytes(8 << 20), D)]), code=-7, bound=1 << 20)
    hostile("many", archive([("f%02d" % i, "", S) for i in range(20)]), code=-8, entries=10)

    for name, data in blobs.items():
        with open(os.path.join(folder, name + ".zip"), "wb") as f:
            f.write(data)
    print(json.dumps(manifest))


def check(path):
    with zipfile.ZipFile(path) as z:
        entries = [[i.filename, i.compress_type, list(i.date_time), i.flag_bits,
                    None if i.is_dir() else z.read(i).decode()] for i in z.infolist()]
        print(json.dumps({"bad": z.testzip(), "entries": entries}))


if __name__ == "__main__":
    {"make": make, "check": check}[sys.argv[1]](sys.argv[2])
