#!/usr/bin/env python3
"""`cmake --install` into empty prefixes: the program, its icons and its
desktop launcher land where a desktop looks for them, the launcher passes
desktop-file-validate, and the program its command line names starts and
fills a fresh resource folder with the shipped files.

    check_install.py CMAKE BUILD_DIR SOURCE_DIR"""
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time

CMAKE, BUILD, SOURCE = sys.argv[1:4]
ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)
# shipped files the program copies into the resource folder at start
SHIPPED = ("Help.pdf", "pyth_mail.py", "Template.xlsx", "Templates")
# prefixes below a temporary folder; the launcher's command line quotes what needs it
PREFIXES = ("plain", "with space", "odd $name `tick`")


def unescape_string(value):
    """A desktop-entry string value with its escapes (\\s \\n \\t \\r \\\\) resolved."""
    out, i = [], 0
    while i < len(value):
        if value[i] == "\\" and i + 1 < len(value):
            out.append({"s": " ", "n": "\n", "t": "\t", "r": "\r", "\\": "\\"}.get(value[i + 1], value[i + 1]))
            i += 2
        else:
            out.append(value[i])
            i += 1
    return "".join(out)


def exec_arguments(value):
    """The argument list of a launcher's Exec line (quoting as desktop entries define it)."""
    value = unescape_string(value)
    args, current, i, quoted, started = [], [], 0, False, False
    while i < len(value):
        c = value[i]
        if quoted:
            if c == "\\" and i + 1 < len(value) and value[i + 1] in "\"`$\\":
                current.append(value[i + 1])
                i += 1
            elif c == '"':
                quoted = False
            else:
                current.append(c)
        elif c == '"':
            quoted = started = True
        elif c == " ":
            if started:
                args.append("".join(current))
            current, started = [], False
        else:
            current.append(c)
            started = True
        i += 1
    if started:
        args.append("".join(current))
    return args


def entry_keys(path):
    keys = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            if "=" in line and not line.startswith("#"):
                key, value = line.rstrip("\n").split("=", 1)
                keys[key] = value
    return keys


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        return None
    return struct.unpack(">II", head[16:24])


def starts_and_fills_resources(argv, home):
    """Runs `argv` without a screen until the resource folder holds the shipped files."""
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", HOME=home, XDG_DATA_HOME=os.path.join(home, "data"),
               XDG_CONFIG_HOME=os.path.join(home, "config"), XDG_RUNTIME_DIR=home, TMPDIR=home)
    folder = os.path.join(home, "data", "brightfold")
    process = subprocess.Popen(argv, env=env, cwd=home, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    try:
        deadline = time.monotonic() + 30
        while time.monotonic() < deadline:
            if all(os.path.exists(os.path.join(folder, name)) for name in SHIPPED):
                time.sleep(0.5)   # still running: the start went past the resource folder
                if process.poll() is None:
                    return None
            if process.poll() is not None:
                return f"ended with status {process.returncode}: {process.stderr.read().decode(errors='replace')}"
            time.sleep(0.1)
        return f"the resource folder {folder} lacks shipped files after 30 s"
    finally:
        if process.poll() is None:
            process.terminate()
            try:
                process.wait(10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()


def check_prefix(root, name):
    problems = []
    prefix = os.path.join(root, name)
    result = subprocess.run([CMAKE, "--install", BUILD, "--prefix", prefix], capture_output=True, text=True)
    if result.returncode != 0:
        return [f"cmake --install failed: {result.stdout}{result.stderr}"]

    program = os.path.join(prefix, "bin", "brightfold")
    if not (os.path.isfile(program) and os.access(program, os.X_OK)):
        problems.append(f"no program at {program}")
    for size in ICON_SIZES:
        icon = os.path.join(prefix, "share", "icons", "hicolor", f"{size}x{size}", "apps", "brightfold.png")
        if not os.path.isfile(icon):
            problems.append(f"no icon at {icon}")
        elif png_size(icon) != (size, size):
            problems.append(f"{icon} is not a {size} x {size} PNG picture: {png_size(icon)}")

    launcher = os.path.join(prefix, "share", "applications", "brightfold.desktop")
    if not os.path.isfile(launcher):
        return problems + [f"no launcher at {launcher}"]
    validation = subprocess.run(["desktop-file-validate", launcher], capture_output=True, text=True)
    if validation.returncode != 0 or validation.stdout.strip():
        problems.append(f"desktop-file-validate: {validation.stdout}{validation.stderr}")
    keys = entry_keys(launcher)
    expected = {"Type": "Application", "Name": "Brightfold", "Icon": "brightfold", "Terminal": "false"}
    for key, value in expected.items():
        if keys.get(key) != value:
            problems.append(f"launcher {key}={keys.get(key)!r}, expected {value!r}")
    if "Graphics" not in keys.get("Categories", "").split(";"):
        problems.append(f"launcher Categories={keys.get('Categories')!r} lacks Graphics")
    argv = exec_arguments(keys.get("Exec", ""))
    if argv != [program]:
        problems.append(f"launcher Exec={keys.get('Exec')!r} runs {argv}, expected {[program]}")
        return problems

    home = tempfile.mkdtemp(dir=root)
    trouble = starts_and_fills_resources(argv, home)
    if trouble:
        problems.append(f"the installed program: {trouble}")
    else:
        for name in ("Help.pdf", "pyth_mail.py"):
            with open(os.path.join(SOURCE, "resources", name), "rb") as a, \
                    open(os.path.join(home, "data", "brightfold", name), "rb") as b:
                if a.read() != b.read():
                    problems.append(f"the resource folder's {name} differs from the shipped one")
    return problems


def main():
    if shutil.which("desktop-file-validate") is None:
        print("desktop-file-validate is missing (scripts/setup.sh installs desktop-file-utils)")
        return 1
    failures = 0
    with tempfile.TemporaryDirectory() as root:
        for name in PREFIXES:
            problems = check_prefix(root, name)
            print(f"{'FAIL' if problems else 'ok  '} prefix {name!r}")
            for problem in problems:
                print(f"     {problem}")
            failures += bool(problems)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
