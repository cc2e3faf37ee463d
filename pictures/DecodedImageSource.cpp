#include "pictures/DecodedImageSource.h"

#include <vector>

namespace {
constexpr std::uint32_t kHalfAlpha8 = 128, kHalfAlpha16 = 32768;

// A 16-bit sample rounded to 8 bits.
std::uint8_t Narrow(std::uint16_t v) {
    return static_cast<std::uint8_t>((v + 128u) / 257u);
}

// The host's gray weights, on samples of any width.
std::uint16_t Weighted(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return static_cast<std::uint16_t>((30u * red + 59u * green + 11u * blue) / 100u);
}
} // namespace

DecodedImageSource::DecodedImageSource(PictureDecoder& decoder, bool alphaHoles, WideGray* wide)
    : decoder_(decoder), alphaHoles_(alphaHoles), wide_(wide) {}

std::uint16_t DecodedImageSource::Width() const {
    return static_cast<std::uint16_t>(decoder_.Format().width);
}

std::uint16_t DecodedImageSource::Height() const {
    return static_cast<std::uint16_t>(decoder_.Format().height);
}

std::uint16_t DecodedImageSource::BitsPerPixel() const {
    return decoder_.Format().channels <= 2 ? 8 : 24;
}

void DecodedImageSource::ReadAll(std::uint8_t* buffer) {
    const SampleFormat& format = decoder_.Format();
    const std::uint32_t width = format.width, channels = format.channels;
    const bool gray = channels <= 2, hasAlpha = channels % 2 == 0;
    const std::uint32_t half = format.wide ? kHalfAlpha16 : kHalfAlpha8;
    const std::uint32_t stride = RowStride(width, BitsPerPixel());
    if (format.wide) {
        wide_->width = width;
        wide_->height = format.height;
        wide_->levels.assign(std::size_t{width} * format.height, 0);
    }
    std::vector<std::uint16_t> samples(std::size_t{width} * channels);
    for (std::uint32_t y = 0; y < format.height; ++y) {
        if (!decoder_.NextRow(samples.data()))
            return;
        std::uint8_t* out = buffer + std::uint64_t{y} * stride;
        std::uint16_t* levels =
            format.wide ? wide_->levels.data() + std::size_t{y} * width : nullptr;
        for (std::uint32_t x = 0; x < width; ++x) {
            const std::uint16_t* s = samples.data() + std::size_t{x} * channels;
            if (alphaHoles_ && hasAlpha && s[channels - 1] < half)
                continue; // a hole: black, as the buffer and the levels already are
            if (gray) {
                out[x] = format.wide ? Narrow(s[0]) : static_cast<std::uint8_t>(s[0]);
            } else {
                for (int c = 0; c < 3; ++c) // red, green, blue stored blue first
                    out[3 * x + 2 - c] =
                        format.wide ? Narrow(s[c]) : static_cast<std::uint8_t>(s[c]);
            }
            if (levels != nullptr)
                levels[x] = gray ? s[0] : Weighted(s[0], s[1], s[2]);
        }
    }
}

void DecodedImageSource::ReadPalette(RgbQuad* table) {
    for (int i = 0; i < kColorTableSize; ++i) {
        const auto v = static_cast<std::uint8_t>(i);
        table[i] = {v, v, v, 0};
    }
}
