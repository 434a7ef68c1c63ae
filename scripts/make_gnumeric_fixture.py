#!/usr/bin/python3
"""Writes tests/fixtures/workbook/gnumeric_guests.xlsx: a guest list as
Gnumeric's ssconvert writes it.

openpyxl writes a source workbook whose number columns ("000000",
'"$"#,##0.00', "0%") carry their format on the column, and whose row after
the guests is filled; ssconvert reads it and writes it again the way
Gnumeric saves: each column's style once on its `<col style>`, no `s` on the
cells that have that style, and the filled row as styled empty cells out to
column XFD (spans 1:16384, dimension A1:XFD...). Column F is left empty
between the titled ones. Needs python3-openpyxl and gnumeric (ssconvert).

    scripts/make_gnumeric_fixture.py [OUTPUT]
"""
import os
import subprocess
import sys
import tempfile

import openpyxl
from openpyxl.styles import PatternFill

HERE = os.path.dirname(os.path.abspath(__file__))
OUTPUT = os.path.join(HERE, "..", "tests", "fixtures", "workbook", "gnumeric_guests.xlsx")

GUESTS = [
    ("Ada Lovelace", "Analytical Engines", 5, 1234.5, 0.07),
    ("Bo Svensson", "Beta", 142, 99.99, 0.5),
    ("Cy Young", "Cyclone", 0, 0, 1.005),
    ("Dana Scully", "Bureau", 1234567, -187.5, 0),
    ("Eve Moneypenny", "", 7.5, 2.675, 0.125),
    ("Finn Mertens", "Treehouse", -3, 1000000, -0.5),
    ("Gus Fring", "Los Pollos", 42, 0.005, 0.004),
    ("Hana Ito", "Ito & Sons", 999999, 12.345, 0.999),
]
FORMATS = {"C": "000000", "D": '"$"#,##0.00', "E": "0%"}


def main(output):
    book = openpyxl.Workbook()
    sheet = book.active
    sheet.title = "Guests"
    sheet.append(["Name", "Company", "Number", "Amount", "Share", None, "Photo"])
    for n, (name, company, number, amount, share) in enumerate(GUESTS, start=1):
        sheet.append([name, company or None, number, amount, share, None, f"photos/guest{n:02d}.png"])
    for column, code in FORMATS.items():
        sheet.column_dimensions[column].number_format = code
        for row in range(2, len(GUESTS) + 2):
            sheet[f"{column}{row}"].number_format = code
    fill = PatternFill("solid", fgColor="FFFF00")
    sheet.row_dimensions[len(GUESTS) + 3].fill = fill
    with tempfile.TemporaryDirectory() as folder:
        source = os.path.join(folder, "source.xlsx")
        book.save(source)
        subprocess.run(["ssconvert", "--export-type=Gnumeric_Excel:xlsx2", source, output], check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else OUTPUT)
