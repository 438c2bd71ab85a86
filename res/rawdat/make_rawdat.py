#!/usr/bin/env python3
"""Writes the signature catalogue Raw.dat from its readable source table.

Usage: make_rawdat.py signatures.tsv Raw.dat

Each record of Raw.dat:
  2 bytes   not read by the program (written as zero)
  1 byte    category, one ASCII digit
  then five fields, each a 16-bit little-endian length followed by that many bytes:
  extension (with its dot), description, compare length as decimal text,
  signature bytes, extra bytes.
Text fields are ASCII, which is the same in every ANSI code page.
"""
import struct
import sys


def fail(line_no, why):
    sys.exit(f"make_rawdat: line {line_no}: {why}")


def field(data):
    if len(data) > 255:
        raise ValueError("field longer than 255 bytes")
    return struct.pack("<H", len(data)) + data


def read_table(path):
    records = []
    header_seen = False
    with open(path, encoding="ascii") as f:
        for line_no, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            cols = line.split("\t")
            if not header_seen:
                if cols[:5] != ["category", "extension", "description", "compare_length", "signature"]:
                    fail(line_no, "the first row must name the columns")
                header_seen = True
                continue
            if len(cols) != 6:
                fail(line_no, f"expected 6 columns, found {len(cols)}")
            cat, ext, desc, length, sig, extra = cols
            if len(cat) != 1 or not cat.isdigit():
                fail(line_no, "category must be one digit")
            if not ext.startswith(".") or len(ext) < 2:
                fail(line_no, "extension must begin with a dot")
            if not desc:
                fail(line_no, "description is empty")
            try:
                sig_bytes = bytes.fromhex(sig)
                extra_bytes = bytes.fromhex(extra)
                n = int(length)
            except ValueError as e:
                fail(line_no, str(e))
            if not 1 <= n <= 15:
                fail(line_no, "compare length must be 1 to 15")
            if len(sig_bytes) != n:
                fail(line_no, f"signature has {len(sig_bytes)} bytes, compare length says {n}")
            records.append((cat, ext, desc, n, sig_bytes, extra_bytes))
    if not header_seen:
        sys.exit("make_rawdat: no column row")
    return records


def encode(records):
    out = bytearray()
    for cat, ext, desc, n, sig, extra in records:
        out += b"\0\0" + cat.encode("ascii")
        out += field(ext.encode("ascii"))
        out += field(desc.encode("ascii"))
        out += field(str(n).encode("ascii"))
        out += field(sig)
        out += field(extra)
    return bytes(out)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    data = encode(read_table(sys.argv[1]))
    with open(sys.argv[2], "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
