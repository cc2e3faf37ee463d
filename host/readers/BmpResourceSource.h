#pragma once
// Reads the start-up picture: a complete BMP file held as the raw data resource "Logo".
// Its rows are stored top row first although its height is positive, so rows are copied
// in stored order. Only uncompressed pictures with a 40-byte info header are taken.

#include <cstdint>
#include <span>

#include "host/readers/BmpHeaders.h"
#include "host/readers/ImageSource.h"

class BmpResourceSource final : public ImageSource {
  public:
    // resource holds the file's bytes; not copied, so it must outlive the reader.
    explicit BmpResourceSource(std::span<const std::uint8_t> resource);

    std::uint16_t Width() const override { return width; }
    std::uint16_t Height() const override { return height; }
    std::uint16_t BitsPerPixel() const override { return bitsPerPixel; }
    void ReadAll(std::uint8_t* buffer) override { ReadRows(buffer, 0, height); }
    void ReadRows(std::uint8_t* buffer, std::uint16_t firstRow, std::uint16_t rowCount) override;
    void ReadPalette(RgbQuad* table) override;
    bool IsValid() const override { return error == 0; }
    void ReportError() override {}

  private:
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint16_t bitsPerPixel = 0;
    std::uint16_t error = 0;
    std::span<const std::uint8_t> resource;
    std::uint32_t pixelOffset = 0;
};
