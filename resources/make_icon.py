#!/usr/bin/env python3
"""Draws Velmora's icon, a sun with a crescent moon before it, and writes it
as a Windows icon file with images of 48, 32 and 16 pixels at 8 bits per
pixel and 256, 128, 48, 32 and 16 pixels at 32 bits per pixel (the 256-pixel
image PNG-compressed, as Windows expects). Plain Python 3, no extra modules.

usage: make_icon.py OUTPUT.ico [PREVIEW.png]
"""
import math
import struct
import sys
import zlib

SUN = (255, 179, 0)
SUN_EDGE = (230, 120, 0)
MOON = (58, 72, 168)
MOON_EDGE = (30, 36, 96)


def inside_circle(x, y, cx, cy, r):
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ray(x, y, cx, cy, angle, r0, r1, half_width):
    # A ray is a capsule from r0 to r1 along the angle.
    dx, dy = math.cos(angle), math.sin(angle)
    px, py = x - cx, y - cy
    t = max(r0, min(r1, px * dx + py * dy))
    qx, qy = px - t * dx, py - t * dy
    return qx * qx + qy * qy <= half_width * half_width


def sample(x, y):
    """Colour and coverage (0 or 1) of one point of the unit square."""
    # The crescent moon lies on top, at the lower right.
    in_moon = inside_circle(x, y, 0.62, 0.62, 0.30) and not inside_circle(x, y, 0.78, 0.50, 0.25)
    if in_moon:
        edge = not (inside_circle(x, y, 0.62, 0.62, 0.27) and not inside_circle(x, y, 0.78, 0.50, 0.28))
        return (MOON_EDGE if edge else MOON), 1
    cx, cy = 0.40, 0.40
    if inside_circle(x, y, cx, cy, 0.21):
        return (SUN if inside_circle(x, y, cx, cy, 0.18) else SUN_EDGE), 1
    for k in range(8):
        if ray(x, y, cx, cy, k * math.pi / 4, 0.27, 0.37, 0.035):
            return SUN, 1
    return (0, 0, 0), 0


def render(size, grid=4):
    """Rows of (r, g, b, a), top row first, supersampled grid x grid."""
    rows = []
    for j in range(size):
        row = []
        for i in range(size):
            acc = [0, 0, 0]
            cover = 0
            for sj in range(grid):
                for si in range(grid):
                    colour, c = sample((i + (si + 0.5) / grid) / size, (j + (sj + 0.5) / grid) / size)
                    if c:
                        cover += 1
                        for n in range(3):
                            acc[n] += colour[n]
            if cover:
                row.append(tuple(acc[n] // cover for n in range(3)) + (255 * cover // (grid * grid),))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def and_mask(rows, size):
    stride = ((size + 31) // 32) * 4
    out = bytearray()
    for row in reversed(rows):
        bits = bytearray(stride)
        for i, px in enumerate(row):
            if px[3] < 128:
                bits[i // 8] |= 0x80 >> (i % 8)
        out += bits
    return bytes(out)


def dib_header(size, bpp, colours):
    return struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bpp, 0, 0, 0, 0, colours, 0)


def image_32(rows, size):
    pixels = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    return dib_header(size, 32, 0) + bytes(pixels) + and_mask(rows, size)


def palette_index(r, g, b):
    # A 6 x 6 x 6 colour cube.
    q = lambda v: (v * 5 + 127) // 255
    return q(r) * 36 + q(g) * 6 + q(b)


def image_8(rows, size):
    palette = bytearray()
    for n in range(256):
        if n < 216:
            r, g, b = n // 36, (n // 6) % 6, n % 6
            palette += bytes((b * 51, g * 51, r * 51, 0))
        else:
            palette += bytes(4)
    stride = (size + 3) // 4 * 4
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for i, (r, g, b, a) in enumerate(row):
            line[i] = palette_index(r, g, b) if a >= 128 else 0
        pixels += line
    return dib_header(size, 8, 256) + bytes(palette) + bytes(pixels) + and_mask(rows, size)


def png(rows, size):
    raw = b"".join(b"\0" + bytes(c for px in row for c in px) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    out = sys.argv[1]
    cache = {}
    entries = []  # (size, bpp, colours, data)
    for size, bpp in ((48, 8), (32, 8), (16, 8), (256, 32), (128, 32), (48, 32), (32, 32), (16, 32)):
        rows = cache.setdefault(size, render(size, 4 if size <= 48 else 2))
        if bpp == 8:
            entries.append((size, 8, 0, image_8(rows, size)))
        elif size == 256:
            entries.append((size, 32, 0, png(rows, size)))
        else:
            entries.append((size, 32, 0, image_32(rows, size)))
    header = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    directory = b""
    for size, bpp, colours, data in entries:
        dim = 0 if size == 256 else size
        directory += struct.pack("<BBBBHHII", dim, dim, colours, 0, 1, bpp, len(data), offset)
        offset += len(data)
    with open(out, "wb") as f:
        f.write(header + directory + b"".join(e[3] for e in entries))
    if len(sys.argv) > 2:
        with open(sys.argv[2], "wb") as f:
            f.write(png(cache[256], 256))


if __name__ == "__main__":
    main()
