#!/usr/bin/env python3
"""Fails when a C++ source file of the project reaches the size limit.

A file past a few hundred lines usually holds more than one concern; past
LIMIT it is split by concern before it grows further. Build folders and
generated files are not ours and are left out.

    check_file_sizes.py ROOT       check every .cpp/.h below ROOT
    check_file_sizes.py --self-test
"""
import os
import sys

from planted import planted_tree

LIMIT = 1500
SKIPPED_DIRS = {".git", "node_modules"}


def source_files(root):
    for folder, dirs, files in os.walk(root):
        dirs[:] = [d for d in dirs if d not in SKIPPED_DIRS and not d.startswith("build")
                   and not d.startswith(".")]
        for name in files:
            if name.endswith((".cpp", ".h")):
                yield os.path.join(folder, name)


def oversized(root):
    sizes = []
    for path in source_files(root):
        with open(path, "rb") as f:
            sizes.append((f.read().count(b"\n"), os.path.relpath(path, root)))
    sizes.sort(reverse=True)
    return [s for s in sizes if s[0] >= LIMIT], sizes[:3]


def self_test():
    files = {"model/Small.cpp": "x\n" * (LIMIT - 1), "model/Big.h": "x\n" * LIMIT,
             "build-x/Generated.cpp": "x\n" * (LIMIT * 3)}
    with planted_tree(files) as root:
        found, _ = oversized(root)
        if [name for _, name in found] != ["model/Big.h"]:
            print("self-test: expected only model/Big.h, found", found)
            return 1
    print("self-test: a file at the limit is found; smaller and build files are not")
    return 0


def main(argv):
    if argv[1:] == ["--self-test"]:
        return self_test()
    found, largest = oversized(argv[1])
    for lines, name in found:
        print(f"{name}: {lines} lines (limit {LIMIT - 1})")
    print("largest:", ", ".join(f"{name} {lines}" for lines, name in largest))
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
