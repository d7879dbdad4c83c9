#!/usr/bin/env python3
"""Helpers of render.sh: writes the four test pictures as BMP files, and reads
a PNG file written by tavrin-cli render (8-bit RGB) back into its pixels."""
import hashlib
import struct
import sys
import zlib


def sheet(x, y):
    if (y // 32) % 2 == 1:  # mask rows: a disc in every cell
        u, v = x % 32 - 16, y % 32 - 16
        return (255, 255, 255) if u * u + v * v < 100 else (0, 0, 0)
    return ((x * 7 + y * 3) & 255, (x ^ y) & 255, (x * y) & 255)


def normal(x, y):
    return ((x * 5) & 255, (y * 6) & 255, 90)


def goal(x, y):
    return (30, (x + y) & 255, (x * 3) & 255)


def items(x, y):
    if y >= 32:
        return (255, 255, 255) if 8 <= x % 32 < 24 and 8 <= y % 32 < 24 else (0, 0, 0)
    return ((x * 11) & 255, 200, (y * 9) & 255)


PICTURES = {
    "hyperroad.bmp": (352, 128, sheet),
    "background_normal.bmp": (48, 40, normal),
    "background_goal.bmp": (256, 256, goal),
    "items.bmp": (96, 64, items),
}


def write_bmp(path, w, h, colour):
    stride = (w * 3 + 3) & ~3
    rows = []
    for y in range(h - 1, -1, -1):  # bottom-up
        row = bytearray()
        for x in range(w):
            r, g, b = colour(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (stride - len(row))
        rows.append(bytes(row))
    pixels = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def read_png(path):
    data = open(path, "rb").read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG file"
    pos, idat, w, h = 8, b"", 0, 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            w, h, depth, ctype = struct.unpack(">IIBB", body[:10])
            assert (depth, ctype) == (8, 2), "not 8-bit RGB"
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = w * 3
    out, prev = bytearray(), bytearray(stride)
    for y in range(h):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - 3] if i >= 3 else 0
            b = prev[i]
            c = prev[i - 3] if i >= 3 else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[i] = (line[i] + pred) & 255
        out += line
        prev = line
    return w, h, bytes(out)


def main():
    if sys.argv[1] == "pictures":
        for name, (w, h, colour) in PICTURES.items():
            write_bmp(f"{sys.argv[2]}/{name}", w, h, colour)
        return
    w, h, pixels = read_png(sys.argv[2])

    def at(x, y):
        i = (y * w + x) * 3
        return tuple(pixels[i:i + 3])

    print(f"{w}x{h} {hashlib.sha256(pixels).hexdigest()[:16]}")
    # Pixels worked out here from the pictures, not by the renderer.
    bare = [at(255, 255) == normal(255 % 48, 255 % 40)]  # empty cell 63, wallpapered
    panel = (0xD4, 0xD0, 0xC8)
    for u, v in ((0, 0), (16, 16), (10, 20)):
        image, mask = sheet(10 * 32 + u, 64 + v), sheet(10 * 32 + u, 96 + v)
        want = tuple(i & (p | m) for i, p, m in zip(image, panel, mask))
        bare.append(at(256 + 8 + u, v) == want)
    print("checks " + " ".join("ok" if b else "wrong" for b in bare))


if __name__ == "__main__":
    main()
