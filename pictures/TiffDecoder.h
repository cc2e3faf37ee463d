#pragma once
// The TIFF pictures the host's reader refuses, through libtiff. 16-bit gray or RGB and
// 32-bit float pictures are read sample by sample and stay wide; every other kind libtiff
// knows (LZW, Deflate, tiles, palettes, YCbCr, ...) comes through its 8-bit RGBA reader.
// A float picture whose values all lie in 0..1 maps 0..1 to 0..65535; any other is
// stretched from its lowest to its highest value (elevations); NaN and infinities are 0.
// WhiteIsZero pictures are turned the right way round, as libtiff shows them.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <tiffio.h>

#include "pictures/PictureDecoder.h"
#include "pictures/TiffBands.h"

class TiffDecoder final : public PictureDecoder {
  public:
    // Reads the first directory of the TIFF file at path; Why() is not empty when it is
    // refused.
    TiffDecoder(const std::string& path, std::uint64_t maxImageBytes);
    ~TiffDecoder() override;
    TiffDecoder(const TiffDecoder&) = delete;
    TiffDecoder& operator=(const TiffDecoder&) = delete;

    bool NextRow(std::uint16_t* samples) override;

  private:
    enum class Kind { kWide16, kFloat, kRgba };

    bool Open(const std::string& path);
    bool CheckStorage();
    bool PlanSamples();
    bool PlanRgba();
    bool FindFloatRange();
    bool NextBand();
    void WideRow(const std::uint8_t* row, std::uint16_t* samples) const;
    void RgbaRow(const std::uint32_t* row, std::uint16_t* samples) const;
    void Refuse(std::string_view what);
    static int OnError(TIFF*, void* user, const char*, const char* format, va_list args);

    TIFF* tiff_ = nullptr;
    std::string libraryText_;  // libtiff's first complaint, for the user's line
    std::uint64_t errors_ = 0; // complaints so far
    std::uint64_t fileBytes_ = 0;
    Kind kind_ = Kind::kRgba;
    std::uint16_t samplesPerPixel_ = 1, photometric_ = PHOTOMETRIC_MINISBLACK;
    int alphaSample_ = -1; // index of the alpha sample among the file's, or -1
    std::unique_ptr<TiffBands> bands_;
    TIFFRGBAImage rgba_{};
    bool rgbaStarted_ = false;
    std::uint32_t rgbaRows_ = 0;
    std::vector<std::uint32_t> raster_;
    double floatLow_ = 0.0, floatScale_ = 65535.0;
    std::uint32_t nextRow_ = 0, bandEnd_ = 0;
};
