#pragma once
// Reads a BMP file: 1, 4, 8 or 24 bits per pixel, uncompressed or run-length coded,
// stored bottom row first or (negative height) top row first. Files that cannot be read
// safely are refused by the constructor, which shows why.

#include <cstdint>

#include "host/readers/BmpHeaders.h"
#include "host/readers/FileImageSource.h"

class BmpFileSource final : public FileImageSource {
  public:
    // bytes are read, not owned, and must outlive the reader.
    BmpFileSource(ByteSource& bytes, MessageReporter& reporter);

    std::uint16_t Width() const override;
    std::uint16_t Height() const override;
    std::uint16_t BitsPerPixel() const override;
    void ReadAll(std::uint8_t* buffer) override;
    void ReadPalette(RgbQuad* table) override;

  private:
    BitmapFileHeader fileHeader_{};
    BitmapInfoHeader infoHeader_{};
};
