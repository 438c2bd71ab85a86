#!/usr/bin/env python3
"""Loopback HTTP server for the HTML renderer's fetch tests.

    server.py start STATEFILE   starts a server on 127.0.0.1 (a free port) in
                                the background; writes "PORT PID" to STATEFILE
    server.py stop STATEFILE    stops it
    server.py serve STATEFILE   runs it in the foreground

Routes:
    /page.html             a page with a Windows-1252 byte and a Content-Length
    /nolength.html         a page sent without Content-Length
    /pic.gif /pic.bmp /pic.jpg   16 x 8 pictures: red GIF, green BMP, blue JPEG
    /missing.gif           404
    /hop/N                 302 to /hop/N-1; /hop/0 is the final page
    /loop                  302 to itself
    /slow/TAG/N.gif        the GIF after a delay (?ms=, default 400); counts
                           the requests of TAG in flight at once
    /peak/TAG              the largest number of TAG requests in flight at once
    /echo                  GET: "GET " and the query; POST: "POST " and the body
    /referers              every Referer header received, one a line
    /longlocation          302 to a location of 5,000 characters
    /huge?mb=N             N MB sent without Content-Length
"""
import base64
import http.server
import os
import signal
import socketserver
import struct
import sys
import threading
import time
import urllib.parse


def bmp(width, height, rgb):
    """A 24-bit bottom-up BMP of one colour."""
    stride = (width * 3 + 3) & ~3
    row = bytes([rgb[2], rgb[1], rgb[0]]) * width + b"\0" * (stride - width * 3)
    pixels = row * height
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + pixels


def gif(width, height, rgb):
    """A GIF of one colour: 2-bit LZW codes with a clear code every two
    pixels, so the code width never grows."""
    out = b"GIF89a" + struct.pack("<HHBBB", width, height, 0x81, 0, 0)
    out += bytes(rgb) + b"\xff\xff\xff" + b"\0\0\0" * 2
    out += b"," + struct.pack("<HHHHB", 0, 0, width, height, 0) + b"\x02"
    codes = []
    for i in range(width * height):
        if i % 2 == 0:
            codes.append(4)
        codes.append(0)
    codes.append(5)
    bits = 0
    nbits = 0
    data = bytearray()
    for c in codes:
        bits |= c << nbits
        nbits += 3
        while nbits >= 8:
            data.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8
    if nbits:
        data.append(bits & 0xFF)
    for i in range(0, len(data), 255):
        chunk = data[i:i + 255]
        out += bytes([len(chunk)]) + bytes(chunk)
    return out + b"\0;"


def jpeg(width, height, rgb):
    """A baseline JPEG of one colour: every block has only its DC term."""
    r, g, b = rgb
    comps = [0.299 * r + 0.587 * g + 0.114 * b,
             -0.168736 * r - 0.331264 * g + 0.5 * b + 128,
             0.5 * r - 0.418688 * g - 0.081312 * b + 128]
    dc = [int(round(8 * (min(255.0, max(0.0, v)) - 128))) for v in comps]

    def segment(marker, payload):
        return b"\xff" + bytes([marker]) + struct.pack(">H", len(payload) + 2) + payload

    out = b"\xff\xd8"
    out += segment(0xDB, b"\x00" + b"\x01" * 64)
    out += segment(0xC0, struct.pack(">BHHB", 8, height, width, 3) + b"\x01\x11\x00\x02\x11\x00\x03\x11\x00")
    dc_counts = [0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0]
    out += segment(0xC4, b"\x00" + bytes(dc_counts) + bytes(range(12)))
    out += segment(0xC4, b"\x10" + bytes([1] + [0] * 15) + b"\x00")
    out += segment(0xDA, b"\x03\x01\x00\x02\x00\x03\x00\x00\x3f\x00")
    # Canonical codes of the DC table.
    dc_codes = {}
    code = 0
    symbol = 0
    for length, n in enumerate(dc_counts, 1):
        for _ in range(n):
            dc_codes[symbol] = (code, length)
            code += 1
            symbol += 1
        code <<= 1
    bitstring = []

    def put(value, length):
        for i in range(length - 1, -1, -1):
            bitstring.append((value >> i) & 1)

    previous = [0, 0, 0]
    blocks = ((width + 7) // 8) * ((height + 7) // 8)
    for _ in range(blocks):
        for c in range(3):
            diff = dc[c] - previous[c]
            previous[c] = dc[c]
            category = abs(diff).bit_length()
            put(*dc_codes[category])
            if category:
                put(diff if diff > 0 else diff + (1 << category) - 1, category)
            put(0, 1)  # end of block
    while len(bitstring) % 8:
        bitstring.append(1)
    data = bytearray()
    for i in range(0, len(bitstring), 8):
        byte = int("".join(map(str, bitstring[i:i + 8])), 2)
        data.append(byte)
        if byte == 0xFF:
            data.append(0)
    return out + bytes(data) + b"\xff\xd9"


PICTURES = {
    "/pic.gif": ("image/gif", gif(16, 8, (255, 0, 0))),
    "/pic.bmp": ("image/bmp", bmp(16, 8, (0, 255, 0))),
    "/pic.jpg": ("image/jpeg", jpeg(16, 8, (0, 0, 255))),
}
PAGE = b"<html><body>Caf\xe9 page</body></html>"
FINAL = b"<html><body>final page</body></html>"

lock = threading.Lock()
in_flight = {}
peaks = {}
referers = []


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def send(self, status, body, content_type="text/html", headers=(), length=True):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        for name, value in headers:
            self.send_header(name, value)
        if length:
            self.send_header("Content-Length", str(len(body)))
        else:
            self.send_header("Connection", "close")
            self.close_connection = True
        self.end_headers()
        self.wfile.write(body)

    def note_referer(self):
        referer = self.headers.get("Referer")
        if referer is not None:
            with lock:
                referers.append(referer)

    def do_GET(self):
        self.note_referer()
        url = urllib.parse.urlsplit(self.path)
        path = url.path
        if path == "/page.html":
            self.send(200, PAGE)
        elif path == "/nolength.html":
            self.send(200, PAGE, length=False)
        elif path in PICTURES:
            kind, data = PICTURES[path]
            self.send(200, data, kind)
        elif path.startswith("/hop/"):
            n = int(path[5:] or 0)
            if n <= 0:
                self.send(200, FINAL)
            else:
                self.send(302, b"moved", headers=[("Location", "/hop/%d" % (n - 1))])
        elif path == "/longlocation":
            self.send(302, b"far", headers=[("Location", "/x" + "y" * 5000)])
        elif path == "/huge":
            mb = int(urllib.parse.parse_qs(url.query).get("mb", ["1"])[0])
            self.send_response(200)
            self.send_header("Content-Type", "application/octet-stream")
            self.send_header("Connection", "close")
            self.close_connection = True
            self.end_headers()
            chunk = b"x" * 65536
            try:
                for _ in range(mb * 16):
                    self.wfile.write(chunk)
            except OSError:
                pass
        elif path == "/loop":
            self.send(302, b"again", headers=[("Location", "/loop")])
        elif path.startswith("/slow/"):
            tag = path.split("/")[2]
            delay = int(urllib.parse.parse_qs(url.query).get("ms", ["400"])[0])
            with lock:
                in_flight[tag] = in_flight.get(tag, 0) + 1
                peaks[tag] = max(peaks.get(tag, 0), in_flight[tag])
            try:
                time.sleep(delay / 1000.0)
                self.send(200, PICTURES["/pic.gif"][1], "image/gif")
            finally:
                with lock:
                    in_flight[tag] -= 1
        elif path.startswith("/peak/"):
            with lock:
                peak = peaks.get(path[6:], 0)
            self.send(200, str(peak).encode(), "text/plain")
        elif path == "/echo":
            self.send(200, b"GET " + url.query.encode(), "text/plain")
        elif path == "/referers":
            with lock:
                body = "\n".join(referers).encode()
            self.send(200, body, "text/plain")
        else:
            self.send(404, b"<html><body>not found</body></html>")

    def do_POST(self):
        self.note_referer()
        length = int(self.headers.get("Content-Length", "0"))
        body = self.rfile.read(length)
        if urllib.parse.urlsplit(self.path).path == "/echo":
            self.send(200, b"POST " + body, "text/plain")
        else:
            self.send(404, b"not found")


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    request_queue_size = 64


def serve(state):
    server = Server(("127.0.0.1", 0), Handler)
    tmp = state + ".tmp"
    with open(tmp, "w") as f:
        f.write("%d %d\n" % (server.server_address[1], os.getpid()))
    os.replace(tmp, state)
    signal.signal(signal.SIGTERM, lambda *a: threading.Thread(target=server.shutdown).start())
    server.serve_forever()
    server.server_close()


def start(state):
    if os.path.exists(state):
        stop(state)
    pid = os.fork()
    if pid == 0:
        os.setsid()
        if os.fork():
            os._exit(0)
        # Detached: CTest must not wait for this process's output.
        devnull = os.open(os.devnull, os.O_RDWR)
        for fd in (0, 1, 2):
            os.dup2(devnull, fd)
        try:
            serve(state)
        finally:
            os._exit(0)
    os.waitpid(pid, 0)
    deadline = time.time() + 10
    while not os.path.exists(state):
        if time.time() > deadline:
            sys.exit("server did not start")
        time.sleep(0.05)
    print(open(state).read().strip())


def zombie(pid):
    """True when pid has ended and waits to be reaped (a detached server's
    parent may be an init that never reaps)."""
    try:
        with open("/proc/%d/stat" % pid) as f:
            return f.read().rsplit(")", 1)[1].split()[0] == "Z"
    except (OSError, IndexError):
        return False


def stop(state):
    try:
        port, pid = open(state).read().split()
    except (OSError, ValueError):
        return
    try:
        os.kill(int(pid), signal.SIGTERM)
        for _ in range(100):
            os.kill(int(pid), 0)
            if zombie(int(pid)):
                break
            time.sleep(0.05)
        else:
            os.kill(int(pid), signal.SIGKILL)
    except ProcessLookupError:
        pass
    os.remove(state)


if __name__ == "__main__":
    if len(sys.argv) != 3 or sys.argv[1] not in ("start", "stop", "serve"):
        sys.exit(__doc__)
    {"start": start, "stop": stop, "serve": serve}[sys.argv[1]](sys.argv[2])
