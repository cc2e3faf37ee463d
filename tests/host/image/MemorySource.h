#pragma once
// An ImageSource over rows and a colour table held by the test.

#include <array>
#include <cstring>
#include <utility>
#include <vector>

#include "host/readers/ImageSource.h"

class MemorySource final : public ImageSource {
  public:
    MemorySource(std::uint16_t width, std::uint16_t height, std::uint16_t bits,
                 std::vector<std::uint8_t> rows, std::vector<RgbQuad> colors = {})
        : width_(width), height_(height), bits_(bits), rows_(std::move(rows)),
          colors_(std::move(colors)) {
        rows_.resize(std::size_t{RowStride(width, bits)} * height);
    }
    std::uint16_t Width() const override { return width_; }
    std::uint16_t Height() const override { return height_; }
    std::uint16_t BitsPerPixel() const override { return bits_; }
    void ReadAll(std::uint8_t* buffer) override { std::memcpy(buffer, rows_.data(), rows_.size()); }
    void ReadRows(std::uint8_t*, std::uint16_t, std::uint16_t) override {}
    void ReadPalette(RgbQuad* table) override {
        for (std::size_t i = 0; i < colors_.size() && i < kColorTableSize; ++i)
            table[i] = colors_[i];
    }
    bool IsValid() const override { return true; }
    void ReportError() override {}

  private:
    std::uint16_t width_, height_, bits_;
    std::vector<std::uint8_t> rows_;
    std::vector<RgbQuad> colors_;
};

inline std::vector<RgbQuad> GrayRamp() {
    std::vector<RgbQuad> colors(256);
    for (int i = 0; i < 256; ++i)
        colors[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i),
                     static_cast<std::uint8_t>(i), 0};
    return colors;
}

// A 24-bit picture where pixel i takes colours[i % colours.size()] (red, green, blue).
inline std::vector<std::uint8_t>
TrueColorRows(std::uint16_t width, std::uint16_t height,
              const std::vector<std::array<std::uint8_t, 3>>& colours) {
    const std::uint32_t stride = RowStride(width, 24);
    std::vector<std::uint8_t> rows(std::size_t{stride} * height);
    std::size_t i = 0;
    for (std::uint32_t y = 0; y < height; ++y)
        for (std::uint32_t x = 0; x < width; ++x, ++i) {
            const auto& c = colours[i % colours.size()];
            std::uint8_t* p = rows.data() + y * stride + 3 * x;
            p[0] = c[2];
            p[1] = c[1];
            p[2] = c[0];
        }
    return rows;
}
