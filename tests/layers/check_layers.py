#!/usr/bin/env python3
"""Checks the include directions of the program's layers.

Layers, lowest first: platform, app, model, barcodes, canvas, data, profiles,
output, mainwindow. A source includes only from its own layer and the ones
below (app/main.cpp, the program entry, sits above everything). model,
barcodes and data include no Qt Widgets or Qt PrintSupport header, not even
through a header of ours, and include no Designer form header (ui_*.h).
Nothing outside platform/ uses libplist directly: property lists go through
platform/PlistValue. Nothing below mainwindow names the main window's global
pointer (Main_App_wnd) or the old hook interface (MainWindowHooks), or
includes a mainwindow header: a lower layer is handed a host interface of
its own (CanvasHost, ProfilePlacementHost).

Our headers are included by their path from the source root, in quotes or
angle brackets alike; a path that climbs ("../") or starts at "./" is refused,
since it would slip past the check.

Usage: check_layers.py SOURCE_ROOT [QT_INCLUDE_DIR ...]
       check_layers.py --self-test [QT_INCLUDE_DIR ...]
The Qt include folders (those ending in QtWidgets or QtPrintSupport) give the
names of the headers the window-free layers may not include. --self-test runs
the check on a small tree with one fault of each kind planted and fails unless
every one is found.
"""

import os
import re
import sys

from planted import planted_tree, report_planted

LAYERS = ["platform", "app", "model", "barcodes", "canvas", "data", "profiles", "output", "mainwindow"]
RANK = {name: i for i, name in enumerate(LAYERS)}
WINDOW_FREE = {"model", "barcodes", "data"}
PROGRAM_ENTRY = "app/main.cpp"

WINDOW_GLOBAL = re.compile(r"\b(Main_App_wnd|MainWindowHooks)\b")
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
    if sys.argv[1] == "--self-test":
        return self_test(sys.argv[2:])
    faults, count = check(sys.argv[1], sys.argv[2:])
    for f in faults:
        print(f)
    print(f"{count} sources checked, {len(faults)} faults")
    if not widget_headers(sys.argv[2:]) - {"QtWidgets", "QtPrintSupport"}:
        print("no Qt Widgets include folder given")
        return 1
    return 1 if faults else 0


def check(root, qt_dirs):
    widget_names = widget_headers(qt_dirs)
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
        for inc in QUOTED.findall(body) + ANGLED.findall(body):
            top = inc.split("/")[0]
            if top in RANK and RANK[top] > RANK[layer]:
                faults.append(f"{path}: includes {inc} ({top} is above {layer})")
            if inc.startswith("./") or "../" in inc:
                faults.append(f"{path}: includes {inc} (include by the path from the source root)")
            if layer in WINDOW_FREE and os.path.basename(inc).startswith("ui_"):
                faults.append(f"{path}: includes the form header {inc} ({layer} has no widgets)")
        if layer != "mainwindow":
            named = WINDOW_GLOBAL.search(body)
            if named:
                faults.append(f"{path}: names {named.group(1)} (a lower layer is handed a host interface)")
            for inc in QUOTED.findall(body) + ANGLED.findall(body):
                if inc.split("/")[0] == "mainwindow":
                    faults.append(f"{path}: includes the window header {inc} (below mainwindow)")
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
                for inc in QUOTED.findall(cur_body) + ANGLED.findall(cur_body):
                    if inc.split("/")[0] in RANK:
                        todo.append(inc)

    return faults, len(files)


# One planted fault of each kind, and clean files beside them.
PLANTED = {
    "platform/Fine.h": '#include <QString>\n',
    "model/Fine.cpp": '#include "model/Fine.h"\n#include "platform/Fine.h"\n#include <QImage>\n',
    "model/Fine.h": '#pragma once\n',
    "model/Quoted.cpp": '#include "canvas/View.h"\n',
    "model/Angled.cpp": '#include <mainwindow/Window.h>\n',
    "model/Climbing.cpp": '#include "../canvas/View.h"\n',
    "barcodes/Button.cpp": '#include <QPushButton>\n',
    "data/Through.cpp": '#include "canvas/View.h"\n',
    "canvas/View.h": '#include <QWidget>\n',
    "canvas/Plist.cpp": '#include <plist/plist.h>\n',
    "app/main.cpp": '#include "mainwindow/Window.h"\n',
    "canvas/Hub.cpp": 'void refresh() { Main_App_wnd->Refresh_Canvas(); }\n',
    "profiles/Hooks.h": '#include "canvas/View.h"\nclass Window : public MainWindowHooks {};\n',
    "output/Controller.cpp": '#include "mainwindow/SKTWindowController.h"\n',
    "mainwindow/Hub.cpp": 'SKTWindowController* Main_App_wnd = nullptr;\n',
    "mainwindow/Window.h": '#include <QMainWindow>\n',
}
EXPECTED = [
    "model/Quoted.cpp: includes canvas/View.h",
    "model/Angled.cpp: includes mainwindow/Window.h",
    "model/Climbing.cpp: includes ../canvas/View.h (include by the path",
    "barcodes/Button.cpp: includes <QPushButton>",
    "data/Through.cpp: includes <QWidget> through canvas/View.h",
    "canvas/Plist.cpp: uses libplist directly",
    "canvas/Hub.cpp: names Main_App_wnd",
    "profiles/Hooks.h: names MainWindowHooks",
    "output/Controller.cpp: includes the window header mainwindow/SKTWindowController.h",
]


def self_test(qt_dirs):
    with planted_tree(PLANTED) as root:
        faults, _ = check(root, qt_dirs)
    return report_planted(EXPECTED, faults,
                          planted=("model/Quoted", "model/Angled", "model/Climbing", "barcodes/Button",
                                   "data/Through", "canvas/Plist", "canvas/Hub", "profiles/Hooks",
                                   "output/Controller"))


if __name__ == "__main__":
    sys.exit(main())
