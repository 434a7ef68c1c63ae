"""Baseline JPEG files as the picture-drawing scripts here write them: 8-bit
RGB, no chroma subsampling, one flat quantisation table, and Huffman tables
that give every DC size a 4-bit code and every AC run/size an 8-bit code (a
valid table; not the smallest file, which does not matter for small tiles).
Plain Python."""
import math
import struct

QUANT = 2


def _zigzag():
    order = []
    for s in range(15):
        cells = [(i, s - i) for i in range(8) if 0 <= s - i < 8]
        order += cells if s % 2 else cells[::-1]
    return [r * 8 + c for r, c in order]


ZIGZAG = _zigzag()
DC_SYMBOLS = list(range(12))
AC_SYMBOLS = [0x00, 0xF0] + [(run << 4) | size for run in range(16) for size in range(1, 11)]
DC_CODES = {sym: (i, 4) for i, sym in enumerate(DC_SYMBOLS)}
AC_CODES = {sym: (i, 8) for i, sym in enumerate(AC_SYMBOLS)}
COS = [[math.cos((2 * x + 1) * u * math.pi / 16) for x in range(8)] for u in range(8)]


def _marker(code, payload):
    return struct.pack(">BBH", 0xFF, code, len(payload) + 2) + payload


def _dht(table_class, symbols, length):
    counts = [0] * 16
    counts[length - 1] = len(symbols)
    return bytes([table_class << 4]) + bytes(counts) + bytes(symbols)


class _Bits:
    def __init__(self):
        self.out = bytearray()
        self.acc = 0
        self.n = 0

    def put(self, value, length):
        for i in range(length - 1, -1, -1):
            self.acc = (self.acc << 1) | ((value >> i) & 1)
            self.n += 1
            if self.n == 8:
                self.out.append(self.acc)
                if self.acc == 0xFF:
                    self.out.append(0)
                self.acc = self.n = 0

    def flush(self):
        while self.n:
            self.put(1, 1)
        return bytes(self.out)


def _size_and_bits(value):
    size = abs(value).bit_length()
    return size, (value if value >= 0 else value + (1 << size) - 1)


def _block(samples):
    """Quantised coefficients of an 8x8 block (row-major samples 0..255)."""
    f = [v - 128 for v in samples]
    coeffs = []
    for v in range(8):
        for u in range(8):
            total = 0.0
            for y in range(8):
                cy = COS[v][y]
                row = y * 8
                for x in range(8):
                    total += f[row + x] * COS[u][x] * cy
            cu = 1 / math.sqrt(2) if u == 0 else 1.0
            cv = 1 / math.sqrt(2) if v == 0 else 1.0
            coeffs.append(round(0.25 * cu * cv * total / QUANT))
    return [coeffs[i] for i in ZIGZAG]


def _encode_block(bits, zz, previous_dc):
    size, value = _size_and_bits(zz[0] - previous_dc)
    bits.put(*DC_CODES[size])
    bits.put(value, size)
    run = 0
    for coefficient in zz[1:]:
        if coefficient == 0:
            run += 1
            continue
        while run > 15:
            bits.put(*AC_CODES[0xF0])
            run -= 16
        size, value = _size_and_bits(coefficient)
        bits.put(*AC_CODES[(run << 4) | size])
        bits.put(value, size)
        run = 0
    if run:
        bits.put(*AC_CODES[0x00])
    return zz[0]


def jpeg_bytes(width, height, pixel):
    """A JPEG of width x height (multiples of 8); pixel(x, y) -> (r, g, b)."""
    assert width % 8 == 0 and height % 8 == 0
    planes = [[], [], []]
    for y in range(height):
        for x in range(width):
            r, g, b = pixel(x, y)
            planes[0].append(min(255, max(0, round(0.299 * r + 0.587 * g + 0.114 * b))))
            planes[1].append(min(255, max(0, round(-0.168736 * r - 0.331264 * g + 0.5 * b + 128))))
            planes[2].append(min(255, max(0, round(0.5 * r - 0.418688 * g - 0.081312 * b + 128))))
    bits = _Bits()
    dc = [0, 0, 0]
    for by in range(0, height, 8):
        for bx in range(0, width, 8):
            for c in range(3):
                samples = [planes[c][(by + y) * width + bx + x] for y in range(8) for x in range(8)]
                dc[c] = _encode_block(bits, _block(samples), dc[c])
    out = b"\xFF\xD8"
    out += _marker(0xE0, b"JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00")
    out += _marker(0xDB, bytes([0]) + bytes([QUANT] * 64))
    out += _marker(0xC0, struct.pack(">BHHB", 8, height, width, 3) + bytes([1, 0x11, 0, 2, 0x11, 0, 3, 0x11, 0]))
    out += _marker(0xC4, _dht(0, DC_SYMBOLS, 4) + _dht(1, AC_SYMBOLS, 8))
    out += _marker(0xDA, bytes([3, 1, 0x00, 2, 0x00, 3, 0x00, 0, 63, 0]))
    return out + bits.flush() + b"\xFF\xD9"


def write_jpeg(path, width, height, pixel):
    with open(path, "wb") as f:
        f.write(jpeg_bytes(width, height, pixel))
