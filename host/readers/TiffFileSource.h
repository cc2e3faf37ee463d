#pragma once
// Reads the first image of a TIFF file ("II" or "MM"), uncompressed or PackBits, with 1,
// 4, 8 or 24 bits per pixel. Everything is parsed and checked by the constructor, which
// shows why a file is refused; IsValid then answers false.

#include <cstdint>

#include "host/readers/FileImageSource.h"
#include "host/readers/TiffDirectory.h"

class TiffFileSource final : public FileImageSource {
  public:
    // file is read, not owned, and must outlive the reader.
    TiffFileSource(SourceFile& file, MessageReporter& reporter);

    std::uint16_t Width() const override { return IsValid() ? width : 0; }
    std::uint16_t Height() const override { return IsValid() ? height : 0; }
    std::uint16_t BitsPerPixel() const override { return IsValid() ? bitsPerPixel : 0; }
    void ReadAll(std::uint8_t* buffer) override;
    void ReadPalette(RgbQuad* table) override;

  private:
    std::uint16_t CheckDirectory(std::uint64_t fileSize);
    void ReadColorMap(RgbQuad* table, int entries);

    TiffDirectory directory;
    std::uint32_t rowBytes = 0;
    std::uint32_t stride = 0;
    std::uint16_t width = 1;
    std::uint16_t height = 1;
    std::uint16_t bitsPerPixel = 1;
};
