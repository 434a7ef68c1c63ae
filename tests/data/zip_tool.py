#!/usr/bin/env python3
"""Builds zip archives with Python's zipfile for the archive tests, and reads
the archives the program packs.

    zip_tool.py make FOLDER   writes FOLDER/<name>.zip and prints, as JSON,
        {"good": {name: {path: text, or null for an empty folder "path/"}},
         "skipped": {name: {path: text or null}}   (what unpacks; the other entries cannot be created)
         "hostile": {name: {"code": error code, "keep": [paths that may be unpacked],
                            "bound": bytes, "entries": count}}}
        The absolute entry name of "absolute" points at FOLDER/out/absolute/evil.
    zip_tool.py gibibyte ZIP  writes a 1 MB archive of one entry that inflates to exactly 1 GiB of zeros
    zip_tool.py check ZIP     prints {"bad": first entry with a bad CRC or null,
        "entries": [[name, method, date_time, flag_bits, text or null for a folder]]}
"""
import io
import json
import os
import random
import struct
import sys
import zipfile
import zlib


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


def expanding(size, ratio):
    """ASCII text of `size` bytes that deflate packs about `ratio` times: random letters, then blanks."""
    rng = random.Random(size)
    letters = int(size / ratio / 0.75)
    text = "".join(rng.choice("abcdefghijklmnopqrstuvwxyz") for _ in range(letters)) + " " * (size - letters)
    packed = len(zlib.compress(text.encode(), 6))
    assert 0.85 * ratio < size / packed < 1.15 * ratio, size / packed
    return text


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
    # a sheet packed about 150 times, and a small part of blanks packed far
    # more
    sheet, blanks = expanding(2 << 20, 150), " " * (512 << 10)
    blobs["dense"] = archive([("xl/sheet1.xml", sheet, D), ("xl/blank.xml", blanks, D)])
    manifest["good"]["dense"] = {"xl/sheet1.xml": sheet, "xl/blank.xml": blanks}

    manifest["skipped"] = {}

    def skipped(name, entries, tree):
        blobs[name] = archive(entries)
        manifest["skipped"][name] = tree

    skipped("deep", [("d/" * 2100 + "f", "deep", S), ("after.txt", "after", S)],  # beyond the system's path length
            {"after.txt": "after"})
    skipped("blocked", [("a", "file", S), ("a/b.txt", "behind a file", D), ("c.txt", "c", S)],
            {"a": "file", "c.txt": "c"})
    skipped("folderfile", [("x/", "", S), ("x", "file", D), ("y.txt", "y", S)], {"x/": None, "y.txt": "y"})

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
    # the end record counts one entry more than the directory holds
    count = bytearray(archive([("one.txt", "1", S), ("two.txt", "2", S)]))
    end = count.rindex(b"PK\x05\x06")
    struct.pack_into("<HH", count, end + 8, 3, 3)
    hostile("count", bytes(count), code=-3, keep=["one.txt", "two.txt"])
    hostile("bomb", archive([("bomb.bin", bytes(8 << 20), D)]), code=-7, bound=1 << 20)
    # zeros pack about 1000 times, and are refused only by what they unpack
    # to: one large entry, and many entries each within the bound
    hostile("zeros", archive([("ok.txt", "ok", D), ("sheet.xml", bytes(8 << 20), D)]), code=-7, keep=["ok.txt"],
            bound=4 << 20)
    hostile("zerostotal", archive([("p%d.xml" % i, bytes(512 << 10), D) for i in range(8)]), code=-7,
            keep=["p0.xml", "p1.xml"], bound=1 << 20)
    hostile("many", archive([("f%02d" % i, "", S) for i in range(20)]), code=-8, entries=10)

    for name, data in blobs.items():
        with open(os.path.join(folder, name + ".zip"), "wb") as f:
            f.write(data)
    print(json.dumps(manifest))


def gibibyte(path):
    """One entry of 2^30 zeros: sixty-four 16 MiB chunks deflated, each flushed, so the chunks
    between the first and the last pack to the same bytes and need not be compressed again."""
    chunk = bytes(1 << 24)
    deflate = zlib.compressobj(9, zlib.DEFLATED, -15)
    first = deflate.compress(chunk) + deflate.flush(zlib.Z_FULL_FLUSH)
    middle = deflate.compress(chunk) + deflate.flush(zlib.Z_FULL_FLUSH)
    last = deflate.compress(chunk) + deflate.flush(zlib.Z_FINISH)
    stream = first + middle * 62 + last
    crc, size, name = 0x5B64C2B0, 1 << 30, b"xl/worksheets/sheet1.xml"  # CRC-32 of 2^30 zero bytes
    local = struct.pack("<IHHHHHIIIHH", 0x04034B50, 20, 0, 8, 0, 0x21, crc, len(stream), size, len(name), 0)
    central = struct.pack("<IHHHHHHIIIHHHHHII", 0x02014B50, 20, 20, 0, 8, 0, 0x21, crc, len(stream), size,
                          len(name), 0, 0, 0, 0, 0, 0)
    directory = central + name
    end = struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, 1, 1, len(directory), len(local) + len(name) + len(stream), 0)
    with open(path, "wb") as f:
        f.write(local + name + stream + directory + end)


def check(path):
    with zipfile.ZipFile(path) as z:
        entries = [[i.filename, i.compress_type, list(i.date_time), i.flag_bits,
                    None if i.is_dir() else z.read(i).decode()] for i in z.infolist()]
        print(json.dumps({"bad": z.testzip(), "entries": entries}))


if __name__ == "__main__":
    {"make": make, "check": check, "gibibyte": gibibyte}[sys.argv[1]](sys.argv[2])
