#include "host/readers/BmpResourceSource.h"

#include <algorithm>
#include <cstring>

#include "host/readers/ReaderError.h"

BmpResourceSource::BmpResourceSource(std::span<const std::uint8_t> resource) : resource(resource) {
    if (resource.size() < kBmpHeadersSize) {
        error = kDamagedFile;
        return;
    }
    BitmapFileHeader fileHeader;
    BitmapInfoHeader infoHeader;
    ParseBmpHeaders(resource.first<kBmpHeadersSize>(), fileHeader, infoHeader);
    error = CheckBmpHeaders(fileHeader, infoHeader, resource.size());
    if (error == kReaderOk && (infoHeader.biSize != 40 || infoHeader.biCompression != kBiRgb))
        error = kUnsupportedBmpHeader;
    if (error != kReaderOk)
        return;
    width = static_cast<std::uint16_t>(infoHeader.biWidth);
    height = BmpRowCount(infoHeader);
    bitsPerPixel = infoHeader.biBitCount;
    pixelOffset = fileHeader.bfOffBits;
}

void BmpResourceSource::ReadRows(std::uint8_t* buffer, std::uint16_t firstRow,
                                 std::uint16_t rowCount) {
    if (!IsValid())
        return;
    const std::uint32_t pixelBytes = PixelBytesPerRow(width, bitsPerPixel);
    const std::uint32_t stride = RowStride(width, bitsPerPixel);
    const std::uint32_t lastRow =
        std::min<std::uint32_t>(height, std::uint32_t{firstRow} + rowCount);
    for (std::uint32_t k = firstRow; k < lastRow; ++k) {
        const std::uint64_t at = pixelOffset + std::uint64_t{k} * stride;
        if (at >= resource.size())
            break;
        const std::size_t n =
            static_cast<std::size_t>(std::min<std::uint64_t>(pixelBytes, resource.size() - at));
        std::memcpy(buffer + std::uint64_t{k - firstRow} * stride, resource.data() + at, n);
    }
}

void BmpResourceSource::ReadPalette(RgbQuad* table) {
    const int entries = BmpColorTableEntries(bitsPerPixel);
    if (!IsValid() || entries == 0)
        return;
    const std::size_t start = kBmpHeadersSize;
    const std::size_t bytes = std::min<std::size_t>(entries * 4u, resource.size() - start);
    for (std::size_t i = 0; i < bytes / 4; ++i) {
        const std::uint8_t* q = resource.data() + start + 4 * i;
        table[i] = {q[0], q[1], q[2], q[3]};
    }
}
