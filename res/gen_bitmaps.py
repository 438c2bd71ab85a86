#!/usr/bin/env python3
"""The program's one art generator: every bitmap, icon and cursor is drawn here
at build time (nothing binary is kept in the repository).

usage:
  gen_bitmaps.py OUTDIR [NAME ...]
      Draws the program's images (all of them, or only the named files, such
      as "progress_skin.bmp") into OUTDIR, reads every file back and checks it
      (see "Self-check" below); exits non-zero when a check fails. Without
      names it also writes OUTDIR/art.stamp last, for build rules.
  gen_bitmaps.py --art OUT SOURCE [SOURCE ...]
      Converts ASCII-art files into OUT: a .bmp (one source), a .cur (one
      source with a hotspot) or a .ico (one entry per source), then checks it.

The output is the same bytes on every run: no clock, no randomness, no
dictionary order in the drawing.

Palette (the skin's colours, by name in art legends):
  accent        RGB(29,117,189)   buttons, headings, frames
  accent_hover  RGB(74,145,202)   the lighter accent of a hovered button
  accent_dark   RGB(20,82,132)    pressed edges and shadows of the accent
  background    RGB(242,242,242)  dialog and view backgrounds
  text          RGB(58,58,58)     text on the background
  white         RGB(254,254,254)  visible white (captions on accent buttons);
                                  pure white is kept for masks
  black         RGB(0,0,0)
  region_key    RGB(0,255,0)      pure green: only in bitmaps that a window's
                                  region is cut from

ASCII-art format (one text file per image, kept under res/art/):
  Lines starting with ';' are comments. Header lines come first:
    size W H        optional; checked against the pixel rows
    hotspot X Y     a cursor's hot spot (required for .cur)
    bits N          colour depth of the entry: 1, 4, 8, 24 or 32
                    (default: 32 in an icon, 1 in a cursor, 24 in a bitmap)
    C COLOUR        legend: the single character C stands for COLOUR, which is
                    "#RRGGBB", "#RRGGBBAA" (alpha, 32-bit icons and bitmaps),
                    "transparent" or a palette name above
    pixels          ends the header
  Then one row of text per pixel row, one character per pixel; every row has
  the same width and every character is in the legend. Example, a 4 x 3
  cursor with its hot spot at the top left:
    hotspot 0 0
    . transparent
    X black
    o #FFFFFF
    pixels
    XX..
    XoX.
    XXXX

Files written:
  .bmp  BITMAPINFOHEADER, bottom-up, 24-bit unless asked otherwise (1, 4 and 8
        bits with a palette of the image's colours). Transparent pixels take
        the output's mask colour (white for --art); a 32-bit bitmap keeps each
        pixel's alpha instead (transparent pixels are all zero).
  .ico  one entry per image: 32-bit BGRA with an AND mask, or classic (1, 4,
        8 or 24 bits) with an AND mask and black under transparent pixels.
  .cur  one 1-bit entry (black, white, transparent) with its hot spot.

Self-check, on the files as written (decoded again) and on the drawing:
  - a decoded file equals its drawing (size, colours, transparency);
  - pure green RGB(0,255,0) appears only in outputs marked as region bitmaps;
  - a visible pixel of a bitmap with a mask colour never has that colour, and
    a visible pixel of an icon is never pure white RGB(255,255,255) (icons
    sit in image lists with a white background): visible white is
    RGB(254,254,254).

Python interface (for other build steps that import this module):
  Canvas(width, height, fill=None)    RGBA pixels; None fill is transparent.
    .get(x, y) / .set(x, y, rgb, a=255) / .blend(x, y, rgb, coverage)
    .fill_rect(x0, y0, x1, y1, rgb)          half-open rectangles
    .gradient(x0, y0, x1, y1, c0, c1, vertical=True)
    .frame_rect(x0, y0, x1, y1, rgb, width=1)
    .round_rect(x0, y0, x1, y1, radius, rgb)  anti-aliased corners
    .fill_shape(inside, x0, y0, x1, y1, rgb)  anti-aliased predicate fill
    .text(x, y, s, rgb, scale=1, bold=False)  built-in pixel font; y is the
                                             top of the capitals
    .text_centred(cx, cy, s, rgb, scale=1, bold=False)
    .pictogram(name, x, y, size, rgb)        see PICTOGRAMS
    .blit(src, x, y)
  text_size(s, scale=1, bold=False) -> (width, cap height)
  read_art(path) -> Art(canvas, hotspot, bits)
  write_bmp(path, canvas, bits=24, mask=None)
  write_ico(path, [canvas, ...], bits=32)   bits: one value or one per entry
  write_cur(path, canvas, hotspot)
  decode(path) -> [Canvas, ...]             entries of a .bmp, .ico or .cur
  check_file(path, [canvas, ...], region=False, mask=None) -> [problems]
  PICTOGRAMS: arrow_right, arrow_left, stop, house, disk, folder, magnifier,
    gear, question, checkbox, floppy, cd, computer, document, clock, tag,
    hash, usb (predicates over the unit square; add more beside them).

Adding an image: append Output(name, draw, kind="bmp", mask=None,
region=False, bits=24) to OUTPUTS. draw() returns a Canvas, a list of
canvases (the entries of an .ico) or an Art (a cursor read with read_art);
mask is the colour transparent pixels take in a .bmp; region marks a bitmap
that a window's region is cut from (the only place pure green may appear).
"""
import math
import os
import struct
import sys

# --- palette -----------------------------------------------------------------

ACCENT = (29, 117, 189)
ACCENT_HOVER = (74, 145, 202)
ACCENT_DARK = (20, 82, 132)
BACKGROUND = (242, 242, 242)
TEXT = (58, 58, 58)
WHITE = (254, 254, 254)        # visible white
MASK_WHITE = (255, 255, 255)   # white as a mask or transparent colour
BLACK = (0, 0, 0)
REGION_KEY = (0, 255, 0)

PALETTE = {
    "accent": ACCENT,
    "accent_hover": ACCENT_HOVER,
    "accent_dark": ACCENT_DARK,
    "background": BACKGROUND,
    "text": TEXT,
    "white": WHITE,
    "black": BLACK,
    "region_key": REGION_KEY,
}

TRANSPARENT = (0, 0, 0, 0)


def mix(c0, c1, t):
    """The colour a fraction t of the way from c0 to c1, rounded."""
    return tuple(int(a + (b - a) * t + 0.5) for a, b in zip(c0, c1))


# --- canvas and primitives ---------------------------------------------------

class Canvas:
    """A picture of RGBA pixels, y counted from the top."""

    def __init__(self, width, height, fill=None):
        self.width, self.height = width, height
        self.px = [TRANSPARENT if fill is None else tuple(fill) + (255,)] * (width * height)

    def get(self, x, y):
        return self.px[y * self.width + x]

    def set(self, x, y, rgb, a=255):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y * self.width + x] = (rgb[0], rgb[1], rgb[2], a)

    def blend(self, x, y, rgb, coverage):
        """Lays rgb over the pixel with the given coverage (0..1)."""
        if coverage <= 0 or not (0 <= x < self.width and 0 <= y < self.height):
            return
        if coverage >= 1:
            self.set(x, y, rgb)
            return
        i = y * self.width + x
        r, g, b, a = self.px[i]
        da = a / 255.0
        oa = coverage + da * (1 - coverage)
        out = tuple(int((s * coverage + d * da * (1 - coverage)) / oa + 0.5) for s, d in zip(rgb, (r, g, b)))
        self.px[i] = out + (int(oa * 255 + 0.5),)

    def fill_rect(self, x0, y0, x1, y1, rgb):
        x0, x1 = max(x0, 0), min(x1, self.width)
        if x0 >= x1:
            return
        run = [tuple(rgb) + (255,)] * (x1 - x0)
        for y in range(max(y0, 0), min(y1, self.height)):
            self.px[y * self.width + x0:y * self.width + x1] = run

    def gradient(self, x0, y0, x1, y1, c0, c1, vertical=True):
        """Fills from c0 at the top (or left) to c1 at the bottom (or right)."""
        n = (y1 - y0) if vertical else (x1 - x0)
        for i in range(n):
            c = mix(c0, c1, i / (n - 1) if n > 1 else 0)
            if vertical:
                self.fill_rect(x0, y0 + i, x1, y0 + i + 1, c)
            else:
                self.fill_rect(x0 + i, y0, x0 + i + 1, y1, c)

    def frame_rect(self, x0, y0, x1, y1, rgb, width=1):
        self.fill_rect(x0, y0, x1, y0 + width, rgb)
        self.fill_rect(x0, y1 - width, x1, y1, rgb)
        self.fill_rect(x0, y0, x0 + width, y1, rgb)
        self.fill_rect(x1 - width, y0, x1, y1, rgb)

    def round_rect(self, x0, y0, x1, y1, radius, rgb):
        """A filled rectangle with anti-aliased round corners; rgb may be a
        function of the pixel."""
        self.fill_shape(rounded_rect(x0, y0, x1, y1, radius), x0, y0, x1, y1, rgb)

    def fill_shape(self, inside, x0, y0, x1, y1, rgb, samples=4):
        """Fills the pixels of the box whose area inside(x, y) covers; pixels
        the shape covers whole are set, edge pixels blended by coverage. rgb
        may be a function of the pixel (x, y), for shaded fills."""
        step = 1.0 / samples
        offsets = [(i + 0.5) * step for i in range(samples)]
        total = samples * samples
        for y in range(max(int(y0), 0), min(int(math.ceil(y1)), self.height)):
            for x in range(max(int(x0), 0), min(int(math.ceil(x1)), self.width)):
                # A pixel whose centre and corners agree is taken as all in or
                # all out (the shapes have no detail finer than a pixel).
                probe = [inside(x + dx, y + dy) for dx, dy in ((0.5, 0.5), (0.01, 0.01), (0.99, 0.01),
                                                                 (0.01, 0.99), (0.99, 0.99))]
                if all(probe):
                    n = total
                elif not any(probe):
                    n = 0
                else:
                    n = sum(1 for dy in offsets for dx in offsets if inside(x + dx, y + dy))
                if n:
                    self.blend(x, y, rgb(x, y) if callable(rgb) else rgb, n / total)

    def text(self, x, y, s, rgb, scale=1, bold=False):
        """Draws s in the built-in pixel font; returns the x after it."""
        for ch in s:
            glyph = glyph_of(ch)
            for gy, row in enumerate(glyph):
                for gx, c in enumerate(row):
                    if c != "#":
                        continue
                    for b in range(2 if bold else 1):
                        self.fill_rect(x + (gx + b) * scale, y + gy * scale,
                                       x + (gx + b + 1) * scale, y + (gy + 1) * scale, rgb)
            x += (len(glyph[0]) + (1 if bold else 0) + 1) * scale
        return x

    def text_centred(self, cx, cy, s, rgb, scale=1, bold=False):
        """Centres the capitals of s on (cx, cy)."""
        w, h = text_size(s, scale, bold)
        return self.text(cx - w // 2, cy - h // 2, s, rgb, scale, bold)

    def pictogram(self, name, x, y, size, rgb):
        """Draws a pictogram (see PICTOGRAMS) into the size x size square at (x, y)."""
        shape = PICTOGRAMS[name]
        self.fill_shape(lambda px, py: shape((px - x) / size, (py - y) / size), x, y, x + size, y + size, rgb)

    def blit(self, src, x, y):
        """Lays src over this canvas with its top-left corner at (x, y)."""
        for sy in range(src.height):
            for sx in range(src.width):
                r, g, b, a = src.get(sx, sy)
                self.blend(x + sx, y + sy, (r, g, b), a / 255.0)


# Shapes are predicates inside(x, y) over real coordinates.

def rounded_rect(x0, y0, x1, y1, radius):
    def inside(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        cx = min(max(x, x0 + radius), x1 - radius)
        cy = min(max(y, y0 + radius), y1 - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius
    return inside


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r_in, r_out):
    return lambda x, y: r_in * r_in <= (x - cx) ** 2 + (y - cy) ** 2 <= r_out * r_out


def polygon(points):
    """Even-odd point-in-polygon test."""
    def inside(x, y):
        hit = False
        n = len(points)
        for i in range(n):
            (xa, ya), (xb, yb) = points[i], points[(i + 1) % n]
            if (ya > y) != (yb > y) and x < xa + (y - ya) * (xb - xa) / (yb - ya):
                hit = not hit
        return hit
    return inside


def segment(xa, ya, xb, yb, half_width):
    """A stroke with round ends from (xa, ya) to (xb, yb)."""
    dx, dy = xb - xa, yb - ya
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = 0.0 if length2 == 0 else min(max(((x - xa) * dx + (y - ya) * dy) / length2, 0.0), 1.0)
        px, py = xa + t * dx - x, ya + t * dy - y
        return px * px + py * py <= half_width * half_width
    return inside


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def minus(shape, *holes):
    return lambda x, y: shape(x, y) and not any(h(x, y) for h in holes)


def _gear(x, y):
    dx, dy = x - 0.5, y - 0.5
    r = math.hypot(dx, dy)
    if r < 0.14:
        return False
    if r <= 0.31:
        return True
    angle = math.degrees(math.atan2(dy, dx)) % 45.0
    return r <= 0.46 and (angle < 11.0 or angle > 34.0)


_ARROW_RIGHT = polygon([(0.1, 0.4), (0.5, 0.4), (0.5, 0.16), (0.92, 0.5), (0.5, 0.84), (0.5, 0.6), (0.1, 0.6)])

# Pictograms in the unit square, y down; each is drawn in one colour.
PICTOGRAMS = {
    "arrow_right": _ARROW_RIGHT,
    "arrow_left": lambda x, y: _ARROW_RIGHT(1 - x, y),
    "stop": rect(0.22, 0.22, 0.78, 0.78),
    "house": minus(polygon([(0.5, 0.08), (0.96, 0.5), (0.82, 0.5), (0.82, 0.92), (0.18, 0.92),
                            (0.18, 0.5), (0.04, 0.5)]),
                   rect(0.41, 0.6, 0.59, 0.93)),
    "disk": minus(rounded_rect(0.05, 0.28, 0.95, 0.74, 0.08),
                  rect(0.14, 0.49, 0.6, 0.55), circle(0.78, 0.52, 0.06)),
    "folder": minus(polygon([(0.05, 0.18), (0.4, 0.18), (0.48, 0.28), (0.95, 0.28), (0.95, 0.84), (0.05, 0.84)]),
                    rect(0.05, 0.36, 0.95, 0.42)),
    "magnifier": union(ring(0.41, 0.41, 0.2, 0.31), segment(0.62, 0.62, 0.88, 0.88, 0.08)),
    "gear": _gear,
    "question": union(minus(ring(0.5, 0.33, 0.12, 0.25), lambda x, y: y > 0.33 and x < 0.6),
                      segment(0.62, 0.46, 0.5, 0.58, 0.06), rect(0.44, 0.56, 0.56, 0.7), circle(0.5, 0.84, 0.075)),
    "checkbox": union(minus(rect(0.1, 0.1, 0.9, 0.9), rect(0.2, 0.2, 0.8, 0.8)),
                      segment(0.3, 0.5, 0.45, 0.66, 0.065), segment(0.45, 0.66, 0.72, 0.32, 0.065)),
    "floppy": union(minus(polygon([(0.08, 0.08), (0.76, 0.08), (0.92, 0.24), (0.92, 0.92), (0.08, 0.92)]),
                          rect(0.26, 0.08, 0.66, 0.34), rect(0.2, 0.5, 0.8, 0.92)),
                    rect(0.52, 0.13, 0.6, 0.29)),
    "cd": minus(circle(0.5, 0.5, 0.44), circle(0.5, 0.5, 0.12), ring(0.5, 0.5, 0.2, 0.23)),
    "computer": union(minus(rounded_rect(0.06, 0.12, 0.94, 0.7, 0.05), rect(0.13, 0.19, 0.87, 0.63)),
                      rect(0.43, 0.7, 0.57, 0.8), rounded_rect(0.25, 0.8, 0.75, 0.88, 0.03)),
    "document": minus(polygon([(0.18, 0.06), (0.6, 0.06), (0.82, 0.28), (0.82, 0.94), (0.18, 0.94)]),
                      polygon([(0.56, 0.06), (0.56, 0.32), (0.82, 0.32), (0.82, 0.06)]),
                      rect(0.3, 0.46, 0.7, 0.52), rect(0.3, 0.6, 0.7, 0.66), rect(0.3, 0.74, 0.6, 0.8)),
    "clock": union(minus(circle(0.5, 0.5, 0.44), circle(0.5, 0.5, 0.34)),
                   segment(0.5, 0.5, 0.5, 0.24, 0.055), segment(0.5, 0.5, 0.7, 0.6, 0.055)),
    "tag": minus(polygon([(0.06, 0.42), (0.42, 0.06), (0.94, 0.06), (0.94, 0.58), (0.58, 0.94)]),
                 circle(0.74, 0.26, 0.08)),
    "hash": union(segment(0.38, 0.12, 0.3, 0.88, 0.06), segment(0.7, 0.12, 0.62, 0.88, 0.06),
                  rect(0.12, 0.32, 0.9, 0.42), rect(0.1, 0.58, 0.88, 0.68)),
    "usb": union(minus(rounded_rect(0.22, 0.3, 0.78, 0.94, 0.08), rect(0.34, 0.78, 0.66, 0.84)),
                 minus(rect(0.32, 0.06, 0.68, 0.3), rect(0.38, 0.12, 0.46, 0.2), rect(0.54, 0.12, 0.62, 0.2))),
}


# --- pixel font --------------------------------------------------------------
# Capitals are 7 rows high; g, j, p, q and y reach two rows below. Glyphs are
# proportional; one blank column separates them.

_FONT_SOURCE = r"""
A .###. #...# #...# ##### #...# #...# #...#
B ####. #...# #...# ####. #...# #...# ####.
C .###. #...# #.... #.... #.... #...# .###.
D ####. #...# #...# #...# #...# #...# ####.
E ##### #.... #.... ####. #.... #.... #####
F ##### #.... #.... ####. #.... #.... #....
G .###. #...# #.... #.### #...# #...# .####
H #...# #...# #...# ##### #...# #...# #...#
I ### .#. .#. .#. .#. .#. ###
J ..### ...#. ...#. ...#. ...#. #..#. .##..
K #...# #..#. #.#.. ##... #.#.. #..#. #...#
L #.... #.... #.... #.... #.... #.... #####
M #.....# ##...## #.#.#.# #..#..# #.....# #.....# #.....#
N #...# #...# ##..# #.#.# #..## #...# #...#
O .###. #...# #...# #...# #...# #...# .###.
P ####. #...# #...# ####. #.... #.... #....
Q .###. #...# #...# #...# #.#.# #..#. .##.#
R ####. #...# #...# ####. #.#.. #..#. #...#
S .#### #.... #.... .###. ....# ....# ####.
T ##### ..#.. ..#.. ..#.. ..#.. ..#.. ..#..
U #...# #...# #...# #...# #...# #...# .###.
V #...# #...# #...# #...# #...# .#.#. ..#..
W #.....# #.....# #..#..# #..#..# #..#..# #..#..# .##.##.
X #...# #...# .#.#. ..#.. .#.#. #...# #...#
Y #...# #...# .#.#. ..#.. ..#.. ..#.. ..#..
Z ##### ....# ...#. ..#.. .#... #.... #####
a ..... ..... .###. ....# .#### #...# .####
b #.... #.... ####. #...# #...# #...# ####.
c .... .... .### #... #... #... .###
d ....# ....# .#### #...# #...# #...# .####
e ..... ..... .###. #...# ##### #.... .###.
f ..## .#.. #### .#.. .#.. .#.. .#..
g ..... ..... .#### #...# #...# #...# .#### ....# .###.
h #.... #.... ####. #...# #...# #...# #...#
i # . # # # # #
j ..# ... ..# ..# ..# ..# ..# ..# ##.
k #... #... #..# #.#. ##.. #.#. #..#
l # # # # # # #
m ....... ....... ###.##. #..#..# #..#..# #..#..# #..#..#
n ..... ..... ####. #...# #...# #...# #...#
o ..... ..... .###. #...# #...# #...# .###.
p ..... ..... ####. #...# #...# #...# ####. #.... #....
q ..... ..... .#### #...# #...# #...# .#### ....# ....#
r .... .... #.## ##.. #... #... #...
s ..... ..... .#### #.... .###. ....# ####.
t .#.. .#.. #### .#.. .#.. .#.. ..##
u ..... ..... #...# #...# #...# #...# .####
v ..... ..... #...# #...# #...# .#.#. ..#..
w ....... ....... #..#..# #..#..# #..#..# #..#..# .##.##.
x ..... ..... #...# .#.#. ..#.. .#.#. #...#
y ..... ..... #...# #...# #...# #...# .#### ....# .###.
z ..... ..... ##### ...#. ..#.. .#... #####
0 .###. #...# #..## #.#.# ##..# #...# .###.
1 .#. ##. .#. .#. .#. .#. ###
2 .###. #...# ....# ...#. ..#.. .#... #####
3 ####. ....# ....# .###. ....# ....# ####.
4 ...#. ..##. .#.#. #..#. ##### ...#. ...#.
5 ##### #.... ####. ....# ....# #...# .###.
6 .###. #.... #.... ####. #...# #...# .###.
7 ##### ....# ...#. ..#.. .#... .#... .#...
8 .###. #...# #...# .###. #...# #...# .###.
9 .###. #...# #...# .#### ....# ....# .###.
. . . . . . . #
, .. .. .. .. .. .. .# #.
: . . . # . . #
! # # # # # . #
? .###. #...# ....# ...#. ..#.. ..... ..#..
- .... .... .... .... #### .... ....
( .# #. #. #. #. #. .#
) #. .# .# .# .# .# #.
/ ....# ....# ...#. ..#.. .#... #.... #....
' # # . . . . .
" #.# #.# ... ... ... ... ...
& .##.. #..#. #.#.. .#... #.#.# #..#. .##.#
% ##..# ##..# ...#. ..#.. .#... #..## #..##
+ ..... ..#.. ..#.. ##### ..#.. ..#.. .....
= ..... ..... ##### ..... ##### ..... .....
_ ..... ..... ..... ..... ..... ..... #####
"""

FONT = {}
for _line in _FONT_SOURCE.strip().splitlines():
    _ch, *_rows = _line.split(" ")
    FONT[_ch] = _rows
FONT[" "] = ["..."] * 7
FONT_CAP_HEIGHT = 7


def glyph_of(ch):
    if ch not in FONT:
        raise ValueError("the pixel font has no glyph for %r" % ch)
    return FONT[ch]


def text_size(s, scale=1, bold=False):
    """(width, capital height) of s in the pixel font."""
    width = sum(len(glyph_of(ch)[0]) + (1 if bold else 0) + 1 for ch in s) - 1 if s else 0
    return width * scale, FONT_CAP_HEIGHT * scale


# --- ASCII art -----------------------------------------------------------------

class Art:
    def __init__(self, canvas, hotspot, bits):
        self.canvas, self.hotspot, self.bits = canvas, hotspot, bits


def parse_colour(text, where):
    text = text.strip()
    if text == "transparent":
        return None
    if text in PALETTE:
        return PALETTE[text] + (255,)
    if text.startswith("#") and len(text) in (7, 9):
        try:
            values = [int(text[i:i + 2], 16) for i in range(1, len(text), 2)]
        except ValueError:
            values = None
        if values:
            return tuple(values) + ((255,) if len(values) == 3 else ())
    raise ValueError("%s: unknown colour %r" % (where, text))


def read_art(path):
    """Reads one ASCII-art file (format in the module's docstring)."""
    legend, size, hotspot, bits, rows = {}, None, None, None, None
    with open(path, encoding="utf-8") as f:
        lines = f.read().splitlines()
    for number, line in enumerate(lines, 1):
        where = "%s:%d" % (path, number)
        if rows is not None:
            if line.strip():
                rows.append((where, line.rstrip()))
            continue
        if not line.strip() or line.startswith(";"):
            continue
        words = line.split()
        if words[0] == "pixels":
            rows = []
        elif words[0] in ("size", "hotspot") and len(words) == 3:
            value = (int(words[1]), int(words[2]))
            if words[0] == "size":
                size = value
            else:
                hotspot = value
        elif words[0] == "bits" and len(words) == 2 and words[1] in ("1", "4", "8", "24", "32"):
            bits = int(words[1])
        elif len(line) > 1 and line[0] != " " and line[1] == " ":
            legend[line[0]] = parse_colour(line[2:], where)
        else:
            raise ValueError("%s: cannot read %r" % (where, line))
    if not rows:
        raise ValueError("%s: no pixel rows" % path)
    width, height = len(rows[0][1]), len(rows)
    if size is not None and size != (width, height):
        raise ValueError("%s: size %dx%d but the rows are %dx%d" % ((path,) + size + (width, height)))
    canvas = Canvas(width, height)
    for y, (where, row) in enumerate(rows):
        if len(row) != width:
            raise ValueError("%s: row is %d wide, not %d" % (where, len(row), width))
        for x, ch in enumerate(row):
            if ch not in legend:
                raise ValueError("%s: %r is not in the legend" % (where, ch))
            if legend[ch] is not None:
                canvas.px[y * width + x] = legend[ch]
    if hotspot is not None and not (0 <= hotspot[0] < width and 0 <= hotspot[1] < height):
        raise ValueError("%s: hotspot outside the image" % path)
    return Art(canvas, hotspot, bits)


# --- writers -------------------------------------------------------------------

def _visible(p):
    return p[3] >= 128


def _palette_of(canvas, bits, fixed=None):
    """The palette of a 1- to 8-bit image: the given one, or the image's
    colours in sorted order."""
    if fixed is not None:
        return fixed
    colours = sorted({p[:3] for p in canvas.px if _visible(p)} | {BLACK})
    if len(colours) > (1 << bits):
        raise ValueError("%d colours do not fit %d bits" % (len(colours), bits))
    return colours


def _pack_rows(canvas, bits, colour_of, palette=None):
    """The pixel rows, bottom-up, each padded to four bytes."""
    index = {c: i for i, c in enumerate(palette or [])}
    stride = ((canvas.width * bits + 31) // 32) * 4
    out = []
    for y in range(canvas.height - 1, -1, -1):
        line = canvas.px[y * canvas.width:(y + 1) * canvas.width]
        if bits == 32:
            row = b"".join(bytes((p[2], p[1], p[0], p[3])) for p in line)
        elif bits == 24:
            row = b"".join(bytes(colour_of(p)[::-1]) for p in line)
        else:
            row, acc, n = bytearray(), 0, 0
            for p in line:
                acc = (acc << bits) | index[colour_of(p)]
                n += bits
                if n == 8:
                    row.append(acc)
                    acc, n = 0, 0
            if n:
                row.append(acc << (8 - n))
            row = bytes(row)
        out.append(row + b"\0" * (stride - len(row)))
    return b"".join(out)


def _and_mask(canvas):
    return _pack_rows(canvas, 1, lambda p: 0 if _visible(p) else 1, [0, 1])


def _dib(canvas, bits, colour_of, with_mask, palette=None):
    """BITMAPINFOHEADER, palette and pixels (then the AND mask of an icon entry)."""
    if bits <= 8:
        palette = _palette_of(canvas, bits, palette)
    pixels = _pack_rows(canvas, bits, colour_of, palette)
    mask = _and_mask(canvas) if with_mask else b""
    height = canvas.height * (2 if with_mask else 1)
    colours = len(palette) if bits <= 8 else 0
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, height, 1, bits, 0, len(pixels) + len(mask),
                       2835 if not with_mask else 0, 2835 if not with_mask else 0, colours, 0)
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in (palette if bits <= 8 else []))
    return info + table + pixels + mask


def write_bmp(path, canvas, bits=24, mask=None):
    """A bottom-up BMP; transparent pixels take the mask colour."""
    def colour_of(p):
        if _visible(p):
            return p[:3]
        if mask is None:
            raise ValueError("%s: transparent pixels need a mask colour" % path)
        return tuple(mask)
    opaque = Canvas(canvas.width, canvas.height)
    if bits == 32:
        # A 32-bit bitmap keeps its alpha (drawn with AlphaBlend).
        opaque.px = [p if p[3] else (0, 0, 0, 0) for p in canvas.px]
    else:
        opaque.px = [colour_of(p) + (255,) for p in canvas.px]
    dib = _dib(opaque, bits, lambda p: p[:3], False)
    info_size = 40 + (4 * (len(_palette_of(opaque, bits)) if bits <= 8 else 0))
    header = struct.pack("<2sIHHI", b"BM", 14 + len(dib), 0, 0, 14 + info_size)
    _write(path, header + dib)


def _icon_file(kind, entries):
    """ICONDIR with its entries; entries are (width, height, colours, planes or
    hotspot x, bits or hotspot y, image bytes)."""
    head = struct.pack("<HHH", 0, kind, len(entries))
    offset = 6 + 16 * len(entries)
    table, images = b"", b""
    for w, h, colours, a, b, data in entries:
        table += struct.pack("<BBBBHHII", w % 256, h % 256, colours, 0, a, b, len(data), offset + len(images))
        images += data
    return head + table + images


def write_ico(path, canvases, bits=32):
    """An icon with one entry per canvas: 32-bit with alpha, or classic."""
    depths = bits if isinstance(bits, (list, tuple)) else [bits] * len(canvases)
    entries = []
    for canvas, depth in zip(canvases, depths):
        data = _dib(canvas, depth, lambda p: p[:3] if _visible(p) else BLACK, True)
        colours = (1 << depth) % 256 if depth < 8 else 0
        entries.append((canvas.width, canvas.height, colours, 1, depth, data))
    _write(path, _icon_file(1, entries))


def write_cur(path, canvas, hotspot):
    """A 1-bit cursor: black and white pixels, the rest transparent."""
    for p in canvas.px:
        if _visible(p) and p[:3] not in (BLACK, MASK_WHITE, WHITE):
            raise ValueError("%s: a cursor is black, white and transparent, not %r" % (path, p[:3]))
    data = _dib(canvas, 1, lambda p: MASK_WHITE if _visible(p) and p[:3] != BLACK else BLACK, True,
                palette=[BLACK, MASK_WHITE])
    _write(path, _icon_file(2, [(canvas.width, canvas.height, 2, hotspot[0], hotspot[1], data)]))


def _write(path, data):
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


# --- reading back ----------------------------------------------------------------

def _decode_dib(data, with_mask):
    size, width, height, _, bits = struct.unpack_from("<IiiHH", data, 0)
    colours = struct.unpack_from("<I", data, 32)[0] or ((1 << bits) if bits <= 8 else 0)
    if with_mask:
        height //= 2
    table = data[size:size + 4 * colours]
    palette = [(table[i + 2], table[i + 1], table[i]) for i in range(0, len(table), 4)]
    stride = ((width * bits + 31) // 32) * 4
    pixels = size + 4 * colours
    mask = pixels + stride * height
    mask_stride = ((width + 31) // 32) * 4
    canvas = Canvas(width, height)
    canvas.bits = bits
    has_alpha = bits == 32 and any(data[pixels + i + 3] for i in range(0, stride * height, 4))
    for y in range(height):
        row = pixels + (height - 1 - y) * stride
        for x in range(width):
            if bits == 32:
                b, g, r, a = data[row + 4 * x:row + 4 * x + 4]
                rgb = (r, g, b)
            elif bits == 24:
                b, g, r = data[row + 3 * x:row + 3 * x + 3]
                rgb, a = (r, g, b), 255
            else:
                bit = x * bits
                value = (data[row + bit // 8] >> (8 - bits - bit % 8)) & ((1 << bits) - 1)
                rgb, a = palette[value], 255
            if with_mask and not has_alpha:
                m = data[mask + (height - 1 - y) * mask_stride + x // 8] >> (7 - x % 8) & 1
                a = 0 if m else 255
            canvas.px[y * width + x] = tuple(rgb) + (a,) if a else TRANSPARENT
    return canvas


def decode(path):
    """The images of a .bmp, .ico or .cur file as canvases (with .hotspot)."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] == b"BM":
        canvas = _decode_dib(data[14:], False)
        canvas.hotspot = None
        return [canvas]
    _, kind, count = struct.unpack_from("<HHH", data, 0)
    result = []
    for i in range(count):
        _, _, _, _, a, b, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        canvas = _decode_dib(data[offset:offset + length], True)
        canvas.hotspot = (a, b) if kind == 2 else None
        result.append(canvas)
    return result


def _expected(p, kind, bits, mask):
    """What a drawn pixel reads as once written to a file of the given kind."""
    if kind in ("ico", "bmp") and bits == 32:
        return p if p[3] else TRANSPARENT
    if not _visible(p):
        return tuple(mask) + (255,) if kind == "bmp" else TRANSPARENT
    if kind == "cur" and p[:3] != BLACK:
        return MASK_WHITE + (255,)
    return p[:3] + (255,)


def check_file(path, expected, region=False, mask=None):
    """Problems found in a written file against the canvases drawn for it."""
    kind = os.path.splitext(path)[1][1:]
    images = decode(path)
    if len(images) != len(expected):
        return ["%s: %d images, not %d" % (path, len(images), len(expected))]
    problems = []
    for got, want in zip(images, expected):
        tag = "%s (%dx%d)" % (os.path.basename(path), want.width, want.height)
        if (got.width, got.height) != (want.width, want.height):
            problems.append("%s: decoded as %dx%d" % (tag, got.width, got.height))
            continue
        for i, (g, w) in enumerate(zip(got.px, want.px)):
            where = "%s: pixel (%d,%d)" % (tag, i % want.width, i // want.width)
            if g != _expected(w, kind, got.bits, mask):
                problems.append("%s reads %r, drawn %r" % (where, g, w))
            elif _visible(w) and w[:3] == REGION_KEY and not region:
                problems.append("%s is pure green outside a region bitmap" % where)
            elif _visible(w) and kind == "ico" and w[:3] == MASK_WHITE:
                problems.append("%s is pure white in an icon" % where)
            elif _visible(w) and kind == "bmp" and mask is not None and w[:3] == tuple(mask):
                problems.append("%s is visible in the mask colour" % where)
            if len(problems) > 5:
                return problems
    return problems


# --- the program's images --------------------------------------------------------

class Output:
    """One file of the program's art: a drawing and how it is written."""

    def __init__(self, name, draw, kind="bmp", mask=None, region=False, bits=24, hotspot=None):
        self.name, self.draw, self.kind = name, draw, kind
        self.mask, self.region, self.bits, self.hotspot = mask, region, bits, hotspot

    def write(self, outdir):
        path = os.path.join(outdir, self.name)
        drawn, hotspot = self.draw(), self.hotspot
        if isinstance(drawn, Art):
            drawn, hotspot = drawn.canvas, drawn.hotspot
        canvases = drawn if isinstance(drawn, list) else [drawn]
        if self.kind == "bmp":
            write_bmp(path, canvases[0], self.bits, self.mask)
        elif self.kind == "ico":
            write_ico(path, canvases, self.bits)
        else:
            write_cur(path, canvases[0], hotspot)
        return check_file(path, canvases, self.region, self.mask)


def file_type_states():
    """The File Types tree's check box states, 16 x 16 each: 0 none, 1
    unchecked, 2 checked, 3 partly checked. A tree shows state image n from
    slot n, so slot 0 stays empty; the inside of a box is transparent."""
    box = (28, 81, 128)
    canvas = Canvas(64, 16)
    for slot in (1, 2, 3):
        x = slot * 16
        canvas.frame_rect(x + 1, 1, x + 14, 14, box)
        if slot == 2:
            # A tick: down from (4, 7) to (6, 9), then up to (10, 5); three rows thick.
            for dy in range(3):
                for tx in range(4, 11):
                    canvas.set(x + tx, tx + 3 + dy if tx <= 6 else 15 - tx + dy, BLACK)
        if slot == 3:
            canvas.fill_rect(x + 4, 4, x + 11, 11, ACCENT)
    return canvas


# --- the program's art ---------------------------------------------------------
# Everything below follows one look: the accent on light grey, white captions
# on accent buttons, pictograms in one colour.

BORDER = (214, 214, 214)         # hairlines and card edges on the background
TOOLBAR_KEY = (192, 192, 192)    # the toolbar strip's transparent colour
ART_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "art")


def shaded(top, bottom, y0, y1):
    """A fill colour function: a vertical gradient from top at row y0 to
    bottom at row y1 - 1."""
    span = max(y1 - y0 - 1, 1)
    return lambda x, y: mix(top, bottom, min(max((y - y0) / span, 0.0), 1.0))


def flatten(canvas, matte):
    """Makes partly covered pixels opaque over matte, so that a bitmap with a
    mask colour keeps smooth edges where it is drawn on that colour."""
    for i, (r, g, b, a) in enumerate(canvas.px):
        if 0 < a < 255:
            t = a / 255.0
            canvas.px[i] = mix(matte, (r, g, b), t) + (255,)
    return canvas


def accent_band(canvas, x0, x1, height):
    """The header and banner band: the hover accent fading into the accent."""
    canvas.fill_shape(rect(x0, 0, x1, height), x0, 0, x1, height, shaded(ACCENT_HOVER, ACCENT, 0, height))


def button(width, caption, pictogram, hover, height=26):
    """An owner-drawn button's picture: a rounded accent face (lighter when
    hovered) with a white pictogram and the white caption, on the background."""
    canvas = Canvas(width, height, BACKGROUND)
    edge, face = (ACCENT, ACCENT_HOVER) if hover else (ACCENT_DARK, ACCENT)
    canvas.round_rect(0, 0, width, height, 4, edge)
    canvas.round_rect(1, 1, width - 1, height - 1, 3, shaded(mix(face, WHITE, 0.15), face, 1, height - 1))
    icon, gap = (12, 5) if pictogram else (0, 0)
    tw, th = text_size(caption, bold=True)
    if icon + gap + tw + 12 > width:
        raise ValueError("the caption %r does not fit a %d-pixel button" % (caption, width))
    left = (width - icon - gap - tw) // 2
    if pictogram:
        canvas.pictogram(pictogram, left, (height - icon) // 2, icon, WHITE)
    canvas.text(left + icon + gap, (height - th) // 2, caption, WHITE, bold=True)
    return canvas


def mode_button(width, lines, pictogram, hover, height=203):
    """A start-page mode button: a card with a large pictogram and the mode's
    name; white with accent drawing, or accent with white drawing on hover."""
    canvas = Canvas(width, height, BACKGROUND)
    ink = WHITE if hover else ACCENT
    caption = WHITE if hover else TEXT
    canvas.round_rect(2, 2, width - 2, height - 2, 10, ACCENT_DARK if hover else BORDER)
    canvas.round_rect(3, 3, width - 3, height - 3, 9,
                      shaded(ACCENT_HOVER, ACCENT, 3, height - 3) if hover else WHITE)
    canvas.pictogram(pictogram, (width - 72) // 2, 26, 72, ink)
    for i, line in enumerate(lines):
        canvas.text_centred(width // 2, 128 + 22 * i, line, caption, scale=2, bold=True)
    canvas.fill_rect(width // 2 - 20, 176, width // 2 + 20, 179, ink)
    return canvas


def app_tile(size, matte=None):
    """The program's sign: a rounded accent tile with a white disk and a
    magnifier over it."""
    canvas = Canvas(size, size, matte)
    canvas.round_rect(0, 0, size, size, max(size / 6.0, 2), shaded(ACCENT_HOVER, ACCENT_DARK, 0, size))
    canvas.pictogram("disk", size * 0.08, size * 0.02, size * 0.78, WHITE)
    if size >= 24:
        canvas.pictogram("magnifier", size * 0.42, size * 0.42, size * 0.52, WHITE)
    return canvas


def header_logo():
    """Bitmap 183, drawn on the command bars' white dock bar with white as the
    transparent colour."""
    canvas = Canvas(202, 51)
    canvas.blit(app_tile(44), 2, 3)
    canvas.text(56, 5, "Tesmir", ACCENT, scale=3, bold=True)
    canvas.text(58, 33, "for VHD", TEXT, scale=2)
    return flatten(canvas, WHITE)


def step_title(canvas, pictogram, title, subtitle):
    """A tile with the step's pictogram, its title and a line under it."""
    canvas.round_rect(14, 11, 52, 49, 6, ACCENT_DARK)
    canvas.pictogram(pictogram, 19, 16, 28, WHITE)
    canvas.text(64, 14, title, WHITE, scale=2, bold=True)
    canvas.text(64, 38, subtitle, WHITE)


def left_banner(pictogram, title, subtitle):
    canvas = Canvas(300, 60, BACKGROUND)
    accent_band(canvas, 0, 300, 60)
    step_title(canvas, pictogram, title, subtitle)
    return canvas


def right_decor(width, height, pictograms):
    """The right end of a band: large pictograms a shade lighter than the band."""
    canvas = Canvas(width, height, BACKGROUND)
    accent_band(canvas, 0, width, height)
    tint = mix(ACCENT, WHITE, 0.22)
    x = width
    for name in pictograms:
        size = height + 10
        x -= size - 6
        canvas.pictogram(name, x, -5, size, tint)
    return canvas


def middle_strip(height, first_row_is_skipped):
    """The part of a band that is stretched between its ends. A view that
    draws it from its second row sees row r + 1 in row r, so the strip is
    drawn one row lower to line up with the ends."""
    canvas = Canvas(8, height, BACKGROUND)
    accent_band(canvas, 0, 8, height)
    if first_row_is_skipped:
        canvas.px = canvas.px[:8] + canvas.px[:-8]
    return canvas


def start_header_left():
    canvas = Canvas(300, 80, BACKGROUND)
    accent_band(canvas, 0, 300, 80)
    canvas.blit(app_tile(52), 14, 14)
    canvas.text(80, 20, "Tesmir for VHD", WHITE, scale=2, bold=True)
    canvas.text(80, 46, "Recover files from VHD and VHDX images", WHITE)
    return canvas


def dialog_skin(width, height, accent_rows=3, footer_top=None, band=None):
    """The dialogs' background: light grey, the accent along the top, a white
    heading band (rows band[0] to band[1]) and, below footer_top, an accent
    footer behind the buttons."""
    canvas = Canvas(width, height, BACKGROUND)
    canvas.fill_rect(0, 0, width, accent_rows, ACCENT)
    if band is not None:
        canvas.fill_rect(0, band[0], width, band[1], WHITE)
        canvas.fill_rect(0, band[1], width, band[1] + 1, BORDER)
    if footer_top is not None:
        canvas.fill_rect(0, footer_top, width, height, ACCENT)
    return canvas


def list_states():
    """Bitmap 201: the result list's check boxes, 16 x 16 each: 0 an empty
    box, 1 a filled box with a tick. White is the mask colour."""
    box = (28, 81, 128)
    canvas = Canvas(32, 16)
    canvas.frame_rect(1, 1, 14, 14, box)
    canvas.fill_rect(2, 2, 13, 13, WHITE)
    canvas.fill_rect(17, 1, 30, 14, ACCENT)
    canvas.frame_rect(17, 1, 30, 14, box)
    for dy in range(2):
        for tx in range(4, 11):
            canvas.set(16 + tx, (tx + 3 if tx <= 6 else 15 - tx) + dy, WHITE)
    return canvas


MASK_MAGENTA = (255, 0, 255)


def dao_tree_images():
    """Bitmap 181: the database tree's images, 16 x 16 each on a magenta
    mask, indexed by item kind: 0 the database, 2 a table, 3 the tables
    branch, 8 a relation, 9 the relations branch, 10 a query, 11 the queries
    branch; the rest (1, 4 to 7) are spares in the same family."""
    pictures = [("disk", ACCENT), ("disk", ACCENT_DARK), ("document", ACCENT), ("folder", ACCENT),
                ("document", TEXT), ("folder", TEXT), ("tag", ACCENT), ("hash", ACCENT),
                ("arrow_right", ACCENT_DARK), ("folder", ACCENT_DARK), ("magnifier", ACCENT),
                ("folder", ACCENT_HOVER)]
    canvas = Canvas(16 * len(pictures), 16)
    for i, (name, colour) in enumerate(pictures):
        canvas.pictogram(name, 16 * i + 1, 1, 14, colour)
    return canvas


def decorative_panel():
    """Bitmap 376, the picture on the white step panels."""
    canvas = Canvas(255, 221, WHITE)
    canvas.fill_shape(circle(128, 104, 96), 32, 8, 224, 200, mix(ACCENT, WHITE, 0.88))
    canvas.pictogram("cd", 128, 14, 100, mix(ACCENT, WHITE, 0.45))
    canvas.pictogram("disk", 26, 44, 150, ACCENT)
    canvas.pictogram("magnifier", 124, 104, 92, ACCENT_DARK)
    return canvas


def about_picture():
    canvas = Canvas(120, 120, BACKGROUND)
    canvas.blit(app_tile(104), 8, 8)
    return canvas


TOOLBAR = [  # (command, pictogram, icon resource file)
    (32818, "folder", "tool_open.ico"),
    (32777, "checkbox", "tool_recover.ico"),
    (32811, "floppy", "tool_save_snapshot.ico"),
    (32781, "cd", "tool_load_snapshot.ico"),
    (32785, "magnifier", "tool_find.ico"),
    (32787, "gear", "tool_settings.ico"),
    (57670, "question", "tool_help.ico"),
]


def toolbar_strip():
    """Bitmap 331: the "Standard" toolbar's seven 32 x 32 images on the
    toolbar's transparent grey."""
    canvas = Canvas(32 * len(TOOLBAR), 32)
    for i, (_, pictogram, _) in enumerate(TOOLBAR):
        cell = Canvas(32, 32)
        cell.pictogram(pictogram, 3, 3, 26, ACCENT)
        canvas.blit(flatten(cell, WHITE), 32 * i, 0)
    return canvas


def pictogram_icon(pictogram, colour, sizes):
    """An icon entry per size: the pictogram in one colour on transparent."""
    entries = []
    for size in sizes:
        canvas = Canvas(size, size)
        inset = 0 if size <= 16 else size / 16.0
        canvas.pictogram(pictogram, inset, inset, size - 2 * inset, colour)
        entries.append(canvas)
    return entries


def art(name):
    return read_art(os.path.join(ART_DIR, name))


def cursor(name, folder="app"):
    """A cursor from its ASCII art under art/<folder>/."""
    return Output(name.replace(".txt", ".cur"), lambda: art(os.path.join(folder, name)), "cur")


def button_pair(normal, hover, width, caption, pictogram):
    return [Output(normal, lambda: button(width, caption, pictogram, False)),
            Output(hover, lambda: button(width, caption, pictogram, True))]


def mode_pair(normal, hover, width, lines, pictogram):
    return [Output(normal, lambda: mode_button(width, lines, pictogram, False)),
            Output(hover, lambda: mode_button(width, lines, pictogram, True))]


def icon(name, pictogram, colour=ACCENT, sizes=(16, 32)):
    return Output(name, lambda: pictogram_icon(pictogram, colour, sizes), "ico", bits=32)


# The dialogs copy their skins at their own size, so a skin is as large as its
# dialog's client area laid out in the templates' font, "MS Sans Serif" 8 at
# 96 dpi: 6 x 13 pixels per 4 x 8 dialog units (the font's average character
# width and its height). Sizes and art positions are given in dialog units.
DIALOG_BASE = (6, 13)


def dialog_px(units, axis):
    """Dialog units to pixels along axis 0 (x) or 1 (y), rounded as
    MapDialogRect rounds (MulDiv)."""
    return (units * DIALOG_BASE[axis] + (4, 8)[axis] // 2) // (4, 8)[axis]


def dialog_unit_skin(cx, cy, footer_top=None, band=None):
    """The skin of a cx x cy template; footer_top and the band's bottom are
    in dialog units too."""
    return dialog_skin(dialog_px(cx, 0), dialog_px(cy, 1),
                       footer_top=None if footer_top is None else dialog_px(footer_top, 1),
                       band=None if band is None else (3, dialog_px(band, 1)))



# --- docking stickers (UI library) ---------------------------------------------
# Window regions are cut from these: every pixel outside a drawn part is pure
# green, and no drawn pixel is black (the stickers' hit test reads a part drawn
# on black). The parts lie at the source rectangles the docking drag reads.

STICKER_FRAME = (64, 64, 64)
STICKER_ARROW = (40, 40, 40)
STICKER_BASE = (170, 170, 170)
STICKER_HIGHLIGHT = (255, 200, 60)
STICKER_FACES = {"blue": (190, 214, 240), "olive": (214, 224, 180), "silver": (222, 222, 228)}


def _fill_hard(canvas, inside, x0, y0, x1, y1, rgb):
    """Sets the pixels whose centres the shape holds (no blending into the key)."""
    for y in range(y0, y1):
        for x in range(x0, x1):
            if inside(x + 0.5, y + 0.5):
                canvas.set(x, y, rgb)


def _octagon(x0, y0, x1, y1, cut):
    return polygon([(x0 + cut, y0), (x1 - cut, y0), (x1, y0 + cut), (x1, y1 - cut),
                    (x1 - cut, y1), (x0 + cut, y1), (x0, y1 - cut), (x0, y0 + cut)])


def sticker_arrow(canvas, box, direction, face):
    """An arrow pointing up, left, down or right in a framed box that leaves
    the part's corners to the key colour."""
    x0, y0, x1, y1 = box
    w, h = x1 - x0, y1 - y0
    if direction in ("up", "down"):
        bw = min(w - 2, 24)
        bx0, by0, bx1, by1 = x0 + (w - bw) // 2, y0 + 1, x0 + (w - bw) // 2 + bw, y1 - 1
    else:
        bh = min(h - 2, 24)
        bx0, by0, bx1, by1 = x0 + 1, y0 + (h - bh) // 2, x1 - 1, y0 + (h - bh) // 2 + bh
    _fill_hard(canvas, _octagon(bx0, by0, bx1, by1, 3), bx0, by0, bx1, by1, STICKER_FRAME)
    _fill_hard(canvas, _octagon(bx0 + 1, by0 + 1, bx1 - 1, by1 - 1, 3), bx0, by0, bx1, by1, face)
    cx, cy = (bx0 + bx1) / 2.0, (by0 + by1) / 2.0
    r = min(bx1 - bx0, by1 - by0) / 2.0 - 4
    tips = {"up": [(cx, cy - r), (cx + r, cy + r / 2), (cx - r, cy + r / 2)],
            "down": [(cx, cy + r), (cx - r, cy - r / 2), (cx + r, cy - r / 2)],
            "left": [(cx - r, cy), (cx + r / 2, cy - r), (cx + r / 2, cy + r)],
            "right": [(cx + r, cy), (cx - r / 2, cy + r), (cx - r / 2, cy - r)]}
    _fill_hard(canvas, polygon(tips[direction]), bx0, by0, bx1, by1, STICKER_ARROW)


def sticker_centre(canvas, box, face):
    """The attach-as-tab part: a framed window with a tab below."""
    x0, y0, x1, y1 = box
    _fill_hard(canvas, _octagon(x0 + 1, y0 + 1, x1 - 1, y1 - 1, 3), x0, y0, x1, y1, STICKER_FRAME)
    _fill_hard(canvas, _octagon(x0 + 2, y0 + 2, x1 - 2, y1 - 2, 3), x0, y0, x1, y1, face)
    canvas.frame_rect(x0 + 7, y0 + 7, x1 - 7, y1 - 10, STICKER_ARROW)
    canvas.fill_rect(x0 + 7, y1 - 10, x0 + 15, y1 - 6, STICKER_ARROW)


def sticker_base(canvas, box, face=STICKER_BASE):
    """The cross's base: an octagon whose cut corners stay key-coloured."""
    x0, y0, x1, y1 = box
    _fill_hard(canvas, _octagon(x0, y0, x1, y1, 9), x0, y0, x1, y1, STICKER_FRAME)
    _fill_hard(canvas, _octagon(x0 + 1, y0 + 1, x1 - 1, y1 - 1, 9), x0, y0, x1, y1, face)


def sticker_cross_base():
    """Bitmap 9903, 43 x 43: the base of the first sticker set's cross."""
    canvas = Canvas(43, 43, REGION_KEY)
    sticker_base(canvas, (0, 0, 43, 43))
    return canvas


def sticker_set_a(face):
    """Bitmaps 9904 to 9906, 120 x 109: the arrows and centres of the first
    set, normal and highlighted, in one colour variant."""
    canvas = Canvas(120, 109, REGION_KEY)
    parts = [((0, 0, 43, 30), "up"), ((30, 33, 60, 76), "left"), ((43, 0, 86, 30), "down"),
             ((0, 33, 30, 76), "right")]
    for box, direction in parts:
        sticker_arrow(canvas, box, direction, face)
    highlighted = [((0, 76, 43, 106), "up"), ((90, 33, 120, 76), "left"), ((43, 76, 86, 106), "down"),
                   ((60, 33, 90, 76), "right")]
    for box, direction in highlighted:
        sticker_arrow(canvas, box, direction, STICKER_HIGHLIGHT)
    sticker_centre(canvas, (86, 0, 119, 33), face)
    sticker_centre(canvas, (86, 76, 119, 109), STICKER_HIGHLIGHT)
    return canvas


def sticker_set_b():
    """Bitmap 9910, 161 x 122: everything of the second set (cross arrows,
    single arrows, centre and the cross base plain and with its centre
    highlighted)."""
    face = STICKER_FACES["blue"]
    canvas = Canvas(161, 122, REGION_KEY)
    normal = [((61, 29, 90, 59), "up"), ((90, 30, 120, 59), "left"), ((91, 0, 120, 30), "down"),
              ((62, 0, 92, 29), "right"), ((0, 29, 29, 61), "up"), ((29, 32, 61, 61), "left"),
              ((32, 0, 61, 32), "down"), ((0, 0, 32, 29), "right")]
    for box, direction in normal:
        sticker_arrow(canvas, box, direction, face)
    highlighted = [((61, 90, 90, 120), "up"), ((90, 91, 120, 120), "left"), ((91, 61, 120, 91), "down"),
                   ((62, 61, 92, 90), "right"), ((0, 90, 29, 122), "up"), ((29, 93, 61, 122), "left"),
                   ((32, 61, 61, 93), "down"), ((0, 61, 32, 90), "right")]
    for box, direction in highlighted:
        sticker_arrow(canvas, box, direction, STICKER_HIGHLIGHT)
    sticker_centre(canvas, (120, 82, 148, 111), face)
    sticker_base(canvas, (120, 0, 161, 41))
    sticker_base(canvas, (120, 41, 161, 82), STICKER_HIGHLIGHT)
    return canvas


OUTPUTS = [
    # Shared with the File Trace and the progress dialog; kept as they are.
    Output("file_type_states.bmp", file_type_states, mask=MASK_WHITE),
    Output("file_types_skin.bmp", lambda: dialog_skin(458, 434, footer_top=350)),
    Output("progress_skin.bmp", lambda: dialog_skin(399, 174)),
    Output("message_skin.bmp", lambda: dialog_skin(365, 135)),
    # Command bars, lists and pictures.
    Output("header_logo.bmp", header_logo, mask=MASK_WHITE),
    Output("list_states.bmp", list_states, mask=MASK_WHITE),
    Output("dao_tree.bmp", dao_tree_images, mask=MASK_MAGENTA),
    Output("toolbar.bmp", toolbar_strip, mask=TOOLBAR_KEY),
    Output("about.bmp", about_picture),
    Output("panel_picture.bmp", decorative_panel),
    # Dialog skins.
    # Bitmap 202 has a given size; it serves the 248 x 183 and 244 x 91 templates.
    Output("drive_info_skin.bmp", lambda: dialog_skin(373, 332, band=(3, 40), footer_top=236)),
    # The others fit their templates: Find 420 x 270 (heading band above the
    # list), File Filters 220 x 170 and Properties 240 x 130 (footer behind the
    # buttons), Saving 300 x 110.
    Output("find_skin.bmp", lambda: dialog_unit_skin(420, 270, band=24)),
    Output("file_filters_skin.bmp", lambda: dialog_unit_skin(220, 170, footer_top=145)),
    Output("properties_skin.bmp", lambda: dialog_unit_skin(240, 130, footer_top=105)),
    Output("saving_skin.bmp", lambda: dialog_unit_skin(300, 110)),
    # The start page.
    Output("start_background.bmp", lambda: Canvas(64, 64, BACKGROUND)),
    Output("start_header_left.bmp", start_header_left),
    Output("start_header_right.bmp", lambda: right_decor(240, 80, ["cd", "disk"])),
    Output("start_header_middle.bmp", lambda: middle_strip(80, False)),
] + mode_pair("mode_quick.bmp", "mode_quick_hover.bmp", 181, ["Quick", "Scan"], "magnifier") \
  + mode_pair("mode_extensive.bmp", "mode_extensive_hover.bmp", 173, ["Extensive", "Scan"], "gear") \
  + mode_pair("mode_trace.bmp", "mode_trace_hover.bmp", 163, ["File", "Trace"], "document") + [
    # The wizard steps.
    Output("step_background.bmp", lambda: Canvas(64, 64, BACKGROUND)),
    Output("step_banner_right.bmp", lambda: right_decor(240, 60, ["cd", "disk"])),
    Output("step_banner_middle.bmp", lambda: middle_strip(60, True)),
    Output("banner_drive.bmp", lambda: left_banner("disk", "Drive", "Select the virtual disk to scan")),
    Output("banner_drive_busy.bmp", lambda: left_banner("magnifier", "Searching", "Looking for partitions...")),
    Output("banner_scan_busy.bmp", lambda: left_banner("gear", "Scanning", "Please wait...")),
    Output("banner_recovery.bmp", lambda: left_banner("floppy", "Recovery", "Mark files and folders to save")),
    Output("banner_scan.bmp", lambda: left_banner("disk", "Partition", "Select a partition to scan")),
    Output("banner_file_system.bmp", lambda: left_banner("folder", "File System", "Select the file system found")),
    Output("banner_extensive.bmp", lambda: left_banner("disk", "Partition", "Select a partition or the disk")),
    Output("banner_logical.bmp", lambda: left_banner("usb", "Logical Drive", "Select the drive to scan")),
] + button_pair("button_next.bmp", "button_next_hover.bmp", 74, "Next", "arrow_right") \
  + button_pair("button_back.bmp", "button_back_hover.bmp", 74, "Back", "arrow_left") \
  + button_pair("button_stop.bmp", "button_stop_hover.bmp", 74, "Stop", "stop") \
  + button_pair("button_scan.bmp", "button_scan_hover.bmp", 74, "Scan", "magnifier") \
  + button_pair("button_home.bmp", "button_home_hover.bmp", 74, "Home", "house") \
  + button_pair("button_recover.bmp", "button_recover_hover.bmp", 89, "Recover", "floppy") \
  + button_pair("button_stop_saving.bmp", "button_stop_saving_hover.bmp", 110, "Stop Saving", "stop") \
  + button_pair("button_skip_file.bmp", "button_skip_file_hover.bmp", 110, "Skip File", "arrow_right") \
  + button_pair("button_start_search.bmp", "button_start_search_hover.bmp", 120, "Start Search", "magnifier") \
  + button_pair("button_stop_search.bmp", "button_stop_search_hover.bmp", 120, "Stop Search", "stop") \
  + button_pair("button_save_selected.bmp", "button_save_selected_hover.bmp", 150, "Save Selected File", "floppy") + [
    # Icons: the program, the device and file-system trees, the list header,
    # the toolbar.
    Output("app.ico", lambda: [app_tile(16), app_tile(32), app_tile(48)], "ico", bits=32),
    icon("tree_folder.ico", "folder"),
    icon("tree_disk_other.ico", "disk", TEXT),
    icon("tree_cd.ico", "cd"),
    icon("tree_removable.ico", "usb"),
    icon("tree_floppy.ico", "floppy"),
    icon("tree_disk.ico", "disk"),
    icon("tree_computer.ico", "computer"),
    icon("column_created.ico", "clock", sizes=(16, 32, 48)),
    icon("column_type.ico", "tag", sizes=(16, 32, 48)),
    icon("column_name.ico", "document", sizes=(16, 32, 48)),
    icon("column_size.ico", "disk", sizes=(16, 32, 48)),
    icon("column_spare.ico", "magnifier", sizes=(16, 32, 48)),
    icon("column_modified.ico", "clock", ACCENT_DARK, sizes=(16, 32, 48)),
    icon("column_id.ico", "hash", sizes=(16, 32, 48)),
] + [icon(ico, pictogram, sizes=(16, 32)) for _, pictogram, ico in TOOLBAR] + [
    # Cursors.
    cursor("check_mark_cursor.txt"),
    cursor("expand_cursor.txt"),
    # The application controls' cursors (appui.rc).
    cursor("hand_open.txt", "appui"),
    cursor("hand_pressed.txt", "appui"),
    # The UI library's docking stickers (uilib.rc draws them by name).
    Output("uilib_sticker_cross.bmp", sticker_cross_base, region=True),
    Output("uilib_sticker_blue.bmp", lambda: sticker_set_a(STICKER_FACES["blue"]), region=True),
    Output("uilib_sticker_olive.bmp", lambda: sticker_set_a(STICKER_FACES["olive"]), region=True),
    Output("uilib_sticker_silver.bmp", lambda: sticker_set_a(STICKER_FACES["silver"]), region=True),
    Output("uilib_sticker_set2.bmp", sticker_set_b, region=True),
]


# --- command line ----------------------------------------------------------------

def convert_art(out, sources):
    arts = [read_art(s) for s in sources]
    canvases = [a.canvas for a in arts]
    if out.endswith(".ico"):
        write_ico(out, canvases, [a.bits or 32 for a in arts])
    elif out.endswith(".cur"):
        if len(arts) != 1 or arts[0].hotspot is None:
            raise ValueError("%s: a cursor takes one source with a hotspot" % out)
        write_cur(out, canvases[0], arts[0].hotspot)
    elif out.endswith(".bmp") and len(arts) == 1:
        write_bmp(out, canvases[0], arts[0].bits or 24, MASK_WHITE)
    else:
        raise ValueError("%s: write a .ico, a .cur or a .bmp from one source" % out)
    return check_file(out, canvases, mask=MASK_WHITE if out.endswith(".bmp") else None)


def main(argv):
    if len(argv) >= 3 and argv[0] == "--art":
        problems = convert_art(argv[1], argv[2:])
    elif len(argv) >= 1 and not argv[0].startswith("-"):
        outdir, names = argv[0], argv[1:]
        known = {o.name for o in OUTPUTS}
        unknown = [n for n in names if n not in known]
        if unknown:
            sys.stderr.write("gen_bitmaps.py: no image named %s\n" % ", ".join(unknown))
            return 2
        os.makedirs(outdir, exist_ok=True)
        problems = []
        for output in OUTPUTS:
            if not names or output.name in names:
                problems += output.write(outdir)
        if not names and not problems:
            _write(os.path.join(outdir, "art.stamp"), b"%d\n" % len(OUTPUTS))
    else:
        sys.stderr.write(__doc__)
        return 2
    for p in problems:
        sys.stderr.write("gen_bitmaps.py: %s\n" % p)
    return 1 if problems else 0


if __name__ == "__main__":
    try:
        sys.exit(main(sys.argv[1:]))
    except (ValueError, OSError) as error:
        sys.stderr.write("gen_bitmaps.py: %s\n" % error)
        sys.exit(1)
