#!/usr/bin/env python3
"""Writes the starting corpus of zip_fuzzer: small archives of every kind the
unpacker meets (stored and deflated entries, folders, "\\" separators, data
descriptors, zip64 records, UTF-8 names, dates, hostile names) and a
libFuzzer dictionary of the format's signatures and path pieces.

    make_zip_seeds.py FOLDER   writes FOLDER/zip/ and FOLDER/zip.dict
"""
import io
import os
import sys
import zipfile

folder = sys.argv[1]
out = os.path.join(folder, "zip")
os.makedirs(out, exist_ok=True)
S, D = zipfile.ZIP_STORED, zipfile.ZIP_DEFLATED


class Unseekable(io.RawIOBase):
    def __init__(self, sink):
        self.sink = sink

    def writable(self):
        return True

    def write(self, b):
        return self.sink.write(b)


def write(name, entries, descriptors=False, zip64=False):
    buffer = io.BytesIO()
    with zipfile.ZipFile(Unseekable(buffer) if descriptors else buffer, "w") as z:
        for entry_name, data, method, *date in entries:
            info = zipfile.ZipInfo(entry_name, date[0] if date else (2020, 1, 2, 3, 4, 6))
            info.compress_type = method
            with z.open(info, "w", force_zip64=zip64) as f:
                f.write(data)
    with open(os.path.join(out, name + ".zip"), "wb") as f:
        f.write(buffer.getvalue())


text = b"".join(b"<row r=\"%d\"><c>%d</c></row>" % (i, i * i) for i in range(40))
write("stored", [("a.txt", b"alpha", S)])
write("deflated", [("xl/worksheets/sheet1.xml", text, D), ("xl/workbook.xml", b"<workbook/>", D)])
write("folders", [("top/", b"", S), ("top/empty/", b"", S), ("top/f.txt", b"f", D)])
write("backslash", [("dir\\sub\\a.txt", b"A", D), ("dir\\empty\\", b"", S)])
write("descriptors", [("dd/one.txt", text, D), ("dd/two.txt", b"two", S)], descriptors=True)
write("zip64", [("big.txt", text, D), ("small.txt", b"s", S)], zip64=True)
write("unicode", [("Gr\u00fc\u00dfe/\u540d\u524d.txt", "\u00e9t\u00e9".encode(), D)])
write("dates", [("dated.txt", b"d", D, (2001, 2, 3, 4, 5, 6)), ("undated.txt", b"u", S, (1980, 0, 0, 0, 0, 0))])
write("hostile", [("ok.txt", b"ok", S), ("../evil", b"evil", S), ("a/../../x", b"x", S), ("..\\e", b"e", S),
                  ("/abs", b"abs", S), ("C:/drive", b"c", S)])
write("clash", [("a", b"file", S), ("a/b", b"under a file", S), ("./c//d", b"dots", S)])
write("bomb", [("zeros.bin", bytes(2 << 20), D)])

words = [b"PK\x03\x04", b"PK\x01\x02", b"PK\x05\x06", b"PK\x06\x06", b"PK\x06\x07", b"PK\x07\x08",
         b"../", b"..\\", b"/", b"\\", b"C:", b".", b"\x01\x00"]
with open(os.path.join(folder, "zip.dict"), "w") as f:
    for w in words:
        f.write('"%s"\n' % "".join("\\x%02x" % c for c in w))
