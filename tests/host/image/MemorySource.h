#pragma once
// An ImageSource over rows and a colour table held by the test.

#include <cstring>
#include <vector>

#include "host/readers/ImageSource.h"

class MemorySource final : public ImageSource {
  public:
    MemorySource(std::uint16_t width, std::uint16_t height, std::uint16_t bits,
                 std::vector<std::uint8_t> rows, std::vector<RgbQuad> colors = {})
        : width(width), height(height), bits(bits), rows(std::move(rows)),
          colors(std::move(colors)) {
        this->rows.resize(std::size_t{RowStride(width, bits)} * height);
    }
    std::uint16_t Width() const override { return width; }
    std::uint16_t Height() const override { return height; }
    std::uint16_t BitsPerPixel() const override { return bits; }
    void ReadAll(std::uint8_t* buffer) override { std::memcpy(buffer, rows.data(), rows.size()); }
    void ReadRows(std::uint8_t*, std::uint16_t, std::uint16_t) override {}
    void ReadPalette(RgbQuad* table) override {
        for (std::size_t i = 0; i < colors.size() && i < kColorTableSize; ++i)
            table[i] = colors[i];
    }
    bool IsValid() const override { return true; }
    void ReportError() override {}

  private:
    std::uint16_t width, height, bits;
    std::vector<std::uint8_t> rows;
    std::vector<RgbQuad> colors;
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
