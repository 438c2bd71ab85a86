#!/usr/bin/env python3
"""The architecture as include lines may show it: which folder may include
which. This table is the one place it is written down.

    check_layers.py SOURCE_ROOT

Fails (exit 1, one line per fault) when a source or header of a folder
includes a header of a folder it must not depend on.
"""
import os
import re
import sys

# The engine's layers, from the bottom. A layer may include its own and any
# lower layer, never a higher one.
ENGINE_LAYERS = [
    ["common"],                      # byte order
    ["msg"],                         # the message sink
    ["state", "image"],              # engine state and lists; image readers
    ["io"],                          # sector reads from the selected source
    ["fat", "ntfs"],                 # on-disk structures and their lists
    ["volume"],                      # volume parameters from boot sectors
    ["partition"],                   # partition tables and search
    ["scan", "extensive", "trace"],  # the three scans
    ["save", "snapshot"],            # saving and snapshots
]

# Top-level folders and the top-level folders they must never include.
FORBIDDEN = {
    "engine": {"app", "appui", "uilib", "preview"},
    "uilib": {"app", "appui", "engine"},
}

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


def engine_level(folder):
    for level, names in enumerate(ENGINE_LAYERS):
        if folder in names:
            return level
    return None


def top_folders(root):
    return {d for d in os.listdir(root) if os.path.isdir(os.path.join(root, d))}


def main():
    root = sys.argv[1]
    tops = top_folders(root)
    engine_dirs = top_folders(os.path.join(root, "engine"))
    faults = []
    for top, banned in FORBIDDEN.items():
        for dirpath, _, files in os.walk(os.path.join(root, top)):
            for name in files:
                if not name.endswith((".h", ".cpp")):
                    continue
                path = os.path.join(dirpath, name)
                rel = os.path.relpath(path, root).replace(os.sep, "/")
                parts = rel.split("/")
                own = engine_level(parts[1]) if top == "engine" and len(parts) > 2 else None
                if top == "engine" and len(parts) > 2 and own is None:
                    faults.append("%s: folder engine/%s is in no layer" % (rel, parts[1]))
                with open(path, encoding="utf-8", errors="replace") as f:
                    for number, line in enumerate(f, 1):
                        m = INCLUDE.match(line)
                        if not m:
                            continue
                        name = m.group(1)
                        if name.startswith("."):
                            # A relative name: what it names from the root.
                            target = os.path.normpath(os.path.join(os.path.dirname(path), name))
                            name = os.path.relpath(target, root).replace(os.sep, "/")
                            if top == "engine" and name.startswith("engine/"):
                                name = name[len("engine/"):]
                        first = name.split("/")[0]
                        if first in banned and (first in tops or first in engine_dirs):
                            faults.append("%s:%d: includes %s" % (rel, number, m.group(1)))
                            continue
                        # Inside the engine, headers are named from engine/.
                        if top == "engine" and own is not None and first in engine_dirs and "/" in name:
                            level = engine_level(first)
                            if level is None or level > own:
                                faults.append("%s:%d: includes %s, a higher layer" % (rel, number, m.group(1)))
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
