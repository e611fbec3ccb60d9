#!/usr/bin/env python3
"""Draws app/Glyphora.ico: a white letter "A" on a blue rounded square, at 32x32
and 16x16, 32-bit with alpha. Pure Python, no imaging library needed.

Usage: scripts/make-icon.py [OUTPUT]   (default: app/Glyphora.ico)
"""
import os
import struct
import sys

SUPERSAMPLE = 6  # samples per pixel along each axis (anti-aliasing)

# The letter, in unit coordinates (0..1, y down): two legs and a crossbar.
GLYPH = [
    [(0.43, 0.16), (0.57, 0.16), (0.37, 0.84), (0.20, 0.84)],
    [(0.43, 0.16), (0.57, 0.16), (0.80, 0.84), (0.63, 0.84)],
    [(0.33, 0.56), (0.67, 0.56), (0.70, 0.67), (0.30, 0.67)],
]
CORNER = 0.22  # corner radius of the square
TOP_COLOUR = (58, 120, 230)
BOTTOM_COLOUR = (24, 62, 168)


def inside_polygon(x, y, points):
    hit = False
    j = len(points) - 1
    for i, (xi, yi) in enumerate(points):
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            hit = not hit
        j = i
    return hit


def inside_rounded_square(x, y):
    cx = min(max(x, CORNER), 1 - CORNER)
    cy = min(max(y, CORNER), 1 - CORNER)
    return (x - cx) ** 2 + (y - cy) ** 2 <= CORNER ** 2


def render(size):
    """Returns rows (top first) of (r, g, b, a) pixels."""
    rows = []
    n = SUPERSAMPLE
    for py in range(size):
        row = []
        for px in range(size):
            square = glyph = 0
            for sy in range(n):
                for sx in range(n):
                    x = (px + (sx + 0.5) / n) / size
                    y = (py + (sy + 0.5) / n) / size
                    if inside_rounded_square(x, y):
                        square += 1
                        if any(inside_polygon(x, y, p) for p in GLYPH):
                            glyph += 1
            alpha = square / (n * n)
            t = py / max(size - 1, 1)
            back = [round(a + (b - a) * t) for a, b in zip(TOP_COLOUR, BOTTOM_COLOUR)]
            w = glyph / square if square else 0.0
            colour = [round(c + (255 - c) * w) for c in back]
            row.append((*colour, round(255 * alpha)))
        rows.append(row)
    return rows


def dib(size):
    """One icon image: BITMAPINFOHEADER, bottom-up BGRA pixels, empty AND mask."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(render(size)) for r, g, b, a in row)
    mask_row = ((size + 31) // 32) * 4
    return header + pixels + bytes(mask_row * size)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "app", "Glyphora.ico")
    images = [dib(s) for s in (32, 16)]
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip((32, 16), images):
        data += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(out, "wb") as f:
        f.write(data + b"".join(images))


if __name__ == "__main__":
    main()
