#include "pictures/TiffBands.h"

#include <algorithm>
#include <cstring>

#include "host/readers/RowLayout.h"

TiffBands::TiffBands(TIFF* tiff, std::uint32_t width, std::uint32_t height, int samplesPerPixel,
                     int bytesPerSample)
    : tiff_(tiff), width_(width), height_(height), samples_(samplesPerPixel),
      bytes_(bytesPerSample) {}

bool TiffBands::Plan() {
    std::uint16_t planar = PLANARCONFIG_CONTIG;
    TIFFGetFieldDefaulted(tiff_, TIFFTAG_PLANARCONFIG, &planar);
    separate_ = planar == PLANARCONFIG_SEPARATE && samples_ > 1;
    tiled_ = TIFFIsTiled(tiff_) != 0;
    std::uint32_t rows = 0;
    std::uint64_t blockBytes = 0;
    if (tiled_) {
        TIFFGetField(tiff_, TIFFTAG_TILEWIDTH, &tileWidth_);
        TIFFGetField(tiff_, TIFFTAG_TILELENGTH, &rows);
        blockBytes = static_cast<std::uint64_t>(TIFFTileSize64(tiff_));
    } else {
        TIFFGetFieldDefaulted(tiff_, TIFFTAG_ROWSPERSTRIP, &rows);
        blockBytes = static_cast<std::uint64_t>(TIFFStripSize64(tiff_));
    }
    bandRows_ = std::clamp<std::uint32_t>(rows, 1, height_);
    const std::uint64_t bandBytes = std::uint64_t{bandRows_} * width_ * samples_ * bytes_;
    if ((tiled_ && tileWidth_ == 0) || bandBytes > kMaxImageBytes || blockBytes > kMaxImageBytes)
        return false;
    band_.assign(bandBytes, 0);
    if (tiled_ || separate_)
        block_.resize(blockBytes);
    return true;
}

const std::uint8_t* TiffBands::Row(std::uint32_t y) const {
    return band_.data() + std::size_t{y - firstRow_} * width_ * samples_ * bytes_;
}

bool TiffBands::Read(std::uint32_t firstRow) {
    firstRow_ = firstRow;
    const std::uint32_t rows = std::min(bandRows_, height_ - firstRow);
    return tiled_ ? ReadTiles(firstRow, rows) : ReadStrips(firstRow, rows);
}

bool TiffBands::ReadStrips(std::uint32_t firstRow, std::uint32_t rows) {
    const std::size_t wanted = std::size_t{rows} * width_ * (separate_ ? 1 : samples_) * bytes_;
    for (int plane = 0; plane < (separate_ ? samples_ : 1); ++plane) {
        const tstrip_t strip = TIFFComputeStrip(tiff_, firstRow, static_cast<std::uint16_t>(plane));
        std::uint8_t* target = separate_ ? block_.data() : band_.data();
        if (TIFFReadEncodedStrip(tiff_, strip, target, static_cast<tmsize_t>(wanted)) !=
            static_cast<tmsize_t>(wanted))
            return false;
        if (separate_)
            Place(block_.data(), width_, rows, 0, width_, plane);
    }
    return true;
}

bool TiffBands::ReadTiles(std::uint32_t firstRow, std::uint32_t rows) {
    for (std::uint32_t x0 = 0; x0 < width_; x0 += tileWidth_) {
        for (int plane = 0; plane < (separate_ ? samples_ : 1); ++plane) {
            const ttile_t tile =
                TIFFComputeTile(tiff_, x0, firstRow, 0, static_cast<std::uint16_t>(plane));
            if (TIFFReadEncodedTile(tiff_, tile, block_.data(),
                                    static_cast<tmsize_t>(block_.size())) < 0)
                return false;
            Place(block_.data(), tileWidth_, rows, x0, std::min(tileWidth_, width_ - x0),
                  separate_ ? plane : -1);
        }
    }
    return true;
}

void TiffBands::Place(const std::uint8_t* block, std::uint32_t blockWidth, std::uint32_t rows,
                      std::uint32_t x0, std::uint32_t columns, int plane) {
    const std::size_t pixel = std::size_t{static_cast<std::uint32_t>(samples_)} * bytes_;
    const std::size_t blockPixel = plane < 0 ? pixel : bytes_;
    for (std::uint32_t r = 0; r < rows; ++r) {
        const std::uint8_t* in = block + std::size_t{r} * blockWidth * blockPixel;
        std::uint8_t* out = band_.data() + (std::size_t{r} * width_ + x0) * pixel;
        if (plane < 0) {
            std::memcpy(out, in, columns * pixel);
            continue;
        }
        for (std::uint32_t x = 0; x < columns; ++x)
            std::memcpy(out + x * pixel + plane * bytes_, in + x * bytes_, bytes_);
    }
}
