#pragma once
// Writes small BMP files by hand so tests can set every header field.

#include <cstdint>
#include <vector>

namespace readertest {

struct BmpLayout {
    std::int32_t width = 1;
    std::int32_t height = 1; // negative: rows stored top row first
    std::uint16_t bitCount = 8;
    std::uint32_t compression = 0;
    std::uint32_t headerSize = 40;
    std::uint32_t clrUsed = 0;
    std::vector<std::uint8_t> colorTable; // 4 bytes per entry (blue, green, red, 0)
    std::vector<std::uint8_t> pixelData;  // stored as they stand
    std::int64_t offBits = -1;            // -1: right after the colour table
};

std::vector<std::uint8_t> BuildBmp(const BmpLayout& layout);

// A colour table of n entries where entry i is (red i, green 2i, blue 3i), all mod 256.
std::vector<std::uint8_t> TestColorTable(int n);

} // namespace readertest
