#!/usr/bin/env python3
"""Draws the toolbar glyphs of the main window as 16x16, 16-colour BMP files
and prints them as form-file binary values (Glyph.Data = { ... }), ready to
paste into app/MainForm.dfm. The bottom-left pixel (olive) is the colour the
buttons treat as transparent.

    scripts/make-glyphs.py            # every glyph
    scripts/make-glyphs.py Bold       # one of them
"""
import struct
import sys

# The 16 standard colours, in the order of the VGA palette.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
INK = {'.': 3, 'k': 0, 'r': 1, 'g': 2, 'b': 4, 's': 7, 'd': 8, 'R': 9, 'G': 10, 'y': 11, 'w': 15}

GLYPHS = {
    'Bold': [
        "................",
        "................",
        "...kkkkkkkk.....",
        "....kkk..kkk....",
        "....kkk...kkk...",
        "....kkk...kkk...",
        "....kkk..kkk....",
        "....kkkkkkk.....",
        "....kkk..kkkk...",
        "....kkk...kkkk..",
        "....kkk...kkkk..",
        "....kkk...kkkk..",
        "....kkk..kkkk...",
        "...kkkkkkkkk....",
        "................",
        "................",
    ],
    'Italic': [
        "................",
        "................",
        ".......kkkkk....",
        "........kkk.....",
        "........kkk.....",
        ".......kkk......",
        ".......kkk......",
        "......kkk.......",
        "......kkk.......",
        ".....kkk........",
        ".....kkk........",
        "....kkk.........",
        "....kkk.........",
        "...kkkkk........",
        "................",
        "................",
    ],
    'Underline': [
        "................",
        "...kkkk..kkkk...",
        "....kk....kk....",
        "....kk....kk....",
        "....kk....kk....",
        "....kk....kk....",
        "....kk....kk....",
        "....kk....kk....",
        "....kk....kk....",
        ".....kk..kk.....",
        "......kkkk......",
        "................",
        "..kkkkkkkkkkkk..",
        "................",
        "................",
        "................",
    ],
    'Reload': [
        "..kkkkkkkkk.....",
        "..kwwwwwwwkk....",
        "..kwwwwwwwkwk...",
        "..kwwwgggwkkkk..",
        "..kwwgwwwgGwwk..",
        "..kwgwwwwwGGwk..",
        "..kwgwwwwGGGGk..",
        "..kwgwwwwwwwwk..",
        "..kwwwwwwwwgwk..",
        "..kGGGGwwwwgwk..",
        "..kwGGwwwwwgwk..",
        "..kwwGwgwwgwwk..",
        "..kwwwwgggwwwk..",
        "..kwwwwwwwwwwk..",
        "..kkkkkkkkkkkk..",
        "................",
    ],
    'Print': [
        "................",
        ".....kkkkkkk....",
        ".....kwwwwwk....",
        ".....kwkkkwk....",
        ".....kwwwwwk....",
        "...kkkkkkkkkkk..",
        "..kssssssssssdk.",
        "..kssssssssGsdk.",
        "..kddddddddddkk.",
        "..kssssssssssdk.",
        "..kssskkkkkssdk.",
        "..kssskwwwkssk..",
        "...kkkkwwwkkk...",
        "......kwwwk.....",
        "......kkkkk.....",
        "................",
    ],
    'About': [
        "................",
        ".....rrrrrr.....",
        "...rrrrrrrrrr...",
        "..rrrrrwwrrrrr..",
        "..rrrrrwwrrrrr..",
        ".rrrrrrrrrrrrrr.",
        ".rrrrrwwwrrrrrr.",
        ".rrrrrrwwrrrrrr.",
        ".rrrrrrwwrrrrrr.",
        ".rrrrrrwwrrrrrr.",
        ".rrrrrrwwrrrrrr.",
        "..rrrrrwwrrrrr..",
        "..rrrrwwwwrrrr..",
        "...rrrrrrrrrr...",
        ".....rrrrrr.....",
        "................",
    ],
}


def bmp(rows):
    assert len(rows) == 16 and all(len(r) == 16 for r in rows)
    pixels = b''
    for row in reversed(rows):  # bottom-up
        idx = [INK[c] for c in row]
        pixels += bytes((idx[i] << 4) | idx[i + 1] for i in range(0, 16, 2))
    palette = b''.join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    info = struct.pack('<IiiHHIIiiII', 40, 16, 16, 1, 4, 0, len(pixels), 3780, 3780, 16, 16)
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    return header + info + palette + pixels


def as_form_value(data, indent='    '):
    hexed = data.hex().upper()
    lines = [hexed[i:i + 64] for i in range(0, len(hexed), 64)]
    return '{\n' + '\n'.join(indent + '  ' + l for l in lines) + '}'


if __name__ == '__main__':
    names = sys.argv[1:] or list(GLYPHS)
    for name in names:
        print(f'// {name}')
        print('Glyph.Data = ' + as_form_value(bmp(GLYPHS[name])))
