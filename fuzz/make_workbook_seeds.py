#!/usr/bin/env python3
"""Seeds of workbook_fuzzer from workbooks: for each worksheet part of each
.xlsx file in SOURCE, one seed holding the workbook's shared-strings part
(empty when it has none), a NUL and the worksheet part; plus the worksheet
parts alone; and the dictionary DICT of the parts' markup. For
workbook_parts_fuzzer, PARTS gets one seed per workbook holding its
xl/_rels/workbook.xml.rels, a NUL and its xl/workbook.xml, and PARTS_DICT the
markup of those two parts.

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
                     "<workbook", "<sheets>", "</sheets>", "<sheet ", "name=\"", "r:id=\"", "sheetId=\""]:
            d.write('"' + word.replace("\\", "\\\\").replace('"', '\\"') + '"\n')


if __name__ == "__main__":
    main()
