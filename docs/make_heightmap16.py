#!/usr/bin/python3
"""Draws a 16-bit gray PNG heightmap: smooth hills ringed by fine terraces.

A terrace rises 240 levels of 65536, less than one step of an 8-bit picture (257 levels),
so the rings survive only at full precision; in 8 bits they vanish into the rounding.
Deterministic: the same bytes on every run.

Usage: make_heightmap16.py OUTPUT.png
"""
import math
import struct
import sys
import zlib

SIZE = 320
TERRACE = 240
# Hills as (centre x, centre y, height in levels, spread in pixels).
HILLS = [(110, 125, 4300, 60), (228, 205, 3400, 52), (215, 75, 2200, 38), (70, 255, 1700, 42)]


def height(x, y):
    h = 400.0
    for cx, cy, top, spread in HILLS:
        h += top * math.exp(-((x - cx) ** 2 + (y - cy) ** 2) / (2 * spread * spread))
    # Smooth steps: flat treads at every multiple of TERRACE, twice the slope between.
    return h - TERRACE / (2 * math.pi) * math.sin(2 * math.pi * h / TERRACE)


def write_png16(path, size, sample):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(
            ">I", zlib.crc32(kind + body) & 0xFFFFFFFF)

    raw = bytearray()
    for y in range(size):
        raw.append(0)
        for x in range(size):
            raw += struct.pack(">H", min(65535, max(0, round(sample(x, y)))))
    header = struct.pack(">IIBBBBB", size, size, 16, 0, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    write_png16(sys.argv[1], SIZE, height)
