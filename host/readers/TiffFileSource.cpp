#include "host/readers/TiffFileSource.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "host/readers/PackBits.h"

TiffFileSource::TiffFileSource(ByteSource& bytes, MessageReporter& reporter)
    : FileImageSource(bytes, reporter) {
    if (!bytes_.Open()) {
        error_ = ReaderError::DamagedFile;
    } else {
        ByteReader reader(bytes_);
        error_ = ReadTiffDirectory(reader, directory_);
        if (error_ == ReaderError::None)
            error_ = CheckDirectory(reader.Size());
        bytes_.Close();
    }
    if (error_ != ReaderError::None)
        ReportError();
}

ReaderError TiffFileSource::CheckDirectory(std::uint64_t fileSize) {
    const TiffDirectory& d = directory_;
    if (d.compression != kTiffNoCompression && d.compression != kTiffPackBits)
        return ReaderError::UnsupportedCompression;
    const std::uint64_t bits =
        std::uint64_t{d.bitsPerSample} * (d.planarConfig == kTiffChunky ? 1 : d.samplesPerPixel);
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24)
        return ReaderError::UnsupportedBitsPerPixel;
    if (d.hasTiles)
        return ReaderError::TiledTiff;
    if (d.width == 0 || d.height == 0)
        return ReaderError::DamagedFile;
    if (d.width > 0xFFFF || d.height > 0xFFFF)
        return ReaderError::ImageTooLarge;
    width_ = static_cast<std::uint16_t>(d.width);
    height_ = static_cast<std::uint16_t>(d.height);
    bitsPerPixel_ = static_cast<std::uint16_t>(bits);
    rowBytes_ = PixelBytesPerRow(width_, bitsPerPixel_);
    stride_ = RowStride(width_, bitsPerPixel_);
    const std::uint64_t imageBytes = ImageBytes(width_, height_, bitsPerPixel_);
    if (imageBytes > kMaxImageBytes)
        return ReaderError::ImageTooLarge;
    if (!ImageFitsFile(imageBytes, fileSize))
        return ReaderError::DamagedFile;
    // Without strips there is no picture to read, only a blank one to make up.
    if (!d.hasStripOffsets || d.stripOffsets.empty())
        return ReaderError::DamagedFile;
    if (directory_.rowsPerStrip == 0 || directory_.rowsPerStrip > height_)
        directory_.rowsPerStrip = height_;
    return ReaderError::None;
}

void TiffFileSource::ReadAll(std::uint8_t* buffer) {
    if (!IsValid() || !bytes_.Open())
        return;
    ByteReader reader(bytes_);
    std::vector<std::uint8_t> row(rowBytes_);
    std::uint32_t delivered = 0;
    rowsPresent_ = 0;
    for (const std::uint32_t offset : directory_.stripOffsets) {
        reader.Seek(offset);
        for (std::uint32_t k = 0; k < directory_.rowsPerStrip && delivered < height_; ++k) {
            // A strip that runs short leaves its missing rows zero.
            std::fill(row.begin(), row.end(), 0);
            const bool whole = directory_.compression == kTiffPackBits
                                   ? DecodePackBitsRow(reader, row.data(), rowBytes_)
                                   : reader.Read(row.data(), rowBytes_) == rowBytes_;
            if (whole)
                ++rowsPresent_;
            std::uint8_t* out = buffer + std::uint64_t{delivered} * stride_;
            if (bitsPerPixel_ == 24) {
                for (std::uint32_t x = 0; x < width_; ++x) { // red-green-blue to blue-green-red
                    out[3 * x] = row[3 * x + 2];
                    out[3 * x + 1] = row[3 * x + 1];
                    out[3 * x + 2] = row[3 * x];
                }
            } else {
                std::memcpy(out, row.data(), rowBytes_);
            }
            ++delivered;
        }
        if (delivered == height_)
            break;
    }
    bytes_.Close();
}

void TiffFileSource::ReadPalette(RgbQuad* table) {
    if (!IsValid() || bitsPerPixel_ > 8)
        return;
    const int entries = 1 << bitsPerPixel_;
    const std::uint16_t photometric = directory_.photometric;
    // A 1-bit picture without a colour map is black and white whatever it claims to be
    // (RGB, palette or mask): anything else would show it all black.
    const bool blackAndWhite = bitsPerPixel_ == 1 && !directory_.hasColorMap;
    if (photometric == kTiffWhiteIsZero || photometric == kTiffBlackIsZero || blackAndWhite) {
        // A gray ramp over the levels the bit count has; white comes first when the file
        // says zero is white, so the picture shows as stored.
        for (int i = 0; i < entries; ++i) {
            const int level = i * 255 / (entries - 1);
            const auto v =
                static_cast<std::uint8_t>(photometric == kTiffWhiteIsZero ? 255 - level : level);
            table[i] = {v, v, v, 0};
        }
        return;
    }
    ReadColorMap(table, entries);
}

void TiffFileSource::ReadColorMap(RgbQuad* table, int entries) {
    if (!directory_.hasColorMap || !bytes_.Open())
        return;
    ByteReader reader(bytes_);
    reader.SetBigEndian(directory_.bigEndian);
    // Red plane, then green, then blue. Values are 16-bit (0..65535); the high byte is the
    // 8-bit value, as libtiff's RGBA reader takes it, so quorvmesh gets one gray from one
    // map whichever reader decodes the file (a map written as v x 257 keeps v). A map whose
    // values are all below 256 comes from a writer that stored 8-bit values: those are kept.
    std::vector<std::uint16_t> values(3 * entries);
    bool complete = reader.Seek(directory_.colorMapOffset);
    for (auto& v : values)
        complete = complete && reader.U16(v);
    if (complete) {
        const bool eightBit =
            std::all_of(values.begin(), values.end(), [](std::uint16_t v) { return v < 256; });
        const auto scale = [eightBit](std::uint16_t v) {
            return static_cast<std::uint8_t>(eightBit ? v : v >> 8);
        };
        for (int i = 0; i < entries; ++i) {
            table[i].rgbRed = scale(values[i]);
            table[i].rgbGreen = scale(values[entries + i]);
            table[i].rgbBlue = scale(values[2 * entries + i]);
            table[i].rgbReserved = 0;
        }
    }
    bytes_.Close();
}
