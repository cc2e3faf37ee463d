#!/usr/bin/python3
"""Draws the preview canvas's four cursors as 32 x 32 monochrome .cur files.

mag_glass  (7, 7)   a magnifier with a plus sign (zoom in)
magmin_cur (7, 7)   the same magnifier with a minus sign (zoom out)
hand_cur   (10, 10) an open hand (pan)
arrow_cur  (0, 0)   four curved rotation arrows (rotate)

Each cursor is black strokes on a white body with a one-pixel white halo, so it shows on
any background; everything else is transparent. Deterministic: the same bytes every run.

Usage: make_cursors.py OUTPUT_FOLDER
"""
import math
import os
import struct
import sys

SIZE = 32


def disk(cx, cy, r):
    return {(x, y) for x in range(SIZE) for y in range(SIZE)
            if (x - cx) ** 2 + (y - cy) ** 2 <= r * r}


def ring(cx, cy, inner, outer):
    return {(x, y) for x in range(SIZE) for y in range(SIZE)
            if inner * inner <= (x - cx) ** 2 + (y - cy) ** 2 <= outer * outer}


def box(left, top, right, bottom):
    """Pixels left..right, top..bottom inclusive."""
    return {(x, y) for x in range(left, right + 1) for y in range(top, bottom + 1)}


def thick_line(x0, y0, x1, y1, half_width):
    pixels = set()
    steps = int(max(abs(x1 - x0), abs(y1 - y0)) * 4) + 1
    for i in range(steps + 1):
        t = i / steps
        pixels |= disk(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, half_width)
    return pixels


def grow(pixels):
    return pixels | {(x + dx, y + dy) for (x, y) in pixels
                     for dx in (-1, 0, 1) for dy in (-1, 0, 1)}


def magnifier(with_plus):
    body = disk(7, 7, 6.5)
    ink = ring(7, 7, 5.5, 7.2) | thick_line(12, 12, 19, 19, 1.6)
    ink |= box(4, 7, 10, 7)
    if with_plus:
        ink |= box(7, 4, 7, 10)
    return body, ink


def hand():
    palm = box(6, 12, 17, 22) | disk(11.5, 22, 6)
    fingers = set()
    for left, top in ((6, 4), (9, 2), (12, 3), (15, 5)):
        fingers |= box(left, top, left + 2, 13) | disk(left + 1, top, 1.2)
    thumb = thick_line(5, 19, 1, 13, 1.4)
    body = palm | fingers | thumb
    outline = {p for p in body
               if any((p[0] + dx, p[1] + dy) not in body
                      for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))}
    creases = box(9, 6, 9, 12) | box(12, 6, 12, 12) | box(15, 8, 15, 12)
    return body, outline | creases


def rotation_arrows():
    ink = set()
    cx, cy, r = 16, 16, 10
    for quarter in range(4):
        start = quarter * 90 + 10
        for step in range(0, 61):
            a = math.radians(start + step)
            ink |= disk(cx + r * math.cos(a), cy + r * math.sin(a), 0.9)
        # Arrowhead at the end of the arc, pointing along the turn.
        a = math.radians(start + 62)
        tip = (cx + r * math.cos(a), cy + r * math.sin(a))
        along = (-math.sin(a), math.cos(a))
        out = (math.cos(a), math.sin(a))
        for k in range(5):
            back = (tip[0] - along[0] * k, tip[1] - along[1] * k)
            for s in range(-k, k + 1):
                ink.add((round(back[0] + out[0] * s * 0.8), round(back[1] + out[1] * s * 0.8)))
    ink = {(x, y) for (x, y) in ink if 0 <= x < SIZE and 0 <= y < SIZE}
    return set(), ink


def cursor_image(body, ink):
    """The DIB of a cursor: header, two colours, the XOR mask and the AND mask."""
    shape = grow(ink) | body
    xor_rows, and_rows = [], []
    for y in range(SIZE - 1, -1, -1):  # bottom row first
        xor_bits = and_bits = 0
        for x in range(SIZE):
            bit = 1 << (31 - x)
            if (x, y) not in shape:
                and_bits |= bit  # transparent
            elif (x, y) not in ink:
                xor_bits |= bit  # white
        xor_rows.append(struct.pack(">I", xor_bits))
        and_rows.append(struct.pack(">I", and_bits))
    masks = b"".join(xor_rows) + b"".join(and_rows)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, len(masks), 0, 0, 2, 0)
    colours = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    return header + colours + masks


def cur_file(image, hot_x, hot_y):
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, hot_x, hot_y, len(image), 6 + 16)
    return directory + entry + image


CURSORS = {
    "mag_glass": (magnifier(True), 7, 7),
    "magmin_cur": (magnifier(False), 7, 7),
    "hand_cur": (hand(), 10, 10),
    "arrow_cur": (rotation_arrows(), 0, 0),
}


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for name, ((body, ink), hot_x, hot_y) in CURSORS.items():
        with open(os.path.join(folder, name + ".cur"), "wb") as f:
            f.write(cur_file(cursor_image(body, ink), hot_x, hot_y))


if __name__ == "__main__":
    main()
