#!/usr/bin/env python3
"""Holds the C++ lines a change adds or edits to the style in .clang-format.

    python3 scripts/check_format.py [BASE]

The change is what the working tree holds beyond BASE (default HEAD~1: the
last commit, or for a merge everything the merge brought in, plus anything not
committed yet). Of its added and edited lines in .cpp and .h files, those
written in a tree that already had .clang-format (by `git blame`), or not
committed yet, are judged together with the statements they belong to. Code
nobody touched, and code written before the style file existed (a branch
merged later included), never fails the check.

Without git, outside a repository, or when BASE is not in the history (a
shallow clone) there is nothing to compare with and the check passes. Exits 1
and lists the places when a judged line is not in the style."""
import os
import re
import shutil
import subprocess
import sys

STYLE_FILE = ".clang-format"
UNCOMMITTED = "0" * 40


def git(*args, check=True):
    result = subprocess.run(["git", *args], capture_output=True, text=True)
    if check and result.returncode != 0:
        raise RuntimeError(f"git {' '.join(args)}: {result.stderr.strip()}")
    return result


def added_lines(base):
    """{file: [line numbers]} of the lines the working tree adds beyond `base`."""
    diff = git("diff", "--relative", "--no-color", "--no-ext-diff", "--src-prefix=a/", "--dst-prefix=b/", "-U0",
               "--diff-filter=AMR", base, "--", "*.cpp", "*.h").stdout
    lines = {}
    current = None
    for row in diff.splitlines():
        if row.startswith("+++ "):
            current = row[6:] if row.startswith("+++ b/") else None
            continue
        hunk = re.match(r"^@@ -\S+ \+(\d+)(?:,(\d+))? @@", row)
        if hunk and current:
            start, count = int(hunk.group(1)), int(hunk.group(2) or "1")
            lines.setdefault(current, []).extend(range(start, start + count))
    return {name: numbers for name, numbers in lines.items() if numbers}


def commits_of_lines(name, numbers):
    """{line number: commit} for `numbers` of the working-tree file `name`."""
    args = ["blame", "--porcelain"]
    for first, last in spans(numbers):
        args += ["-L", f"{first},{last}"]
    out = git(*args, "--", name).stdout
    commits = {}
    for row in out.splitlines():
        header = re.match(r"^([0-9a-f]{40}) \d+ (\d+)", row)
        if header:
            commits[int(header.group(2))] = header.group(1)
    return commits


def spans(numbers):
    """Sorted runs [first, last] of consecutive numbers."""
    runs = []
    for n in sorted(set(numbers)):
        if runs and runs[-1][1] == n - 1:
            runs[-1][1] = n
        else:
            runs.append([n, n])
    return runs


def main():
    base = sys.argv[1] if len(sys.argv) > 1 else "HEAD~1"
    formatter = os.environ.get("CLANG_FORMAT", "clang-format-14")
    os.chdir(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
    if shutil.which("git") is None or git("rev-parse", "--is-inside-work-tree", check=False).returncode != 0:
        print("check_format: not a git checkout; nothing to check")
        return 0
    if git("rev-parse", "--verify", "--quiet", f"{base}^{{commit}}", check=False).returncode != 0:
        print(f"check_format: {base} is not in the history; nothing to check")
        return 0
    if shutil.which(formatter) is None:
        print(f"check_format: {formatter} not found (scripts/setup.sh installs it)", file=sys.stderr)
        return 2

    styled = {UNCOMMITTED: True}

    def written_under_style(commit):
        if commit not in styled:
            styled[commit] = git("cat-file", "-e", f"{commit}:{STYLE_FILE}", check=False).returncode == 0
        return styled[commit]

    status = 0
    for name, numbers in sorted(added_lines(base).items()):
        commits = commits_of_lines(name, numbers)
        judged = [n for n in numbers if written_under_style(commits.get(n, UNCOMMITTED))]
        if not judged:
            continue
        args = [f"--lines={first}:{last}" for first, last in spans(judged)]
        if subprocess.run([formatter, "--dry-run", "--Werror", *args, name]).returncode != 0:
            status = 1
    if status:
        print(f"check_format: the places above are not laid out as {STYLE_FILE} says; "
              f"'{formatter} -i --lines=FIRST:LAST FILE' lays them out", file=sys.stderr)
    return status


if __name__ == "__main__":
    sys.exit(main())
