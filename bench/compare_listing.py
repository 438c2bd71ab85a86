#!/usr/bin/env python3
"""Compares the Quick Scan's entries with The Sleuth Kit's.

Usage: compare_listing.py ntfs|fat OURS FLS

OURS is `engine_bench list quick ...` output (path, kind, deleted|live, ...),
FLS is `fls -r -p` output. Prints "same N only_ours N only_fls N" over the
entry paths with their deleted marks, leaving out what either side makes
up: The Sleuth Kit's $OrphanFiles, $FAT1, $FAT2, $MBR and volume label and
the streams it lists beside their files, and our "Lost Dir". On FAT, paths
are compared as the engine's tests compare them: in upper case, names cut
at 195 characters and, for deleted entries, the first character of each
path part dropped (FAT marks a deleted entry in that byte).
"""
import sys


def fold(path, deleted, fat):
    if not fat:
        return path
    parts = [(p[1:] if deleted and p else p)[:195] for p in path.split("/")]
    return "/".join(parts).upper()


def read_fls(name, fat):
    out = {}
    with open(name, encoding="utf-8", errors="replace") as f:
        for line in f:
            line = line.rstrip("\n")
            if "\t" not in line:
                continue
            head, path = line.split("\t", 1)
            if path.startswith("$OrphanFiles") or path in ("$FAT1", "$FAT2", "$MBR") or \
                    "(Volume Label Entry)" in path:
                continue
            path = path.split(":", 1)[0]
            deleted = " * " in head + " "
            key = fold(path, deleted, fat)
            out[key] = out.get(key, True) and deleted
    return out


def read_ours(name, fat):
    out = {}
    with open(name, encoding="utf-8", errors="replace") as f:
        for line in f:
            fields = line.rstrip("\n").split("\t")
            if len(fields) < 3:
                continue
            path = fields[0].lstrip("/")
            if path == "Lost Dir" or path.startswith("Lost Dir/"):
                continue
            deleted = fields[2] == "deleted"
            key = fold(path, deleted, fat)
            out[key] = out.get(key, True) and deleted
    return out


def main():
    fat = sys.argv[1] == "fat"
    ours, theirs = read_ours(sys.argv[2], fat), read_fls(sys.argv[3], fat)
    same = sum(1 for k, v in ours.items() if theirs.get(k) == v)
    print("same %d only_ours %d only_fls %d" % (same, len(ours) - same, len(theirs) - same))


if __name__ == "__main__":
    main()
