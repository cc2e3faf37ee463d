#!/usr/bin/python3
"""Writes the pictures the QuorvShell tests open through the real open dialog:

  colours.tif  a 37 x 23 24-bit TIFF ("II", uncompressed, one strip), pixel (x, y) =
               red (7x + 3y) % 256, green (11y + 5) % 256, blue (x * y) % 256;
  palette.bmp  a 29 x 17 4-bit BMP (bottom row stored first), pixel (x, y) = entry
               (x + 2y) % 16, entry k = red 16k, green 255 - 16k, blue 40k % 256;
  lzw.tif      colours.tif claiming LZW compression, which the TIFF reader refuses;
  notes.bmp    a text file whose name ends in .bmp.

tests/win32/host/ShellPictures.h computes the same pixels. Deterministic.
Usage: make_pictures.py FOLDER
"""
import os
import struct
import sys


def tiff_rgb(x, y):
    return (7 * x + 3 * y) % 256, (11 * y + 5) % 256, (x * y) % 256


def palette_entry(k):
    return 16 * k, 255 - 16 * k, (40 * k) % 256


def tiff_bytes(width=37, height=23, compression=1):
    pixels = b"".join(bytes(tiff_rgb(x, y)) for y in range(height) for x in range(width))
    entries = [  # tag, type, count, value
        (256, 3, 1, width), (257, 3, 1, height), (258, 3, 3, None), (259, 3, 1, compression),
        (262, 3, 1, 2), (273, 4, 1, None), (277, 3, 1, 3), (278, 3, 1, height),
        (279, 4, 1, len(pixels)),
    ]
    ifd_offset = 8
    ifd_size = 2 + 12 * len(entries) + 4
    bits_offset = ifd_offset + ifd_size
    strip_offset = bits_offset + 6
    ifd = struct.pack("<H", len(entries))
    for tag, kind, count, value in entries:
        if tag == 258:
            value = bits_offset
        if tag == 273:
            value = strip_offset
        if kind == 3 and count == 1:
            ifd += struct.pack("<HHIHH", tag, kind, count, value, 0)
        else:
            ifd += struct.pack("<HHII", tag, kind, count, value)
    ifd += struct.pack("<I", 0)
    return b"II*\0" + struct.pack("<I", ifd_offset) + ifd + struct.pack("<HHH", 8, 8, 8) + pixels


def bmp_bytes(width=29, height=17):
    stride = ((width + 1) // 2 + 3) // 4 * 4
    rows = b""
    for y in reversed(range(height)):
        row = [(x + 2 * y) % 16 for x in range(width)] + [0]
        packed = bytes((row[x] << 4) | row[x + 1] for x in range(0, width, 2))
        rows += packed + bytes(stride - len(packed))
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0)
                       for r, g, b in (palette_entry(k) for k in range(16)))
    offset = 14 + 40 + len(colours)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(rows), 2835, 2835, 16, 0)
    return struct.pack("<HIHHI", 0x4D42, offset + len(rows), 0, 0, offset) + info + colours + rows


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    folder = sys.argv[1]
    for name, data in (("colours.tif", tiff_bytes()), ("lzw.tif", tiff_bytes(compression=5)),
                       ("palette.bmp", bmp_bytes()),
                       ("notes.bmp", b"Not a picture, whatever its name says.\n")):
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main()
