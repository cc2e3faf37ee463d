// The two gray-level commands of the host. Both work through 256-entry lookup tables so
// that each pixel costs one table access.
#include <array>

#include "host/image/GrayLevel.h"
#include "host/image/HostImage.h"

namespace {
std::array<std::uint8_t, 256> GrayLookup(const RgbQuad* colors, int entries) {
    std::array<std::uint8_t, 256> lookup{};
    for (int k = 0; k < entries; ++k)
        lookup[k] = GrayOf(colors[k].rgbRed, colors[k].rgbGreen, colors[k].rgbBlue);
    return lookup;
}

// Writes one gray row of width pixels from a source row of the given bit count.
void GrayRow(const std::uint8_t* in, std::uint8_t* out, std::uint32_t width, std::uint16_t bits,
             const std::array<std::uint8_t, 256>& lookup) {
    switch (bits) {
    case 1:
        for (std::uint32_t x = 0; x < width; ++x)
            out[x] = lookup[(in[x / 8] >> (7 - x % 8)) & 1];
        break;
    case 4: // both nibbles of every source byte, so an odd width fills one padding byte
        for (std::uint32_t i = 0; i < (width + 1) / 2; ++i) {
            out[2 * i] = lookup[in[i] >> 4];
            out[2 * i + 1] = lookup[in[i] & 0x0F];
        }
        break;
    case 24:
        for (std::uint32_t x = 0; x < width; ++x, in += 3)
            out[x] = GrayOf(in[2], in[1], in[0]);
        break;
    default:
        break;
    }
}
} // namespace

bool HostImage::ConvertToGray() {
    if (Failed())
        return false;
    const std::uint16_t bits = BitsPerPixel();
    const std::uint32_t width = Width(), height = Height();
    const auto lookup = GrayLookup(info_->colors, bits == 1 ? 2 : bits == 4 ? 16 : 256);
    if (bits == 8) {
        // Rows keep their stride; every byte, padding included, goes through the table.
        const std::uint64_t bytes = std::uint64_t{stride_} * height;
        for (std::uint64_t i = 0; i < bytes; ++i)
            pixels_[i] = lookup[pixels_[i]];
    } else {
        const std::uint32_t newStride = RowStride(width, 8);
        auto gray = AllocatePixels(std::uint64_t{newStride} * height);
        if (gray == nullptr)
            return false;
        for (std::uint32_t y = 0; y < height; ++y)
            GrayRow(pixels_.get() + std::uint64_t{y} * stride_,
                    gray.get() + std::uint64_t{y} * newStride, width, bits, lookup);
        pixels_ = std::move(gray);
        stride_ = newStride;
    }
    for (int i = 0; i < kColorTableSize; ++i) {
        const auto v = static_cast<std::uint8_t>(i);
        info_->colors[i] = {v, v, v, 0};
    }
    palette_ = GrayDisplayPalette();
    info_->header.biBitCount = 8;
    info_->header.biClrUsed = 256;
    info_->header.biClrImportant = 256;
    return true;
}

void HostImage::InvertGrays() {
    std::array<std::uint8_t, 256> inverse;
    for (int v = 0; v < 256; ++v)
        inverse[v] = static_cast<std::uint8_t>(255 - v);
    const std::uint64_t bytes = std::uint64_t{stride_} * Height();
    for (std::uint64_t i = 0; i < bytes; ++i)
        pixels_[i] = inverse[pixels_[i]];
}
