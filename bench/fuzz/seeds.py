#!/usr/bin/env python3
"""seeds.py FIXTURES RAW.DAT OUTDIR: the fuzz targets' seed corpora, cut
from the generated fixtures (one folder per target under OUTDIR).

vhd, vhdx, partitions: chunk inputs ("sector u32 LE, length u16 LE, bytes",
see FuzzSupport.h) holding an image's metadata: a dynamic VHD's footer copy,
header, block table and the start of its first blocks; a VHDX's identifier,
headers, region table, metadata and block table; a disk's MBR, EBR chain and
boot sectors. fat: a boot sector and a directory cluster. mft: single MFT
records. indx: "INDX" blocks. snapshot: small snapshots of each mode, built
from the layout. catalogue: Raw.dat and cut-down copies of it."""
import os
import struct
import sys

fixtures, rawdat, out = sys.argv[1:4]
MAX_SEEDS = 40


def files(ext):
    return sorted(os.path.join(fixtures, f) for f in os.listdir(fixtures) if f.endswith(ext))


def chunk(offset, data):
    assert offset % 512 == 0
    return struct.pack('<IH', offset // 512, len(data)) + data


def page_chunks(f, start, length, page=4096, limit=256):
    """Chunks of the non-zero pages of [start, start + length) of file f."""
    res, n = [], 0
    for off in range(start, start + length, page):
        f.seek(off)
        data = f.read(page)
        if data.strip(b'\0'):
            res.append(chunk(off, data))
            n += 1
            if n >= limit:
                break
    return res


def write(target, name, data):
    d = os.path.join(out, target)
    os.makedirs(d, exist_ok=True)
    if len(os.listdir(d)) < MAX_SEEDS or os.path.exists(os.path.join(d, name)):
        with open(os.path.join(d, name), 'wb') as f:
            f.write(data)


def footer_type(path):
    if os.path.getsize(path) < 512:
        return 0
    with open(path, 'rb') as f:
        f.seek(-512, 2)
        footer = f.read(512)
    return struct.unpack('>I', footer[60:64])[0] if footer[:8] == b'conectix' else 0


def base(path):
    return os.path.splitext(os.path.basename(path))[0]


# Dynamic VHDs: footer copy, header, table, the first blocks' bitmaps and
# first sectors, the footer at the file's end.
for path in files('.vhd'):
    size = os.path.getsize(path)
    if size < 2048:
        continue
    with open(path, 'rb') as f:
        kind = footer_type(path)
        if kind == 2:
            f.seek(0)
            mbr = f.read(512)
            f.seek(size - 512)
            write('vhd', base(path), chunk(0, mbr) + chunk(size - 512, f.read(512)))
            continue
        f.seek(0)
        head = f.read(1536)
        if head[512:520] != b'cxsparse':
            continue
        table, entries, block = struct.unpack('>QxxxxII', head[512 + 16:512 + 36])
        table_bytes = min(entries * 4, 1 << 16)
        parts = page_chunks(f, 0, 1536, 512) + page_chunks(f, table, (table_bytes + 511) // 512 * 512, 512)
        f.seek(table)
        bat = struct.unpack('>%dI' % (table_bytes // 4), f.read(table_bytes // 4 * 4))
        for entry in [e for e in bat if e != 0xFFFFFFFF][:3]:
            parts += page_chunks(f, entry * 512, 2048, 512)
        f.seek(size - 512)
        parts.append(chunk(size - 512, f.read(512)))
        write('vhd', base(path), b''.join(parts))

# VHDX: the first 256 KiB, the metadata region, the block table and the
# first page of a few blocks, the last page (the file's size).
for path in files('.vhdx'):
    size = os.path.getsize(path)
    with open(path, 'rb') as f:
        parts = page_chunks(f, 0, 0x40000)
        f.seek(0x30000)
        regions = f.read(0x10000)
        bat_off = None
        if regions[:4] == b'regi':
            count = struct.unpack('<I', regions[8:12])[0]
            for i in range(min(count, 8)):
                e = regions[16 + 32 * i:48 + 32 * i]
                guid, off, length = e[:16], *struct.unpack('<QI', e[16:28])
                if off + length > size:
                    continue
                parts += page_chunks(f, off, min(length, 1 << 20), limit=64)
                if guid[:4] == bytes.fromhex('6677c22d'):
                    bat_off, bat_len = off, length
        if bat_off is not None:
            f.seek(bat_off)
            bat = struct.unpack('<%dQ' % (min(bat_len, 1 << 16) // 8), f.read(min(bat_len, 1 << 16) // 8 * 8))
            for entry in [e for e in bat if e & 7 in (6, 7) and e >> 20][:3]:
                parts += page_chunks(f, (entry >> 20) << 20, 4096, limit=1)
        parts.append(chunk(size - 4096, b'\0' * 4096) if size >= 4096 else b'')
        write('vhdx', base(path), b''.join(parts))


def fixed_disks():
    for path in files('.vhd'):
        if footer_type(path) == 2:
            yield path


def partitions(f):
    """(type, start, count) of the MBR entries and the EBR chain's logical
    partitions, with the table sectors read (offset, bytes)."""
    sectors, res = [], []
    f.seek(0)
    mbr = f.read(512)
    sectors.append((0, mbr))
    if mbr[510:512] != b'\x55\xaa':
        return res, sectors
    for i in range(4):
        e = mbr[446 + 16 * i:462 + 16 * i]
        kind, start, count = e[4], *struct.unpack('<II', e[8:16])
        if kind in (0x05, 0x0F, 0x85):
            ebr, seen = start, set()
            while ebr and ebr not in seen and len(seen) < 32:
                seen.add(ebr)
                f.seek(ebr * 512)
                s = f.read(512)
                if len(s) < 512 or s[510:512] != b'\x55\xaa':
                    break
                sectors.append((ebr * 512, s))
                k, st, ct = s[446 + 4], *struct.unpack('<II', s[446 + 8:446 + 16])
                if k:
                    res.append((k, ebr + st, ct))
                nk, nst = s[462 + 4], struct.unpack('<I', s[462 + 8:462 + 12])[0]
                ebr = start + nst if nk in (0x05, 0x0F, 0x85) and nst else 0
        elif kind:
            res.append((kind, start, count))
    return res, sectors


for path in fixed_disks():
    size = os.path.getsize(path) - 512
    with open(path, 'rb') as f:
        parts, tables = partitions(f)
        pieces = [chunk(off, s) for off, s in tables]
        for kind, start, count in parts:
            f.seek(start * 512)
            boot = f.read(512)
            pieces.append(chunk(start * 512, boot))
            if boot[3:7] == b'NTFS':
                spc = boot[13]
                mft = struct.unpack('<Q', boot[0x30:0x38])[0] * spc * 512 + start * 512
                f.seek(mft)
                names = 0
                for n in range(0, 400):
                    rec = f.read(1024)
                    if rec[:4] != b'FILE':
                        continue
                    flags = rec[0x16]
                    first = struct.unpack('<H', rec[0x14:0x16])[0]
                    types = set()
                    p = first
                    while 0 < p < 1016:
                        t, ln = struct.unpack('<II', rec[p:p + 8])
                        if t == 0xFFFFFFFF or ln < 16 or ln % 8:
                            break
                        types.add(t)
                        p += ln
                    interesting = n < 12 or 0x20 in types or 0xA0 in types or (flags & 1 and names < 6)
                    if interesting:
                        names += n >= 12
                        write('mft', '%s-%d-%d' % (base(path), start, n), rec)
                # INDX blocks of the volume (first few).
                f.seek(start * 512)
                volume = f.read(min(count, 1 << 17) * 512)
                found, at = 0, volume.find(b'INDX')
                while at >= 0 and found < 4:
                    if at % 512 == 0:
                        write('indx', '%s-%d' % (base(path), start * 512 + at), volume[at:at + 4096])
                        found += 1
                    at = volume.find(b'INDX', at + 4)
            elif boot[510:512] == b'\x55\xaa' and (boot[0x52:0x57] == b'FAT32' or boot[0x36:0x3B] in (b'FAT16', b'FAT12')):
                fat32 = boot[0x52:0x57] == b'FAT32'
                spc, reserved, fats, root_entries = boot[13], *struct.unpack('<HBH', boot[14:19])
                fatsz = struct.unpack('<I', boot[0x24:0x28])[0] if fat32 else struct.unpack('<H', boot[22:24])[0]
                data = start + reserved + fats * fatsz + (root_entries * 32 + 511) // 512
                if fat32:
                    root = struct.unpack('<I', boot[0x2C:0x30])[0]
                    f.seek((data + (root - 2) * spc) * 512)
                    directory = f.read(min(spc, 16) * 512)
                else:
                    f.seek((start + reserved + fats * fatsz) * 512)
                    directory = f.read(min(root_entries * 32, 8192))
                write('fat', '%s-%d-root' % (base(path), start), boot + directory)
                # The first subdirectory's cluster.
                for i in range(0, len(directory), 32):
                    e = directory[i:i + 32]
                    if e[0] not in (0, 0xE5, 0x2E) and e[11] & 0x10 and e[11] & 0x3F != 0x0F:
                        cl = struct.unpack('<H', e[26:28])[0] | (struct.unpack('<H', e[20:22])[0] << 16 if fat32 else 0)
                        if cl >= 2:
                            f.seek((data + (cl - 2) * spc) * 512)
                            write('fat', '%s-%d-sub' % (base(path), start), boot + f.read(min(spc, 16) * 512))
                        break
        if len(pieces) > 1 or parts:
            pieces.append(chunk(size // 512 * 512 - 512, b'\0' * 512))
            write('partitions', base(path), b''.join(pieces))


# Snapshots, one per mode, as the snapshot tests build them from the layout.
def snapshot(mode, fs, body, spc=4):
    b = struct.pack('<H', ord(mode)) + bytes([ord('w'), 0, ord('q'), 0, ord('z'), 0, ord('4')]) + b'1\0.'
    start, count = 2048, 278528
    b += struct.pack('<HIIIHHIIIIIIIIIIIIH', fs, start, count, start + count - 1, 0, fs, 1064, spc, 0, 32,
                     2048 + 32 + 2 * 1064 - 2 * spc, 2080, 3144, 0, 0, 0, 0, 0, 0)
    return b + body + struct.pack('<HH', 0, 1)


def wide(s, extra):
    return s.encode('utf-16-le') + b'\0\0' + b'\0' * extra


write('snapshot', 'fat-folder', snapshot('D', 200, struct.pack('<IH', 1, 19) + wide('A', 0) +
      struct.pack('<IIHHBH', 3, 0, 0x5021, 0x5022, 1, 0) + struct.pack('<I', 0)))
write('snapshot', 'fat-file', snapshot('D', 200, struct.pack('<I', 0) + struct.pack('<IH', 1, 35) + wide('x.txt', 2) +
      struct.pack('<IIHHIBI', 7, 0, 0x5021, 0x5022, 1234, 0, 99)))
write('snapshot', 'ntfs', snapshot('D', 300, struct.pack('<IH', 1, 37) + wide('Dir', 2) +
      struct.pack('<IIQQBH', 40, 5, 1111, 2222, 0, 0) + struct.pack('<IHI', 1, 51, 300000) + wide('f.txt', 2) +
      struct.pack('<IIQQBQ', 41, 40, 3333, 4444, 1, 5555), 8))
write('snapshot', 'trace', snapshot('R', 200, struct.pack('<IH', 1, 25) + wide('.jpg', 0) + struct.pack('<H', 37) +
      wide('JPEG Image', 0) + struct.pack('<H', 29) + b'FFD8FF' + b'\0' * 8 + struct.pack('<II', 3, 0) +
      struct.pack('<IH', 1, 33) + wide('.jpg', 2) + struct.pack('<H', 35) + wide('1.jpg', 2) +
      struct.pack('<H', 45) + wide('JPEG Image', 2) + struct.pack('<II', 1, 100)))

# The catalogue, whole and cut at a few record boundaries.
cat = open(rawdat, 'rb').read()
write('catalogue', 'raw-dat', cat)
for n in (1, 10, 50):
    write('catalogue', 'raw-dat-%d' % n, cat[:len(cat) * n // 130])
