"""What the checks' self-tests share: a small source tree written into a
temporary folder, and the faults a check found held against those planted."""

import contextlib
import os
import tempfile


@contextlib.contextmanager
def planted_tree(files):
    """A temporary folder holding `files` (path -> text); yields its path."""
    with tempfile.TemporaryDirectory() as root:
        for path, body in files.items():
            full = os.path.join(root, path)
            os.makedirs(os.path.dirname(full), exist_ok=True)
            with open(full, "w", encoding="utf-8") as f:
                f.write(body)
        yield root


def report_planted(expected, faults, planted=None):
    """Prints each expected fault not found and each fault found that does not
    start with one of `planted` (by default the expected ones); 1 when there is
    either, else 0."""
    missed = [e for e in expected if not any(f.startswith(e) for f in faults)]
    wrong = [f for f in faults if not f.startswith(tuple(planted or expected))]
    for m in missed:
        print(f"not found: {m}")
    for w in wrong:
        print(f"found where nothing was planted: {w}")
    print(f"self-test: {len(expected) - len(missed)} of {len(expected)} planted faults found")
    return 1 if missed or wrong else 0
