#!/usr/bin/env python3
"""Outline pictures of common label stocks for the label designer's "Show art".

For each stock listed below, reads its size and shape from data/label-stocks.csv and writes
data/art/AV<number>.BMP: the label at 96 pixels per inch, white, with its outline (rounded
rectangle, rectangle or ellipse) and a dotted line 1/16 inch inside it where printing is safe.
The pictures are one-bit bitmaps; the designer turns their dark pixels silver behind the layout.

    scripts/make-label-art.py [CSV] [OUT-FOLDER]
"""
import csv
import math
import os
import struct
import sys

# Avery address, shipping, return-address, filing, round, card and badge stocks (laser and
# ink-jet twins), one picture each.
STOCKS = [
    "5160", "5161", "5162", "5163", "5164", "5167", "5168", "5195", "5260", "5261", "5262", "5263",
    "5264", "5266", "5267", "5293", "5294", "5371", "5395", "8160", "8161", "8162", "8163", "8164",
    "8167",
]
PPI = 96


def inside_shape(shape, x, y, w, h, inset):
    """Whether pixel centre (x, y) lies inside the shape shrunk by `inset` pixels."""
    px, py = x + 0.5, y + 0.5
    left, top, right, bottom = inset, inset, w - inset, h - inset
    if right <= left or bottom <= top:
        return False
    if shape == "EL":
        cx, cy = (left + right) / 2, (top + bottom) / 2
        rx, ry = (right - left) / 2, (bottom - top) / 2
        return ((px - cx) / rx) ** 2 + ((py - cy) / ry) ** 2 <= 1.0
    if not (left <= px <= right and top <= py <= bottom):
        return False
    if shape == "RR":
        r = min(0.0625 * PPI, (right - left) / 4, (bottom - top) / 4)
        for cx, cy in ((left + r, top + r), (right - r, top + r), (left + r, bottom - r), (right - r, bottom - r)):
            if (px < left + r or px > right - r) and (py < top + r or py > bottom - r):
                if abs(px - cx) <= r and abs(py - cy) <= r:
                    return math.hypot(px - cx, py - cy) <= r
    return True


def picture(shape, w, h):
    """Rows of booleans (True = dark), top row first."""
    safe = 0.0625 * PPI
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            outline = inside_shape(shape, x, y, w, h, 0) and not inside_shape(shape, x, y, w, h, 2)
            dotted = (inside_shape(shape, x, y, w, h, safe) and not inside_shape(shape, x, y, w, h, safe + 1)
                      and (x + y) % 6 < 3)
            row.append(outline or dotted)
        rows.append(row)
    return rows


def write_bmp(path, rows):
    h = len(rows)
    w = len(rows[0])
    stride = ((w + 31) // 32) * 4
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray(stride)
        for x, dark in enumerate(row):
            if not dark:  # palette entry 1 is white
                line[x // 8] |= 0x80 >> (x % 8)
        pixels += line
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    offset = 14 + 40 + len(palette)
    header = b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 1, 0, len(pixels), 3780, 3780, 2, 2)
    with open(path, "wb") as out:
        out.write(header + info + palette + pixels)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    source = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "data", "label-stocks.csv")
    folder = sys.argv[2] if len(sys.argv) > 2 else os.path.join(root, "data", "art")
    os.makedirs(folder, exist_ok=True)
    stocks = {}
    with open(source, newline="", encoding="utf-8") as handle:
        for row in csv.DictReader(handle):
            parts = row["DESCRIPT"].split()
            if len(parts) >= 2 and parts[0] == "Avery" and parts[1] in STOCKS:
                stocks.setdefault(parts[1], row)
    missing = [number for number in STOCKS if number not in stocks]
    if missing:
        sys.exit("not in the catalogue: " + ", ".join(missing))
    for number in STOCKS:
        row = stocks[number]
        w = round(float(row["LBLWIDTH"]) * PPI)
        h = round(float(row["LBLHEIGHT"]) * PPI)
        write_bmp(os.path.join(folder, "AV%s.BMP" % number), picture(row["LBLSHAPE"], w, h))
        print("AV%s.BMP  %s  %dx%d %s" % (number, row["DESCRIPT"], w, h, row["LBLSHAPE"]))


if __name__ == "__main__":
    main()
