"""Reads the unfiltered, non-interlaced PNG files the picture scripts write."""
import struct
import zlib

CHANNELS = {0: 1, 2: 3}


def read_png(path):
    """Returns (width, height, bit depth, colour type, rows of samples)."""
    with open(path, "rb") as f:
        data = f.read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG file"
    pos, idat = 8, b""
    while pos < len(data):
        (length,) = struct.unpack_from(">I", data, pos)
        kind, body = data[pos + 4 : pos + 8], data[pos + 8 : pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack_from(">IIBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    size = depth // 8
    stride = 1 + width * CHANNELS[colour] * size
    assert len(raw) == height * stride
    rows = []
    for y in range(height):
        line = raw[y * stride : (y + 1) * stride]
        assert line[0] == 0, "filtered row"
        samples = [int.from_bytes(line[i : i + size], "big") for i in range(1, stride, size)]
        if colour == 2:
            samples = [tuple(samples[i : i + 3]) for i in range(0, len(samples), 3)]
        rows.append(samples)
    return width, height, depth, colour, rows
