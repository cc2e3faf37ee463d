#!/usr/bin/python3
"""Renders a cube with scripts/render-stl and reads the picture back."""
import os
import struct
import subprocess
import sys
import tempfile
import unittest

from png_reader import read_png

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "render-stl")

# The six faces of the unit cube as corner quads, wound outwards.
CUBE_FACES = [
    ((0, 0, 0), (0, 1, 0), (1, 1, 0), (1, 0, 0)),
    ((0, 0, 1), (1, 0, 1), (1, 1, 1), (0, 1, 1)),
    ((0, 0, 0), (1, 0, 0), (1, 0, 1), (0, 0, 1)),
    ((0, 1, 0), (0, 1, 1), (1, 1, 1), (1, 1, 0)),
    ((0, 0, 0), (0, 0, 1), (0, 1, 1), (0, 1, 0)),
    ((1, 0, 0), (1, 1, 0), (1, 1, 1), (1, 0, 1)),
]


def write_cube(path, size):
    triangles = []
    for a, b, c, d in CUBE_FACES:
        triangles += [(a, b, c), (a, c, d)]
    with open(path, "wb") as f:
        f.write(b"cube".ljust(80, b" ") + struct.pack("<I", len(triangles)))
        for triangle in triangles:
            corners = [coord * size for corner in triangle for coord in corner]
            f.write(struct.pack("<12fH", 0, 0, 0, *corners, 0))


class RenderStlTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.stl = os.path.join(self.folder.name, "cube.stl")
        self.png = os.path.join(self.folder.name, "cube.png")
        write_cube(self.stl, 10.0)

    def tearDown(self):
        self.folder.cleanup()

    def render(self, *options):
        return subprocess.run([sys.executable, SCRIPT, self.stl, "--out", self.png, *options],
                              capture_output=True, text=True)

    def test_front_view_fills_the_middle_and_leaves_the_border_white(self):
        self.assertEqual(self.render("--size", "64x48", "--view", "0,0").returncode, 0)
        width, height, depth, colour, rows = read_png(self.png)
        self.assertEqual((width, height, depth, colour), (64, 48, 8, 2))
        white = (255, 255, 255)
        self.assertEqual(rows[2][2], white)
        self.assertEqual(rows[24][3], white)
        self.assertEqual(rows[24][60], white)
        self.assertNotEqual(rows[24][32], white)
        # Only the front face is seen: one flat shade over the whole square.
        self.assertEqual(rows[10][26], rows[37][37])

    def test_faces_lit_differently_get_different_shades(self):
        self.assertEqual(self.render("--size", "120x120", "--view=-35,30").returncode, 0)
        rows = read_png(self.png)[4]
        top, front_left = rows[28][60], rows[75][40]
        front_right = rows[75][80]
        shades = {top, front_left, front_right}
        self.assertEqual(len(shades), 3, shades)
        self.assertNotIn((255, 255, 255), shades)
        # The light comes from the upper left.
        self.assertGreater(sum(top), sum(front_right))
        self.assertGreater(sum(front_left), sum(front_right))

    def test_perspective_view_renders(self):
        self.assertEqual(self.render("--size", "50x40", "--view", "1,-1,1", "--fov", "25")
                         .returncode, 0)
        self.assertEqual(read_png(self.png)[:2], (50, 40))

    def test_broken_input_is_refused_with_a_message(self):
        with open(self.stl, "r+b") as f:
            f.truncate(120)
        result = self.render()
        self.assertEqual(result.returncode, 1)
        self.assertIn("triangles announced", result.stderr)
        self.assertFalse(os.path.exists(self.png))


if __name__ == "__main__":
    unittest.main()
