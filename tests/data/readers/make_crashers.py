#!/usr/bin/python3
"""Writes tiny damaged BMP and TIFF files, each named for its defect, and expected.txt
listing the error code a reader must give for each (0: read, with zeros where data is
missing). Run from anywhere: make_crashers.py OUTPUT_FOLDER"""
import os
import struct
import sys


def bmp(width=2, height=2, bits=8, compression=0, header_size=40, off_bits=None,
        table_entries=None, pixels=b"\x01" * 8, size_override=None):
    entries = table_entries if table_entries is not None else (1 << bits if bits <= 8 else 0)
    table = bytes(4 * entries)
    header = struct.pack("<IiiHHIIiiII", header_size, width, height, 1, bits, compression,
                         len(pixels), 0, 0, 0, 0)
    if header_size > 40:
        header += bytes(min(header_size, 124) - 40)
    off = off_bits if off_bits is not None else 14 + len(header) + len(table)
    body = header + table + pixels
    return b"BM" + struct.pack("<IHHI", size_override or 14 + len(body), 0, 0, off) + body


def tiff(entries, data=b"", big=False, version=42, ifd=None):
    """entries: (tag, type, count, value field as int) in file order."""
    e = ">" if big else "<"
    head = (b"MM" if big else b"II") + struct.pack(e + "HI", version, ifd if ifd is not None else 8 + len(data))
    out = head + data
    out += struct.pack(e + "H", len(entries))
    for tag, typ, count, value in entries:
        if typ == 3 and count == 1:
            out += struct.pack(e + "HHIHH", tag, typ, count, value, 0)
        else:
            out += struct.pack(e + "HHII", tag, typ, count, value)
    return out + struct.pack(e + "I", 0)


def gray_entries(width=4, height=2, strip=8, compression=1, extra=()):
    return [(256, 3, 1, width), (257, 3, 1, height), (258, 3, 1, 8), (259, 3, 1, compression),
            (262, 3, 1, 1), (273, 4, 1, strip)] + list(extra)


CASES = {
    # BMP
    "bmp-width-70000.bmp": (bmp(width=70000), 5),
    "bmp-height-int-min.bmp": (bmp(height=-2**31), 5),
    "bmp-header-size-huge.bmp": (bmp(header_size=0xFFFFFFFF), 4),
    "bmp-header-truncated.bmp": (bmp()[:30], 4),
    "bmp-bitcount-zero.bmp": (bmp(bits=0), 2),
    "bmp-claims-20000x20000-in-a-tiny-file.bmp": (bmp(width=20000, height=20000), 4),
    "bmp-offbits-past-end.bmp": (bmp(off_bits=0xFFFFFFF0), 0),
    "bmp-pixels-missing.bmp": (bmp(pixels=b""), 0),
    "bmp-rle8-literal-past-end.bmp": (bmp(compression=1, pixels=b"\x00\xff\x01\x02"), 0),
    "bmp-rle8-delta-past-top.bmp": (bmp(compression=1, pixels=b"\x00\x02\xff\xff\x05\x07"), 0),
    "bmp-rle8-endless-row-ends.bmp": (bmp(compression=1, pixels=b"\x00\x00" * 40), 0),
    "bmp-rle4-literal-truncated.bmp": (bmp(bits=4, compression=2, pixels=b"\x00\x07\x12"), 0),
    "bmp-table-cut-short.bmp": (bmp(table_entries=3, pixels=b""), 0),
    # TIFF
    "tif-only-header.tif": (b"II*\x00\x08\x00\x00\x00", 4),
    "tif-version-43.tif": (tiff(gray_entries(), version=43), 1),
    "tif-ifd-offset-past-end.tif": (tiff(gray_entries(), ifd=0x7FFFFFF0), 4),
    "tif-entry-count-past-end.tif": (tiff(gray_entries())[:-20], 4),
    "tif-width-zero.tif": (tiff(gray_entries(width=0), b"\x01" * 8), 4),
    "tif-width-long-100000.tif": (tiff([(256, 4, 1, 100000)] + gray_entries()[1:], b"\x01" * 8), 5),
    "tif-claims-60000x60000-24-bit.tif": (
        tiff([(256, 3, 1, 60000), (257, 3, 1, 60000), (258, 3, 1, 24)]), 5),
    "tif-claims-20000x20000-in-a-tiny-file.tif": (tiff(gray_entries(20000, 20000)), 4),
    "tif-strip-table-past-end.tif": (tiff(gray_entries(extra=[(273, 4, 100, 0x7FFFFF00)])), 4),
    "tif-strip-count-70000.tif": (tiff(gray_entries(extra=[(273, 4, 70000, 8)])), 4),
    "tif-strip-offset-past-end.tif": (tiff(gray_entries(strip=0xFFFFFFF0), b"\x01" * 8), 0),
    "tif-rows-per-strip-zero.tif": (tiff(gray_entries(extra=[(278, 3, 1, 0)]), b"\x01" * 8), 0),
    "tif-packbits-only-minus-128.tif": (tiff(gray_entries(compression=32773), b"\x80" * 64), 0),
    "tif-packbits-literal-past-end.tif": (
        tiff(gray_entries(compression=32773, strip=0x40), b"\x00" * 8), 0),
    "tif-colormap-past-end.tif": (
        tiff(gray_entries()[:4] + [(262, 3, 1, 3), (273, 4, 1, 8), (320, 3, 768, 0x7FFFFFF0)],
             b"\x01" * 8), 0),
    "tif-bits-per-sample-array-past-end.tif": (
        tiff([(256, 3, 1, 2), (257, 3, 1, 2), (258, 3, 3, 0x7FFFFFF0)]), 4),
    "tif-big-endian-strip-table-past-end.tif": (
        tiff(gray_entries(extra=[(273, 4, 3, 0x7FFFFF00)]), big=True), 4),
    "tif-no-strip-offsets.tif": (tiff(gray_entries()[:5], b"\x01" * 8), 4),
    "tif-tiled-no-strips.tif": (
        tiff(gray_entries(16, 16)[:5] + [(322, 3, 1, 16), (323, 3, 1, 16), (324, 4, 1, 8),
                                          (325, 4, 1, 256)], b"\x01" * 256), 7),
    "tif-tiled-with-strip-offsets.tif": (
        tiff(gray_entries(16, 16) + [(322, 3, 1, 16), (323, 3, 1, 16), (324, 4, 1, 8),
                                     (325, 4, 1, 256)], b"\x01" * 256), 7),
}


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "crashers")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "expected.txt"), "w") as listing:
        for name, (data, error) in sorted(CASES.items()):
            with open(os.path.join(folder, name), "wb") as f:
                f.write(data)
            listing.write(f"{name} {error}\n")


if __name__ == "__main__":
    main()
