#!/usr/bin/env python3
"""Runs one end-to-end scenario: a fresh Wine prefix, the driver (tdrive)
walking the built program's road on the display CTest gave, then the checks
on the Linux side: saved files against The Sleuth Kit, their times, the
registry, the exit code, the image's hash and every kept screenshot.

runner.py <scenario> --source DIR --build DIR
"""
import argparse
import hashlib
import os
import re
import shutil
import struct
import subprocess
import sys
import time
import zlib

ACCENT = (29, 117, 189)


class Failure(Exception):
    pass


def log(text):
    print("runner: " + text, flush=True)


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def linux_path(path):
    if re.match(r"^[Zz]:", path):
        return path[2:].replace("\\", "/")
    return path


def sha256(path):
    h = hashlib.sha256()
    with open(path, "rb") as f:
        for block in iter(lambda: f.read(1 << 20), b""):
            h.update(block)
    return h.hexdigest()


# ---------------------------------------------------------------- PNG ----

def read_png(path):
    """Width, height and rows of RGB(A) bytes of an 8-bit PNG (stdlib only)."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise Failure("%s is no PNG" % path)
    pos, idat, width = 8, [], 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, ctype, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or ctype not in (2, 6) or interlace:
                raise Failure("%s: unexpected PNG format" % path)
            bpp = 4 if ctype == 6 else 3
        elif kind == b"IDAT":
            idat.append(body)
        pos += 12 + length
    raw = zlib.decompress(b"".join(idat))
    stride = width * bpp
    rows, prev = [], bytearray(stride)
    for y in range(height):
        ftype = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        if ftype == 1:
            for i in range(bpp, stride):
                line[i] = (line[i] + line[i - bpp]) & 255
        elif ftype == 2:
            line = bytearray((a + b) & 255 for a, b in zip(line, prev))
        elif ftype == 3:
            for i in range(stride):
                left = line[i - bpp] if i >= bpp else 0
                line[i] = (line[i] + ((left + prev[i]) >> 1)) & 255
        elif ftype == 4:
            for i in range(stride):
                a = line[i - bpp] if i >= bpp else 0
                b = prev[i]
                c = prev[i - bpp] if i >= bpp else 0
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[i] = (line[i] + pred) & 255
        rows.append(line)
        prev = line
    return width, height, bpp, rows


def check_screenshot(path):
    """Not one colour, the accent present, the frame's caption bar inside."""
    width, height, bpp, rows = read_png(path)
    colours = set()
    accent = False
    for line in rows[::4]:
        for x in range(0, width * bpp, bpp * 4):
            px = (line[x], line[x + 1], line[x + 2])
            colours.add(px)
            if px == ACCENT:
                accent = True
    if len(colours) < 2:
        raise Failure("screenshot %s is one colour" % path)
    if not accent:
        raise Failure("screenshot %s lacks the accent RGB%s" % (path, ACCENT))
    # The caption bar: a row near the top in the active caption's colour
    # over most of the frame's width (the frame is maximised or placed on
    # the screen; its caption is a long run of one colour).
    best = 0
    for y in range(0, min(height, 200)):
        line = rows[y]
        run, longest, last = 0, 0, None
        for x in range(0, width * bpp, bpp):
            px = (line[x], line[x + 1], line[x + 2])
            run = run + 1 if px == last else 1
            last = px
            longest = max(longest, run)
        best = max(best, longest)
    if best < width // 3:
        raise Failure("screenshot %s shows no caption bar" % path)


# -------------------------------------------------------------- oracles --

def fls_body(raw, offset):
    """Path -> (mtime, size, deleted) of one volume, from fls's body output."""
    out = subprocess.run(["fls", "-r", "-p", "-m", "/", "-o", str(offset), raw],
                         check=True, capture_output=True).stdout.decode("utf-8", "replace")
    entries = {}
    for line in out.splitlines():
        fields = line.split("|")
        if len(fields) < 11:
            continue
        name = fields[1]
        deleted = "(deleted" in name
        name = re.sub(r" \(deleted(-realloc)?\)$", "", name)
        mode = fields[3]
        if not mode.startswith("r/r") and not mode.startswith("-/r"):
            continue
        entries[name.lstrip("/")] = (int(fields[8]), int(fields[6]), deleted)
    return entries


def manifest(path, partition):
    """Files of one partition in a fixture manifest: path -> (size, sha256, deleted)."""
    files = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            if line.startswith("#"):
                continue
            part, name, size, digest, deleted, kind = line.rstrip("\n").split("\t")
            if part == str(partition) and kind == "file":
                files[name] = (int(size), digest, deleted == "yes")
    return files


def mmls_starts(path):
    starts = []
    with open(path) as f:
        for line in f:
            m = re.match(r"\s*\d+:\s+\d+:\d+\s+(\d+)\s+\d+\s+\d+\s+(.*)$", line)
            if m:
                starts.append((int(m.group(1)), m.group(2).strip()))
    return starts


def saved_files(folder):
    found = {}
    for top, _, names in os.walk(folder):
        for name in names:
            full = os.path.join(top, name)
            found[os.path.relpath(full, folder).replace(os.sep, "/")] = full
    return found


def check_saved(folder, expected, times, copies=False):
    """Every expected file saved byte-equal, with its time; a second save
    made "Copy (1 ) of <name>" beside each."""
    found = saved_files(folder)
    problems = []
    for name, (size, digest, deleted) in sorted(expected.items()):
        if size == 0:
            continue  # empty FAT files are not listed by the engine
        names = [name]
        if copies:
            head, _, base = name.rpartition("/")
            names.append((head + "/" if head else "") + "Copy (1 ) of " + base)
        for n in names:
            if n not in found:
                problems.append("missing: " + n)
                continue
            if sha256(found[n]) != digest:
                if not deleted:
                    problems.append("contents differ: " + n)
                continue
            if name in times:
                mtime = times[name][0]
                got = int(os.stat(found[n]).st_mtime)
                if abs(got - mtime) > 2:
                    problems.append("time of %s: %d, expected %d" % (n, got, mtime))
    if problems:
        raise Failure("saved files in %s:\n  " % folder + "\n  ".join(problems[:40]))
    return found


# --------------------------------------------------------------- running --

class Scenario:
    def __init__(self, name, source, build):
        self.name = name
        self.source = source
        self.build = build
        self.fixtures = os.environ.get("TESMIR_FIXTURES", os.path.join(build, "fixtures"))
        self.work = os.path.join(build, "e2e", name)
        self.prefix = os.path.join(self.work, "prefix")
        self.report = {}
        self.env = None
        self.expect_failure = None
        self.driver_code = None

    def prepare(self):
        if os.path.exists(self.work):
            subprocess.run(["wineserver", "-k"], env=dict(os.environ, WINEPREFIX=self.prefix),
                           capture_output=True)
            shutil.rmtree(self.work)
        os.makedirs(self.work)
        env = dict(os.environ)
        env.update(WINEPREFIX=self.prefix, WINEARCH="win32", WINEDEBUG="-all",
                   WINEDLLOVERRIDES="mscoree,mshtml=", TZ="UTC",
                   TESMIR_MESSAGE_LOG=windows_path(os.path.join(self.work, "messages.log")))
        env.pop("WINESERVER", None)
        slot = env.get("CTEST_RESOURCE_GROUP_0_DISPLAYS", "")
        m = re.match(r"id:x(\d+)", slot)
        if m:
            env["DISPLAY"] = ":" + m.group(1)
        if self.expect_failure:
            env["TDRIVE_WRONG_MARKER"] = self.expect_failure
        self.env = env
        # A fresh copy of the pristine prefix, with a virtual desktop of the
        # screen's size for the driver and the program.
        subprocess.run([os.path.join(self.source, "scripts", "wine-prefix"), self.prefix],
                       check=True, env=env, capture_output=True)
        reg = os.path.join(self.work, "desktop.reg")
        with open(reg, "w", newline="\r\n") as f:
            f.write("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\n"
                    "\"tesmir_e2e\"=\"1280x1024\"\n")
        self.wine(["regedit", "/S", windows_path(reg)])

    def wine(self, args, check=False):
        return subprocess.run(["wine"] + args, env=self.env, capture_output=True, stdin=subprocess.DEVNULL,
                              check=check)

    def drive(self, timeout=900):
        exe = os.path.join(self.build, "app", "TesmirVHD.exe")
        tdrive = os.path.join(self.build, "tests", "e2e", "tdrive.exe")
        runner = os.path.join(self.build, "tests", "desktop-run.exe")
        args = ["wine", runner, "tesmir_e2e", tdrive, self.name, windows_path(exe),
                windows_path(self.fixtures), windows_path(self.work)]
        log("driving " + self.name)
        proc = subprocess.Popen(args, env=self.env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                stdin=subprocess.DEVNULL)
        lines = []
        start = time.time()
        for raw in proc.stdout:
            line = raw.decode("utf-8", "replace").rstrip("\r\n")
            if line.startswith("tdrive:"):
                print(line, flush=True)
                lines.append(line)
                m = re.match(r"tdrive: ([a-z-]+): (.*)$", line)
                if m and m.group(1) not in ("step", "screenshot"):
                    self.report.setdefault(m.group(1), []).append(m.group(2))
            if time.time() - start > timeout:
                proc.kill()
                raise Failure("the driver ran longer than %d s" % timeout)
        code = proc.wait()
        self.driver_code = code
        shots = [linux_path(l[len("tdrive: screenshot: "):]) for l in lines if l.startswith("tdrive: screenshot: ")]
        if self.expect_failure:
            return shots
        if code != 0 or not any("passed" in l for l in lines):
            raise Failure("the driver failed (exit %d); see the step and screenshot above" % code)
        return shots

    def registry(self, key):
        out = self.wine(["reg", "query", key])
        return out.returncode == 0

    def finish(self):
        subprocess.run(["wineserver", "-k"], env=self.env, capture_output=True)

    def one(self, key):
        values = self.report.get(key, [])
        if not values:
            raise Failure("the driver reported no %s" % key)
        return values[-1]


def drive_unchanged(s, image_name):
    """Drives the scenario; the program ended with 0 and left the image as
    it was. The screenshots kept."""
    image = os.path.join(s.fixtures, image_name)
    before = sha256(image)
    shots = s.drive()
    if s.one("exit-code") != "0":
        raise Failure("the program ended with %s" % s.one("exit-code"))
    if sha256(image) != before:
        raise Failure("the image changed")
    return shots


def scenario_s1(s):
    shots = drive_unchanged(s, "sample.vhd")
    start = [o for o, d in mmls_starts(os.path.join(s.fixtures, "sample.mmls")) if "FAT32" in d][0]
    expected = manifest(os.path.join(s.fixtures, "sample.files.tsv"), 1)
    times = fls_body(os.path.join(s.fixtures, "sample.raw"), start)
    check_saved(linux_path(s.one("saved")), expected, times, copies=True)
    for key in ("HKCR\\.xwqz", "HKCR\\Tesmir.Document"):
        if not s.registry(key):
            raise Failure("no registry key " + key)
    return shots


def check_failure_report(s):
    """The driver told to expect a wrong marker at one step: it fails at
    that step, names it, keeps a screenshot of the moment and ends the
    program it started."""
    s.drive()
    if s.driver_code != 1:
        raise Failure("the driver ended with %s, not 1" % s.driver_code)
    failed = s.one("failure-screenshot") if "failure-screenshot" in s.report else None
    if not failed or not os.path.isfile(linux_path(failed)):
        raise Failure("no failure screenshot was kept")
    if s.one("program-ended") != "yes":
        raise Failure("the program was left running")
    log("the failure named its step and kept " + linux_path(failed))
    return []


def scenario_s2(s):
    shots = drive_unchanged(s, "mixed-dynamic.vhd")
    unchecked = s.one("unchecked")
    start = [o for o, d in mmls_starts(os.path.join(s.fixtures, "mixed.mmls")) if "NTFS" in d][0]
    everything = manifest(os.path.join(s.fixtures, "mixed.files.tsv"), 2)
    expected = {n: v for n, v in everything.items() if "/" in n and not n.startswith(unchecked + "/")}
    times = fls_body(os.path.join(s.fixtures, "mixed.raw"), start)
    found = check_saved(linux_path(s.one("saved")), expected, times)
    left_in = [n for n in found if n.startswith(unchecked + "/")]
    if left_in:
        raise Failure("files of the unchecked folder were saved: " + ", ".join(left_in[:5]))
    if not any(v[2] for v in expected.values()):
        raise Failure("the oracle holds no deleted file to look for")
    return shots


def scenario_s4(s):
    shots = drive_unchanged(s, "trace.vhd")
    raw = os.path.join(s.fixtures, "trace.raw")
    # The planted files, by The Sleuth Kit: each saved once.
    listing = subprocess.run(["fls", "-f", "fat32", "-p", raw], check=True,
                             capture_output=True).stdout.decode()
    wanted = {}
    for line in listing.splitlines():
        m = re.match(r"r/r \*?\s*(\d+):\s+(.*)$", line)
        if m and "(Volume Label Entry)" not in m.group(2):
            data = subprocess.run(["icat", "-f", "fat32", raw, m.group(1)], check=True,
                                  capture_output=True).stdout
            wanted[m.group(2)] = hashlib.sha256(data).hexdigest()
    found = saved_files(linux_path(s.one("saved")))
    digests = {}
    for name, full in found.items():
        digests.setdefault(sha256(full), []).append(name)
    problems = []
    for name, digest in sorted(wanted.items()):
        saved = digests.get(digest, [])
        if len(saved) != 1:
            problems.append("%s saved %d times" % (name, len(saved)))
    if problems:
        raise Failure("File Trace save: " + "; ".join(problems) + "; saved: " + ", ".join(sorted(found)))
    return shots


def scenario_s3(s):
    shots = drive_unchanged(s, "damaged.vhdx")
    # "FAT16 @ <start>": that volume's files on the intact disk.
    start = int(re.search(r"@\s*(\d+)", s.one("volume")).group(1))
    slots = [o for o, d in mmls_starts(os.path.join(s.fixtures, "mixed.mmls"))]
    numbers = {2048: 1, 280576: 2}
    fat16 = [o for o, d in mmls_starts(os.path.join(s.fixtures, "mixed.mmls")) if "FAT16" in d]
    for i, o in enumerate(sorted(fat16)):
        numbers[o] = 5 + i
    if start not in numbers:
        raise Failure("the volume at %d is none of the disk's partitions %s" % (start, slots))
    expected = {n: v for n, v in manifest(os.path.join(s.fixtures, "mixed.files.tsv"), numbers[start]).items()
                if not v[2]}
    times = fls_body(os.path.join(s.fixtures, "mixed.raw"), start)
    check_saved(linux_path(s.one("saved")), expected, times)
    return shots


def scenario_s6(s):
    shots = drive_unchanged(s, "e2e-large.vhdx")
    start = [o for o, d in mmls_starts(os.path.join(s.fixtures, "mixed.mmls")) if "FAT32" in d][0]
    expected = {n: v for n, v in manifest(os.path.join(s.fixtures, "mixed.files.tsv"), 1).items()}
    times = fls_body(os.path.join(s.fixtures, "mixed.raw"), start)
    check_saved(linux_path(s.one("saved")), expected, times)
    return shots


SCENARIOS = {"S1": scenario_s1, "S2": scenario_s2, "S3": scenario_s3, "S4": scenario_s4, "S6": scenario_s6}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("scenario", choices=sorted(SCENARIOS))
    parser.add_argument("--source", required=True)
    parser.add_argument("--build", required=True)
    parser.add_argument("--expect-failure-at", metavar="STEP",
                        help="make the driver expect a wrong marker on STEP and check how it fails")
    a = parser.parse_args()
    s = Scenario(a.scenario, os.path.abspath(a.source), os.path.abspath(a.build))
    s.expect_failure = a.expect_failure_at
    if s.expect_failure:
        s.work += "-failure"
        s.prefix = os.path.join(s.work, "prefix")
    try:
        s.prepare()
        shots = check_failure_report(s) if s.expect_failure else SCENARIOS[a.scenario](s)
        for shot in shots:
            if "failed-" not in shot:
                check_screenshot(shot)
        log("%d screenshots checked" % len(shots))
    except (Failure, subprocess.CalledProcessError) as e:
        print("runner: FAILED: %s" % e, flush=True)
        if s.env:
            s.finish()
        return 1
    s.finish()
    # The prefix copy is large; the screenshots and the saved files stay.
    shutil.rmtree(s.prefix, ignore_errors=True)
    if s.expect_failure:
        print("runner: the failure at the %s was reported as it should be" % s.expect_failure, flush=True)
    else:
        print("runner: scenario %s passed" % a.scenario, flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
