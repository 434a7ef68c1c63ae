#!/usr/bin/env python3
"""Checks who writes the program-wide globals, and that the tests' fixture
saves every one of them.

Each layer declares the globals it owns in its Globals.h (app/Globals.h,
model/Globals.h, mainwindow/series/Globals.h belongs to mainwindow, ...).
Only sources of the owning layer write them; every other source (another
layer, app/main.cpp, bench/, fuzz/, tools/) reads them or calls the small
functions the owner offers. A write is a plain or compound assignment, ++ or
--, an element assignment (name[i] = ...), a stream into it (name << ...),
a call of a mutating member function (clear, append, store, exchange,
set..., ...) or std::exchange/std::swap on it. Passing a global by non-const reference is not seen. The tests
are no layer and may write any global.

tests/common/GlobalsSnapshot.cpp holds the fixture's table: one
SAVED_GLOBAL(name) or WINDOW_GLOBAL(name) line per global that is not const.
The check fails when a global is missing from that table or the table names
one that is no longer declared.

Usage: check_globals.py SOURCE_ROOT
       check_globals.py --count SOURCE_ROOT   (writes per area, tests included)
       check_globals.py --self-test
"""

import os
import re
import sys

from planted import planted_tree, report_planted

LAYERS = ["platform", "app", "model", "barcodes", "canvas", "data", "profiles", "output", "mainwindow"]
# Folders outside every layer that may only read globals.
OUTSIDE = ["bench", "fuzz", "tools"]
PROGRAM_ENTRY = "app/main.cpp"
TESTS = "tests"
FIXTURE_TABLE = "tests/common/GlobalsSnapshot.cpp"
# Declared globals this check leaves alone: the main window's hub pointer,
# which the window installs (and the tests' stand-ins for it) and which the
# lower layers only call through.
LEFT_ALONE = {"Main_App_wnd"}

EXTERN = re.compile(r"^\s*extern\s+(const\s+)?[\w:<>,\s]+?[\s*&]+(\w+)\s*;", re.M)
TABLE_ENTRY = re.compile(r"^\s*(?:SAVED_GLOBAL|WINDOW_GLOBAL)\s*\(\s*(\w+)", re.M)
MUTATORS = (
    "clear|append|prepend|push_back|push_front|insert|remove|removeAt|removeFirst|removeLast|removeOne|"
    "removeAll|replace|resize|reserve|fill|swap|truncate|chop|squeeze|detach|sort|"
    "store|exchange|fetch_add|fetch_sub|fetch_and|fetch_or|fetch_xor|compare_exchange_weak|"
    "compare_exchange_strong|set\\w*|load\\w+|reset"
)


def strip_code(text):
    """Blanks comments, string and character literals, keeping line breaks and columns."""
    out = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            out.append(" " * (j - i))
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            out.append(re.sub(r"[^\n]", " ", text[i:j]))
            i = j
        elif c == "R" and text.startswith('R"', i) and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_")):
            m = re.match(r'R"([^(\s]*)\(', text[i:])
            if not m:
                out.append(c)
                i += 1
                continue
            end = text.find(")" + m.group(1) + '"', i)
            j = n if end < 0 else end + len(m.group(1)) + 2
            out.append(re.sub(r"[^\n]", " ", text[i:j]))
            i = j
        elif c in "\"'":
            if c == "'" and i > 0 and text[i - 1].isalnum():
                out.append(c)  # a digit separator (1'000)
                i += 1
                continue
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            j = min(j + 1, n)
            out.append(c + " " * (j - i - 2) + (c if j - i >= 2 else ""))
            i = j
        else:
            out.append(c)
            i += 1
    return "".join(out)


def owner_of(header):
    return header.split("/")[0]


def read_globals(root):
    """Maps each writable global's name to the layer owning it; also gives the const ones."""
    owners, consts = {}, set()
    for layer in LAYERS:
        for dirpath, _, files in os.walk(os.path.join(root, layer)):
            if "Globals.h" not in files:
                continue
            path = os.path.join(dirpath, "Globals.h")
            rel = os.path.relpath(path, root).replace(os.sep, "/")
            body = strip_code(open(path, encoding="utf-8", errors="replace").read())
            for const, name in EXTERN.findall(body):
                if const:
                    consts.add(name)
                else:
                    owners[name] = owner_of(rel)
    return owners, consts


def write_patterns(names):
    alt = "|".join(sorted(names, key=len, reverse=True))
    # The name as the global: not a member (a.name, a->name) nor another
    # namespace's (ns::name); ::name is the global itself.
    name = r"(?<![\w.])(?<!->)(?<!\w::)(?:::)?(?P<name>" + alt + r")\b"
    after = (
        r"\s*(?:"
        r"(?:[-+*/%&|^]|<<|>>)?=(?!=)"  # = += -= ... <<= >>=
        r"|\+\+|--"
        r"|\[[^\]\n]*\]\s*=(?!=)"
        r"|<<(?!=)"
        r"|\.\s*(?:" + MUTATORS + r")\s*\("
        r")"
    )
    before = r"(?:\+\+|--)\s*" + name
    swapped = r"\b(?:std::)?(?:exchange|swap|qSwap)\s*\(\s*" + name
    return re.compile(name + after), re.compile(before), re.compile(swapped)


# A declaration: a type (not a keyword that can stand before an expression)
# right before the name.
DECLARATION_HEAD = re.compile(r"(?<![\w:])(?!(?:return|else|case|do|throw|co_return|co_yield|delete|new)\b)"
                              r"[A-Za-z_][\w:<>,]*\s*[*&]*\s*$")


def declared_names(body, names):
    """The globals' names this source declares again (members, locals, parameters)."""
    found = set()
    for name in names:
        for m in re.finditer(r"(?<![\w.>:])" + name + r"\s*[=;{,)\[]", body):
            line_start = body.rfind("\n", 0, m.start()) + 1
            if DECLARATION_HEAD.search(body[line_start:m.start()]):
                found.add(name)
    return found


def writes_in(body, patterns, members):
    """(line, name) for every write of a global in one source (comments and literals blanked).

    members: names a class of this source declares as its own members, which
    hide the globals of the same name in its member functions."""
    found = []
    for pattern in patterns:
        for m in pattern.finditer(body):
            name, start = m.group("name"), m.start("name")
            line_start = body.rfind("\n", 0, start) + 1
            head = body[line_start:start]
            if DECLARATION_HEAD.search(head):
                continue  # a declaration of a local, member or parameter of the same name
            if name in members and not head.endswith("::"):
                continue
            found.append((body.count("\n", 0, start) + 1, name))
    return sorted(set(found))


def area_of(path):
    top = path.split("/")[0]
    if path == PROGRAM_ENTRY:
        return "program entry"
    return top


def sources(root, folders):
    for folder in folders:
        for dirpath, _, files in os.walk(os.path.join(root, folder)):
            for f in sorted(files):
                if f.endswith((".h", ".cpp")):
                    yield os.path.relpath(os.path.join(dirpath, f), root).replace(os.sep, "/")


def all_writes(root, folders, owners):
    patterns = write_patterns(owners)
    result = []

    def body_of(path):
        full = os.path.join(root, path)
        if not os.path.isfile(full):
            return ""
        return strip_code(open(full, encoding="utf-8", errors="replace").read())

    for path in sources(root, folders):
        body = body_of(path)
        # A class declared in the header beside a source may have members named like a global.
        header = re.sub(r"\.cpp$", ".h", path)
        members = declared_names(body_of(header), owners) if header != path else set()
        for line, name in writes_in(body, patterns, members):
            result.append((path, line, name))
    return result


def check(root):
    owners, consts = read_globals(root)
    faults = []
    if not owners:
        return [f"{root}: no Globals.h declares a global"], 0
    writes = all_writes(root, LAYERS + OUTSIDE, owners)
    for path, line, name in writes:
        area = area_of(path)
        if area != owners[name] and name not in LEFT_ALONE:
            faults.append(f"{path}:{line}: writes {name}, a global of {owners[name]} "
                          f"(call a function of {owners[name]} instead)")

    table_path = os.path.join(root, FIXTURE_TABLE)
    if not os.path.isfile(table_path):
        faults.append(f"{FIXTURE_TABLE}: missing (the tests' table of globals)")
    else:
        listed = TABLE_ENTRY.findall(strip_code(open(table_path, encoding="utf-8").read()))
        for name in sorted(set(owners) - set(listed) - LEFT_ALONE):
            faults.append(f"{FIXTURE_TABLE}: {name} ({owners[name]}/Globals.h) is not in the table of globals")
        for name in sorted(set(listed) - set(owners)):
            what = "is const" if name in consts else "is declared in no Globals.h"
            faults.append(f"{FIXTURE_TABLE}: {name} is in the table of globals but {what}")
        for name in sorted({n for n in listed if listed.count(n) > 1}):
            faults.append(f"{FIXTURE_TABLE}: {name} is in the table of globals twice")
    return faults, len(owners)


def count(root):
    owners, _ = read_globals(root)
    writes = all_writes(root, LAYERS + OUTSIDE + [TESTS], owners)
    cross = [w for w in writes if area_of(w[0]) not in (owners[w[2]], TESTS)]
    tests = [w for w in writes if area_of(w[0]) == TESTS]
    for path, line, name in cross:
        print(f"cross-layer: {path}:{line}: {name} ({owners[name]})")
    print(f"{len(owners)} writable globals; {len(cross)} cross-layer writes "
          f"of {len({w[2] for w in cross})} globals; {len(tests)} writes in tests")
    return 0


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    if sys.argv[1] == "--self-test":
        return self_test()
    if sys.argv[1] == "--count":
        return count(sys.argv[2])
    faults, n = check(sys.argv[1])
    for f in faults:
        print(f)
    print(f"{n} globals checked, {len(faults)} faults")
    return 1 if faults else 0


# A small tree: one write of another layer's global of each kind, writes that
# are fine beside them, and a table that misses one global and names a gone one.
PLANTED = {
    "model/Globals.h": "#pragma once\nextern int Card_Shape;\nextern QString Library_Selected_Image;\n"
                       "extern std::atomic<bool> Busy;\nextern const QString Fixed;\n",
    "model/Globals.cpp": "int Card_Shape = 0;\nQString Library_Selected_Image;\n",
    "model/Card.cpp": "void setCardShape(int s) { Card_Shape = s; }\n",
    "mainwindow/series/Globals.h": "extern Window* Series_Window;\n",
    "mainwindow/Assign.cpp": "void f()\n{\n    Card_Shape = 2;\n}\n",
    "mainwindow/series/Window.cpp": "Window::Window() { Series_Window = this; }\n",
    "profiles/Compound.cpp": "void f() { Card_Shape += 1; }\n",
    "canvas/Increment.cpp": "void f() { ++Card_Shape; }\n",
    "output/Append.cpp": "void f() { Library_Selected_Image.append(\"x\"); }\n",
    "data/Store.cpp": "void f() { Busy.store(true); }\n",
    "bench/Bench.cpp": "void f() { ::Card_Shape = 1; }\n",
    "app/main.cpp": "int main() { Library_Selected_Image = \"a\"; }\n",
    "tools/Tool.cpp": "void f() { const int old = std::exchange(Card_Shape, 1); }\n",
    # a class's member named like a global hides it; ::name is still the global
    "mainwindow/Panel.h": "class Panel\n{\n    QLabel* Card_Shape = nullptr;\n};\n",
    "mainwindow/Panel.cpp": "Panel::Panel()\n{\n    Card_Shape = new QLabel;\n    ::Card_Shape = 1;\n}\n",
    # reads, comments, strings, members and locals of the same name
    "canvas/Reads.cpp": "int f(Card c)\n{\n    // Card_Shape = 3;\n    const char* s = \"Card_Shape = 3\";\n"
                        "    c.Card_Shape = 1;\n    c->Card_Shape = 1;\n    int Card_Shape = 1;\n"
                        "    if (Card_Shape == 2 || Busy.load()) return Card_Shape <= 2;\n"
                        "    /* Busy = true; */ return Fixed.size();\n}\n",
    "tests/common/GlobalsSnapshot.cpp": "SAVED_GLOBAL(Card_Shape)\nWINDOW_GLOBAL(Series_Window)\n"
                                        "SAVED_GLOBAL(Busy)\nSAVED_GLOBAL(Gone)\n",
    "tests/model/Writes.cpp": "TEST(A, B) { Card_Shape = 4; }\n",
}
EXPECTED = [
    "mainwindow/Assign.cpp:3: writes Card_Shape",
    "profiles/Compound.cpp:1: writes Card_Shape",
    "canvas/Increment.cpp:1: writes Card_Shape",
    "output/Append.cpp:1: writes Library_Selected_Image",
    "data/Store.cpp:1: writes Busy",
    "bench/Bench.cpp:1: writes Card_Shape",
    "app/main.cpp:1: writes Library_Selected_Image",
    "tools/Tool.cpp:1: writes Card_Shape",
    "mainwindow/Panel.cpp:4: writes Card_Shape",
    f"{FIXTURE_TABLE}: Library_Selected_Image (model/Globals.h) is not in the table",
    f"{FIXTURE_TABLE}: Gone is in the table of globals but is declared in no Globals.h",
]


def self_test():
    with planted_tree(PLANTED) as root:
        faults, _ = check(root)
    return report_planted(EXPECTED, faults)


if __name__ == "__main__":
    sys.exit(main())
