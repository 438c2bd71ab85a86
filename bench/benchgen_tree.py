#!/usr/bin/env python3
"""Writes the benchmark volume's files into a folder (a mounted volume or a
staging folder), and prints the relative paths of those to delete.

Usage: benchgen_tree.py ROOT FILES FOLDERS SEED DELETE_EVERY [SIZE_BITS]

FILES files spread over FOLDERS top-level folders, each with five nested
levels of subfolders. Most files are text; every tenth one is a small but
well-formed file of a common type (PNG, ZIP, GZIP, BMP, PDF, WAV, GIF), so
that a signature search and a carver have something real to find. Every
DELETE_EVERY-th file (and every 40th folder with all it holds) is listed
for deletion on stdout. Fixed seed, fixed times: two runs write the same
tree. File sizes are 200 bytes plus up to 2**SIZE_BITS (default 14).
"""
import gzip
import io
import os
import random
import struct
import sys
import wave
import zipfile
import zlib

EPOCH = 1577934245  # 2020-01-02 03:04:05 UTC


def png(rnd, size):
    side = max(8, int((size / 3) ** 0.5))
    raw = b"".join(b"\x00" + bytes(rnd.getrandbits(8) & 0xF0 for _ in range(side * 3)) for _ in range(side))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    ihdr = struct.pack(">IIBBBBB", side, side, 8, 2, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b"")


def zip_archive(rnd, size):
    buf = io.BytesIO()
    with zipfile.ZipFile(buf, "w", zipfile.ZIP_STORED) as z:
        z.writestr(zipfile.ZipInfo("notes.txt", date_time=(2020, 1, 2, 3, 4, 6)), text(rnd, size))
    return buf.getvalue()


def gz(rnd, size):
    return gzip.compress(text(rnd, size * 3), mtime=EPOCH)


def bmp(rnd, size):
    width = 64
    height = max(1, size // (width * 3))
    pixels = bytes(rnd.getrandbits(8) for _ in range(64)) * (width * 3 * height // 64 + 1)
    pixels = pixels[: width * 3 * height]
    header = b"BM" + struct.pack("<IHHI", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + pixels


def pdf(rnd, size):
    body = text(rnd, size)
    parts = [b"%PDF-1.4\n%\xe2\xe3\xcf\xd3\n"]
    offsets = []
    objects = [
        b"<< /Type /Catalog /Pages 2 0 R >>",
        b"<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        b"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents 4 0 R >>",
        b"<< /Length %d >>\nstream\n" % len(body) + body + b"\nendstream",
    ]
    for i, o in enumerate(objects, 1):
        offsets.append(sum(len(p) for p in parts))
        parts.append(b"%d 0 obj\n" % i + o + b"\nendobj\n")
    xref = sum(len(p) for p in parts)
    parts.append(b"xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1))
    parts.extend(b"%010d 00000 n \n" % o for o in offsets)
    parts.append(b"trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (len(objects) + 1, xref))
    return b"".join(parts)


def wav(rnd, size):
    buf = io.BytesIO()
    with wave.open(buf, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(8000)
        w.writeframes(bytes(rnd.getrandbits(8) for _ in range(size & ~1)))
    return buf.getvalue()


def gif(rnd, size):
    # A 1x1 image followed by a comment block that carries the size.
    head = b"GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff"
    comment = b""
    data = text(rnd, size)
    while data:
        piece, data = data[:255], data[255:]
        comment += bytes([len(piece)]) + piece
    image = b"\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00"
    return head + b"\x21\xfe" + comment + b"\x00" + image + b"\x3b"


LINES = [b"%05d the quick brown fox jumps over the lazy dog\n", b"%05d lorem ipsum dolor sit amet, consectetur\n",
         b"%05d pack my box with five dozen liquor jugs\n"]


def text(rnd, size):
    out = bytearray()
    n = 0
    while len(out) < size:
        out += LINES[n % 3] % (rnd.getrandbits(16) % 100000)
        n += 1
    return bytes(out[:size])


TYPED = [(".png", png), (".zip", zip_archive), (".gz", gz), (".bmp", bmp), (".pdf", pdf), (".wav", wav),
         (".gif", gif)]


def main():
    root, files, folders, seed, every = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4]), int(
        sys.argv[5])
    size_bits = int(sys.argv[6]) if len(sys.argv) > 6 else 14
    rnd = random.Random(seed)
    # Leaf folders: Folder NNN/Level 1/.../Level K, K from 0 to 4.
    leaves = []
    for f in range(folders):
        path = "Folder %03d" % f
        leaves.append(path)
        for depth in range(1, 5):
            path = os.path.join(path, "Level %d" % depth)
            leaves.append(path)
    for leaf in leaves:
        os.makedirs(os.path.join(root, leaf), exist_ok=True)
    deleted = []
    for i in range(files):
        leaf = leaves[i % len(leaves)]
        size = 200 + rnd.getrandbits(size_bits)
        if i % 10 == 7:
            ext, make = TYPED[(i // 10) % len(TYPED)]
            data = make(rnd, size)
        else:
            ext, data = ".txt", text(rnd, size)
        rel = os.path.join(leaf, "file %05d%s" % (i, ext))
        with open(os.path.join(root, rel), "wb") as out:
            out.write(data)
        os.utime(os.path.join(root, rel), (EPOCH + i, EPOCH + i))
        if every and i % every == 3:
            deleted.append(rel)
    for f in range(0, folders, 40):
        deleted.append(os.path.join("Folder %03d" % f, "Level 1", "Level 2"))
    for leaf in leaves:
        os.utime(os.path.join(root, leaf), (EPOCH, EPOCH))
    sys.stdout.write("".join(d + "\n" for d in deleted))


if __name__ == "__main__":
    main()
