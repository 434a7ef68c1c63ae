#!/usr/bin/env python3
"""Checks the include directions of the program's layers.

Layers, lowest first: platform, app, model, barcodes, canvas, data, profiles,
output, mainwindow. A source includes only from its own layer and the ones
below (app/main.cpp, the program entry, sits above everything). model,
barcodes and data include no Qt Widgets or Qt PrintSupport header, not even
through a header of ours, and include no Designer form header (ui_*.h).
Nothing outside platform/ uses libplist directly: property lists go through
platform/PlistValue.

Usage: check_layers.py SOURCE_ROOT [QT_INCLUDE_DIR ...]
The Qt include folders (those ending in QtWidgets or QtPrintSupport) give the
names of the headers the window-free layers may not include.
"""

import os
import re
import sys

LAYERS = ["platform", "app", "model", "barcodes", "canvas", "data", "profiles", "output", "mainwindow"]
RANK = {name: i for i, name in enumerate(LAYERS)}
WINDOW_FREE = {"model", "barcodes", "data"}
PROGRAM_ENTRY = "app/main.cpp"

QUOTED = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)
ANGLED = re.compile(r"^\s*#\s*include\s*<([^>]+)>", re.M)


def widget_headers(qt_dirs):
    names = {"QtWidgets", "QtPrintSupport"}
    for d in qt_dirs:
        base = os.path.basename(os.path.normpath(d))
        if base in ("QtWidgets", "QtPrintSupport") and os.path.isdir(d):
            names.update(os.listdir(d))
    return names


def is_widget_include(header, widget_names):
    top = header.split("/")[0]
    return top in ("QtWidgets", "QtPrintSupport") or header in widget_names


def sources(root):
    for layer in LAYERS:
        folder = os.path.join(root, layer)
        for dirpath, _, files in os.walk(folder):
            for f in sorted(files):
                if f.endswith((".h", ".cpp")):
                    yield os.path.relpath(os.path.join(dirpath, f), root).replace(os.sep, "/")


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    root = sys.argv[1]
    widget_names = widget_headers(sys.argv[2:])
    texts = {}

    def text(path):
        if path not in texts:
            full = os.path.join(root, path)
            texts[path] = open(full, encoding="utf-8", errors="replace").read() if os.path.isfile(full) else None
        return texts[path]

    faults = []
    files = list(sources(root))
    for path in files:
        layer = path.split("/")[0]
        body = text(path)
        if path == PROGRAM_ENTRY:
            continue
        for inc in QUOTED.findall(body):
            top = inc.split("/")[0]
            if top in RANK and RANK[top] > RANK[layer]:
                faults.append(f"{path}: includes {inc} ({top} is above {layer})")
            if layer in WINDOW_FREE and os.path.basename(inc).startswith("ui_"):
                faults.append(f"{path}: includes the form header {inc} ({layer} has no widgets)")
        if layer != "platform":
            if re.search(r"<plist/plist\.h>|\bplist_\w+\s*\(", body):
                faults.append(f"{path}: uses libplist directly (go through platform/PlistValue)")

        if layer in WINDOW_FREE:
            # Our headers it reaches, followed through every quoted include.
            seen, todo = set(), [path]
            while todo:
                cur = todo.pop()
                if cur in seen:
                    continue
                seen.add(cur)
                cur_body = text(cur)
                if cur_body is None:
                    continue
                for inc in ANGLED.findall(cur_body):
                    if is_widget_include(inc, widget_names):
                        via = "" if cur == path else f" through {cur}"
                        faults.append(f"{path}: includes <{inc}>{via} ({layer} has no Qt Widgets)")
                for inc in QUOTED.findall(cur_body):
                    if inc.split("/")[0] in RANK:
                        todo.append(inc)


    for f in faults:
        print(f)
    print(f"{len(files)} sources checked, {len(faults)} faults")
    if not widget_names - {"QtWidgets", "QtPrintSupport"}:
        print("no Qt Widgets include folder given")
        return 1
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
