// Pictures the tests write for themselves: 8-bit gray BMPs with a pattern in them.
export function grayBmp(width, height, level) {
  const rowBytes = (width + 3) & ~3;
  const offset = 14 + 40 + 256 * 4;
  const bytes = Buffer.alloc(offset + rowBytes * height);
  bytes.write('BM', 0, 'latin1');
  bytes.writeUInt32LE(bytes.length, 2);
  bytes.writeUInt32LE(offset, 10);
  bytes.writeUInt32LE(40, 14);
  bytes.writeInt32LE(width, 18);
  bytes.writeInt32LE(height, 22);
  bytes.writeUInt16LE(1, 26);
  bytes.writeUInt16LE(8, 28);
  bytes.writeUInt32LE(256, 46);
  for (let i = 0; i < 256; ++i) bytes.writeUInt32LE(i * 0x010101, 54 + i * 4);
  for (let y = 0; y < height; ++y)
    for (let x = 0; x < width; ++x) bytes[offset + y * rowBytes + x] = level(x, y) & 255;
  return bytes;
}

// Rings and a ramp, with a black corner for the holes.
export function testPattern(x, y) {
  if (x < 3 && y < 3) return 0;
  return 40 + ((x * 7 + y * 3) % 150) + (((x - 12) ** 2 + (y - 9) ** 2) % 60);
}

// Smooth hills and ridges, as a terrain or a lamp shade would have.
export function hills(x, y) {
  return 128 + 70 * Math.sin(x / 9) * Math.cos(y / 7) + 40 * Math.sin((x + 2 * y) / 23);
}
