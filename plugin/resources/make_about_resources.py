#!/usr/bin/python3
"""Draws the About box's pictures and makes its two sounds.

Writes into OUTPUT_FOLDER:
  QV_NORM8.bmp, QV_SQSD8.bmp  the face, normal and squashed, 228 x 236, 8 bits per pixel
  QV_NORM1.bmp, QV_SQSD1.bmp  the same faces in black and white, 1 bit per pixel
  QM_LGO.bmp                  the product logo, 232 x 50, 8 bits per pixel
  SMALLPRT.bmp                the small print panel, 232 x 122, 4 bits per pixel
  TRELL.bmp                   the maker's trellis, 170 x 46, 4 bits per pixel
  sndDent.wav, sndPop.wav     PCM, mono, 11025 Hz, 8 bits, 2948 and 1484 data bytes

Every picture is at least as large as the area the box copies from it, so no copy reads
outside a bitmap. Deterministic: the same bytes on every run.

Usage: make_about_resources.py OUTPUT_FOLDER
"""
import math
import os
import struct
import sys

FACE_SIZE = (228, 236)
LOGO_SIZE = (232, 50)
SMALL_PRINT_SIZE = (232, 122)
TRELLIS_SIZE = (170, 46)
SAMPLE_RATE = 11025
DENT_BYTES = 2948
POP_BYTES = 1484

# The 16 colours of the 4-bit pictures: the usual VGA set, so they look the same on a
# 16-colour screen.
VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_GREEN, DARK_BLUE, GRAY, LIGHT_GRAY, GREEN, WHITE = 0, 2, 4, 8, 7, 10, 15

# A 5 x 7 font for the letters the pictures need.
FONT = {
    "A": "01110 10001 10001 11111 10001 10001 10001",
    "B": "11110 10001 10001 11110 10001 10001 11110",
    "C": "01110 10001 10000 10000 10000 10001 01110",
    "D": "11110 10001 10001 10001 10001 10001 11110",
    "E": "11111 10000 10000 11110 10000 10000 11111",
    "F": "11111 10000 10000 11110 10000 10000 10000",
    "G": "01110 10001 10000 10111 10001 10001 01111",
    "H": "10001 10001 10001 11111 10001 10001 10001",
    "I": "01110 00100 00100 00100 00100 00100 01110",
    "L": "10000 10000 10000 10000 10000 10000 11111",
    "M": "10001 11011 10101 10101 10001 10001 10001",
    "N": "10001 11001 10101 10011 10001 10001 10001",
    "O": "01110 10001 10001 10001 10001 10001 01110",
    "P": "11110 10001 10001 11110 10000 10000 10000",
    "Q": "01110 10001 10001 10001 10101 10010 01101",
    "R": "11110 10001 10001 11110 10100 10010 10001",
    "S": "01111 10000 10000 01110 00001 00001 11110",
    "T": "11111 00100 00100 00100 00100 00100 00100",
    "U": "10001 10001 10001 10001 10001 10001 01110",
    "V": "10001 10001 10001 10001 10001 01010 00100",
    "W": "10001 10001 10001 10101 10101 10101 01010",
    "X": "10001 10001 01010 00100 01010 10001 10001",
    "Y": "10001 10001 01010 00100 00100 00100 00100",
    "Z": "11111 00001 00010 00100 01000 10000 11111",
    "e": "00000 00000 01110 10001 11111 10000 01110",
    "h": "10000 10000 10110 11001 10001 10001 10001",
    "o": "00000 00000 01110 10001 10001 10001 01110",
    "r": "00000 00000 10110 11001 10000 10000 10000",
    "s": "00000 00000 01111 10000 01110 00001 11110",
    "u": "00000 00000 10001 10001 10001 10011 01101",
    "v": "00000 00000 10001 10001 10001 01010 00100",
    "0": "01110 10001 10011 10101 11001 10001 01110",
    "1": "00100 01100 00100 00100 00100 00100 01110",
    "2": "01110 10001 00001 00010 00100 01000 11111",
    "3": "11111 00010 00100 00010 00001 10001 01110",
    "6": "00110 01000 10000 11110 10001 10001 01110",
    ".": "00000 00000 00000 00000 00000 01100 01100",
    ",": "00000 00000 00000 00000 01100 00100 01000",
    " ": "00000 00000 00000 00000 00000 00000 00000",
}


def canvas(size, value):
    width, height = size
    return [[value] * width for _ in range(height)]


def text_width(text, scale):
    return (len(text) * 6 - 1) * scale


def draw_text(pixels, text, left, top, scale, value):
    for index, letter in enumerate(text):
        for gy, row in enumerate(FONT[letter].split()):
            for gx, bit in enumerate(row):
                if bit == "1":
                    fill_rect(pixels, left + (index * 6 + gx) * scale, top + gy * scale,
                              scale, scale, value)


def fill_rect(pixels, left, top, width, height, value):
    for y in range(max(0, top), min(len(pixels), top + height)):
        row = pixels[y]
        for x in range(max(0, left), min(len(row), left + width)):
            row[x] = value


def centred_text(pixels, text, top, scale, value):
    left = (len(pixels[0]) - text_width(text, scale)) // 2
    draw_text(pixels, text, left, top, scale, value)


# The face: a round yellow head with eyes, cheeks and a smile. Squashed, it is wider and
# flatter, its eyes are shut and its mouth is a small "o". Both are drawn in shades, so the
# 8-bit palette holds a few ramps: 0 white, 1 black, 2..65 head shade, 66 cheek, 67 eye white.
FACE_WHITE, FACE_BLACK, FACE_SHADE, FACE_CHEEK, FACE_EYE = 0, 1, 2, 66, 67


def face_palette():
    colours = [(255, 255, 255), (0, 0, 0)]
    for i in range(64):  # light (top left) to dark (bottom right)
        t = i / 63
        colours.append((int(255 - 40 * t), int(236 - 90 * t), int(90 - 70 * t)))
    colours += [(240, 128, 112), (255, 255, 255)]
    return colours + [(0, 0, 0)] * (256 - len(colours))


def face_pixels(squashed):
    width, height = FACE_SIZE
    pixels = canvas(FACE_SIZE, FACE_WHITE)
    cx, cy = 114, 118 if not squashed else 150
    rx, ry = (100, 104) if not squashed else (110, 70)
    for y in range(height):
        for x in range(width):
            d = ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2
            if d <= 1.0:
                light = ((x - cx + 0.4 * rx) ** 2 + (y - cy + 0.4 * ry) ** 2) ** 0.5
                shade = min(63, int(63 * light / (1.4 * max(rx, ry))))
                pixels[y][x] = FACE_BLACK if d > 0.94 else FACE_SHADE + shade
    eye_y = cy - ry // 3
    for side in (-1, 1):
        ex = cx + side * rx * 2 // 5
        if squashed:  # shut eyes: short curved strokes
            for x in range(ex - 14, ex + 15):
                y = eye_y + int(4 * math.cos((x - ex) / 9.0))
                fill_rect(pixels, x, y, 1, 4, FACE_BLACK)
        else:
            ellipse(pixels, ex, eye_y, 13, 18, FACE_EYE, FACE_BLACK)
            ellipse(pixels, ex + 3, eye_y + 4, 6, 8, FACE_BLACK, FACE_BLACK)
        ellipse(pixels, cx + side * rx * 3 // 5, cy + ry // 6, 12, 8, FACE_CHEEK, FACE_CHEEK)
    if squashed:
        ellipse(pixels, cx, cy + ry // 3, 12, 9, FACE_BLACK, FACE_BLACK)
    else:
        for x in range(cx - 50, cx + 51):  # smile: the lower half of a wide ellipse
            y = cy + 22 + int(40 * math.sqrt(max(0.0, 1 - ((x - cx) / 51) ** 2)))
            fill_rect(pixels, x, y - 3, 1, 6, FACE_BLACK)
    return pixels


def ellipse(pixels, cx, cy, rx, ry, inside, outline):
    for y in range(cy - ry, cy + ry + 1):
        for x in range(cx - rx, cx + rx + 1):
            d = ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2
            if d <= 1.0:
                fill_rect(pixels, x, y, 1, 1, outline if d > 0.7 else inside)


def one_bit(pixels):
    """Black outlines and features on white: what a 16-colour screen can show cleanly."""
    return [[1 if value in (FACE_BLACK,) else 0 for value in row] for row in pixels]


def logo_pixels():
    palette = [(255, 255, 255)]
    for i in range(128):  # deep blue to teal, across the name
        t = i / 127
        palette.append((int(20 + 10 * t), int(40 + 120 * t), int(140 + 60 * t)))
    palette += [(160, 160, 160)]
    palette += [(0, 0, 0)] * (256 - len(palette))
    shadow = 129
    pixels = canvas(LOGO_SIZE, 0)
    scale = 4
    text = "QuorvMesh"
    left = (LOGO_SIZE[0] - text_width(text, scale)) // 2
    draw_text(pixels, text, left + 2, 8 + 2, scale, shadow)
    letters = canvas(LOGO_SIZE, 0)
    draw_text(letters, text, left, 8, scale, 1)
    for y, row in enumerate(letters):
        for x, on in enumerate(row):
            if on:
                pixels[y][x] = 1 + (x * 127) // (LOGO_SIZE[0] - 1)
    fill_rect(pixels, 4, 43, LOGO_SIZE[0] - 8, 2, shadow)  # underline
    return palette, pixels


def small_print_pixels():
    pixels = canvas(SMALL_PRINT_SIZE, WHITE)
    width, height = SMALL_PRINT_SIZE
    fill_rect(pixels, 0, 0, width, 1, GRAY)
    fill_rect(pixels, 0, height - 1, width, 1, GRAY)
    fill_rect(pixels, 0, 0, 1, height, GRAY)
    fill_rect(pixels, width - 1, 0, 1, height, GRAY)
    lines = [
        ("VERSION 1.32", DARK_BLUE),
        ("GRAY PICTURES TO 3D MESHES", BLACK),
        ("DXF, 3DS, COB AND LWO", BLACK),
        ("", BLACK),
        ("PRESS ON THE FACE.", DARK_GREEN),
        ("PRESS HELP FOR THE MANUAL.", GRAY),
    ]
    top = 8
    for text, colour in lines:
        if text:
            centred_text(pixels, text, top, 1, colour)
        top += 18
    return pixels


def trellis_pixels():
    """A garden trellis: a diagonal lattice of laths with a vine along it."""
    pixels = canvas(TRELLIS_SIZE, WHITE)
    width, height = TRELLIS_SIZE
    for y in range(height):
        for x in range(width):
            if (x + y) % 16 < 3 or (x - y) % 16 < 3:
                pixels[y][x] = LIGHT_GRAY if (x + y) % 16 == 2 or (x - y) % 16 == 2 else GRAY
    for x in range(width):
        y = height // 2 + int(12 * math.sin(x / 14.0))
        fill_rect(pixels, x, y - 1, 1, 3, DARK_GREEN)
        if x % 18 == 9:
            ellipse(pixels, x, y - 5 if (x // 18) % 2 else y + 5, 4, 3, GREEN, DARK_GREEN)
    fill_rect(pixels, 0, 0, width, 2, BLACK)
    fill_rect(pixels, 0, height - 2, width, 2, BLACK)
    return pixels


def bmp_bytes(pixels, bits, palette):
    """A bottom-up BMP with a full colour table for its depth."""
    width, height = len(pixels[0]), len(pixels)
    colours = 1 << bits
    palette = list(palette) + [(0, 0, 0)] * (colours - len(palette))
    stride = (width * bits + 31) // 32 * 4
    offset = 14 + 40 + colours * 4
    rows = bytearray()
    for row in reversed(pixels):
        packed = bytearray(stride)
        per_byte = 8 // bits
        for x, value in enumerate(row):
            shift = (per_byte - 1 - x % per_byte) * bits
            packed[x // per_byte] |= value << shift
        rows += packed
    out = bytearray(b"BM")
    out += struct.pack("<IHHI", offset + len(rows), 0, 0, offset)
    out += struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(rows), 2835, 2835,
                       colours, colours)
    for red, green, blue in palette:
        out += bytes((blue, green, red, 0))
    return bytes(out + rows)


def wave_bytes(samples):
    data = bytes(samples)
    fmt = struct.pack("<HHIIHH", 1, 1, SAMPLE_RATE, SAMPLE_RATE, 1, 8)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt
    body += b"data" + struct.pack("<I", len(data)) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body


def dent_samples():
    """A dull falling thud with a little crunch."""
    noise = noise_source(1234)
    out = []
    for i in range(DENT_BYTES):
        t = i / SAMPLE_RATE
        envelope = math.exp(-t * 14)
        tone = math.sin(2 * math.pi * (180 - 500 * t) * t)
        out.append(sample(envelope * (0.75 * tone + 0.25 * next(noise))))
    return out


def pop_samples():
    """A short bright pop, rising."""
    noise = noise_source(99)
    out = []
    for i in range(POP_BYTES):
        t = i / SAMPLE_RATE
        envelope = math.exp(-t * 40)
        tone = math.sin(2 * math.pi * (600 + 4000 * t) * t)
        out.append(sample(envelope * (0.8 * tone + 0.2 * next(noise))))
    return out


def noise_source(seed):
    state = seed
    while True:
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        yield state / 0x3FFFFFFF - 1.0


def sample(value):
    return max(0, min(255, 128 + int(round(110 * value))))


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_about_resources.py OUTPUT_FOLDER")
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    normal, squashed = face_pixels(False), face_pixels(True)
    logo_palette, logo = logo_pixels()
    files = {
        "QV_NORM8.bmp": bmp_bytes(normal, 8, face_palette()),
        "QV_SQSD8.bmp": bmp_bytes(squashed, 8, face_palette()),
        "QV_NORM1.bmp": bmp_bytes(one_bit(normal), 1, [(255, 255, 255), (0, 0, 0)]),
        "QV_SQSD1.bmp": bmp_bytes(one_bit(squashed), 1, [(255, 255, 255), (0, 0, 0)]),
        "QM_LGO.bmp": bmp_bytes(logo, 8, logo_palette),
        "SMALLPRT.bmp": bmp_bytes(small_print_pixels(), 4, VGA),
        "TRELL.bmp": bmp_bytes(trellis_pixels(), 4, VGA),
        "sndDent.wav": wave_bytes(dent_samples()),
        "sndPop.wav": wave_bytes(pop_samples()),
    }
    for name, data in files.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
