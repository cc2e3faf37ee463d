#pragma once
// Gray TIFF files made byte by byte, with their directory first and their strips after
// it, so that a test can make strips of any content, offset and length, and so that cutting
// the file short cuts into its pixels rather than its directory.

#include <cstdint>
#include <vector>

namespace picturetest {

struct StripTiff {
    std::uint32_t width = 1, height = 1, rowsPerStrip = 1;
    std::uint16_t bitsPerSample = 8, compression = 1; // COMPRESSION_*
    std::vector<std::vector<std::uint8_t>> strips;    // stored bytes, in order
    // Per strip: where its offset and count point instead of where its bytes lie; empty
    // for the true ones.
    std::vector<std::uint32_t> offsets, byteCounts;
};
std::vector<std::uint8_t> BuildStripTiff(const StripTiff& tiff);

// A complete zlib stream of bytes.
std::vector<std::uint8_t> Deflated(const std::vector<std::uint8_t>& bytes);
// TIFF's LZW codes packed 9 bits each, high bits first (at most 250 of them, so that they
// stay 9 bits wide).
std::vector<std::uint8_t> LzwCodes(const std::vector<std::uint32_t>& codes);
// Each byte a code of its own: Clear, the bytes, then EndOfInformation.
std::vector<std::uint8_t> LzwLiterals(const std::vector<std::uint8_t>& bytes);
inline constexpr std::uint32_t kLzwClear = 256, kLzwEnd = 257;

} // namespace picturetest
