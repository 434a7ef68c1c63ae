#!/usr/bin/env python3
"""Seeds of workbook_fuzzer from workbooks: for each worksheet part of each
.xlsx file in SOURCE, one seed holding the workbook's shared-strings part
(empty when it has none), a NUL and the worksheet part; plus the worksheet
parts alone; where the workbook has styles, one more seed holding the
shared strings, a NUL, the worksheet cut after its cells, a NUL, the styles
part cut to its number formats and cell formats, a NUL and the workbook
part cut to its date system; a sheet laid out as Gnumeric writes it (column
styles on `cols`, a `customFormat` row, styled empty cells out to XFD); a
sheet of booleans plain and in number formats, with column styles in several
`cols` elements, out of order and overlapping, and cell and row styles past
the styles part; sheets whose text cells point past their shared strings
(an index equal to their count, beyond it, negative, not a number); and
the dictionary DICT of the parts' markup. For
workbook_parts_fuzzer, PARTS gets one seed per workbook holding its
xl/_rels/workbook.xml.rels, a NUL and its xl/workbook.xml, two such seeds
laid out as .NET writers lay them out, one with namespace declarations named
like attributes, and PARTS_DICT the markup of those two parts.

    make_workbook_seeds.py SOURCE OUTPUT DICT PARTS PARTS_DICT
"""
import os
import re
import sys
import zipfile
from xml.etree import ElementTree
from xml.sax.saxutils import quoteattr


def local(tag):
    return tag.rsplit("}", 1)[-1]


def compact_styles(styles):
    """The number formats and cell formats of a styles part, nothing else."""
    root = ElementTree.fromstring(styles)
    formats, cells = "", ""
    for part in root:
        for item in part:
            if local(part.tag) == "numFmts" and local(item.tag) == "numFmt":
                formats += (f'<numFmt numFmtId={quoteattr(item.get("numFmtId", ""))} '
                            f'formatCode={quoteattr(item.get("formatCode", ""))}/>')
            elif local(part.tag) == "cellXfs" and local(item.tag) == "xf":
                cells += f'<xf numFmtId={quoteattr(item.get("numFmtId", "0"))}/>'
    return (f'<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">'
            f'<numFmts>{formats}</numFmts><cellXfs>{cells}</cellXfs></styleSheet>').encode()


def compact_workbook(workbook):
    """The workbook part with only its date system."""
    flag = re.search(rb'date1904="([^"]*)"', workbook)
    pr = b'<workbookPr date1904="' + flag.group(1) + b'"/>' if flag else b""
    return b'<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">' + pr + b"</workbook>"


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
                    if "xl/styles.xml" in names and "xl/workbook.xml" in names:
                        cells = re.sub(rb"</sheetData>.*</worksheet>", b"</sheetData></worksheet>", sheet, flags=re.S)
                        with open(os.path.join(out, stem + "_with_styles"), "wb") as f:
                            f.write(strings + b"\0" + cells + b"\0" + compact_styles(z.read("xl/styles.xml")) + b"\0"
                                    + compact_workbook(z.read("xl/workbook.xml")))
    # Date cells written as ISO dates, and number codes of every kind shown:
    # sections of text alone, General among texts, a fourth section, a
    # point without decimals, seconds before minutes.
    main = b'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
    codes = ['0.00', '#,##0.00 &quot;EUR&quot;', '[$\u20ac-407] #,##0.00;[Red]-#,##0.00', '0.0%;(0.0%);&quot;-&quot;',
             '_-* #,##0.00_-;\\(#,##0\\)', 'dd.mm.yyyy hh:mm', '&quot;VIP&quot;;;&quot;Guest&quot;', ';;;',
             '&quot;yes&quot;;&quot;no&quot;;&quot;zero&quot;', '#,##0.', 'ss:mm', '[Red]General&quot; kg&quot;;General; ',
             '0;&quot;minus&quot;;&quot;zero&quot;;&quot;text&quot;']
    styles = (b"<styleSheet " + main + b"><numFmts>"
              + b"".join(f'<numFmt numFmtId="{164 + k}" formatCode="{code}"/>'.encode() for k, code in enumerate(codes))
              + b'</numFmts><cellXfs><xf numFmtId="0"/>'
              + b"".join(f'<xf numFmtId="{164 + k}"/>'.encode() for k in range(len(codes))) + b"</cellXfs></styleSheet>")
    cells = b"".join(f'<c s="{k}"><v>{v}</v></c>'.encode()
                     for k, v in enumerate(["0.07000000000000001", "2.675", "-1234.5", "0", "-0.001", "46000.75", "1e-05",
                                            "0", "-5", "-0.4", "88439.5", "46000.574641203706", "-1234.6", "0"]))
    dates = b'<c t="d" s="6"><v>2025-12-09T18:00:00Z</v></c><c t="d"><v>2025-12-09</v></c><c t="d"><v>18:30</v></c>'
    with open(os.path.join(out, "number_codes_with_styles"), "wb") as f:
        f.write(b"\0<worksheet " + main + b"><sheetData><row>" + cells + dates + b"</row></sheetData></worksheet>\0"
                + styles + b"\0<workbook " + main + b"/>")
    # A code the reader refuses (too long) among good ones: only its cells
    # show as General.
    refused = styles.replace(b'formatCode="0.00"', b'formatCode="' + b"0" * 1100 + b'"')
    with open(os.path.join(out, "refused_code_with_styles"), "wb") as f:
        f.write(b"\0<worksheet " + main + b"><sheetData><row>" + cells + b"</row></sheetData></worksheet>\0"
                + refused + b"\0<workbook " + main + b"/>")
    # A sheet as Gnumeric writes it: the formats of the number columns on
    # their cols and none on their cells, a row with a format of its own
    # (customFormat), and styled empty cells out to column XFD.
    styles = (b"<styleSheet " + main + b'><numFmts><numFmt formatCode="000000" numFmtId="100"/>'
              b'<numFmt formatCode="&quot;$&quot;#,##0.00" numFmtId="101"/></numFmts><cellXfs><xf numFmtId="0"/>'
              b'<xf numFmtId="0"/><xf numFmtId="100"/><xf numFmtId="101"/><xf numFmtId="9"/></cellXfs></styleSheet>')
    cols = (b'<cols><col min="1" max="2" style="1"/><col min="3" max="3" style="2"/><col min="4" max="4" style="3"/>'
            b'<col min="5" max="5" style="4"/><col min="6" max="16384" style="1"/></cols>')
    rows = b'<row r="1" spans="1:16384"><c r="A1" t="s"><v>0</v></c><c r="C1" t="s"><v>1</v></c></row>'
    rows += b'<row r="2" spans="1:16384"><c r="A2" t="s"><v>2</v></c><c r="C2"><v>5</v></c><c r="D2"><v>1234.5</v></c>'
    rows += b'<c r="E2"><v>0.0700000000000000000003</v></c></row>'
    rows += b'<row r="3" s="3" customFormat="1"><c r="C3"><v>142</v></c><c r="D3" s="2"><v>-187.5</v></c></row>'
    for row in (5, 6):
        rows += (f'<row r="{row}" spans="1:16384"><c r="A{row}" s="4"/><c r="F{row}" s="4"/><c r="XFC{row}" s="4"/>'
                 f'<c r="XFD{row}" s="4"/></row>').encode()
    with open(os.path.join(out, "gnumeric_column_styles"), "wb") as f:
        f.write(b"<sst " + main + b"><si><t>Name</t></si><si><t>Number</t></si><si><t>Ada</t></si></sst>\0<worksheet "
                + main + b'><dimension ref="A1:XFD6"/>' + cols + b"<sheetData>" + rows + b"</sheetData></worksheet>\0"
                + styles + b"\0<workbook " + main + b"/>")
    # Booleans (TRUE, FALSE, texts that start with a number or not, no
    # value) plain, in their own number format, their row's and their
    # column's; column styles in two cols, out of order and overlapping; a
    # cell style and a row style the styles part does not have.
    cols = (b'<cols><col min="6" max="6" style="2"/><col min="1" max="1" style="1"/></cols>'
            b'<cols><col min="2" max="7" style="4"/><col min="5" max="5" style="3"/></cols>')
    booleans = b"".join(f'<c t="b"{style}><v>{value}</v></c>'.encode()
                        for value, style in [("1", ""), ("0", ""), (" 2 ", ' s="1"'), ("true", ' s="3"'),
                                             ("1e0", ' s="99"'), ("", ""), ("0x1", ' s="-1"'), ("1", ' s="x"')])
    rows = b"<row>" + booleans + b"</row>"
    rows += b'<row s="99" customFormat="1"><c><v>5</v></c><c t="b"><v>1</v></c><c s="99"><v>0.25</v></c></row>'
    rows += b'<row s="2" customFormat="1"><c s="7"><v>5</v></c><c t="b"><v>0</v></c><c><v>2.5</v></c></row>'
    with open(os.path.join(out, "booleans_and_cols"), "wb") as f:
        f.write(b"<sst " + main + b"><si><t>Name</t></si></sst>\0<worksheet " + main + b">" + cols + b"<sheetData>"
                + rows + b"</sheetData></worksheet>\0" + styles + b"\0<workbook " + main + b"/>")
    # Text cells pointing past the shared strings, each refusing the sheet.
    for name, index in [("count", b"2"), ("beyond", b"7"), ("negative", b"-1"), ("word", b"x"), ("decimal", b"1.0")]:
        with open(os.path.join(out, "shared_index_" + name), "wb") as f:
            f.write(b"<sst " + main + b"><si><t>Name</t></si><si><t>Ada</t></si></sst>\0<worksheet " + main
                    + b'><sheetData><row r="1"><c r="A1" t="s"><v>0</v></c></row><row r="2"><c r="A2" t="s"><v>1'
                    + b'</v></c><c r="B2" t="s"><v>' + index + b"</v></c></row></sheetData></worksheet>")
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
    # Namespace declarations whose prefixes are attribute names.
    with open(os.path.join(parts_out, "declared_prefixes"), "wb") as f:
        f.write(b'<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
                b'<Relationship xmlns:Target="worksheets/sheet2.xml" Id="R1" Type="' + kind + b'worksheet" '
                b'Target="worksheets/sheet1.xml"/></Relationships>\0'
                + workbook.replace(b'<x:sheet name="Guests"', b'<x:sheet xmlns:id="R2" name="Guests"'))
    with open(dictionary, "w") as d:
        for word in ["<row", "</row>", "<c r=\"", "</c>", "<v>", "</v>", " t=\"s\"", " t=\"inlineStr\"",
                     "<is><t>", "</t></is>", "<f>", "</f>", "<dimension ref=\"", "<sheetData>",
                     "</sheetData>", "<worksheet>", "</worksheet>", "<si>", "</si>", "<r><t>", "</t></r>",
                     "<sst>", "</sst>", "XFD", "ZZZZ", "A1:", "x:", "<rPh>", "<![CDATA[", "&nbsp;", "&amp;",
                     "&#65;", "<!DOCTYPE sst [", "<!ENTITY e \"x\">", "]>", " s=\"", " t=\"n\"", "<styleSheet>",
                     "<numFmts>", "<numFmt numFmtId=\"", "\" formatCode=\"", "<cellXfs>", "<xf numFmtId=\"",
                     "000000", "dd.mm.yyyy", "yyyy", "yy", "mmmm", "mmm", "dddd", "ddd", "hh:mm:ss", "AM/PM",
                     "[$-409]", "[$-407]", "[$-F800]", "[Red]", ";@", "\\", "&quot;", "[h]", "General",
                     "<workbookPr date1904=\"1\"/>", "date1904=\"true\"",
                     " t=\"d\"", "2025-12-09T18:00:00", "0.00", "#,##0.00", "0.0%", "[$EUR-407]", "&quot;EUR&quot;",
                     "_-", "* ", "??", "#.##", ";(0.00)", "[$USD]", "0.00E+00", ";;;", "&quot;VIP&quot;;;",
                     ";&quot;no&quot;", "0.", "#,##0.", "ss:mm", "General&quot; kg&quot;", ";General;",
                     "<cols>", "</cols>", "</cols><cols>", " t=\"b\"", "<v>1</v>", "<v>0</v>", " s=\"99\"",
                     " s=\"-1\"", "<v>-1</v>",
                     "<col min=\"", "\" max=\"", "\" style=\"", " customFormat=\"1\"", " spans=\"1:16384\"",
                     "max=\"16384\""]:
            d.write('"' + word.replace("\\", "\\\\").replace('"', '\\"') + '"\n')
    with open(parts_dictionary, "w") as d:
        for word in ["<Relationships", "<Relationship ", "Id=\"", "Type=\"", "Target=\"", "TargetMode=\"External\"",
                     "/sharedStrings\"", "/worksheet\"", "worksheets/sheet1.xml", "/xl/", "../", "%2e%2e/", "%00",
                     "<workbook", "<sheets>", "</sheets>", "<sheet ", "name=\"", "r:id=\"", "sheetId=\"",
                     "worksheets/sheet.xml", "Worksheets/SHEET2.XML", "sheet01.xml", "Sheets/sheet3.xml", "x:",
                     "../beside.xml", "xmlns:id=\"", "xmlns:Target=\""]:
            d.write('"' + word.replace("\\", "\\\\").replace('"', '\\"') + '"\n')


if __name__ == "__main__":
    main()
