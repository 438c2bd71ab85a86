#!/usr/bin/env python3
"""Draws the application's bitmaps as 24-bit BMP files.

usage: gen_bitmaps.py OUTDIR

file_type_states.bmp  the File Types tree's check box states, 16x16 each:
                      0 none (all white), 1 unchecked, 2 checked, 3 partly
                      checked. White is the mask colour; a tree shows state
                      image n from slot n, so slot 0 stays empty.
file_types_skin.bmp   the File Types dialog's 458x434 background: light grey
                      with the blue accent along the top and a blue footer
                      behind the size choice and the buttons.
"""
import os
import struct
import sys

WHITE = (255, 255, 255)
GREY = (242, 242, 242)
ACCENT = (29, 117, 189)
BOX = (28, 81, 128)
MARK = (0, 0, 0)

SKIN_WIDTH, SKIN_HEIGHT = 458, 434
SKIN_ACCENT_ROWS = 3
SKIN_FOOTER_TOP = 350


def write_bmp(path, width, height, pixel):
    """pixel(x, y) gives (r, g, b) with y counted from the top."""
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):   # BMP rows run bottom-up
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        rows.append(bytes(row) + b"\0" * (stride - len(row)))
    data = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    with open(path, "wb") as f:
        f.write(header + info + data)


def state_pixel(x, y):
    slot, x = divmod(x, 16)
    if slot == 0:
        return WHITE
    # A 13x13 box from (1, 1) to (13, 13).
    if not (1 <= x <= 13 and 1 <= y <= 13):
        return WHITE
    if x in (1, 13) or y in (1, 13):
        return BOX
    if slot == 2:
        # A tick: down from (4, 7) to (6, 9), then up to (10, 5); three rows thick.
        for dy in range(3):
            if 4 <= x <= 6 and y == x + 3 + dy:
                return MARK
            if 6 < x <= 10 and y == 15 - x + dy:
                return MARK
    if slot == 3 and 4 <= x <= 10 and 4 <= y <= 10:
        return ACCENT
    return WHITE


def skin_pixel(x, y):
    if y < SKIN_ACCENT_ROWS or y >= SKIN_FOOTER_TOP:
        return ACCENT
    return GREY


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    write_bmp(os.path.join(out, "file_type_states.bmp"), 64, 16, state_pixel)
    write_bmp(os.path.join(out, "file_types_skin.bmp"), SKIN_WIDTH, SKIN_HEIGHT, skin_pixel)


if __name__ == "__main__":
    main()
