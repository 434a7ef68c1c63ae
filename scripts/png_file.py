"""The PNG file format as the picture-drawing scripts here write it: 8 bits per
channel, RGB or RGBA, scanlines already filtered by the caller (each row
starting with its filter byte), optionally the resolution. Plain Python."""
import struct
import zlib


def _chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png_bytes(width, height, scanlines, alpha=False, dpi=None):
    """The bytes of a PNG file of `scanlines` (filter byte + pixels per row)."""
    colour_type = 6 if alpha else 2
    out = b"\x89PNG\r\n\x1a\n" + _chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0))
    if dpi is not None:
        per_metre = round(dpi / 0.0254)
        out += _chunk(b"pHYs", struct.pack(">IIB", per_metre, per_metre, 1))
    return out + _chunk(b"IDAT", zlib.compress(bytes(scanlines), 9)) + _chunk(b"IEND", b"")


def write_png(path, width, height, scanlines, alpha=False, dpi=None):
    with open(path, "wb") as f:
        f.write(png_bytes(width, height, scanlines, alpha, dpi))
