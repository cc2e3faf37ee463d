#!/usr/bin/python3
"""Writes TdsHdr.bin (618 bytes) and TdsFtr.bin (519 bytes), the fixed scene header and
keyframer footer that TdsWriter wraps around its generated mesh object.

Run from anywhere: /usr/bin/python3 plugin/export/make_tds_templates.py
The files are committed; run this again only to rebuild them.
"""
import os
import struct


def chunk(chunk_id, *parts, length=None):
    body = b"".join(parts)
    return struct.pack("<HI", chunk_id, 6 + len(body) if length is None else length) + body


def u16(*values):
    return struct.pack("<%dH" % len(values), *values)


def i16(*values):
    return struct.pack("<%dh" % len(values), *values)


def u32(*values):
    return struct.pack("<%dI" % len(values), *values)


def f32(*values):
    return struct.pack("<%df" % len(values), *values)


def bits(*patterns):
    """Floats given by their exact IEEE single-precision bit patterns."""
    return struct.pack("<%dI" % len(patterns), *patterns)


CENTRE = f32(-1.5625, 1.5625) + bits(0x40A6E00D)  # (-1.5625, 1.5625, 5.21485)


def colour(r, g, b):
    return chunk(0x0010, f32(r, g, b))


def viewport(flags_lock_window_type, zoom, centre, angles):
    return chunk(0x7011, u16(*flags_lock_window_type), zoom, centre, f32(*angles), bytes(11))


def layout(head, views):
    return chunk(0x7001, u16(*head), chunk(0x7020, u16(0, 16, 671, 543)), *views)


HEADER_VIEWS = [
    viewport((1, 0, 0, 16, 336, 272, 1), bits(0x400F31E1), CENTRE, (0, 0)),
    viewport((1, 0, 335, 16, 336, 272, 5), bits(0x403CAE25), CENTRE, (0, 0)),
    viewport((1, 0, 0, 287, 336, 272, 3), bits(0x403CAE25), CENTRE, (0, 0)),
    viewport((1, 0, 335, 287, 336, 272, 7), bits(0x401335A0),
             bits(0xBFC7FFFD, 0x3FC80006, 0x3F47FCB8), (20, 30)),
    viewport((1, 0, 0, 0, 0, 0, 0), f32(1.0), f32(0, 0, 0), (0, 0)),
]

FOOTER_VIEWS = [
    viewport((1, 0, 0, 0, 0, 0, 1), f32(1.0), f32(0, 0, 0), (0, 0)),
    viewport((1, 0, 0, 0, 0, 0, 5), f32(1.0), f32(0, 0, 0), (0, 0)),
    viewport((1, 0, 0, 0, 0, 0, 3), f32(1.0), f32(0, 0, 0), (0, 0)),
    viewport((1, 0, 0, 0, 0, 0, 7), f32(1.0), f32(0, 0, 0), (20, 30)),
    viewport((0, 0, 0, 0, 0, 0, 0), f32(0.0), f32(0, 0, 0), (0, 0)),
]


def header():
    # The two enclosing lengths are placeholders; the writer patches them.
    mesh_data = chunk(
        0x3D3D,
        chunk(0x3D3E, u32(2)),
        chunk(0x0100, f32(1.0)),
        layout((3, 0, 1, 0, 0, 0, 0), HEADER_VIEWS),
        chunk(0x1400, f32(2.0)),
        chunk(0x1420, u16(300)),
        chunk(0x1450, f32(5.0)),
        chunk(0x1500, f32(0, 0, 0)),
        chunk(0x2100, chunk(0x0010, bits(0x3E99999A, 0x3E99999A, 0x3E99999A))),
        chunk(0x1200, colour(0, 0, 0)),
        chunk(0x1100, b"\0"),
        chunk(0x1300, f32(0.5), colour(0, 0, 0), colour(0, 0, 0), colour(0, 0, 0)),
        chunk(0x2200, f32(0, 0, 1000, 100), colour(1, 1, 1), chunk(0x2210)),
        chunk(0x2300, f32(0, 0, 1000, 100), chunk(0x2310)),
        chunk(0x3000, chunk(0x3010, CENTRE, bits(0x43162C4A))),
        length=38101,
    )
    return chunk(0x4D4D, chunk(0x0002, u32(3)), mesh_data, length=38636)


def track(key):
    return u16(64) + bytes(8) + u32(1) + u32(0) + u16(0) + key


def footer():
    node = chunk(
        0xB002,
        chunk(0xB010, b"01\0", u16(0x4070, 0), i16(-1)),
        chunk(0xB013, f32(0, 0, 0)),
        chunk(0xB020, track(CENTRE)),
        chunk(0xB021, track(bits(0x250D4000) + f32(1, 0, 0))),
        chunk(0xB022, track(f32(1, 1, 1))),
        chunk(0xB015, bits(0x3ED67750)),
    )
    return chunk(
        0xB000,
        chunk(0xB00A, u16(5), b"\0", u32(30)),
        layout((3, 0, 0, 0, 0, 0, 0), FOOTER_VIEWS),
        chunk(0xB008, u32(0, 30)),
        chunk(0xB009, u32(0)),
        node,
    )


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, data, size in (("TdsHdr.bin", header(), 618), ("TdsFtr.bin", footer(), 519)):
        assert len(data) == size, (name, len(data))
        with open(os.path.join(here, name), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main()
