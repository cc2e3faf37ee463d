#include "host/readers/BmpFileSource.h"

#include <array>

#include "host/readers/BmpRle.h"
#include "host/readers/ByteReader.h"
#include "host/readers/ReaderError.h"

BmpFileSource::BmpFileSource(SourceFile& file, MessageReporter& reporter)
    : FileImageSource(file, reporter) {
    if (!file.Open()) {
        error = kDamagedFile;
    } else {
        ByteReader reader(file);
        std::array<std::uint8_t, kBmpHeadersSize> bytes{};
        if (reader.Read(bytes.data(), bytes.size()) != bytes.size()) {
            error = kDamagedFile;
        } else {
            ParseBmpHeaders(bytes, fileHeader, infoHeader);
            error = CheckBmpHeaders(fileHeader, infoHeader, reader.Size());
        }
        file.Close();
    }
    if (error != kReaderOk)
        ReportError();
}

std::uint16_t BmpFileSource::Width() const {
    return IsValid() ? static_cast<std::uint16_t>(infoHeader.biWidth) : 0;
}

std::uint16_t BmpFileSource::Height() const {
    return IsValid() ? BmpRowCount(infoHeader) : 0;
}

std::uint16_t BmpFileSource::BitsPerPixel() const {
    return IsValid() ? infoHeader.biBitCount : 0;
}

void BmpFileSource::ReadAll(std::uint8_t* buffer) {
    if (!IsValid() || !file->Open())
        return;
    ByteReader reader(*file);
    const std::uint16_t width = Width(), height = Height(), bits = BitsPerPixel();
    const std::uint32_t stride = RowStride(width, bits);
    if (reader.Seek(fileHeader.bfOffBits)) {
        if (infoHeader.biCompression != kBiRgb) {
            DecodeBmpRle(reader, bits, width, height, stride, buffer);
        } else {
            // File rows are padded exactly like ours, so each goes straight to its place.
            const bool topDown = BmpIsTopDown(infoHeader);
            for (std::uint32_t i = 0; i < height; ++i) {
                const std::uint32_t row = topDown ? i : height - 1 - i;
                if (reader.Read(buffer + std::uint64_t{row} * stride, stride) != stride)
                    break;
            }
        }
    }
    file->Close();
}

void BmpFileSource::ReadPalette(RgbQuad* table) {
    const int entries = BmpColorTableEntries(BitsPerPixel());
    if (entries == 0 || !file->Open())
        return;
    ByteReader reader(*file);
    // The full table is read whatever biClrUsed says; an entry the file cuts short stays zero.
    if (reader.Seek(BmpColorTableOffset(infoHeader))) {
        for (int i = 0; i < entries; ++i) {
            std::uint8_t quad[4];
            if (reader.Read(quad, 4) != 4)
                break;
            table[i] = {quad[0], quad[1], quad[2], quad[3]};
        }
    }
    file->Close();
}
