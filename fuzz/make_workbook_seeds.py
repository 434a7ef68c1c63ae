#!/usr/bin/env python3
"""Seeds of workbook_fuzzer from workbooks: for each worksheet part of each
.xlsx file in SOURCE, one seed holding the workbook's shared-strings part
(empty when it has none), a NUL and the worksheet part; plus the worksheet
parts alone; and the dictionary DICT of the parts' markup.

    make_workbook_seeds.py SOURCE OUTPUT DICT
"""
import os
import sys
import zipfile


def main():
    source, out, dictionary = sys.argv[1], sys.argv[2], sys.argv[3]
    os.makedirs(out, exist_ok=True)
    for name in sorted(os.listdir(source)):
        if not name.endswith(".xlsx"):
            continue
        with zipfile.ZipFile(os.path.join(source, name)) as z:
            names = z.namelist()
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


if __name__ == "__main__":
    main()
