#!/usr/bin/python3
"""Draws the start-up picture: a 208 x 120 gray logo with the product name.

Writes an 8-bit BMP whose colour table is the identity gray ramp and whose rows are
stored top row first (the start-up reader copies rows in stored order), although the
height field is positive. Deterministic: the same bytes on every run.

Usage: make_logo.py OUTPUT.bmp
"""
import math
import struct
import sys

WIDTH, HEIGHT = 208, 120

# A 5 x 7 font holding just the letters of the name.
GLYPHS = {
    "Q": ["01110", "10001", "10001", "10001", "10101", "10010", "01101"],
    "u": ["00000", "00000", "10001", "10001", "10001", "10011", "01101"],
    "o": ["00000", "00000", "01110", "10001", "10001", "10001", "01110"],
    "r": ["00000", "00000", "10110", "11001", "10000", "10000", "10000"],
    "v": ["00000", "00000", "10001", "10001", "10001", "01010", "00100"],
    "M": ["10001", "11011", "10101", "10101", "10001", "10001", "10001"],
    "e": ["00000", "00000", "01110", "10001", "11111", "10000", "01110"],
    "s": ["00000", "00000", "01111", "10000", "01110", "00001", "11110"],
    "h": ["10000", "10000", "10110", "11001", "10001", "10001", "10001"],
}


def background(x, y):
    """Dark vertical gradient with a wavy height-field grid, the product's subject."""
    base = 40 + (y * 50) // HEIGHT
    wave = math.sin(x / 13.0) * math.cos(y / 11.0)
    on_grid = (x % 13 == 0) or (y % 11 == 0)
    return base + (30 if on_grid else 0) + int(12 * wave)


def draw_text(pixels, text, left, top, scale, value):
    for index, letter in enumerate(text):
        glyph = GLYPHS[letter]
        for gy, row in enumerate(glyph):
            for gx, bit in enumerate(row):
                if bit != "1":
                    continue
                for dy in range(scale):
                    for dx in range(scale):
                        x = left + (index * 6 + gx) * scale + dx
                        y = top + gy * scale + dy
                        if 0 <= x < WIDTH and 0 <= y < HEIGHT:
                            pixels[y][x] = value


def draw_frame(pixels, value):
    for x in range(WIDTH):
        for y in (2, 3, HEIGHT - 4, HEIGHT - 3):
            pixels[y][x] = value
    for y in range(2, HEIGHT - 2):
        for x in (2, 3, WIDTH - 4, WIDTH - 3):
            pixels[y][x] = value


def make_pixels():
    pixels = [[max(0, min(255, background(x, y))) for x in range(WIDTH)] for y in range(HEIGHT)]
    draw_frame(pixels, 200)
    scale = 3
    text = "QuorvMesh"
    text_width = (len(text) * 6 - 1) * scale
    left = (WIDTH - text_width) // 2
    top = (HEIGHT - 7 * scale) // 2
    draw_text(pixels, text, left + 2, top + 2, scale, 8)  # drop shadow
    draw_text(pixels, text, left, top, scale, 255)
    return pixels


def bmp_bytes(pixels):
    stride = (WIDTH + 3) // 4 * 4
    offset = 14 + 40 + 256 * 4
    size = offset + stride * HEIGHT
    out = bytearray(b"BM")
    out += struct.pack("<IHHI", size, 0, 0, offset)
    out += struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 8, 0, stride * HEIGHT, 2835, 2835, 256, 256)
    for i in range(256):
        out += bytes((i, i, i, 0))
    for row in pixels:  # top row first
        out += bytes(row) + bytes(stride - WIDTH)
    return bytes(out)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_logo.py OUTPUT.bmp")
    with open(sys.argv[1], "wb") as f:
        f.write(bmp_bytes(make_pixels()))


if __name__ == "__main__":
    main()
