#!/usr/bin/python3
"""Draws the 16-bit documentation heightmap and checks that its terraces need 16 bits."""
import collections
import os
import subprocess
import sys
import tempfile
import unittest

from png_reader import read_png

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "docs",
                      "make_heightmap16.py")
TERRACE = 240


class MakeHeightmap16Test(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "hills16.png")
            subprocess.run([sys.executable, SCRIPT, path], check=True)
            with open(path, "rb") as f:
                cls.bytes = f.read()
            cls.picture = read_png(path)

    def test_is_a_16_bit_gray_picture_of_many_levels(self):
        width, height, depth, colour, rows = self.picture
        self.assertEqual((width, height, depth, colour), (320, 320, 16, 0))
        levels = {v for row in rows for v in row}
        self.assertGreater(len(levels), 2000)
        self.assertLess(max(levels), 65536)

    def test_terraces_are_finer_than_an_8_bit_step(self):
        rows = self.picture[4]
        # Treads are flat at multiples of TERRACE: the pixels crowd there.
        phases = collections.Counter(v % TERRACE // 20 for row in rows for v in row)
        near_tread = phases[0] + phases[TERRACE // 20 - 1]
        self.assertGreater(near_tread, 2 * sum(phases.values()) * 2 // (TERRACE // 20))
        self.assertLess(TERRACE, 65535 // 255)

    def test_same_bytes_on_every_run(self):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "again.png")
            subprocess.run([sys.executable, SCRIPT, path], check=True)
            with open(path, "rb") as f:
                self.assertEqual(f.read(), self.bytes)


if __name__ == "__main__":
    unittest.main()
