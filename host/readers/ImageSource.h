#pragma once
// The reader interface: the image asks for its size, its rows and its colour table.
// A reader is short-lived; it is destroyed once the image has been built from it.

#include <cstdint>

#include "host/readers/RowLayout.h"

class ImageSource {
  public:
    virtual std::uint16_t Width() const = 0;
    virtual std::uint16_t Height() const = 0;
    // 1, 4, 8 or 24 for a usable image.
    virtual std::uint16_t BitsPerPixel() const = 0;
    // Writes all rows in the row layout into buffer (Height() x stride bytes, zero-filled by
    // the caller). Rows the file does not hold stay zero.
    virtual void ReadAll(std::uint8_t* buffer) = 0;
    // Writes stored rows firstRow .. firstRow + rowCount - 1 to rows 0 .. rowCount - 1.
    // Only the start-up picture reader does anything here.
    virtual void ReadRows(std::uint8_t* buffer, std::uint16_t firstRow, std::uint16_t rowCount) = 0;
    // Writes the colour table into table (kColorTableSize entries, zero-filled by the caller).
    virtual void ReadPalette(RgbQuad* table) = 0;
    virtual bool IsValid() const = 0;
    // Shows the reader's error message; readers that never refuse show nothing.
    virtual void ReportError() = 0;
    virtual ~ImageSource() = default;
};
