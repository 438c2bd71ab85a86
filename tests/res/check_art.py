#!/usr/bin/env python3
"""Runs the art generator twice into two folders and compares the bytes; the
generator checks each file it writes and fails on a problem. With a third
argument, also writes a PNG preview of every image there for a person to look
at (icons and cursors side by side, transparent areas checkered).

usage: check_art.py GENERATOR WORKDIR [PREVIEWDIR]
"""
import os
import shutil
import struct
import subprocess
import sys
import zlib


def run(generator, outdir):
    shutil.rmtree(outdir, ignore_errors=True)
    result = subprocess.run([sys.executable, generator, outdir], capture_output=True, text=True)
    if result.returncode != 0:
        sys.exit("generator failed (%d):\n%s" % (result.returncode, result.stderr))
    return sorted(os.listdir(outdir))


def write_png(path, width, height, rows):
    """rows: one list of (r, g, b) per pixel row."""
    raw = b"".join(b"\0" + bytes(v for p in row for v in p) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def preview(gen, path, out, zoom):
    images = gen.decode(path)
    width = sum(i.width * zoom + 8 for i in images)
    height = max(i.height for i in images) * zoom
    rows = [[(255, 0, 255)] * width for _ in range(height)]
    left = 0
    for image in images:
        for y in range(image.height * zoom):
            for x in range(image.width * zoom):
                r, g, b, a = image.get(x // zoom, y // zoom)
                check = 200 if ((x // 4) + (y // 4)) % 2 else 160
                rows[y][left + x] = tuple((c * a + check * (255 - a)) // 255 for c in (r, g, b))
        left += image.width * zoom + 8
    write_png(out, width, height, rows)


def check_art_conversion(generator, work):
    """--art writes the same cursor as the full run, and a broken art file
    fails with the line it stopped at."""
    source = os.path.join(os.path.dirname(os.path.abspath(generator)), "art", "app", "check_mark_cursor.txt")
    out = os.path.join(work, "converted.cur")
    result = subprocess.run([sys.executable, generator, "--art", out, source], capture_output=True, text=True)
    if result.returncode != 0:
        sys.exit("--art failed:\n" + result.stderr)
    with open(out, "rb") as a, open(os.path.join(work, "first", "check_mark_cursor.cur"), "rb") as b:
        if a.read() != b.read():
            sys.exit("--art wrote a different cursor than the full run")
    broken = os.path.join(work, "broken.txt")
    with open(broken, "w") as f:
        f.write(". transparent\nX black\npixels\nX.\nXq\n")
    result = subprocess.run([sys.executable, generator, "--art", os.path.join(work, "broken.ico"), broken],
                            capture_output=True, text=True)
    if result.returncode == 0 or "broken.txt:5" not in result.stderr:
        sys.exit("a character outside the legend was not reported with its line:\n" + result.stderr)


def check_self_check(generator, work):
    """The generator's check catches pure green outside a region bitmap, pure
    white in an icon and a visible pixel in a bitmap's mask colour."""
    sys.path.insert(0, os.path.dirname(os.path.abspath(generator)))
    import gen_bitmaps as gen
    cases = [  # (file, colour drawn, region, mask)
        ("green.bmp", gen.REGION_KEY, False, None),
        ("white.ico", gen.MASK_WHITE, False, None),
        ("masked.bmp", gen.MASK_WHITE, False, gen.MASK_WHITE),
    ]
    for name, colour, region, mask in cases:
        canvas = gen.Canvas(16, 16, gen.BACKGROUND if name.endswith(".bmp") else None)
        canvas.fill_rect(4, 4, 8, 8, colour)
        path = os.path.join(work, name)
        if name.endswith(".ico"):
            gen.write_ico(path, [canvas])
        else:
            gen.write_bmp(path, canvas, mask=mask)
        if not gen.check_file(path, [canvas], region, mask):
            sys.exit("the self-check passed %s drawn in %r" % (name, colour))
    green = gen.Canvas(16, 16, gen.REGION_KEY)
    gen.write_bmp(os.path.join(work, "region.bmp"), green)
    if gen.check_file(os.path.join(work, "region.bmp"), [green], region=True):
        sys.exit("the self-check refused pure green in a region bitmap")


def main():
    generator, work = sys.argv[1], sys.argv[2]
    first = run(generator, os.path.join(work, "first"))
    second = run(generator, os.path.join(work, "second"))
    if first != second:
        sys.exit("the runs wrote different files: %s / %s" % (first, second))
    for name in first:
        with open(os.path.join(work, "first", name), "rb") as a, open(os.path.join(work, "second", name), "rb") as b:
            if a.read() != b.read():
                sys.exit("%s differs between the runs" % name)
    check_art_conversion(generator, work)
    check_self_check(generator, work)
    if len(sys.argv) > 3:
        import gen_bitmaps as gen
        os.makedirs(sys.argv[3], exist_ok=True)
        for name in first:
            if name.endswith((".bmp", ".ico", ".cur")):
                zoom = 1 if name.endswith(".bmp") else 4
                preview(gen, os.path.join(work, "first", name), os.path.join(sys.argv[3], name + ".png"), zoom)
    print("%d files, identical on both runs" % len(first))


if __name__ == "__main__":
    main()
