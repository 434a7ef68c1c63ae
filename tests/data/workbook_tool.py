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
    workbook_tool.py sheets FILE JSON  writes FILE with the sheets JSON gives:
                                   a list of [tab name, rows of texts]
"""
import json
import sys

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


def sheets(path, spec):
    book = openpyxl.Workbook()
    book.remove(book.active)
    for title, lines in json.loads(spec):
        sheet = book.create_sheet(title)
        for line in lines:
            sheet.append(line)
    book.save(path)


if __name__ == "__main__":
    command = sys.argv[1]
    if command == "make":
        make(sys.argv[2])
    elif command == "dump":
        dump(sys.argv[2])
    elif command == "rows":
        rows(sys.argv[2], int(sys.argv[3]))
    elif command == "sheets":
        sheets(sys.argv[2], sys.argv[3])
    else:
        sys.exit(f"unknown command {command}")
