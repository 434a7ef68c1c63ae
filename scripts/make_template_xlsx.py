#!/usr/bin/env python3
"""Writes resources/Template.xlsx, the workbook the workbook writer starts from.

It holds the package parts of a one-sheet workbook: content types (with the
overrides of the worksheet part and the shared-strings part that the writer
adds), the package and workbook relationships, the workbook with the one
sheet "Sheet1" and minimal styles. The bytes are the same on every run.

    scripts/make_template_xlsx.py [OUTPUT]
"""
import os
import sys
import zipfile

MAIN = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
REL = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
PKG_REL = "http://schemas.openxmlformats.org/package/2006/relationships"
CT = "application/vnd.openxmlformats-officedocument.spreadsheetml"
DECL = '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'

PARTS = [
    ("[Content_Types].xml", DECL +
     '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">\n'
     '  <Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>\n'
     '  <Default Extension="xml" ContentType="application/xml"/>\n'
     f'  <Override PartName="/xl/workbook.xml" ContentType="{CT}.sheet.main+xml"/>\n'
     f'  <Override PartName="/xl/worksheets/sheet1.xml" ContentType="{CT}.worksheet+xml"/>\n'
     f'  <Override PartName="/xl/styles.xml" ContentType="{CT}.styles+xml"/>\n'
     f'  <Override PartName="/xl/sharedStrings.xml" ContentType="{CT}.sharedStrings+xml"/>\n'
     '</Types>\n'),
    ("_rels/.rels", DECL +
     f'<Relationships xmlns="{PKG_REL}">\n'
     f'  <Relationship Id="rId1" Type="{REL}/officeDocument" Target="xl/workbook.xml"/>\n'
     '</Relationships>\n'),
    ("xl/workbook.xml", DECL +
     f'<workbook xmlns="{MAIN}" xmlns:r="{REL}">\n'
     '  <bookViews>\n'
     '    <workbookView activeTab="0"/>\n'
     '  </bookViews>\n'
     '  <sheets>\n'
     '    <sheet name="Sheet1" sheetId="1" r:id="rId1"/>\n'
     '  </sheets>\n'
     '</workbook>\n'),
    ("xl/_rels/workbook.xml.rels", DECL +
     f'<Relationships xmlns="{PKG_REL}">\n'
     f'  <Relationship Id="rId1" Type="{REL}/worksheet" Target="worksheets/sheet1.xml"/>\n'
     f'  <Relationship Id="rId2" Type="{REL}/styles" Target="styles.xml"/>\n'
     f'  <Relationship Id="rId3" Type="{REL}/sharedStrings" Target="sharedStrings.xml"/>\n'
     '</Relationships>\n'),
    ("xl/styles.xml", DECL +
     f'<styleSheet xmlns="{MAIN}">\n'
     '  <fonts count="1">\n'
     '    <font><sz val="11"/><name val="Calibri"/><family val="2"/></font>\n'
     '  </fonts>\n'
     '  <fills count="2">\n'
     '    <fill><patternFill patternType="none"/></fill>\n'
     '    <fill><patternFill patternType="gray125"/></fill>\n'
     '  </fills>\n'
     '  <borders count="1">\n'
     '    <border><left/><right/><top/><bottom/><diagonal/></border>\n'
     '  </borders>\n'
     '  <cellStyleXfs count="1">\n'
     '    <xf numFmtId="0" fontId="0" fillId="0" borderId="0"/>\n'
     '  </cellStyleXfs>\n'
     '  <cellXfs count="1">\n'
     '    <xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/>\n'
     '  </cellXfs>\n'
     '  <cellStyles count="1">\n'
     '    <cellStyle name="Normal" xfId="0" builtinId="0"/>\n'
     '  </cellStyles>\n'
     '</styleSheet>\n'),
]


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "resources", "Template.xlsx")
    with zipfile.ZipFile(out, "w") as z:
        for name, text in PARTS:
            info = zipfile.ZipInfo(name, date_time=(1980, 1, 1, 0, 0, 0))
            info.compress_type = zipfile.ZIP_DEFLATED
            info.external_attr = 0o644 << 16
            info.create_system = 3
            z.writestr(info, text.encode("utf-8"), compresslevel=9)


if __name__ == "__main__":
    main()
