#!/usr/bin/env python3
"""Checks that no two units of the main window layer include each other.

A unit is a header and its source (mainwindow/TextPanel.h and .cpp); the
main window controller is one unit: mainwindow/SKTWindowController.h and
.cpp and everything in mainwindow/controller/. A unit that includes a header
of another unit depends on it. The check fails on any circle of such
dependencies (A includes B, B includes A, or longer), naming the units of
each circle and the includes that close it: a window that needs a few
operations of the controller reaches them through a small interface of its
own, which the controller implements.

Usage: check_unit_cycles.py SOURCE_ROOT
       check_unit_cycles.py --self-test
--self-test runs the check on a small tree with circles planted and fails
unless each is found and nothing else is.
"""

import os
import re
import sys

from planted import planted_tree

LAYER = "mainwindow"
CONTROLLER = "mainwindow/SKTWindowController"
CONTROLLER_FOLDER = "mainwindow/controller/"

INCLUDE = re.compile(r'^\s*#\s*include\s*["<]([^">]+)[">]', re.M)


def unit_of(path):
    """The unit a file of the layer belongs to."""
    if path.startswith(CONTROLLER_FOLDER):
        return CONTROLLER
    return os.path.splitext(path)[0]


def sources(root):
    for dirpath, _, files in os.walk(os.path.join(root, LAYER)):
        for f in sorted(files):
            if f.endswith((".h", ".cpp")):
                yield os.path.relpath(os.path.join(dirpath, f), root).replace(os.sep, "/")


def include_graph(root):
    """unit -> {included unit: the first "file includes header" that makes it}"""
    graph = {}
    for path in sources(root):
        unit = unit_of(path)
        edges = graph.setdefault(unit, {})
        with open(os.path.join(root, path), encoding="utf-8", errors="replace") as f:
            body = f.read()
        for inc in INCLUDE.findall(body):
            if not inc.startswith(LAYER + "/") or not os.path.isfile(os.path.join(root, inc)):
                continue
            target = unit_of(inc)
            if target != unit:
                edges.setdefault(target, f"{path} includes {inc}")
    return graph


def strongly_connected(graph):
    """The groups of units that reach each other (Tarjan), each of two or more."""
    index, low, on_stack, stack, groups = {}, {}, set(), [], []
    counter = [0]

    def visit(start):
        # iterative, so a long chain of includes cannot overflow the stack
        work = [(start, iter(sorted(graph.get(start, {}))))]
        index[start] = low[start] = counter[0]
        counter[0] += 1
        stack.append(start)
        on_stack.add(start)
        while work:
            node, targets = work[-1]
            advanced = False
            for target in targets:
                if target not in index:
                    index[target] = low[target] = counter[0]
                    counter[0] += 1
                    stack.append(target)
                    on_stack.add(target)
                    work.append((target, iter(sorted(graph.get(target, {})))))
                    advanced = True
                    break
                if target in on_stack:
                    low[node] = min(low[node], index[target])
            if advanced:
                continue
            work.pop()
            if work:
                parent = work[-1][0]
                low[parent] = min(low[parent], low[node])
            if low[node] == index[node]:
                group = []
                while True:
                    member = stack.pop()
                    on_stack.discard(member)
                    group.append(member)
                    if member == node:
                        break
                if len(group) > 1:
                    groups.append(sorted(group))

    for unit in sorted(graph):
        if unit not in index:
            visit(unit)
    return groups


def shortest_circle(graph, group):
    """A shortest circle through the group's first unit, as a list of units."""
    members = set(group)
    start = group[0]
    previous = {start: None}
    queue = [start]
    while queue:
        node = queue.pop(0)
        for target in sorted(graph.get(node, {})):
            if target not in members:
                continue
            if target == start:
                path = [node]
                while previous[path[-1]] is not None:
                    path.append(previous[path[-1]])
                return list(reversed(path)) + [start]
            if target not in previous:
                previous[target] = node
                queue.append(target)
    return group + [start]


def check(root):
    graph = include_graph(root)
    faults = []
    for group in strongly_connected(graph):
        circle = shortest_circle(graph, group)
        lines = [f"circle among {len(group)} units: " + ", ".join(group), "  for instance " + " -> ".join(circle)]
        for a, b in zip(circle, circle[1:]):
            lines.append(f"    {graph[a][b]}")
        faults.append("\n".join(lines))
    return faults, len(graph)


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    if sys.argv[1] == "--self-test":
        return self_test()
    faults, count = check(sys.argv[1])
    for f in faults:
        print(f)
    print(f"{count} units checked, {len(faults)} circles")
    return 1 if faults else 0


# Two planted circles (two units; the controller unit through a file of
# mainwindow/controller/ and three units) and clean includes beside them.
PLANTED = {
    "mainwindow/A.h": '#include "mainwindow/B.h"\n',
    "mainwindow/A.cpp": '#include "mainwindow/A.h"\n',
    "mainwindow/B.h": "#pragma once\n",
    "mainwindow/B.cpp": '#include "mainwindow/B.h"\n#include "mainwindow/A.h"\n',
    "mainwindow/SKTWindowController.h": '#include "mainwindow/Host.h"\n',
    "mainwindow/controller/Part.cpp": '#include "mainwindow/SKTWindowController.h"\n#include "mainwindow/Panel.h"\n',
    "mainwindow/Panel.h": '#include "mainwindow/Host.h"\n',
    "mainwindow/Panel.cpp": '#include "mainwindow/Panel.h"\n#include <mainwindow/sub/Dialog.h>\n',
    "mainwindow/sub/Dialog.h": "#pragma once\n",
    "mainwindow/sub/Dialog.cpp": '#include "mainwindow/sub/Dialog.h"\n#include "mainwindow/SKTWindowController.h"\n',
    "mainwindow/Host.h": '#include "model/Model.h"\n#include "mainwindow/Missing.h"\n',
    "mainwindow/Clean.cpp": '#include "mainwindow/Panel.h"\n#include "mainwindow/B.h"\n',
    "model/Model.h": '#include "mainwindow/Clean.h"\n',
}
EXPECTED = [
    ["mainwindow/A", "mainwindow/B"],
    ["mainwindow/Panel", "mainwindow/SKTWindowController", "mainwindow/sub/Dialog"],
]


def self_test():
    with planted_tree(PLANTED) as root:
        graph = include_graph(root)
        groups = strongly_connected(graph)
        faults, _ = check(root)
    missed = [e for e in EXPECTED if e not in groups]
    wrong = [g for g in groups if g not in EXPECTED]
    for m in missed:
        print(f"not found: circle of {' '.join(m)}")
    for w in wrong:
        print(f"found where there is none: {' '.join(w)}")
    if not any("mainwindow/A.h includes mainwindow/B.h" in f and "mainwindow/B.cpp includes mainwindow/A.h" in f
               for f in faults):
        print("the two-unit circle is not named by its includes")
        missed.append("names")
    print(f"self-test: {len(EXPECTED) - len(missed)} of {len(EXPECTED)} planted circles found")
    return 1 if missed or wrong else 0


if __name__ == "__main__":
    sys.exit(main())
