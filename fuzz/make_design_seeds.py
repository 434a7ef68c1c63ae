#!/usr/bin/env python3
"""Writes the starting corpus of design_fuzzer from the golden design files
(tests/fixtures/design, written by the program): the files themselves and
smaller designs cut from them (one object a side, a table row, no objects),
designs ending with the sheet columns of their table (where each column
stood in its sheet and the sheet's titles, also ones that do not fit), a
table read without a title row (its first row repeating its titles, with
the layout saying so and without a layout), and a libFuzzer dictionary of
the format's words.

    make_design_seeds.py GOLDEN_FOLDER FOLDER   writes FOLDER/design/ and
                                                FOLDER/design.dict
"""
import os
import plistlib
import shutil
import sys

golden, folder = sys.argv[1], sys.argv[2]
out = os.path.join(folder, "design")
os.makedirs(out, exist_ok=True)
for name in sorted(os.listdir(golden)):
    shutil.copy(os.path.join(golden, name), os.path.join(out, name))

with open(os.path.join(golden, "sample.fcard"), "rb") as f:
    sample = plistlib.load(f)
head = sample[:61]
n = int(sample[61])
front = sample[62:62 + n]
back = sample[63 + n:]
titles = sample[59]
sheet = {"excel_col_places": [str(2 * c) for c in range(1, len(titles))],
         "excel_sheet_titles": [t for c in range(1, len(titles)) for t in ("Unticked %d" % c, titles[c])]}
# Read without a title row: the titles are the first row's values, which
# stays the first record.
first = sample[60][0]
untitled = [titles[0]] + [first.get("Column%d" % c, "") for c in range(1, len(titles))]
no_title_row = sample[:59] + [untitled] + sample[60:]
untitled_sheet = {"excel_col_places": [str(c) for c in range(1, len(titles))],
                  "excel_sheet_titles": untitled[1:], "excel_first_row_titles": "N"}
variants = {
    "no_title_row": no_title_row + [untitled_sheet],
    "no_title_row_older": no_title_row,
    "sheet_columns": sample + [sheet],
    "sheet_columns_unfit": sample + [{"excel_col_places": ["2", "1"], "excel_sheet_titles": ["A"]}],
    "sheet_columns_one_each": head + ["1", front[0], "1", back[0], sheet],
    "one_each": head + ["1", front[0], "1", back[0]],
    "no_objects": head + ["0", "0"],
    "no_table": head[:59] + [[], []] + ["1", front[1], "0"],
    "text_only": head + ["1", front[0], "0"],
}
for name, root in variants.items():
    with open(os.path.join(out, name + ".fcard"), "wb") as f:
        plistlib.dump(root, f, fmt=plistlib.FMT_XML)

words = ["VESKMACFESTOONDESIGNS", "<string>", "</string>", "<data>", "</data>", "<array>", "</array>",
         "<array/>", "<dict>", "</dict>", "<key>", "</key>", "<integer>", "<true/>", "Extension", "Column1",
         "{0, 0}", "0.50", "-1", "99999999999", "Y", "N", "bplist00", "NSKeyedArchiver", "$objects",
         "excel_col_places", "excel_sheet_titles", "excel_first_row_titles", "excel_col_title"]
with open(os.path.join(folder, "design.dict"), "w") as f:
    for w in words:
        f.write('"' + w.replace("\\", "\\\\").replace('"', '\\"') + '"\n')
