#!/usr/bin/env python3
"""Writes a skin bitmap of the application's dialogs as a 24-bit BMP.

usage: make_skin_bitmap.py OUT.bmp WIDTH HEIGHT

The skin is the light grey background with a blue accent line along the top,
the colours every dialog of the program uses.
"""
import struct
import sys

BACKGROUND = (242, 242, 242)
ACCENT = (29, 117, 189)
ACCENT_ROWS = 3


def bitmap(width, height):
    stride = (width * 3 + 3) & ~3
    rows = []
    # BMP rows run bottom-up; the accent lies along the top edge.
    for y in range(height - 1, -1, -1):
        r, g, b = ACCENT if y < ACCENT_ROWS else BACKGROUND
        row = bytes((b, g, r)) * width
        rows.append(row + b"\0" * (stride - len(row)))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def main():
    out, width, height = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    with open(out, "wb") as f:
        f.write(bitmap(width, height))


if __name__ == "__main__":
    main()
