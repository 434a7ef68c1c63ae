#!/usr/bin/env python3
"""Card objects and pictures over the real X clipboard.

On a private Xvfb display: one clipboard_peer copies objects and keeps
serving the selection, a second one, with a resource folder of its own,
pastes them and must get exactly the copied objects at their copied
positions. Then xclip offers text alone, which a peer must neither offer to
paste nor paste; then a PNG made here, and a third peer must paste it as a
picture object of the PNG's size, kept as a file in its resource folder that
holds the same pixels. Each paste first says whether Paste is enabled.

Usage: run_x_clipboard.py PATH_TO_CLIPBOARD_PEER
Fails (never skips) when Xvfb or xclip is missing.
"""

import ctypes
import json
import os
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import zlib

# No step has a time limit of its own: on a busy machine any step can take
# long, and a limit there fails a run that would have passed. One generous
# limit for the whole run only catches a hang (below ctest's 120 s, so the
# script still names the step and closes its programs).
HANG_LIMIT = 100   # seconds for the whole run
POLL = 0.02


class Failure(Exception):
    pass


class Hang:
    """Fails the run, naming the step it was in, once the whole run has
    taken HANG_LIMIT seconds."""

    def __init__(self):
        self.step = "starting"
        signal.signal(signal.SIGALRM, self.expired)
        signal.alarm(HANG_LIMIT)

    def expired(self, *_):
        raise Failure(f"no end after {HANG_LIMIT} s, while {self.step}")


hang = None


def step(text):
    if hang:
        hang.step = text


def die_with_parent():
    # The children go when this script goes, however it ends.
    libc = ctypes.CDLL(None, use_errno=True)
    PR_SET_PDEATHSIG = 1
    libc.prctl(PR_SET_PDEATHSIG, signal.SIGKILL)


class Session:
    def __init__(self):
        self.tmp = tempfile.mkdtemp(prefix="x-clipboard-")
        self.processes = []
        self.display = None

    def log(self, name):
        return open(os.path.join(self.tmp, name + ".log"), "w+b")

    def start(self, args, **kwargs):
        p = subprocess.Popen(args, preexec_fn=die_with_parent, **kwargs)
        self.processes.append(p)
        return p

    def close(self):
        # The programs first, the display last; each asked, then forced.
        for p in reversed(self.processes):
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(3)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()
        shutil.rmtree(self.tmp, ignore_errors=True)

    def start_xvfb(self):
        xvfb = shutil.which("Xvfb")
        if not xvfb:
            raise Failure("Xvfb is not installed (scripts/setup.sh installs package xvfb)")
        read_end, write_end = os.pipe()
        log = self.log("xvfb")
        # -noreset: when the copier, its last client, leaves, the server must
        # not start anew (dropping everything and compiling its keyboard map
        # again into a file that every server started with -displayfd names
        # alike) while xclip connects.
        self.start([xvfb, "-displayfd", str(write_end), "-nolisten", "tcp", "-noreset", "-screen", "0",
                    "640x480x24"],
                   pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=log, stderr=log)
        os.close(write_end)
        # Xvfb writes its display number once it accepts connections.
        step("waiting for Xvfb's display number")
        text = b""
        while not text.endswith(b"\n"):
            chunk = os.read(read_end, 64)
            if not chunk:
                raise Failure("Xvfb ended without a display: " + self.read_log("xvfb"))
            text += chunk
        os.close(read_end)
        self.display = ":" + text.decode().strip()

    def read_log(self, name):
        try:
            with open(os.path.join(self.tmp, name + ".log"), "rb") as f:
                return f.read().decode(errors="replace")
        except OSError:
            return ""

    def environment(self, name):
        # A home, resource folder and runtime folder of the program's own.
        home = os.path.join(self.tmp, name)
        runtime = os.path.join(home, "runtime")
        os.makedirs(runtime, mode=0o700)
        env = {k: v for k, v in os.environ.items() if not k.startswith(("XDG_", "QT_", "DBUS_", "WAYLAND"))}
        env.update(DISPLAY=self.display, QT_QPA_PLATFORM="xcb", HOME=home,
                   XDG_DATA_HOME=os.path.join(home, "data"), XDG_CONFIG_HOME=os.path.join(home, "config"),
                   XDG_CACHE_HOME=os.path.join(home, "cache"), XDG_RUNTIME_DIR=runtime,
                   XAUTHORITY=os.path.join(home, ".Xauthority"))
        # The X keyboard library hands strndup() a keymap name that is not
        # terminated within its buffer, which is allowed (strndup stops at the
        # length given) but which the address sanitizer's strict string checks
        # report while the X connection opens. Our code is checked strictly
        # by every other test.
        if "ASAN_OPTIONS" in env:
            env["ASAN_OPTIONS"] = env["ASAN_OPTIONS"].replace("strict_string_checks=1", "strict_string_checks=0")
        return env

    def run_peer(self, peer, mode, name):
        """Runs a peer to its end; its JSON lines."""
        log = self.log(name)
        step(f"waiting for {name} to end")
        p = self.start([peer, mode], env=self.environment(name), stdin=subprocess.DEVNULL,
                       stdout=subprocess.PIPE, stderr=log)
        out, _ = p.communicate()
        if p.returncode != 0:
            raise Failure(f"{name} failed ({p.returncode}): " + self.read_log(name))
        return [json.loads(line) for line in out.decode().splitlines() if line.strip()]


def read_until_ready(process, name, session):
    """The JSON lines a serving peer prints before "ready"."""
    lines, buffer = [], b""
    fd = process.stdout.fileno()
    step(f"waiting for {name} to be ready")
    while True:
        while b"\n" in buffer:
            line, buffer = buffer.split(b"\n", 1)
            if line.strip() == b"ready":
                return lines
            lines.append(json.loads(line))
        chunk = os.read(fd, 4096)
        if not chunk:
            process.wait()
            raise Failure(f"{name} ended ({process.returncode}) before it was ready: " + session.read_log(name))
        buffer += chunk


def png(width, height, pixel):
    """An 8-bit RGB PNG of pixel(x, y) -> (r, g, b)."""
    rows = b"".join(b"\0" + bytes(c for x in range(width) for c in pixel(x, y)) for y in range(height))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


def read_png(data):
    """Width, height and pixel(x, y) -> (r, g, b, a) of an 8-bit, non-interlaced
    grey, RGB or RGBA PNG (what the program writes)."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise Failure("the kept picture is no PNG")
    pos, idat, header = 8, b"", None
    while pos < len(data):
        (length,) = struct.unpack(">I", data[pos:pos + 4])
        kind, body = data[pos + 4:pos + 8], data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
    width, height, depth, colour, _, _, interlace = header
    channels = {0: 1, 2: 3, 4: 2, 6: 4}.get(colour)
    if depth != 8 or interlace or not channels:
        raise Failure(f"the kept picture has a form this check does not read: {header}")
    raw, stride = zlib.decompress(idat), width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b, c = previous[i], previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(line)
        previous = line

    def pixel(x, y):
        v = rows[y][x * channels:(x + 1) * channels]
        if channels <= 2:
            return (v[0], v[0], v[0], v[1] if channels == 2 else 255)
        return (v[0], v[1], v[2], v[3] if channels == 4 else 255)

    return width, height, pixel


def expect(condition, message):
    if not condition:
        raise Failure(message)


def objects_between_programs(session, peer):
    a = session.start([peer, "copy"], env=session.environment("copier"), stdin=subprocess.PIPE,
                      stdout=subprocess.PIPE, stderr=session.log("copier"))
    copied = read_until_ready(a, "copier", session)
    expect([o["class"] for o in copied] == ["SKTText", "Shape_Control"] and copied[1]["shape"] == "S",
           f"the copier copied other objects than the text and the star: {copied}")

    pasted = session.run_peer(peer, "paste", "paster")
    expect(pasted.pop(0) == {"canPaste": True}, "Paste was not enabled over copied objects")
    selection = pasted.pop()
    # Contents new to the pasting canvas keep their positions on the first paste.
    expect(pasted == copied, f"pasted objects differ from the copied ones:\n copied {copied}\n pasted {pasted}")
    expect(selection == {"selected": list(range(len(copied)))}, f"the pasted objects are not selected: {selection}")

    # The copier serves until its input closes, then ends cleanly.
    expect(a.poll() is None, "the copier ended while it owned the clipboard: " + session.read_log("copier"))
    a.stdin.close()
    step("waiting for the copier to end after its input closed")
    a.wait()
    expect(a.returncode == 0, f"the copier failed ({a.returncode}): " + session.read_log("copier"))


def offer(session, xclip, kind, path):
    """xclip offers the file at path as the one target kind; the process."""
    env = session.environment("xclip-" + kind.replace("/", "-"))
    process = session.start([xclip, "-quiet", "-selection", "clipboard", "-t", kind, "-i", path],
                            env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                            stderr=session.log("xclip"))
    # Wait until xclip owns the clipboard and offers it (it may still be
    # starting: a probe before then finds no owner and ends at once).
    step(f"waiting for xclip to offer {kind}")
    while True:
        probe = subprocess.run([xclip, "-selection", "clipboard", "-t", "TARGETS", "-o"], env=env,
                               capture_output=True)
        if kind.encode() in probe.stdout.split():
            return process
        if process.poll() is not None:
            raise Failure(f"xclip ended ({process.returncode}): " + session.read_log("xclip"))
        time.sleep(POLL)


def xclip_path():
    xclip = shutil.which("xclip")
    if not xclip:
        raise Failure("xclip is not installed (scripts/setup.sh installs it)")
    return xclip


def text_from_another_program(session, peer):
    """Text alone is nothing to paste: Paste is disabled and makes nothing."""
    path = os.path.join(session.tmp, "offered.txt")
    with open(path, "w") as f:
        f.write("Ada Lovelace")
    process = offer(session, xclip_path(), "UTF8_STRING", path)
    pasted = session.run_peer(peer, "paste-picture", "text")
    expect(pasted == [{"canPaste": False}], f"text alone was offered for pasting or pasted: {pasted}")
    process.terminate()
    process.wait()


def picture_from_another_program(session, peer):
    xclip = xclip_path()
    width, height = 37, 23

    quadrants = [[(200, 30, 20), (20, 160, 40)], [(30, 60, 210), (240, 200, 0)]]

    def colour(x, y):   # four quadrants and a diagonal, so any turn, flip or swap shows
        if x == y:
            return (255, 255, 255)
        return quadrants[y >= height // 2][x >= width // 2]

    path = os.path.join(session.tmp, "offered.png")
    with open(path, "wb") as f:
        f.write(png(width, height, colour))
    offer(session, xclip, "image/png", path)

    pasted = session.run_peer(peer, "paste-picture", "picture")
    expect(pasted.pop(0) == {"canPaste": True}, "Paste was not enabled over a picture of another program")
    expect(len(pasted) == 1, f"one picture object expected, got {pasted}")
    o = pasted[0]
    expect(o["class"] == "SKTImage", f"the pasted object is no picture object: {o}")
    expect(o["pictureSize"] == [width, height], f"picture of {o['pictureSize']} pixels, not {width} x {height}")
    expect(o["bounds"] == [50, 50, width, height], f"picture object at {o['bounds']}")
    expect(o["fileExists"] and o["inResourceFolder"], f"the picture's file was not kept: {o}")
    expect(o["file"].startswith(os.path.join(session.tmp, "picture", "data") + os.sep),
           f"the picture was kept outside the program's own folder: {o['file']}")
    with open(o["file"], "rb") as f:
        w, h, pixel = read_png(f.read())
    expect((w, h) == (width, height), f"the kept file is {w} x {h}")
    wrong = [(x, y) for y in range(h) for x in range(w) if pixel(x, y) != colour(x, y) + (255,)]
    expect(not wrong, f"the kept file differs at {len(wrong)} pixels, first {wrong[:3]}")


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    peer = os.path.abspath(sys.argv[1])
    session = Session()
    # A stop from outside still closes everything.
    for s in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        signal.signal(s, lambda *_: sys.exit(1))
    global hang
    hang = Hang()
    try:
        session.start_xvfb()
        objects_between_programs(session, peer)
        text_from_another_program(session, peer)
        picture_from_another_program(session, peer)
    except Failure as failure:
        print("FAIL:", failure, file=sys.stderr)
        return 1
    finally:
        signal.alarm(0)
        session.close()
    print("card objects and a picture crossed the X clipboard")
    return 0


if __name__ == "__main__":
    sys.exit(main())
