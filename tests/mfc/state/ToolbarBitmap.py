#!/usr/bin/env python3
"""Writes a 32x15 4-bit bitmap: two 16x15 toolbar images (a red and a blue
square), for the test resource module's toolbar."""
import struct
import sys

WIDTH, HEIGHT = 32, 15
PALETTE = [(0, 0, 0), (192, 192, 192), (255, 0, 0), (0, 0, 255)] + [(0, 0, 0)] * 12


def pixel(x, y):
    inside = 3 <= x % 16 <= 12 and 3 <= y <= 11
    if not inside:
        return 1
    return 2 if x < 16 else 3


def main(path):
    row_bytes = (WIDTH * 4 + 31) // 32 * 4
    rows = bytearray()
    for y in reversed(range(HEIGHT)):        # bottom-up
        row = bytearray(row_bytes)
        for x in range(WIDTH):
            row[x // 2] |= pixel(x, y) << (0 if x % 2 else 4)
        rows += row
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 4, 0, len(rows), 2835, 2835, 16, 0)
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(header + info + palette + rows)


if __name__ == "__main__":
    main(sys.argv[1])
