#!/usr/bin/env python3
"""Draws the program's icon, a sun over a chart line, and the icon of its
recording files, a sheet with a chart line, at 16, 32 and 48 pixels, and
writes res/marvek2.ico and res/mv2file.ico (32-bit images with alpha). Run by
hand after a change of the drawing; the icons are committed.

  python3 tools/make_icon.py
"""
import math
import os
import struct

SIZES = (16, 32, 48)
SUN = (0x20, 0xA8, 0xF8)      # BGR: warm orange
SUN_RAY = (0x40, 0xC8, 0xFF)
LINE = (0xC0, 0x50, 0x10)     # BGR: blue
AXIS = (0x60, 0x60, 0x60)
PAPER = (0xFF, 0xFF, 0xFF)
EDGE = (0x80, 0x80, 0x80)
FOLD = (0xE0, 0xE0, 0xE0)


def coverage(size, inside, samples=4):
    """Alpha of each pixel: the share of sub-samples for which inside(x, y) holds,
    x and y in 0..1 from the top left."""
    grid = []
    for py in range(size):
        row = []
        for px in range(size):
            hits = 0
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) / size
                    y = (py + (sy + 0.5) / samples) / size
                    hits += inside(x, y)
            row.append(hits / (samples * samples))
        grid.append(row)
    return grid


def near_polyline(points, width):
    def inside(x, y):
        for (x0, y0), (x1, y1) in zip(points, points[1:]):
            dx, dy = x1 - x0, y1 - y0
            t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
            if math.hypot(x - (x0 + t * dx), y - (y0 + t * dy)) <= width / 2:
                return True
        return False
    return inside


def painter(size):
    pixels = [[(0, 0, 0, 0.0)] * size for _ in range(size)]

    def paint(colour, inside):
        for y, row in enumerate(coverage(size, inside)):
            for x, a in enumerate(row):
                if a <= 0:
                    continue
                b, g, r, old = pixels[y][x]
                na = a + old * (1 - a)
                mix = lambda c, o: (c * a + o * old * (1 - a)) / na
                pixels[y][x] = (mix(colour[0], b), mix(colour[1], g), mix(colour[2], r), na)

    return pixels, paint


def draw(size):
    pixels, paint = painter(size)
    stroke = max(1.5 / size, 0.07)
    paint(PAPER, lambda x, y: 0.06 <= x <= 0.94 and 0.06 <= y <= 0.94)
    paint(AXIS, near_polyline([(0.12, 0.12), (0.12, 0.88), (0.9, 0.88)], stroke * 0.8))
    paint(SUN_RAY, lambda x, y: abs(math.hypot(x - 0.66, y - 0.32) - 0.25) < 0.035
          and math.cos(8 * math.atan2(y - 0.32, x - 0.66)) > 0.2)
    paint(SUN, lambda x, y: math.hypot(x - 0.66, y - 0.32) <= 0.17)
    paint(LINE, near_polyline([(0.14, 0.82), (0.3, 0.74), (0.45, 0.5), (0.6, 0.62),
                               (0.75, 0.7), (0.9, 0.78)], stroke * 1.3))
    return pixels


def draw_file(size):
    """A sheet with its top right corner folded, and a chart line on it."""
    pixels, paint = painter(size)
    stroke = max(1.5 / size, 0.07)
    left, right, top, bottom, fold = 0.16, 0.84, 0.05, 0.95, 0.24
    sheet = lambda x, y: left <= x <= right and top <= y <= bottom and \
        not (x > right - fold and y < top + fold and x - (right - fold) > y - top)
    paint(EDGE, sheet)
    inner = max(1.0 / size, 0.045)
    paint(PAPER, lambda x, y: sheet(x, y) and left + inner <= x <= right - inner
          and top + inner <= y <= bottom - inner
          and not (x > right - fold - inner and y < top + fold + inner
                   and x - (right - fold - inner) > y - top - inner * 0.5))
    paint(FOLD, lambda x, y: right - fold <= x <= right and top <= y <= top + fold
          and x - (right - fold) <= y - top)
    paint(EDGE, near_polyline([(right - fold, top), (right - fold, top + fold),
                               (right, top + fold)], inner * 1.2))
    paint(EDGE, near_polyline([(right - fold, top), (right, top + fold)], inner * 1.2))
    paint(LINE, near_polyline([(0.24, 0.8), (0.36, 0.7), (0.48, 0.44), (0.6, 0.58),
                               (0.7, 0.62), (0.78, 0.72)], stroke * 1.3))
    return pixels


def dib(size, pixels):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = b""
    for row in reversed(pixels):  # bottom-up
        for b, g, r, a in row:
            rows += bytes((round(b), round(g), round(r), round(a * 255)))
    mask_row = ((size + 31) // 32) * 4
    mask = bytes(mask_row * size)  # alpha decides; the AND mask lets all show
    return header + rows + mask


def write_icon(name, drawing):
    images = [dib(s, drawing(s)) for s in SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, data in zip(SIZES, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    path = os.path.join(os.path.dirname(__file__), "..", "res", name)
    with open(path, "wb") as f:
        f.write(out)
    print("make_icon: wrote res/%s" % name)


def main():
    write_icon("marvek2.ico", draw)
    write_icon("mv2file.ico", draw_file)


if __name__ == "__main__":
    main()
