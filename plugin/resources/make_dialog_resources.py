#!/usr/bin/env python3
"""Makes the filter dialog's six tool and style button bitmaps (resources 150 to 155).

Each bitmap is 96 x 28 pixels in 16 colours and holds three 32 x 28 faces side by side: the
normal face (gray button) at x 0, a face that is never shown at x 32, and the selected face
(yellow button, pressed in) at x 64. Writes <folder>/150.bmp .. 155.bmp.

Usage: make_dialog_resources.py [folder]   (default: the dialog/ folder beside this script)
"""

import math
import os
import struct
import sys

WIDTH, HEIGHT = 96, 28
FACE_WIDTH = 32

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_GRAY, LIGHT_GRAY, YELLOW, WHITE, NAVY, TEAL = 0, 8, 7, 11, 15, 4, 6


class Face:
    """Drawing on one 32 x 28 face of a bitmap, with the picture shifted by (dx, dy)."""

    def __init__(self, pixels, left, dx=0, dy=0):
        self.pixels, self.left, self.dx, self.dy = pixels, left, dx, dy

    def put(self, x, y, colour, shifted=True):
        if shifted:
            x, y = x + self.dx, y + self.dy
        if 0 <= x < FACE_WIDTH and 0 <= y < HEIGHT:
            self.pixels[y][self.left + x] = colour

    def line(self, x0, y0, x1, y1, colour):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            self.put(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), colour)

    def polygon(self, points, fill, outline=None):
        for y in range(HEIGHT):
            for x in range(FACE_WIDTH):
                if inside(points, x + 0.5, y + 0.5):
                    self.put(x, y, fill)
        if outline is not None:
            for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
                self.line(x0, y0, x1, y1, outline)

    def disc(self, cx, cy, radius, fill, outline):
        for y in range(HEIGHT):
            for x in range(FACE_WIDTH):
                d = math.hypot(x - cx, y - cy)
                if d <= radius - 0.5:
                    self.put(x, y, fill)
                elif d <= radius + 0.5:
                    self.put(x, y, outline)


def inside(points, x, y):
    result = False
    for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
        if (y0 > y) != (y1 > y) and x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
            result = not result
    return result


def button(face, fill, raised):
    """The button's body and its 3D edge: raised light top-left, pressed dark top-left."""
    light, dark = (WHITE, DARK_GRAY) if raised else (DARK_GRAY, WHITE)
    for y in range(HEIGHT):
        for x in range(FACE_WIDTH):
            face.put(x, y, fill, shifted=False)
    for x in range(FACE_WIDTH):
        face.put(x, 0, light, shifted=False)
        face.put(x, HEIGHT - 1, BLACK if raised else dark, shifted=False)
        face.put(x, HEIGHT - 2, dark, shifted=False)
    for y in range(HEIGHT - 1):
        face.put(0, y, light, shifted=False)
        face.put(FACE_WIDTH - 1, y, BLACK if raised else dark, shifted=False)
        face.put(FACE_WIDTH - 2, y, dark, shifted=False)


def magnifier(face):
    face.disc(13, 11, 6.5, WHITE, BLACK)
    for t in (0, 1):
        face.line(18 + t, 16, 24 + t, 22, BLACK)
        face.line(18, 16 + t, 24, 22 + t, BLACK)


def hand(face):
    for x0 in (9, 12, 15, 18):
        face.polygon([(x0, 6 + (x0 % 5)), (x0 + 2, 6 + (x0 % 5)), (x0 + 2, 15), (x0, 15)],
                     WHITE, BLACK)
    face.polygon([(9, 14), (20, 14), (21, 20), (18, 24), (11, 24), (6, 17), (7, 15)],
                 WHITE, BLACK)


def rotation(face):
    cx, cy, radius = 15.5, 13.5, 8
    for start in (20, 200):
        points = [(cx + radius * math.cos(math.radians(a)), cy - radius * math.sin(math.radians(a)))
                  for a in range(start, start + 141, 5)]
        for (x0, y0), (x1, y1) in zip(points, points[1:]):
            face.line(round(x0), round(y0), round(x1), round(y1), NAVY)
        tip_x, tip_y = points[-1]
        angle = math.radians(start + 140)
        back = (math.sin(angle) * 4, math.cos(angle) * 4)
        side = (math.cos(angle) * 3, -math.sin(angle) * 3)
        base = (tip_x + back[0], tip_y + back[1])
        face.polygon([(round(tip_x - back[0] * 0.3), round(tip_y - back[1] * 0.3)),
                      (round(base[0] + side[0]), round(base[1] + side[1])),
                      (round(base[0] - side[0]), round(base[1] - side[1]))], NAVY, NAVY)


# A cube seen from above right: front square, top and right faces.
FRONT = [(7, 10), (19, 10), (19, 22), (7, 22)]
TOP = [(7, 10), (12, 5), (24, 5), (19, 10)]
SIDE = [(19, 10), (24, 5), (24, 17), (19, 22)]


def cube(face, shaded, edges):
    if shaded:
        outline = BLACK if edges else None
        face.polygon(TOP, WHITE, outline)
        face.polygon(FRONT, LIGHT_GRAY if face_is_yellow(face) else WHITE, outline)
        face.polygon(SIDE, DARK_GRAY, outline)
        if not edges:
            return
    for points in (FRONT, TOP, SIDE):
        for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
            face.line(x0, y0, x1, y1, BLACK)
    if not shaded:  # the hidden edges of the wire-frame cube
        for x0, y0, x1, y1 in ((12, 5, 12, 17), (12, 17, 7, 22), (12, 17, 24, 17)):
            face.line(x0, y0, x1, y1, DARK_GRAY)


def face_is_yellow(face):
    return face.pixels[HEIGHT // 2][face.left + 2] == YELLOW


PICTURES = {
    150: magnifier,
    151: hand,
    152: rotation,
    153: lambda face: cube(face, shaded=False, edges=True),
    154: lambda face: cube(face, shaded=True, edges=True),
    155: lambda face: cube(face, shaded=True, edges=False),
}


def make_pixels(picture):
    pixels = [[LIGHT_GRAY] * WIDTH for _ in range(HEIGHT)]
    for left, fill, raised, shift in ((0, LIGHT_GRAY, True, 0), (32, DARK_GRAY, True, 0),
                                      (64, YELLOW, False, 1)):
        face = Face(pixels, left, shift, shift)
        button(face, fill, raised)
        picture(face)
    return pixels


def dib(pixels):
    """BITMAPINFOHEADER, palette and 4-bit rows (bottom row first) of a bitmap resource."""
    row_bytes = (WIDTH * 4 + 31) // 32 * 4
    rows = b""
    for row in reversed(pixels):
        packed = bytes((row[x] << 4) | row[x + 1] for x in range(0, WIDTH, 2))
        rows += packed + bytes(row_bytes - len(packed))
    header = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 4, 0, len(rows), 0, 0, 16, 16)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    return header + palette + rows


def bmp_file(info):
    offset = 14 + 40 + 4 * len(PALETTE)
    return b"BM" + struct.pack("<IHHI", 14 + len(info), 0, 0, offset) + info


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(
        os.path.abspath(__file__)), "dialog")
    os.makedirs(folder, exist_ok=True)
    for number, picture in PICTURES.items():
        info = dib(make_pixels(picture))
        with open(os.path.join(folder, "%d.bmp" % number), "wb") as out:
            out.write(bmp_file(info))


if __name__ == "__main__":
    main()
