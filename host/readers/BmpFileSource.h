#pragma once
// Reads a BMP file: 1, 4, 8 or 24 bits per pixel, uncompressed or run-length coded,
// stored bottom row first or (negative height) top row first. Files that cannot be read
// safely are refused by the constructor, which shows why.

#include <cstdint>

#include "common/MessageReporter.h"
#include "host/readers/BmpHeaders.h"
#include "host/readers/ImageSource.h"
#include "host/readers/ReaderError.h"
#include "host/readers/SourceFile.h"

class BmpFileSource final : public ImageSource {
  public:
    // file is read, not owned, and must outlive the reader.
    BmpFileSource(SourceFile& file, MessageReporter& reporter);

    std::uint16_t Width() const override;
    std::uint16_t Height() const override;
    std::uint16_t BitsPerPixel() const override;
    void ReadAll(std::uint8_t* buffer) override;
    void ReadRows(std::uint8_t*, std::uint16_t, std::uint16_t) override {}
    void ReadPalette(RgbQuad* table) override;
    bool IsValid() const override { return error == kReaderOk; }
    void ReportError() override;

    std::uint16_t Error() const { return error; }

  private:
    BitmapFileHeader fileHeader{};
    BitmapInfoHeader infoHeader{};
    SourceFile* file;
    MessageReporter& reporter;
    std::uint16_t error = 0;
};
