#!/usr/bin/env python3
"""Writes mirune.ico: a small camera (dark body, orange lens, cyan flash)
at 16, 32 and 48 pixels, 32-bit with alpha. Run it to regenerate the
committed icon: python3 make_icon.py mirune.ico"""
import math
import struct
import sys


def pixel(size, x, y):
    """BGRA of the icon at (x, y), drawn on a 48-unit grid."""
    s = 48.0 / size
    u, v = (x + 0.5) * s, (y + 0.5) * s
    body = 4 <= u < 44 and 12 <= v < 40
    hump = 14 <= u < 30 and 7 <= v < 12
    flash = 34 <= u < 41 and 15 <= v < 19
    d = math.hypot(u - 22, v - 26)
    if flash:
        return (255, 255, 0, 255)      # cyan
    if d < 6:
        return (40, 20, 10, 255)       # lens glass
    if d < 10.5:
        return (0, 140, 255, 255)      # orange ring
    if body or hump:
        edge = u < 5.5 or u >= 42.5 or v < 13.5 or v >= 38.5
        return (80, 80, 80, 255) if edge else (48, 48, 48, 255)
    return (0, 0, 0, 0)


def image(size):
    rows = []
    for y in reversed(range(size)):  # bottom-up
        rows.append(b"".join(bytes(pixel(size, x, y)) for x in range(size)))
    xor = b"".join(rows)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(size)):
        row = bytearray(mask_stride)
        for x in range(size):
            if pixel(size, x, y)[3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + bytes(mask)


def main(path):
    sizes = [16, 32, 48]
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, img in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    out += b"".join(images)
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "mirune.ico")
