#include "pictures/TiffDecoder.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>

#include "host/readers/RowLayout.h"
#include "pictures/TiffStorage.h"

namespace {
constexpr std::string_view kDamagedText = "the TIFF file is damaged or truncated";

int IgnoreWarning(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

template <class T> T SampleAt(const std::uint8_t* row, std::size_t index) {
    T value;
    std::memcpy(&value, row + index * sizeof(T), sizeof(T));
    return value;
}

bool IsAlpha(std::uint16_t extraSampleType) {
    return extraSampleType == EXTRASAMPLE_ASSOCALPHA || extraSampleType == EXTRASAMPLE_UNASSALPHA;
}
} // namespace

TiffDecoder::TiffDecoder(const std::string& path, std::uint64_t maxImageBytes)
    : PictureDecoder(maxImageBytes) {
    if (!Open(path) && why_.empty())
        Refuse(kDamagedText);
}

TiffDecoder::~TiffDecoder() {
    if (rgbaStarted_)
        TIFFRGBAImageEnd(&rgba_);
    if (tiff_ != nullptr)
        TIFFClose(tiff_);
}

int TiffDecoder::OnError(TIFF*, void* user, const char*, const char* format, va_list args) {
    auto* self = static_cast<TiffDecoder*>(user);
    ++self->errors_;
    if (self->libraryText_.empty()) {
        char text[256] = {};
        std::vsnprintf(text, sizeof text, format, args);
        self->libraryText_ = text;
    }
    return 1;
}

void TiffDecoder::Refuse(std::string_view what) {
    why_ = what;
    if (!libraryText_.empty())
        why_ += " (" + libraryText_ + ")";
}

bool TiffDecoder::Open(const std::string& path) {
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    if (options == nullptr)
        return false;
    TIFFOpenOptionsSetErrorHandlerExtR(options, OnError, this);
    TIFFOpenOptionsSetWarningHandlerExtR(options, IgnoreWarning, nullptr);
    // Nothing libtiff allocates for one strip, tile or table may exceed a picture's memory.
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, static_cast<tmsize_t>(MaxImageBytes()));
    tiff_ = TIFFOpenExt(path.c_str(), "r", options);
    TIFFOpenOptionsFree(options);
    if (tiff_ == nullptr)
        return false;
    std::error_code ignored;
    fileBytes_ = std::filesystem::file_size(path, ignored);
    if (ignored)
        fileBytes_ = 0;

    std::uint16_t bits = 1, sampleFormat = SAMPLEFORMAT_UINT, extraCount = 0;
    std::uint16_t* extraTypes = nullptr;
    TIFFGetField(tiff_, TIFFTAG_IMAGEWIDTH, &format_.width);
    TIFFGetField(tiff_, TIFFTAG_IMAGELENGTH, &format_.height);
    TIFFGetFieldDefaulted(tiff_, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tiff_, TIFFTAG_SAMPLESPERPIXEL, &samplesPerPixel_);
    TIFFGetFieldDefaulted(tiff_, TIFFTAG_SAMPLEFORMAT, &sampleFormat);
    TIFFGetFieldDefaulted(tiff_, TIFFTAG_EXTRASAMPLES, &extraCount, &extraTypes);
    if (!TIFFGetField(tiff_, TIFFTAG_PHOTOMETRIC, &photometric_))
        photometric_ = samplesPerPixel_ >= 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK;

    const bool wide16 = bits == 16 && sampleFormat == SAMPLEFORMAT_UINT;
    const bool float32 = bits == 32 && sampleFormat == SAMPLEFORMAT_IEEEFP;
    const int colors = photometric_ == PHOTOMETRIC_RGB ? 3 : 1;
    const bool byLevels = photometric_ == PHOTOMETRIC_MINISBLACK ||
                          photometric_ == PHOTOMETRIC_MINISWHITE || photometric_ == PHOTOMETRIC_RGB;
    if ((wide16 || float32) && byLevels && samplesPerPixel_ >= colors) {
        kind_ = wide16 ? Kind::kWide16 : Kind::kFloat;
        if (extraCount > 0 && extraTypes != nullptr && IsAlpha(extraTypes[0]) &&
            samplesPerPixel_ > colors)
            alphaSample_ = colors;
        format_.channels = colors + (alphaSample_ >= 0 ? 1 : 0);
        format_.wide = true;
        return CheckSize() && CheckStorage() && PlanSamples();
    }
    return PlanRgba();
}

bool TiffDecoder::CheckStorage() {
    if (const auto problem = TiffStorageProblem(tiff_, fileBytes_)) {
        why_ = std::string(kDamagedText) + " (" + *problem + ")";
        return false;
    }
    return true;
}

bool TiffDecoder::PlanSamples() {
    bands_ = std::make_unique<TiffBands>(tiff_, format_.width, format_.height, samplesPerPixel_,
                                         kind_ == Kind::kFloat ? 4 : 2);
    if (!bands_->Plan()) {
        why_ = "the TIFF file's strips or tiles are too large for quorvmesh";
        return false;
    }
    return kind_ != Kind::kFloat || FindFloatRange();
}

bool TiffDecoder::PlanRgba() {
    char text[1024] = {};
    constexpr int kStopOnError = 1;
    if (!TIFFRGBAImageOK(tiff_, text) || !TIFFRGBAImageBegin(&rgba_, tiff_, kStopOnError, text)) {
        why_ = std::string("this kind of TIFF picture is not supported (") + text + ")";
        return false;
    }
    rgbaStarted_ = true;
    rgba_.req_orientation = ORIENTATION_TOPLEFT;
    const bool gray =
        photometric_ == PHOTOMETRIC_MINISBLACK || photometric_ == PHOTOMETRIC_MINISWHITE;
    format_.channels = (gray ? 1 : 3) + (rgba_.alpha != 0 ? 1 : 0);
    if (!CheckSize() || !CheckStorage())
        return false;
    // A band of a strip's or a tile row's rows, fewer for a picture in one huge strip.
    std::uint32_t rows = 0;
    if (!TIFFGetField(tiff_, TIFFIsTiled(tiff_) ? TIFFTAG_TILELENGTH : TIFFTAG_ROWSPERSTRIP, &rows))
        rows = format_.height;
    const std::uint32_t maxRows = static_cast<std::uint32_t>(
        std::max<std::uint64_t>(1, (MaxImageBytes() / 4) / format_.width));
    rgbaRows_ = std::clamp<std::uint32_t>(rows, 1, std::min(format_.height, maxRows));
    raster_.resize(std::size_t{format_.width} * rgbaRows_);
    return true;
}

bool TiffDecoder::FindFloatRange() {
    float low = std::numeric_limits<float>::infinity(), high = -low;
    const int colors = photometric_ == PHOTOMETRIC_RGB ? 3 : 1;
    for (std::uint32_t y = 0; y < format_.height; y += bands_->BandRows()) {
        if (!bands_->Read(y))
            return false;
        for (std::uint32_t r = y; r < std::min(format_.height, y + bands_->BandRows()); ++r)
            for (std::uint32_t x = 0; x < format_.width; ++x)
                for (int c = 0; c < colors; ++c) {
                    const float v =
                        SampleAt<float>(bands_->Row(r), std::size_t{x} * samplesPerPixel_ + c);
                    if (std::isfinite(v)) {
                        low = std::min(low, v);
                        high = std::max(high, v);
                    }
                }
    }
    if (low >= 0.0f && high <= 1.0f) {
        floatLow_ = 0.0;
        floatScale_ = 65535.0;
    } else if (high > low) {
        floatLow_ = low;
        floatScale_ = 65535.0 / (double{high} - low);
    } else {
        floatScale_ = 0.0; // one value, or none at all: all black
    }
    return true;
}

// Any complaint of libtiff's while a band is read means pixels it could not decode.
bool TiffDecoder::NextBand() {
    const std::uint64_t errorsBefore = errors_;
    if (kind_ == Kind::kRgba) {
        const std::uint32_t rows = std::min(rgbaRows_, format_.height - nextRow_);
        rgba_.row_offset = static_cast<int>(nextRow_);
        rgba_.col_offset = 0;
        if (!TIFFRGBAImageGet(&rgba_, raster_.data(), format_.width, rows))
            return false;
        bandEnd_ = nextRow_ + rows;
    } else {
        if (!bands_->Read(nextRow_))
            return false;
        bandEnd_ = std::min(format_.height, nextRow_ + bands_->BandRows());
    }
    return errors_ == errorsBefore;
}

void TiffDecoder::WideRow(const std::uint8_t* row, std::uint16_t* samples) const {
    const int colors = photometric_ == PHOTOMETRIC_RGB ? 3 : 1;
    const bool inverted = photometric_ == PHOTOMETRIC_MINISWHITE;
    const auto level = [&](std::size_t index, bool isAlpha) -> std::uint16_t {
        if (kind_ == Kind::kWide16) {
            const auto v = SampleAt<std::uint16_t>(row, index);
            return inverted && !isAlpha ? static_cast<std::uint16_t>(65535 - v) : v;
        }
        const float v = SampleAt<float>(row, index);
        if (!std::isfinite(v))
            return 0;
        const double mapped =
            isAlpha ? std::clamp(double{v}, 0.0, 1.0) * 65535.0 : (v - floatLow_) * floatScale_;
        const auto rounded =
            static_cast<std::uint16_t>(std::lround(std::clamp(mapped, 0.0, 65535.0)));
        return inverted && !isAlpha ? static_cast<std::uint16_t>(65535 - rounded) : rounded;
    };
    for (std::uint32_t x = 0; x < format_.width; ++x) {
        const std::size_t first = std::size_t{x} * samplesPerPixel_;
        std::uint16_t* out = samples + std::size_t{x} * format_.channels;
        for (int c = 0; c < colors; ++c)
            out[c] = level(first + c, false);
        if (alphaSample_ >= 0)
            out[colors] = level(first + alphaSample_, true);
    }
}

void TiffDecoder::RgbaRow(const std::uint32_t* row, std::uint16_t* samples) const {
    const bool hasAlpha = format_.channels % 2 == 0;
    const int colors = format_.channels - (hasAlpha ? 1 : 0);
    for (std::uint32_t x = 0; x < format_.width; ++x) {
        std::uint16_t* out = samples + std::size_t{x} * format_.channels;
        out[0] = static_cast<std::uint16_t>(TIFFGetR(row[x]));
        if (colors == 3) {
            out[1] = static_cast<std::uint16_t>(TIFFGetG(row[x]));
            out[2] = static_cast<std::uint16_t>(TIFFGetB(row[x]));
        }
        if (hasAlpha)
            out[colors] = static_cast<std::uint16_t>(TIFFGetA(row[x]));
    }
}

bool TiffDecoder::NextRow(std::uint16_t* samples) {
    if (!why_.empty() || nextRow_ >= format_.height)
        return false;
    if (nextRow_ >= bandEnd_ && !NextBand()) {
        Refuse(kDamagedText);
        return false;
    }
    if (kind_ == Kind::kRgba) {
        // Bands start at multiples of their height.
        RgbaRow(raster_.data() + std::size_t{nextRow_ % rgbaRows_} * format_.width, samples);
    } else {
        WideRow(bands_->Row(nextRow_), samples);
    }
    ++nextRow_;
    return true;
}
