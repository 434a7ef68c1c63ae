#!/usr/bin/python3
"""openpyxl at both ends of the workbook tests.

    workbook_tool.py make FOLDER   writes openpyxl_book.xlsx (two sheets, a
                                   formula without a cached value, booleans,
                                   gaps) and openpyxl_stream.xlsx (write-only
                                   mode: no dimension element) into FOLDER
    workbook_tool.py dump FILE     prints every sheet of FILE as JSON: a list
                                   of sheets, each a list of rows of texts
                                   (numbers in their shortest form, empty
                                   cells "")
    workbook_tool.py rows FILE N   writes FILE in write-only mode: a header and
                                   N rows of five columns
    workbook_tool.py formats FOLDER
                                   writes openpyxl_formats.xlsx (zero padding,
                                   dates and times near a minute's or day's end,
                                   sections of text alone)
    workbook_tool.py padded FILE N M   writes FILE: a header, N guests (the
                                   last without a company), then M rows of
                                   formatted empty cells and a row that only
                                   has a height
    workbook_tool.py sheets FILE JSON  writes FILE with the sheets JSON gives:
                                   a list of [tab name, rows of cells], a
                                   cell a text or [number, number format]
    workbook_tool.py styled FILE   writes FILE with booleans, formats on two
                                   `cols` out of order and overlapping, and
                                   styles past the styles part
"""
import json
import sys
import zipfile

import openpyxl


def make(folder):
    book = openpyxl.Workbook()
    first = book.active
    first.title = "Guests"
    first.append(["Name", "Seat", "Vegan", "Total"])
    first.append(["Ærø", 12, True, "=B2*2"])
    first.append(["Bo", 7.25, False, None])
    first["A6"] = "after a gap"
    first["C6"] = "東京"
    second = book.create_sheet("Other")
    second["B1"] = "only B"
    second["A2"] = -3
    book.save(f"{folder}/openpyxl_book.xlsx")

    stream = openpyxl.Workbook(write_only=True)
    sheet = stream.create_sheet("Stream")
    sheet.append(["id", "word", None, "wide"])
    sheet.append([1, "alpha", None, "x"])
    sheet.append([2, "beta", "gamma", None, None, "far"])
    stream.save(f"{folder}/openpyxl_stream.xlsx")


def formats(folder):
    book = openpyxl.Workbook()
    sheet = book.active
    columns = [("Number", "000000", [5, 142, 0, 1234567, 7.5, -3]),
               ("Date", "dd.mm.yyyy", [46000, 45292, 36526, 61, 2958465, 46000.75]),
               ("Time", "hh:mm", [0.5, 0.597222222222222, 0.999988425925926, 46000.25, 0.5 + 45 / 86400, 0]),
               ("Stamp", "[$-409]dddd, mmmm d, yyyy h:mm:ss AM/PM;@",
                [46000.75, 45292, 36526.5, 46000 + 1 / 86400, 46001 - 1 / 86400, 61]),
               ("Clock", "hh:mm:ss", [0.99999999, 0.5 + 59.9999 / 86400, 1.25 + 0.9 / 86400, 46000.99999999, 0, 0.75]),
               ("Moment", "dd.mm.yyyy hh:mm", [46000.99999999, 46000 + 86399.9 / 86400, 46000 + 86399.48 / 86400,
                                               46000.5 + 59.6 / 86400, 46000.9999999, 46000.25]),
               ("id 14", 14, [46000, 45292, 36526, 61, 2958465, 46000.75]),
               ("id 22", 22, [46000.75, 45292, 36526.5, 61, 2958465, 46000.25]),
               ("Plain", "General", [0.1 * 0.7, 520.56 - 2 ** -44, 1e-05, 0.1 + 0.2, 1e16, -1 / 3]),
               ("Share", "0%", [0.07, 0.125, 1.005, -0.5, 0.004, 0]),
               ("Rate", "0.00%", [0.07, 0.0049, -0.001, 1.5, 0.1 + 0.2, 1e-7]),
               ("Price", '#,##0.00 "EUR"', [2.675, 1234567.891, 1.005, -2.675, 0, 0.995]),
               ("Fee", '"$"#,##0.00;\\("$"#,##0.00\\)', [520.56, -1234.5, -0.001, 0, 12.345, 1e15]),
               ("Euro", "[$\u20ac-407] #,##0.00", [0.07, 99999.995, -2.5, 0, 1e-05, 7]),
               ("Two", "0.00", [0.1 * 0.7, 2.675, 1.005, -0.0049, 520.5599999999999, 3]),
               ("Guest", '"VIP";;"Guest"', [1, 0, -5, 0.001, 88439, -0.4]),
               ("Hidden", ";;;", [5, 0, -5, 1e-05, 2.5, 88439]),
               ("Answer", '"yes";"no";"zero"', [-5, 0, 1, -0.001, 7, 0.5]),
               ("Whole", "0.", [88439.4, 0.5, 0, -0.4, -1234.6, 5]),
               ("Grouped", "#,##0.", [1234.6, 88439, 0, 0.5, -1234567.5, 3]),
               ("Seconds", "ss:mm", [46000 + 49649 / 86400, 0.5, 0.25 + 61 / 86400, 0.999988425925926, 0, 46000.75]),
               ("Weight", 'General" kg";General;"none"', [1.5, -5, 0, 1234567.891, -0.4, 0.07]),
               ("Four", '0;"minus";"zero";"text"', [5, -5, 0, 0.4, -0.001, 1234.6])]
    for column, (title, code, values) in enumerate(columns, start=1):
        sheet.cell(1, column, title)
        for row, value in enumerate(values, start=2):
            cell = sheet.cell(row, column, value)
            cell.number_format = openpyxl.styles.numbers.BUILTIN_FORMATS[code] if isinstance(code, int) else code
    book.save(f"{folder}/openpyxl_formats.xlsx")


def text(value):
    if value is None:
        return ""
    if isinstance(value, bool):
        return "1" if value else "0"
    if isinstance(value, float) and value.is_integer() and abs(value) < 1e15:
        return str(int(value))
    return str(value)


def dump(path):
    book = openpyxl.load_workbook(path)
    sheets = []
    for sheet in book.worksheets:
        sheets.append([[text(v) for v in row] for row in sheet.iter_rows(values_only=True)])
    print(json.dumps(sheets, ensure_ascii=False))


def rows(path, count):
    book = openpyxl.Workbook(write_only=True)
    sheet = book.create_sheet("Data")
    sheet.append(["Number", "Name", "City", "Amount", "Code"])
    for i in range(count):
        sheet.append([i, f"Name {i}", f"City {i % 97}", i * 0.5, f"C{i:06d}"])
    book.save(path)


def padded(path, guests, empty):
    book = openpyxl.Workbook()
    sheet = book.active
    sheet.append(["Name", "Company", "Seat"])
    for i in range(1, guests + 1):
        sheet.append([f"Guest {i}", f"Company {i}" if i < guests else None, i])
    fill = openpyxl.styles.PatternFill("solid", fgColor="FFFF00")
    for row in range(guests + 2, guests + 2 + empty):
        for column in range(1, 4):
            sheet.cell(row, column).fill = fill
    sheet.row_dimensions[guests + empty + 5].height = 30
    book.save(path)


def sheets(path, spec):
    book = openpyxl.Workbook()
    book.remove(book.active)
    for title, lines in json.loads(spec):
        sheet = book.create_sheet(title)
        for line in lines:
            sheet.append([cell[0] if isinstance(cell, list) else cell for cell in line])
            for column, cell in enumerate(line, start=1):
                if isinstance(cell, list):
                    sheet.cell(sheet.max_row, column).number_format = cell[1]
    book.save(path)


def styled(path):
    book = openpyxl.Workbook()
    book.active.title = "Guests"
    book.save(path)
    main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
    # Styles 0 to 4: General, "000000", "0.00", "VIP" for positive numbers
    # and "Guest" for zero, "0%".
    styles = (f'<styleSheet xmlns="{main}"><numFmts count="3"><numFmt numFmtId="164" formatCode="000000"/>'
              '<numFmt numFmtId="165" formatCode="0.00"/>'
              '<numFmt numFmtId="166" formatCode="&quot;VIP&quot;;;&quot;Guest&quot;"/></numFmts>'
              '<cellXfs count="5"><xf numFmtId="0"/><xf numFmtId="164" applyNumberFormat="1"/>'
              '<xf numFmtId="165" applyNumberFormat="1"/><xf numFmtId="166" applyNumberFormat="1"/>'
              '<xf numFmtId="9" applyNumberFormat="1"/></cellXfs></styleSheet>')

    def cell(ref, value, kind="", style=""):
        if kind == "inlineStr":
            return f'<c r="{ref}" t="inlineStr"><is><t>{value}</t></is></c>'
        kind, style = f' t="{kind}"' if kind else "", f' s="{style}"' if style else ""
        return f'<c r="{ref}"{kind}{style}><v>{value}</v></c>'

    def row(number, attributes, cells):
        cells = "".join(cell(f"{column}{number}", *c) for column, c in zip("ABCDEFG", cells))
        return f'<row r="{number}"{attributes}>{cells}</row>'

    # Seat (D) takes "000000" from a second cols, listed after Amount's
    # (F, "0.00"); Share's range (E:F, "0%") overlaps Amount's, which keeps
    # F; Member (G) is "VIP"/"Guest" for its booleans. Row 3 and some
    # cells name a style the part does not have; row 4 has "000000" of its own.
    cols = ('<cols><col min="6" max="6" style="2"/></cols>'
            '<cols><col min="5" max="6" style="4"/><col min="4" max="4" style="1"/>'
            '<col min="7" max="7" style="3"/></cols>')
    rows = (row(1, "", [(t, "inlineStr") for t in ["Name", "VIP", "Paid", "Seat", "Share", "Amount", "Member"]])
            + row(2, "", [("Ada", "inlineStr"), (1, "b"), (1, "b", 2), (5,), (0.25,), (3,), (1, "b")])
            + row(3, ' s="99" customFormat="1"', [("Bob", "inlineStr"), (0, "b"), (0, "b", 2), (7, "", 99),
                                                  (0.5, "", 5), (2.5, "", 99), (0, "b")])
            + row(4, ' s="1" customFormat="1"', [("Cy", "inlineStr"), (1, "b"), (0, "b", 99), (9,), (0.125, "", 4),
                                                 (4, "", 99), (" 2 ", "b")]))
    sheet = f'<worksheet xmlns="{main}">{cols}<sheetData>{rows}</sheetData></worksheet>'
    with zipfile.ZipFile(path) as z:
        parts = {name: z.read(name) for name in z.namelist()}
    parts.update({"xl/styles.xml": styles, "xl/worksheets/sheet1.xml": sheet})
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        for name, content in parts.items():
            z.writestr(name, content)


if __name__ == "__main__":
    command = sys.argv[1]
    if command == "make":
        make(sys.argv[2])
    elif command == "dump":
        dump(sys.argv[2])
    elif command == "formats":
        formats(sys.argv[2])
    elif command == "rows":
        rows(sys.argv[2], int(sys.argv[3]))
    elif command == "padded":
        padded(sys.argv[2], int(sys.argv[3]), int(sys.argv[4]))
    elif command == "sheets":
        sheets(sys.argv[2], sys.argv[3])
    elif command == "styled":
        styled(sys.argv[2])
    else:
        sys.exit(f"unknown command {command}")
