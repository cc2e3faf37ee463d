#!/usr/bin/python3
"""Draws the program icon APICON: a 32 x 32, 16-colour picture of a shaded height-field
mesh over a gray picture, the program's subject, in a black frame.

Writes a Windows .ico file holding one 32 x 32 image at 4 bits per pixel (the standard
16-colour palette) with its AND mask. Deterministic: the same bytes on every run.

Usage: make_icon.py OUTPUT.ico
"""
import math
import struct
import sys

SIZE = 32

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (0, 0, 128), (0, 128, 0), (0, 128, 128),
    (128, 0, 0), (128, 0, 128), (128, 128, 0), (192, 192, 192),
    (128, 128, 128), (0, 0, 255), (0, 255, 0), (0, 255, 255),
    (255, 0, 0), (255, 0, 255), (255, 255, 0), (255, 255, 255),
]
BLACK, DARK_GRAY, LIGHT_GRAY, WHITE, DARK_CYAN, CYAN = 0, 8, 7, 15, 3, 11


def height(x, y):
    """A bump in the middle of the picture, as a mesh of its gray levels would show."""
    dx, dy = (x - 15.5) / 9.0, (y - 17.5) / 7.0
    return 9.0 * math.exp(-(dx * dx + dy * dy))


def pixel(x, y):
    if x in (0, SIZE - 1) or y in (0, SIZE - 1):
        return BLACK
    # Mesh lines every fourth column and row, lifted by the height field.
    for gx in range(2, SIZE, 4):
        if abs(x - gx) < 1 and 3 <= y <= 29:
            lifted = y + height(gx, y)
            return CYAN if int(lifted) % 4 == 0 else DARK_CYAN
    lifted = y + height(x, y)
    if int(lifted) % 4 == 1 and 2 <= x <= 29:
        return CYAN
    return LIGHT_GRAY if (x + y) % 2 else WHITE if y < 16 else DARK_GRAY


def icon_bytes():
    rows = [[pixel(x, y) for x in range(SIZE)] for y in range(SIZE)]
    xor = b""
    for row in reversed(rows):  # bottom row first
        xor += bytes((row[x] << 4) | row[x + 1] for x in range(0, SIZE, 2))
    mask = bytes(SIZE * 4)  # 32 bits per row, all opaque
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 4, 0, len(xor) + len(mask),
                         0, 0, 16, 0)
    image = header + palette + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    with open(sys.argv[1], "wb") as out:
        out.write(icon_bytes())


if __name__ == "__main__":
    main()
