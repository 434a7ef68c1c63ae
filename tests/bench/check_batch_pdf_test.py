#!/usr/bin/env python3
"""The batch benchmark's own checks: batch_pdf_cards prints the benchmark's
card for 25 records (three A4 sheets, the last one half filled), and
batch_pdf_check, which reads the PDF back at 300 dpi (pdftoppm, zxing-cpp,
pdftotext), passes it with every barcode read and every name found. Then
the check must fail, naming the cards, on the faults a benchmark could
otherwise time without noticing: a Code 128 cut at the card edge (the old
card's place) or without its quiet zones on the card, cards of other
records, cards missing, cards too many.

    check_batch_pdf_test.py BATCH_PDF_CARDS BATCH_PDF_CHECK"""
import os
import re
import struct
import subprocess
import sys
import tempfile
import zlib

CARDS, CHECK = sys.argv[1:3]
RECORDS = 25


def png(path, size=64):
    """A small photo-like RGB picture, written without any imaging library."""
    rows = b"".join(b"\0" + bytes(v for x in range(size) for v in (x * 4 % 256, y * 4 % 256, x * y % 256))
                    for y in range(size))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", size, size, 8, 2, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows))
                  + chunk(b"IEND", b""))


def records(path, count, changed=None):
    with open(path, "w") as out:
        out.write("name,code\n")
        for i in range(1, count + 1):
            name, code = "Guest %06d" % i, "BF-%06d" % i
            if changed and i in changed:
                name, code = changed[i]
            out.write("%s,%s\n" % (name, code))


def run(*args):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    return subprocess.run(args, capture_output=True, text=True, env=env, timeout=300)


failures = []


def expect(condition, what, output=""):
    if not condition:
        failures.append(what + ("\n" + output if output else ""))


with tempfile.TemporaryDirectory() as work:
    os.environ["XDG_DATA_HOME"] = os.path.join(work, "data")
    photo = os.path.join(work, "photo.png")
    png(photo)
    good = os.path.join(work, "records.csv")
    records(good, RECORDS)

    printed = os.path.join(work, "cards.pdf")
    made = run(CARDS, good, photo, printed)
    expect(made.returncode == 0 and os.path.getsize(printed) > 0, "batch_pdf_cards failed", made.stderr)
    # the old card: the Code 128 from 84 points, cut at the card's right edge
    cut = os.path.join(work, "cut.pdf")
    made = run(CARDS, "--code128-left", "84", good, photo, cut)
    expect(made.returncode == 0, "batch_pdf_cards --code128-left failed", made.stderr)
    expect("quiet zones run past the card" in made.stderr, "no word of the quiet zones", made.stderr)
    # bars 10 points from the edge: 7 modules of quiet zone, which a reader
    # may still take, but not the 10 the symbology asks for
    tight = os.path.join(work, "tight.pdf")
    made = run(CARDS, "--code128-left", "10", good, photo, tight)
    expect(made.returncode == 0, "batch_pdf_cards --code128-left failed", made.stderr)

    passed = run(CHECK, good, printed, "1", "2", "3")
    expect(passed.returncode == 0, "the check fails the good file", passed.stdout + passed.stderr)
    for page, barcodes in ((1, 20), (2, 20), (3, 10)):
        expect("page %d: %d barcodes read, %d names found\n" % (page, barcodes, barcodes // 2) in passed.stdout,
               "page %d of the good file: not every barcode and name" % page, passed.stdout)

    # the peer's card: the same places and sizes, the Code 128 box as wide as
    # our picture and inside the card
    peer = run(CARDS, "--peer-card", good, photo)
    expect(peer.returncode == 0, "--peer-card failed", peer.stderr)
    boxes = re.findall(r'<Object-(\w+) x="([\d.]+)pt" y="([\d.]+)pt" w="([\d.]+)pt" h="([\d.]+)pt"', peer.stdout)
    expect([b[0] for b in boxes] == ["text", "image", "barcode", "barcode"], "peer card objects", peer.stdout)
    if len(boxes) == 4:
        x, y, w, h = (float(v) for v in boxes[3][1:])
        expect(x >= 0 and x + w <= 243 and y + h <= 153, "the peer's Code 128 box leaves the card", peer.stdout)
    expect('src="%s"' % good in peer.stdout and 'field="code"' in peer.stdout, "peer card merge", peer.stdout)

    # (name, records file, PDF, pages, fault lines that must be printed)
    changed = os.path.join(work, "changed.csv")
    records(changed, RECORDS, {12: ("Guest 000099", "BF-000099")})
    fewer = os.path.join(work, "fewer.csv")
    records(fewer, 22)
    more = os.path.join(work, "more.csv")
    records(more, 35)
    cases = [
        ("cut Code 128", good, cut, ["1"],
         [r"page 1 card %d \(record %d, BF-%06d\): the Code 128 does not read" % (c, c, c) for c in range(1, 11)]),
        ("Code 128 near the card edge", good, tight, ["2"],
         [r"page 2 card %d \(record %d, BF-%06d\): the Code 128 has 4\d light pixels before it, 60 needed"
          % (c, c + 10, c + 10) for c in range(1, 11)]),
        ("a card of another record", changed, printed, ["2"],
         [r"page 2 card 2 \(record 12, BF-000099\): the QR Code reads \"BF-000012\"",
          r"page 2 card 2 \(record 12, BF-000099\): the Code 128 reads \"BF-000012\"",
          r"page 2 card 2 \(record 12, BF-000099\): the name \"Guest 000099\" is not there"]),
        ("cards past the records", fewer, printed, ["3"],
         [r"page 3 cell 3 \(no record\) carries a barcode", r"page 3 cell 5 \(no record\) shows \"Guest 000025\""]),
        ("cards missing", more, printed, ["3"],
         [r"3 pages for 35 records, 4 expected", r"page 3 card 6 \(record 26, BF-000026\): the QR Code does not read",
          r"page 3 card 10 \(record 30, BF-000030\): the name \"Guest 000030\" is not there"]),
        ("a page past the file", good, printed, ["4"], [r"page 4 is not a page of 25 records"]),
    ]
    for name, records_file, pdf, pages, faults in cases:
        checked = run(CHECK, records_file, pdf, *pages)
        expect(checked.returncode == 1, "%s: the check exits %d" % (name, checked.returncode), checked.stdout)
        for fault in faults:
            expect(re.search(r"^FAIL .*: " + fault, checked.stdout, re.M),
                   "%s: no line /%s/" % (name, fault), checked.stdout)

    # no records file, no page number: the check cannot run
    expect(run(CHECK, os.path.join(work, "none.csv"), printed, "1").returncode == 2, "a missing records file")
    expect(run(CHECK, good, printed, "one").returncode == 2, "a page that is no number")

for failure in failures:
    print("FAILED:", failure)
sys.exit(1 if failures else 0)
