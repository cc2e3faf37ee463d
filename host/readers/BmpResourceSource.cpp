#include "host/readers/BmpResourceSource.h"

#include <algorithm>
#include <cstring>

BmpResourceSource::BmpResourceSource(std::span<const std::uint8_t> resource) : resource_(resource) {
    if (resource_.size() < kBmpHeadersSize) {
        error_ = ReaderError::DamagedFile;
        return;
    }
    BitmapFileHeader fileHeader;
    BitmapInfoHeader infoHeader;
    ParseBmpHeaders(resource_.first<kBmpHeadersSize>(), fileHeader, infoHeader);
    error_ = CheckBmpHeaders(fileHeader, infoHeader, resource_.size());
    if (error_ == ReaderError::None &&
        (infoHeader.biSize != 40 || infoHeader.biCompression != kBiRgb))
        error_ = ReaderError::UnsupportedBmpHeader;
    if (error_ != ReaderError::None)
        return;
    width_ = static_cast<std::uint16_t>(infoHeader.biWidth);
    height_ = BmpRowCount(infoHeader);
    bitsPerPixel_ = infoHeader.biBitCount;
    pixelOffset_ = fileHeader.bfOffBits;
}

void BmpResourceSource::ReadRows(std::uint8_t* buffer, std::uint16_t firstRow,
                                 std::uint16_t rowCount) {
    if (!IsValid())
        return;
    const std::uint32_t pixelBytes = PixelBytesPerRow(width_, bitsPerPixel_);
    const std::uint32_t stride = RowStride(width_, bitsPerPixel_);
    const std::uint32_t lastRow =
        std::min<std::uint32_t>(height_, std::uint32_t{firstRow} + rowCount);
    for (std::uint32_t k = firstRow; k < lastRow; ++k) {
        const std::uint64_t at = pixelOffset_ + std::uint64_t{k} * stride;
        if (at >= resource_.size())
            break;
        const std::size_t n =
            static_cast<std::size_t>(std::min<std::uint64_t>(pixelBytes, resource_.size() - at));
        std::memcpy(buffer + std::uint64_t{k - firstRow} * stride, resource_.data() + at, n);
    }
}

void BmpResourceSource::ReadPalette(RgbQuad* table) {
    const int entries = BmpColorTableEntries(bitsPerPixel_);
    if (!IsValid() || entries == 0)
        return;
    const std::size_t start = kBmpHeadersSize;
    const std::size_t bytes = std::min<std::size_t>(entries * 4u, resource_.size() - start);
    for (std::size_t i = 0; i < bytes / 4; ++i) {
        const std::uint8_t* q = resource_.data() + start + 4 * i;
        table[i] = {q[0], q[1], q[2], q[3]};
    }
}
