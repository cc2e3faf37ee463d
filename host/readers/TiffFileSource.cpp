#include "host/readers/TiffFileSource.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "host/readers/PackBits.h"

TiffFileSource::TiffFileSource(SourceFile& file, MessageReporter& reporter)
    : FileImageSource(file, reporter) {
    if (!file.Open()) {
        error = kDamagedFile;
    } else {
        ByteReader reader(file);
        error = ReadTiffDirectory(reader, directory);
        if (error == kReaderOk)
            error = CheckDirectory(reader.Size());
        file.Close();
    }
    if (error != kReaderOk)
        ReportError();
}

std::uint16_t TiffFileSource::CheckDirectory(std::uint64_t fileSize) {
    const TiffDirectory& d = directory;
    if (d.compression != kTiffNoCompression && d.compression != kTiffPackBits)
        return kUnsupportedCompression;
    const std::uint64_t bits =
        std::uint64_t{d.bitsPerSample} * (d.planarConfig == 1 ? 1 : d.samplesPerPixel);
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24)
        return kUnsupportedBitsPerPixel;
    if (d.width == 0 || d.height == 0)
        return kDamagedFile;
    if (d.width > 0xFFFF || d.height > 0xFFFF)
        return kImageTooLarge;
    width = static_cast<std::uint16_t>(d.width);
    height = static_cast<std::uint16_t>(d.height);
    bitsPerPixel = static_cast<std::uint16_t>(bits);
    rowBytes = PixelBytesPerRow(width, bitsPerPixel);
    stride = RowStride(width, bitsPerPixel);
    const std::uint64_t imageBytes = ImageBytes(width, height, bitsPerPixel);
    if (imageBytes > kMaxImageBytes)
        return kImageTooLarge;
    if (!ImageFitsFile(imageBytes, fileSize))
        return kDamagedFile;
    if (directory.rowsPerStrip == 0 || directory.rowsPerStrip > height)
        directory.rowsPerStrip = height;
    return kReaderOk;
}

void TiffFileSource::ReadAll(std::uint8_t* buffer) {
    if (!IsValid() || !file->Open())
        return;
    ByteReader reader(*file);
    std::vector<std::uint8_t> row(rowBytes);
    std::uint32_t delivered = 0;
    for (const std::uint32_t offset : directory.stripOffsets) {
        reader.Seek(offset);
        for (std::uint32_t k = 0; k < directory.rowsPerStrip && delivered < height; ++k) {
            // A strip that runs short leaves its missing rows zero.
            std::fill(row.begin(), row.end(), 0);
            if (directory.compression == kTiffPackBits)
                DecodePackBitsRow(reader, row.data(), rowBytes);
            else
                reader.Read(row.data(), rowBytes);
            std::uint8_t* out = buffer + std::uint64_t{delivered} * stride;
            if (bitsPerPixel == 24) {
                for (std::uint32_t x = 0; x < width; ++x) { // red-green-blue to blue-green-red
                    out[3 * x] = row[3 * x + 2];
                    out[3 * x + 1] = row[3 * x + 1];
                    out[3 * x + 2] = row[3 * x];
                }
            } else {
                std::memcpy(out, row.data(), rowBytes);
            }
            ++delivered;
        }
        if (delivered == height)
            break;
    }
    file->Close();
}

void TiffFileSource::ReadPalette(RgbQuad* table) {
    if (!IsValid() || bitsPerPixel > 8)
        return;
    const int entries = 1 << bitsPerPixel;
    const std::uint16_t photometric = directory.photometric;
    if (photometric == kTiffWhiteIsZero || photometric == kTiffBlackIsZero) {
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
    if (!directory.hasColorMap || !file->Open())
        return;
    ByteReader reader(*file);
    reader.SetBigEndian(directory.bigEndian);
    // Red plane, then green, then blue; each 16-bit value keeps its low 8 bits.
    std::vector<std::uint16_t> values(3 * entries);
    bool complete = reader.Seek(directory.colorMapOffset);
    for (auto& v : values)
        complete = complete && reader.U16(v);
    if (complete) {
        for (int i = 0; i < entries; ++i) {
            table[i].rgbRed = static_cast<std::uint8_t>(values[i]);
            table[i].rgbGreen = static_cast<std::uint8_t>(values[entries + i]);
            table[i].rgbBlue = static_cast<std::uint8_t>(values[2 * entries + i]);
            table[i].rgbReserved = 0;
        }
    }
    file->Close();
}
