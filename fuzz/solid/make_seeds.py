#!/usr/bin/env python3
"""Makes the seeds of the solid and triangle path's fuzz target: every shape, open and solid,
in every format, from pictures of each kind the decoder knows (see SolidCase.cpp for the
layout of an input)."""
import itertools
import pathlib
import sys

out = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else
                   pathlib.Path(__file__).parent / "corpus" / "qm_fuzz_solid")
out.mkdir(parents=True, exist_ok=True)

def case(mesh, solid, fmt, ascii=False, wide=False, resolution=0, kind=2, rows=9, cols=11,
         numbers=(), holes=None, invert=False, origin=0, mirror=False, lithophane=False,
         later=(), lossless=False, budget=None):
    shape = mesh | solid << 2 | invert << 3 | origin << 6
    if holes is not None:
        shape |= 1 << 4 | holes << 5
    file = [0, 1, 2, 7][fmt] | ascii << 3 | resolution << 4 | wide << 7
    present = 0
    body = b""
    for bit, pick, spread in numbers:  # bit: 0 altitude .. 6 base
        present |= 1 << bit
        body += bytes([pick]) + spread.to_bytes(2, "big")
    more = mirror | lithophane << 1
    for bit, pick, spread in later:  # bit: 2 wall, 3 opening, 4 height, 5 max error
        more |= 1 << bit
        body += bytes([pick]) + spread.to_bytes(2, "big")
    if budget is not None:  # --triangles 2 + budget
        more |= 1 << 6
        body += budget.to_bytes(2, "big")
    more |= lossless << 7
    levels = bytes((i * 37 + 11) % 256 for i in range(2 * rows * cols))
    return bytes([shape, file, present, more]) + body + bytes([rows - 1, cols - 1, kind]) + levels

seeds = {}
for mesh, solid, fmt in itertools.product(range(3), (0, 1), range(4)):
    seeds[f"mesh{mesh}-solid{solid}-format{fmt}"] = case(mesh, solid, fmt)
seeds["ascii-stl-wide"] = case(0, 1, 0, ascii=True, wide=True)
seeds["holes-raw-bytes"] = case(0, 0, 1, kind=0, holes=1)
seeds["width-relief-base-centre"] = case(0, 1, 2, numbers=((4, 5, 0), (5, 1, 0), (6, 0, 0)),
                                         origin=1)
seeds["corner-half-resolution"] = case(1, 1, 0, resolution=3, origin=2, invert=True)
seeds["sphere-few-levels"] = case(2, 0, 3, kind=1, rows=5, cols=4)
seeds["tube-any-lengths"] = case(1, 1, 1, numbers=((0, 200, 40000), (1, 200, 9000),
                                                    (2, 200, 20000), (3, 200, 60000)))
seeds["one-pixel"] = case(0, 0, 0, rows=1, cols=1)
seeds["mirrored-lithophane-tube"] = case(1, 0, 0, mirror=True, lithophane=True,
                                         numbers=((4, 6, 0),))
seeds["hollow-globe-with-opening"] = case(2, 1, 2, rows=12, cols=16,
                                          numbers=((4, 8, 0), (5, 2, 0)),
                                          later=((2, 5, 0), (3, 6, 0)))
seeds["tube-of-a-given-height"] = case(1, 1, 1, numbers=((4, 7, 0),), later=((4, 8, 0),))
seeds["open-obj-y-up-corner"] = case(0, 0, 1, origin=2, mirror=True)
seeds["relief-within-an-error"] = case(0, 0, 0, kind=2, rows=30, cols=37,
                                       numbers=((4, 7, 0), (5, 3, 0)), later=((5, 0, 0),))
seeds["lossless-globe"] = case(2, 0, 1, kind=1, rows=16, cols=20, later=((5, 0, 0),),
                               lossless=True)
seeds["relief-in-a-budget"] = case(0, 1, 3, kind=0, rows=25, cols=25, budget=60)
seeds["solid-tube-within-an-error"] = case(1, 1, 2, kind=2, rows=20, cols=24,
                                           numbers=((4, 7, 0), (5, 3, 0)), later=((5, 0, 0),))
for name, data in seeds.items():
    (out / name).write_bytes(data)
