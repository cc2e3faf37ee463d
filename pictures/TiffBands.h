#pragma once
// The raw samples of a TIFF picture, one band of rows at a time (a strip's or a tile row's
// worth), whether stored in strips or tiles, with samples together or in separate planes:
// a band always comes back with every pixel's samples together, in the machine's order.

#include <cstdint>
#include <vector>

#include <tiffio.h>

class TiffBands {
  public:
    // tiff is read, not owned. bytesPerSample is 1, 2 or 4.
    TiffBands(TIFF* tiff, std::uint32_t width, std::uint32_t height, int samplesPerPixel,
              int bytesPerSample);

    // The rows of one band; false when its memory exceeds the host's pixel memory.
    bool Plan();
    std::uint32_t BandRows() const { return bandRows_; }
    // Reads the band holding row firstRow (a multiple of BandRows()). false when the file
    // fails there (libtiff's error handler has been told why).
    bool Read(std::uint32_t firstRow);
    // The samples of row y of the band read last (0 <= y - firstRow < BandRows()).
    const std::uint8_t* Row(std::uint32_t y) const;

  private:
    bool ReadStrips(std::uint32_t firstRow, std::uint32_t rows);
    bool ReadTiles(std::uint32_t firstRow, std::uint32_t rows);
    // Puts a block of rows x columns pixels of one plane (or of all samples) into the band.
    void Place(const std::uint8_t* block, std::uint32_t blockWidth, std::uint32_t rows,
               std::uint32_t x0, std::uint32_t columns, int plane);

    TIFF* tiff_;
    std::uint32_t width_, height_;
    int samples_, bytes_;
    bool separate_ = false, tiled_ = false;
    std::uint32_t tileWidth_ = 0, bandRows_ = 0, firstRow_ = 0;
    std::vector<std::uint8_t> band_, block_;
};
