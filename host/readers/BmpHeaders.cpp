#include "host/readers/BmpHeaders.h"

#include "host/readers/RowLayout.h"

namespace {
std::uint16_t U16At(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}
std::uint32_t U32At(std::span<const std::uint8_t> b, std::size_t at) {
    return std::uint32_t{b[at]} | std::uint32_t{b[at + 1]} << 8 | std::uint32_t{b[at + 2]} << 16 |
           std::uint32_t{b[at + 3]} << 24;
}
std::int32_t I32At(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::int32_t>(U32At(b, at));
}

constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kLargestHeaderSize = 124; // the fifth version of the header
} // namespace

void ParseBmpHeaders(std::span<const std::uint8_t, kBmpHeadersSize> b, BitmapFileHeader& fileHeader,
                     BitmapInfoHeader& infoHeader) {
    fileHeader = {U16At(b, 0), U32At(b, 2), U16At(b, 6), U16At(b, 8), U32At(b, 10)};
    infoHeader = {U32At(b, 14), I32At(b, 18), I32At(b, 22), U16At(b, 26),
                  U16At(b, 28), U32At(b, 30), U32At(b, 34), I32At(b, 38),
                  I32At(b, 42), U32At(b, 46), U32At(b, 50)};
}

ReaderError CheckBmpHeaders(const BitmapFileHeader& fileHeader, const BitmapInfoHeader& infoHeader,
                            std::uint64_t fileSize) {
    const BitmapInfoHeader& h = infoHeader;
    if (fileSize < kBmpHeadersSize || fileHeader.bfType != kBmpSignature)
        return ReaderError::DamagedFile;
    if (h.biSize == kCoreHeaderSize)
        return ReaderError::UnsupportedBmpHeader;
    if (h.biSize < kInfoHeaderSize || h.biSize > kLargestHeaderSize)
        return ReaderError::DamagedFile;
    const std::uint16_t bits = h.biBitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24)
        return ReaderError::UnsupportedBitsPerPixel;
    const bool rle =
        (h.biCompression == kBiRle8 && bits == 8) || (h.biCompression == kBiRle4 && bits == 4);
    if (h.biCompression != kBiRgb && !rle)
        return ReaderError::UnsupportedCompression;
    const std::int64_t width = h.biWidth;
    const std::int64_t height = h.biHeight;
    if (width <= 0 || height == 0 || (rle && height < 0))
        return ReaderError::DamagedFile;
    if (width > 0xFFFF || height > 0xFFFF || height < -0xFFFF)
        return ReaderError::ImageTooLarge;
    const std::uint64_t bytes = ImageBytes(static_cast<std::uint32_t>(width), BmpRowCount(h), bits);
    if (bytes > kMaxImageBytes)
        return ReaderError::ImageTooLarge;
    if (!ImageFitsFile(bytes, fileSize))
        return ReaderError::DamagedFile;
    return ReaderError::None;
}
