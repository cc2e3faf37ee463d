#pragma once
// Run-length coded BMP rows (RLE8 for 8-bit, RLE4 for 4-bit pictures), decoded into the
// row layout. Rows are coded bottom row first. Pixels the code never reaches stay as they
// are (zero in a fresh buffer); runs and deltas that leave the picture are clipped.

#include <cstdint>

#include "host/readers/ByteReader.h"

// Decodes from the reader's position until the end-of-picture code, the last row, or the
// end of the file. buffer holds height rows of stride bytes, top row first. Returns how
// many rows the code covered: height unless the file ended first (an early end-of-picture
// code blanks the rest on purpose, and counts as complete).
std::uint32_t DecodeBmpRle(ByteReader& reader, std::uint16_t bitsPerPixel, std::uint16_t width,
                           std::uint16_t height, std::uint32_t stride, std::uint8_t* buffer);
