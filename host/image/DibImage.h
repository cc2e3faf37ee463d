#pragma once
// The host's in-memory picture: a header, a 256-entry colour table and pixel rows in the
// row layout (top row first, 4-byte padded), built from any reader, plus the logical
// palette it is drawn with.

#include <cstdint>
#include <memory>

#include "host/image/DisplayPalette.h"
#include "host/readers/BmpHeaders.h"
#include "host/readers/ImageSource.h"

struct BitmapInfo {
    BitmapInfoHeader header;
    RgbQuad colors[kColorTableSize];
};

class DibImage {
  public:
    // Pulls size, rows and colour table out of source. A 24-bit picture gets a display
    // palette only when the screen shows screenBitsPerPixel <= 8. When the source is not
    // valid or the memory cannot be had, the image is empty and Failed() answers true.
    DibImage(ImageSource& source, int screenBitsPerPixel);
    DibImage(const DibImage&) = delete;
    DibImage& operator=(const DibImage&) = delete;

    bool Failed() const { return failed_ != 0; }
    const BitmapInfo& Info() const { return *info_; }
    const BitmapInfoHeader& Header() const { return info_->header; }
    const LogicalPalette& Palette() const { return palette_; }
    bool HasPalette() const { return !palette_.empty(); }

    std::uint16_t Width() const { return static_cast<std::uint16_t>(info_->header.biWidth); }
    std::uint16_t Height() const { return static_cast<std::uint16_t>(info_->header.biHeight); }
    std::uint32_t Stride() const { return stride_; }
    const std::uint8_t* Bits() const { return pixels_.get(); }
    std::uint8_t* Bits() { return pixels_.get(); }
    std::uint16_t BitsPerPixel() const { return info_->header.biBitCount; }
    std::int16_t DrawX() const { return drawX_; }
    std::int16_t DrawY() const { return drawY_; }

  protected:
    std::unique_ptr<BitmapInfo> info_;
    std::unique_ptr<std::uint8_t[]> pixels_;
    std::uint32_t stride_ = 0;
    std::int16_t drawX_ = 0, drawY_ = 0;
    LogicalPalette palette_;
    std::uint32_t failed_ = 0;

  private:
    bool Build(ImageSource& source, int screenBitsPerPixel);
};

// A zero-filled block, or null when the memory cannot be had.
std::unique_ptr<std::uint8_t[]> AllocatePixels(std::uint64_t bytes);
