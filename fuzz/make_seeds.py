#!/usr/bin/env python3
"""Writes the small seed corpus for the picture fuzz targets (run once; the
files are kept in corpus/). Tiny pictures of every layout the decoders know,
so the fuzzer starts from valid structure rather than from noise."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def bmp(width, height, bpp, bits, comp=0, palette=(), masks=(), header=40, core_palette=False):
    entry = 3 if header == 12 else 4
    mask_bytes = b"".join(struct.pack("<I", m) for m in masks) if header < 52 else b""
    if header == 12:
        h = struct.pack("<IHHHH", 12, width, height & 0xFFFF, 1, bpp)
    else:
        h = struct.pack("<IiiHHIIiiII", header, width, height, 1, bpp, comp, len(bits), 0, 0, len(palette), 0)
        if header >= 52:
            h += b"".join(struct.pack("<I", m) for m in masks)
        h = h.ljust(header, b"\0")
    pal = b"".join(struct.pack("<I", c)[:entry] for c in palette)
    off = 14 + len(h) + len(mask_bytes) + len(pal)
    return b"BM" + struct.pack("<IHHI", off + len(bits), 0, 0, off) + h + mask_bytes + pal + bits


def rows(width, height, bpp, fn):
    stride = (width * bpp + 31) // 32 * 4
    out = b""
    for y in range(height):
        bitsrow = 0
        for x in range(width):
            bitsrow = (bitsrow << bpp) | fn(x, y)
        total = width * bpp
        raw = bitsrow << ((8 - total % 8) % 8)
        nbytes = (total + 7) // 8
        out += raw.to_bytes(nbytes, "big").ljust(stride, b"\0")
    return out


def le_rows(width, height, nbytes, fn):
    stride = (width * nbytes + 3) // 4 * 4
    return b"".join(b"".join(fn(x, y).to_bytes(nbytes, "little") for x in range(width)).ljust(stride, b"\0")
                    for y in range(height))


def icon_image(width, height, bpp, colour_fn, palette=(), mask_fn=lambda x, y: 0):
    h = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, bpp, 0, 0, 0, 0, len(palette), 0)
    pal = b"".join(struct.pack("<I", c) for c in palette)
    if bpp <= 8:
        xor = rows(width, height, bpp, colour_fn)
    else:
        xor = le_rows(width, height, bpp // 8, colour_fn)
    return h + pal + xor + rows(width, height, 1, mask_fn)


def ico(images):
    head = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    directory = b""
    for w, h, data in images:
        directory += struct.pack("<BBBBHHII", w & 0xFF, h & 0xFF, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return head + directory + b"".join(d for _, _, d in images)


def wmf(placeable):
    records = struct.pack("<IHhh", 5, 0x020C, 40, 60)            # SetWindowExt
    records += struct.pack("<IHhhhh", 7, 0x041B, 30, 50, 0, 0)   # Rectangle
    records += struct.pack("<IH", 3, 0)                          # EOF
    words = (18 + len(records)) // 2
    body = struct.pack("<HHHIHIH", 1, 9, 0x300, words, 0, 7, 0) + records
    if not placeable:
        return body
    head = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, 0, 0, 600, 400, 1440, 0)
    checksum = 0
    for i in range(10):
        checksum ^= struct.unpack_from("<H", head, 2 * i)[0]
    return head + struct.pack("<H", checksum) + body


def emf():
    header = struct.pack("<II4i4iIIIIHHIIIii ii", 1, 88, 0, 0, 99, 49, 0, 0, 2645, 1322,
                         0x464D4520, 0x10000, 0, 2, 1, 0, 0, 0, 0, 1024, 768, 320, 240)
    eof = struct.pack("<IIIII", 14, 20, 0, 16, 20)
    total = len(header) + len(eof)
    header = header[:48] + struct.pack("<I", total) + header[52:]
    return header + eof


def main():
    grey4 = [i * 0x111111 for i in range(16)]
    seeds = {
        "bmp": {
            "pal1.bmp": bmp(9, 3, 1, rows(9, 3, 1, lambda x, y: (x + y) & 1), palette=[0x000000, 0xFFFFFF]),
            "pal2.bmp": bmp(5, 2, 2, rows(5, 2, 2, lambda x, y: x & 3), palette=[0, 0x555555, 0xAAAAAA, 0xFFFFFF]),
            "pal4short.bmp": bmp(5, -3, 4, rows(5, 3, 4, lambda x, y: (x * 3 + y) & 15), palette=grey4[:6]),
            "pal8.bmp": bmp(3, 2, 8, rows(3, 2, 8, lambda x, y: x * 40 + y), palette=[i * 0x010101 for i in range(256)]),
            "core8.bmp": bmp(3, 2, 8, rows(3, 2, 8, lambda x, y: x + y), palette=[0xFF0000, 0x00FF00, 0x0000FF, 0], header=12),
            "os2v2.bmp": bmp(3, 2, 4, rows(3, 2, 4, lambda x, y: x), palette=grey4, header=64),
            "rle8.bmp": bmp(6, 4, 8, bytes([3, 1, 0, 2, 1, 1, 2, 2, 0, 0, 0, 3, 5, 6, 7, 0, 0, 0, 0, 1]), comp=1,
                            palette=[0, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF, 0xFFFFFF]),
            "rle4.bmp": bmp(7, 3, 4, bytes([5, 0x12, 0, 0, 0, 5, 0x34, 0x56, 0x70, 0, 0, 2, 2, 1, 2, 0xAB, 0, 1]),
                            comp=2, palette=grey4),
            "rgb16.bmp": bmp(3, 2, 16, le_rows(3, 2, 2, lambda x, y: 0x7C00 >> (5 * x))),
            "rgb16-565.bmp": bmp(3, 2, 16, le_rows(3, 2, 2, lambda x, y: 0xF800 >> (x * 5 + (x > 0))), comp=3,
                                 masks=[0xF800, 0x07E0, 0x001F]),
            "rgb16-odd.bmp": bmp(2, 2, 16, le_rows(2, 2, 2, lambda x, y: x * 0x1234 + y), comp=3,
                                 masks=[0x0030, 0x000E, 0x0001, 0xF000], header=56),
            "rgb24.bmp": bmp(3, 2, 24, le_rows(3, 2, 3, lambda x, y: 0xFF << (8 * x))),
            "rgb32.bmp": bmp(3, -2, 32, le_rows(3, 2, 4, lambda x, y: 0x00FF << (8 * x))),
            "rgb32bf.bmp": bmp(3, 2, 32, le_rows(3, 2, 4, lambda x, y: 0xFF000000 >> (8 * x)), comp=3,
                               masks=[0xFF000000, 0x00FF0000, 0x0000FF00]),
            "rgba32v5.bmp": bmp(2, 2, 32, le_rows(2, 2, 4, lambda x, y: 0x80FF0000 | x << 8), comp=3,
                                masks=[0xFF0000, 0xFF00, 0xFF, 0xFF000000], header=124),
        },
        "ico": {
            "mono.ico": ico([(8, 4, icon_image(8, 4, 1, lambda x, y: x & 1, [0, 0xFFFFFF], lambda x, y: y == 0))]),
            "pal4.ico": ico([(4, 4, icon_image(4, 4, 4, lambda x, y: x + y, grey4))]),
            "two.ico": ico([(2, 2, icon_image(2, 2, 8, lambda x, y: x, [0xFF0000, 0x00FF00])),
                            (3, 3, icon_image(3, 3, 24, lambda x, y: 0x0000FF << (8 * x)))]),
            "alpha.ico": ico([(3, 2, icon_image(3, 2, 32, lambda x, y: (0x40 * x) << 24 | 0xFF00))]),
            "placeable.wmf": wmf(True),
            "plain.wmf": wmf(False),
            "frame.emf": emf(),
        },
    }
    for folder, files in seeds.items():
        os.makedirs(os.path.join(HERE, "corpus", folder), exist_ok=True)
        for name, data in files.items():
            with open(os.path.join(HERE, "corpus", folder, name), "wb") as f:
                f.write(data)


if __name__ == "__main__":
    main()
