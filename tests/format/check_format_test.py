#!/usr/bin/env python3
"""scripts/check_format.py on small histories made here: which changes it lets
through and which it stops. Each case builds a repository in a temporary
folder (with the project's .clang-format and the script), runs the check on it
and compares its exit status."""
import os
import shutil
import subprocess
import sys
import tempfile

ROOT = os.path.abspath(sys.argv[1])
GOOD = "int twice(int x)\n{\n    return 2 * x;\n}\n"
BAD = "int  twice( int x ){return 2*x;}\n"
GOOD_EXTRA = "\nint thrice(int x)\n{\n    return 3 * x;\n}\n"
BAD_EXTRA = "\nint  thrice( int x ){return 3*x;}\n"
ENV = dict(os.environ, GIT_AUTHOR_NAME="t", GIT_AUTHOR_EMAIL="t@example.com", GIT_COMMITTER_NAME="t",
           GIT_COMMITTER_EMAIL="t@example.com", GIT_CONFIG_GLOBAL="/dev/null", GIT_CONFIG_NOSYSTEM="1")


class Repo:
    def __init__(self, folder, git=True):
        self.folder = folder
        os.makedirs(os.path.join(folder, "scripts"))
        shutil.copy(os.path.join(ROOT, "scripts", "check_format.py"), os.path.join(folder, "scripts"))
        if git:
            self.git("init", "-q", "-b", "main")

    def git(self, *args):
        subprocess.run(["git", *args], cwd=self.folder, env=ENV, check=True, capture_output=True)

    def write(self, name, text, append=False):
        with open(os.path.join(self.folder, name), "a" if append else "w") as f:
            f.write(text)

    def style(self):
        shutil.copy(os.path.join(ROOT, ".clang-format"), self.folder)

    def commit(self, message="step"):
        self.git("add", "-A")
        self.git("commit", "-q", "--allow-empty", "-m", message)

    def check(self):
        return subprocess.run([sys.executable, os.path.join(self.folder, "scripts", "check_format.py")],
                              cwd=self.folder, env=ENV, capture_output=True, text=True)


def no_repository(r):
    r.style()
    r.write("a.cpp", BAD)


def first_commit_only(r):
    r.style()
    r.write("a.cpp", BAD)
    r.commit()


def untouched_legacy_file(r):
    r.style()
    r.write("legacy.cpp", BAD)
    r.commit()
    r.write("new.cpp", GOOD)
    r.commit()


def new_file_out_of_style(r):
    r.style()
    r.commit()
    r.write("new.h", BAD)
    r.commit()


def line_added_out_of_style(r):
    r.style()
    r.write("a.cpp", GOOD)
    r.commit()
    r.write("a.cpp", BAD_EXTRA, append=True)
    r.commit()


def styled_line_beside_legacy_lines(r):
    r.style()
    r.write("legacy.cpp", BAD)
    r.commit()
    r.write("legacy.cpp", GOOD_EXTRA, append=True)
    r.commit()


def lines_deleted_from_legacy_file(r):
    r.style()
    r.write("legacy.cpp", BAD + BAD_EXTRA)
    r.commit()
    r.write("legacy.cpp", BAD)
    r.commit()


def other_files_ignored(r):
    r.style()
    r.commit()
    r.write("notes.txt", BAD)
    r.write("tool.py", BAD)
    r.commit()


def branch_written_before_the_style_merged_later(r):
    r.write("a.cpp", GOOD)
    r.commit()
    r.git("checkout", "-q", "-b", "older")
    r.write("b.cpp", BAD)
    r.commit()
    r.git("checkout", "-q", "main")
    r.style()
    r.commit()
    r.git("merge", "-q", "--no-ff", "-m", "merge", "older")


def branch_line_written_under_the_style(r):
    r.write("a.cpp", GOOD)
    r.commit()
    r.git("checkout", "-q", "-b", "newer")
    r.git("checkout", "-q", "main")
    r.style()
    r.commit()
    r.git("checkout", "-q", "newer")
    r.git("merge", "-q", "--no-ff", "-m", "up to date", "main")
    r.write("b.cpp", BAD)
    r.commit()
    r.git("checkout", "-q", "main")
    r.git("merge", "-q", "--no-ff", "-m", "merge", "newer")


def uncommitted_line_out_of_style(r):
    r.style()
    r.write("a.cpp", GOOD)
    r.commit()
    r.commit()
    r.write("a.cpp", BAD_EXTRA, append=True)


def uncommitted_styled_line(r):
    r.style()
    r.write("a.cpp", GOOD)
    r.commit()
    r.commit()
    r.write("a.cpp", GOOD_EXTRA, append=True)


# (history, made in a git repository, the check's exit status)
CASES = [
    (no_repository, False, 0),
    (first_commit_only, True, 0),
    (untouched_legacy_file, True, 0),
    (new_file_out_of_style, True, 1),
    (line_added_out_of_style, True, 1),
    (styled_line_beside_legacy_lines, True, 0),
    (lines_deleted_from_legacy_file, True, 0),
    (other_files_ignored, True, 0),
    (branch_written_before_the_style_merged_later, True, 0),
    (branch_line_written_under_the_style, True, 1),
    (uncommitted_line_out_of_style, True, 1),
    (uncommitted_styled_line, True, 0),
]


def main():
    failures = 0
    for make, in_git, expected in CASES:
        with tempfile.TemporaryDirectory() as folder:
            repo = Repo(os.path.join(folder, "repo"), git=in_git)
            make(repo)
            result = repo.check()
            if result.returncode != expected:
                failures += 1
                print(f"FAIL {make.__name__}: exit {result.returncode}, expected {expected}\n"
                      f"{result.stdout}{result.stderr}")
            else:
                print(f"ok   {make.__name__}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
