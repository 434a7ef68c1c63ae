#!/usr/bin/env python3
"""Seeds and a dictionary for import_fuzzer.

    make_import_seeds.py FIXTURES_DIR SEEDS_DIR

Writes SEEDS_DIR/import/ (every .rtf and .csv of FIXTURES_DIR and a few small
documents, each behind the byte that chooses the reader: 0 for CSV, 1 for RTF)
and SEEDS_DIR/import.dict.
"""
import pathlib
import sys

CSV, RTF = b"\x00", b"\x01"

SMALL = {
    "quoted.csv": CSV + b'a,"b, c"\r\n"d ""e""",f\n\n"g\nh"\rlast',
    "encodings.csv": CSV + "\ufeffZo\u00eb,\u20ac\r\n".encode("utf-8"),
    "utf16.csv": CSV + "\ufeffa,b\r\nc".encode("utf-16-le"),
    "cp1252.csv": CSV + b"caf\xe9,\x80 5\n",
    "words.rtf": RTF + rb"{\rtf1\ansi\ansicpg1251{\fonttbl{\f0 A;}}\uc2\u8364 ab\'c4\bin2 {}\par\
{\*\ignored x}{\field{\*\fldinst A}{\fldrslt B}}\u-10188\'3f\u-8930\'3f\~\_\-\tab\lquote}",
    "mac.rtf": RTF + rb"{\rtf1\mac \'8e\'a5{\uc0\u233 x}\line\pc \'82}",
}

WORDS = [rb"{\rtf1", rb"\par", rb"\line", rb"\u", rb"\uc", rb"\bin", rb"\'", rb"\*", rb"\ansicpg",
         rb"\ansi", rb"\mac", rb"\pc", rb"\pca", rb"\fonttbl", rb"\fldinst", rb"\fldrslt", rb"\tab",
         rb"\cell", rb"\row", rb"\\", rb"\{", rb"\}", rb"\~", rb"\_", rb"\-", rb"\lquote", rb"\emdash",
         b'"', b'","', b'""', b"\r\n", b"\xef\xbb\xbf", b"\xff\xfe", b"\xfe\xff", b"\xff\xfe\x00\x00"]


def quoted(word):
    return '"' + "".join(chr(b) if 32 <= b < 127 and b not in b'"\\' else "\\x%02x" % b for b in word) + '"'


def main():
    fixtures, seeds = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    out = seeds / "import"
    out.mkdir(parents=True, exist_ok=True)
    for path in sorted(fixtures.iterdir()):
        if path.suffix.lower() in (".rtf", ".csv"):
            (out / path.name).write_bytes((RTF if path.suffix.lower() == ".rtf" else CSV) + path.read_bytes())
    for name, data in SMALL.items():
        (out / name).write_bytes(data)
    (seeds / "import.dict").write_text("".join(quoted(w) + "\n" for w in WORDS))


if __name__ == "__main__":
    main()
