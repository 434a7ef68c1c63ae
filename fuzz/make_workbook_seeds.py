#!/usr/bin/env python3
"""Seeds of workbook_fuzzer from workbooks: for each worksheet part of each
.xlsx file in SOURCE, one seed holding the workbook's shared-strings part
(empty when it has none), a NUL and the worksheet part; plus the worksheet
parts alone; and the dictionary DICT of the parts' markup. For
workbook_parts_fuzzer, PARTS gets one seed per workbook holding its
xl/_rels/workbook.xml.rels, a NUL and its xl/workbook.xml, two such seeds
laid out as .NET writers lay them out, and PARTS_DICT the markup of those two
parts.

    make_workbook_seeds.py SOURCE OUTPUT DICT PARTS PARTS_DICT
"""
import os
import sys
import zipfile


def main():
    source, out, dictionary, parts_out, parts_dictionary = sys.argv[1:6]
    os.makedirs(out, exist_ok=True)
    os.makedirs(parts_out, exist_ok=True)
    for name in sorted(os.listdir(source)):
        if not name.endswith(".xlsx"):
            continue
        with zipfile.ZipFile(os.path.join(source, name)) as z:
            names = z.namelist()
            if "xl/_rels/workbook.xml.rels" in names and "xl/workbook.xml" in names:
                with open(os.path.join(parts_out, name[:-5]), "wb") as f:
                    f.write(z.read("xl/_rels/workbook.xml.rels") + b"\0" + z.read("xl/workbook.xml"))
            strings = z.read("xl/sharedStrings.xml") if "xl/sharedStrings.xml" in names else b""
            for part in names:
                if part.startswith("xl/worksheets/") and part.endswith(".xml"):
                    sheet = z.read(part)
                    stem = f"{name[:-5]}_{os.path.basename(part)[:-4]}"
                    with open(os.path.join(out, stem + "_with_strings"), "wb") as f:
                        f.write(strings + b"\0" + sheet)
                    with open(os.path.join(out, stem), "wb") as f:
                        f.write(sheet)
    # Workbooks laid out as .NET writers lay them out: prefixed elements,
    # targets from the root, the first worksheet part named sheet.xml; one
    # whose relationship Ids repeat.
    workbook = (b'<x:workbook xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships" '
                b'xmlns:x="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><x:sheets>'
                b'<x:sheet name="Guests" sheetId="1" r:id="R1"/><x:sheet name="Staff" sheetId="2" r:id="R2"/>'
                b'</x:sheets></x:workbook>')
    kind = b"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
    for name, targets in [("dotnet", [(b"R1", b"/xl/worksheets/sheet.xml"), (b"R2", b"/xl/worksheets/sheet2.xml")]),
                          ("repeated_id", [(b"R1", b"worksheets/Sheet2.xml"), (b"R1", b"worksheets/sheet1.xml"),
                                           (b"R2", b"worksheets/SHEET01.XML")])]:
        rels = b'<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
        for rid, target in targets:
            rels += b'<Relationship Type="' + kind + b'worksheet" Target="' + target + b'" Id="' + rid + b'"/>'
        with open(os.path.join(parts_out, name), "wb") as f:
            f.write(rels + b"</Relationships>\0" + workbook)
    with open(dictionary, "w") as d:
        for word in ["<row", "</row>", "<c r=\"", "</c>", "<v>", "</v>", " t=\"s\"", " t=\"inlineStr\"",
                     "<is><t>", "</t></is>", "<f>", "</f>", "<dimension ref=\"", "<sheetData>",
                     "</sheetData>", "<worksheet>", "</worksheet>", "<si>", "</si>", "<r><t>", "</t></r>",
                     "<sst>", "</sst>", "XFD", "ZZZZ", "A1:", "x:", "<rPh>", "<![CDATA[", "&nbsp;", "&amp;",
                     "&#65;", "<!DOCTYPE sst [", "<!ENTITY e \"x\">", "]>"]:
            d.write('"' + word.replace("\\", "\\\\").replace('"', '\\"') + '"\n')
    with open(parts_dictionary, "w") as d:
        for word in ["<Relationships", "<Relationship ", "Id=\"", "Type=\"", "Target=\"", "TargetMode=\"External\"",
                     "/sharedStrings\"", "/worksheet\"", "worksheets/sheet1.xml", "/xl/", "../", "%2e%2e/", "%00",
                     "<workbook", "<sheets>", "</sheets>", "<sheet ", "name=\"", "r:id=\"", "sheetId=\"",
                     "worksheets/sheet.xml", "Worksheets/SHEET2.XML", "sheet01.xml", "Sheets/sheet3.xml", "x:",
                     "../beside.xml"]:
            d.write('"' + word.replace("\\", "\\\\").replace('"', '\\"') + '"\n')


if __name__ == "__main__":
    main()
