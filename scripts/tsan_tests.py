#!/usr/bin/env python3
"""The tests that scripts/tsan.sh runs under ThreadSanitizer when it is given
no pattern: those that start worker threads, listed in scripts/tsan-tests.txt,
one entry a line, a test suite ("SheetPdfJobTest") or a single test
("SpreadsheetImport.ReadsTheFirstSheet"); "#" starts a comment. An entry
matches the tests of that name exactly, also when they are parameterized
("Rows/Suite.Test/0"); it never matches a longer name that merely contains it.

    tsan_tests.py pattern LIST                prints the CTest pattern (-R)
    tsan_tests.py check LIST BUILD [CTEST]    fails when an entry matches none
                                              of the tests CTest lists in BUILD
    tsan_tests.py --self-test                 the matching and the check itself
"""
import re
import subprocess
import sys


def entries(text):
    found = []
    for line in text.splitlines():
        line = line.split("#", 1)[0].strip()
        if line:
            if not re.fullmatch(r"[A-Za-z_][A-Za-z0-9_]*(\.[A-Za-z_][A-Za-z0-9_]*)?", line):
                raise ValueError(f"not a test suite or test name: {line!r}")
            found.append(line)
    return found


def pattern(names):
    # Names are "Suite.Test", "Prefix/Suite.Test/Param" for parameterized
    # ones: a suite entry ends at the dot, a test entry at a slash or the end.
    # One group per kind and place: CMake's regular expressions take at most
    # nine groups.
    suites = "|".join(e for e in names if "." not in e)
    tests = "|".join(e.replace(".", r"\.") for e in names if "." in e)
    parts = []
    if suites:
        parts += [rf"^({suites})\.", rf"/({suites})\."]
    if tests:
        parts += [rf"^({tests})(/|$)", rf"/({tests})(/|$)"]
    return "|".join(parts) if parts else "^$"


def entry_pattern(entry):
    return pattern([entry])


def unmatched(names, tests):
    return [e for e in names if not any(re.search(entry_pattern(e), t) for t in tests)]


def listed_tests(build, ctest):
    run = subprocess.run([ctest, "-N"], cwd=build, capture_output=True, text=True)
    if run.returncode != 0:
        sys.exit(f"tsan_tests.py: ctest -N failed in {build}:\n{run.stderr}")
    return re.findall(r"^\s*Test\s+#\d+: (\S+)", run.stdout, re.M)


def check(names, tests):
    if not tests:
        return ["no test is registered (is the build there?)"]
    return [f"{e} matches no test" for e in unmatched(names, tests)]


def self_test():
    tests = ["SheetPdfJobTest.WritesPages", "PrintWindowTest.Shows", "Rows/WizardHostTest.Grows/0",
             "Renderer/RendererAlignment.PlacesTheHeader/Left", "Renderer.Draws",
             "DesignFile.ReadsBack", "DesignFileCommandsTest.OpenBringsBackWhatWasSaved", "layer_global_writes"]
    cases = [
        ("SheetPdfJobTest", ["SheetPdfJobTest.WritesPages"]),
        ("WizardHostTest", ["Rows/WizardHostTest.Grows/0"]),
        ("WizardHostTest.Grows", ["Rows/WizardHostTest.Grows/0"]),
        ("DesignFile", ["DesignFile.ReadsBack"]),      # not DesignFileCommandsTest
        ("Print", []),                                 # no name merely containing it
        ("SheetPdfJob", []),
        ("DesignFileCommandsTest.OpenBringsBackWhatWasSaved", ["DesignFileCommandsTest.OpenBringsBackWhatWasSaved"]),
        ("DesignFileCommandsTest.Open", []),
        ("Renderer", ["Renderer.Draws"]),             # not the suite of the instantiation "Renderer/"
        ("RendererAlignment", ["Renderer/RendererAlignment.PlacesTheHeader/Left"]),
    ]
    failures = []
    for entry, expected in cases:
        got = [t for t in tests if re.search(entry_pattern(entry), t)]
        if got != expected:
            failures.append(f"{entry}: matched {got}, expected {expected}")
    whole = re.compile(pattern(["SheetPdfJobTest", "WizardHostTest", "Renderer.Draws"]))
    if [t for t in tests if whole.search(t)] != ["SheetPdfJobTest.WritesPages", "Rows/WizardHostTest.Grows/0",
                                                  "Renderer.Draws"]:
        failures.append("the joined pattern matches other tests than its entries")
    if check(["SheetPdfJobTest", "SheetPainter", "Print"], tests) != ["SheetPainter matches no test",
                                                                    "Print matches no test"]:
        failures.append("the check does not name the entries that match no test")
    if check(["SheetPdfJobTest"], []) == []:
        failures.append("the check passes with no test registered")
    if entries("# threads\nSheetPdfJobTest  # pages\n\nA.B\n") != ["SheetPdfJobTest", "A.B"]:
        failures.append("the list is not read line by line without comments")
    for bad in ["Sheet|Pdf", "A.B.C", "^A"]:
        try:
            entries(bad)
            failures.append(f"{bad!r} is taken as an entry")
        except ValueError:
            pass
    for failure in failures:
        print("self-test:", failure)
    return 1 if failures else 0


def main(argv):
    if argv[1:] == ["--self-test"]:
        return self_test()
    if len(argv) >= 3 and argv[1] == "pattern":
        print(pattern(entries(open(argv[2]).read())))
        return 0
    if len(argv) in (4, 5) and argv[1] == "check":
        names = entries(open(argv[2]).read())
        problems = check(names, listed_tests(argv[3], argv[4] if len(argv) == 5 else "ctest"))
        for problem in problems:
            print(f"{argv[2]}: {problem}")
        if not problems:
            print(f"{len(names)} entries, each matching a registered test")
        return 1 if problems else 0
    print(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
