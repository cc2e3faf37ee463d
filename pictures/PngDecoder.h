#pragma once
// PNG pictures through libpng: 1, 2, 4, 8 and 16 bits; gray, gray and alpha, palette, RGB
// and RGB and alpha; interlaced too. Palettes become RGB, a transparent colour becomes an
// alpha channel, low gray depths are scaled to 8 bits; 16-bit pictures stay wide.

#include <cstdio>
#include <string>
#include <vector>

#include <png.h>

#include "pictures/PictureDecoder.h"

class PngDecoder final : public PictureDecoder {
  public:
    // Reads the header of the PNG file at path; Why() is not empty when it is refused.
    PngDecoder(const std::string& path, std::uint64_t maxImageBytes);
    ~PngDecoder() override;
    PngDecoder(const PngDecoder&) = delete;
    PngDecoder& operator=(const PngDecoder&) = delete;

    bool NextRow(std::uint16_t* samples) override;

  private:
    bool ReadHeader();
    bool ReadRow(png_byte* row);
    bool ReadInterlaced();
    static void ReadBytes(png_structp png, png_bytep data, std::size_t length);
    static void OnError(png_structp png, png_const_charp message);

    std::FILE* file_ = nullptr;
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
    bool interlaced_ = false;
    bool truncated_ = false;
    std::size_t rowBytes_ = 0;
    std::uint32_t nextRow_ = 0;
    std::vector<png_byte> rows_; // one row, or every row of an interlaced picture
};
