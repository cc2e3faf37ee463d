#pragma once
// The one row layout every reader delivers and HostImage keeps: top row first, rows
// padded to 4 bytes, 1/4/8-bit pixels packed high bits first, 24-bit pixels blue-green-red.

#include <cstdint>

struct RgbQuad {
    std::uint8_t rgbBlue, rgbGreen, rgbRed, rgbReserved;
};

// A colour table always has room for this many entries.
inline constexpr int kColorTableSize = 256;

// Pixel bytes of one row; any bit count other than 1, 4 and 8 counts as 24.
inline std::uint32_t PixelBytesPerRow(std::uint32_t width, std::uint32_t bitsPerPixel) {
    switch (bitsPerPixel) {
    case 1:
        return (width + 7) / 8;
    case 4:
        return (width + 1) / 2;
    case 8:
        return width;
    default:
        return 3 * width;
    }
}

// Pixel bytes rounded up to a multiple of 4.
inline std::uint32_t RowStride(std::uint32_t width, std::uint32_t bitsPerPixel) {
    return (PixelBytesPerRow(width, bitsPerPixel) + 3) / 4 * 4;
}

// Largest pixel block any image may take (a 24-bit picture of about 13000 x 13000).
inline constexpr std::uint64_t kMaxImageBytes = std::uint64_t{512} << 20;

// Bytes of the pixel block for an image of this size, in 64 bits so it cannot overflow.
inline std::uint64_t ImageBytes(std::uint32_t width, std::uint32_t height,
                                std::uint32_t bitsPerPixel) {
    return std::uint64_t{RowStride(width, bitsPerPixel)} * height;
}

// How much image a file of fileBytes can plausibly hold. Run-length codes expand at most
// about 128 to 1, so a tiny file that claims a huge picture is refused before anything is
// allocated for it.
inline bool ImageFitsFile(std::uint64_t imageBytes, std::uint64_t fileBytes) {
    constexpr std::uint64_t kMaxExpansion = 256;
    constexpr std::uint64_t kSmallImage = 64 * 1024;
    return imageBytes <= kMaxImageBytes && imageBytes <= fileBytes * kMaxExpansion + kSmallImage;
}
