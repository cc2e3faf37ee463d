#pragma once
// Reads the first image of a TIFF file ("II" or "MM"), uncompressed or PackBits, with 1,
// 4, 8 or 24 bits per pixel. Everything is parsed and checked by the constructor, which
// shows why a file is refused; IsValid then answers false.

#include <cstdint>

#include "host/readers/FileImageSource.h"
#include "host/readers/TiffDirectory.h"

class TiffFileSource final : public FileImageSource {
  public:
    // bytes are read, not owned, and must outlive the reader.
    TiffFileSource(ByteSource& bytes, MessageReporter& reporter);

    std::uint16_t Width() const override { return IsValid() ? width_ : 0; }
    std::uint16_t Height() const override { return IsValid() ? height_ : 0; }
    std::uint16_t BitsPerPixel() const override { return IsValid() ? bitsPerPixel_ : 0; }
    void ReadAll(std::uint8_t* buffer) override;
    void ReadPalette(RgbQuad* table) override;

  private:
    ReaderError CheckDirectory(std::uint64_t fileSize);
    void ReadColorMap(RgbQuad* table, int entries);

    TiffDirectory directory_;
    std::uint32_t rowBytes_ = 0;
    std::uint32_t stride_ = 0;
    std::uint16_t width_ = 1;
    std::uint16_t height_ = 1;
    std::uint16_t bitsPerPixel_ = 1;
};
