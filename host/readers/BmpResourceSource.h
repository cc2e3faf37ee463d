#pragma once
// Reads the start-up picture: a complete BMP file held as the raw data resource "Logo".
// Its rows are stored top row first although its height is positive, so rows are copied
// in stored order. Only uncompressed pictures with a 40-byte info header are taken.

#include <cstdint>
#include <span>

#include "host/readers/BmpHeaders.h"
#include "host/readers/ImageSource.h"
#include "host/readers/ReaderError.h"

class BmpResourceSource final : public ImageSource {
  public:
    // resource holds the file's bytes; not copied, so it must outlive the reader.
    explicit BmpResourceSource(std::span<const std::uint8_t> resource);

    std::uint16_t Width() const override { return width_; }
    std::uint16_t Height() const override { return height_; }
    std::uint16_t BitsPerPixel() const override { return bitsPerPixel_; }
    void ReadAll(std::uint8_t* buffer) override { ReadRows(buffer, 0, height_); }
    void ReadRows(std::uint8_t* buffer, std::uint16_t firstRow, std::uint16_t rowCount) override;
    void ReadPalette(RgbQuad* table) override;
    bool IsValid() const override { return error_ == ReaderError::None; }
    // The program's own picture: a refusal is never shown.
    void ReportError() override {}
    // Why the resource was refused; None when it was taken.
    ReaderError Error() const { return error_; }

  private:
    std::uint16_t width_ = 0;
    std::uint16_t height_ = 0;
    std::uint16_t bitsPerPixel_ = 0;
    ReaderError error_ = ReaderError::None;
    std::span<const std::uint8_t> resource_;
    std::uint32_t pixelOffset_ = 0;
};
