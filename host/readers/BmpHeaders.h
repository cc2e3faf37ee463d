#pragma once
// The two headers at the start of a BMP file, as stored (little-endian), and the checks
// that decide whether the rest of the file can be read safely.

#include <cstdint>
#include <span>

#include "host/readers/ReaderError.h"

struct BitmapFileHeader {
    std::uint16_t bfType;
    std::uint32_t bfSize;
    std::uint16_t bfReserved1, bfReserved2;
    std::uint32_t bfOffBits;
};

struct BitmapInfoHeader {
    std::uint32_t biSize;
    std::int32_t biWidth, biHeight;
    std::uint16_t biPlanes, biBitCount;
    std::uint32_t biCompression, biSizeImage;
    std::int32_t biXPelsPerMeter, biYPelsPerMeter;
    std::uint32_t biClrUsed, biClrImportant;
};

static_assert(sizeof(BitmapInfoHeader) == 40);

inline constexpr std::size_t kBmpHeadersSize = 14 + 40;
inline constexpr std::uint16_t kBmpSignature = 0x4D42; // "BM"
inline constexpr std::uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2;

// Reads both headers from the first kBmpHeadersSize bytes.
void ParseBmpHeaders(std::span<const std::uint8_t, kBmpHeadersSize> bytes,
                     BitmapFileHeader& fileHeader, BitmapInfoHeader& infoHeader);

// None when a file of fileSize bytes with these headers can be read: a known header size,
// 1/4/8/24 bits, no compression or RLE8/RLE4 matching the bit count, a size that fits 16
// bits, and a pixel block the file can plausibly fill. Otherwise why it cannot.
ReaderError CheckBmpHeaders(const BitmapFileHeader& fileHeader, const BitmapInfoHeader& infoHeader,
                            std::uint64_t fileSize);

// Rows in the file; a negative biHeight means the top row is stored first.
inline std::uint16_t BmpRowCount(const BitmapInfoHeader& h) {
    const std::int64_t height = h.biHeight;
    return static_cast<std::uint16_t>(height < 0 ? -height : height);
}
inline bool BmpIsTopDown(const BitmapInfoHeader& h) {
    return h.biHeight < 0;
}

// Where the colour table starts: right after the info header, whatever its size.
inline std::uint64_t BmpColorTableOffset(const BitmapInfoHeader& h) {
    return 14 + std::uint64_t{h.biSize};
}

// Colour-table entries for a bit count: 2, 16 or 256, none above 8 bits.
inline int BmpColorTableEntries(std::uint16_t bitsPerPixel) {
    return bitsPerPixel == 1 ? 2 : bitsPerPixel == 4 ? 16 : bitsPerPixel == 8 ? 256 : 0;
}
