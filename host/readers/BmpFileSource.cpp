#include "host/readers/BmpFileSource.h"

#include <array>

#include "host/readers/BmpRle.h"
#include "host/readers/ByteReader.h"

BmpFileSource::BmpFileSource(ByteSource& bytes, MessageReporter& reporter)
    : FileImageSource(bytes, reporter) {
    if (!bytes_.Open()) {
        error_ = ReaderError::DamagedFile;
    } else {
        ByteReader reader(bytes_);
        std::array<std::uint8_t, kBmpHeadersSize> headers{};
        if (reader.Read(headers.data(), headers.size()) != headers.size()) {
            error_ = ReaderError::DamagedFile;
        } else {
            ParseBmpHeaders(headers, fileHeader_, infoHeader_);
            error_ = CheckBmpHeaders(fileHeader_, infoHeader_, reader.Size());
        }
        bytes_.Close();
    }
    if (error_ != ReaderError::None)
        ReportError();
}

std::uint16_t BmpFileSource::Width() const {
    return IsValid() ? static_cast<std::uint16_t>(infoHeader_.biWidth) : 0;
}

std::uint16_t BmpFileSource::Height() const {
    return IsValid() ? BmpRowCount(infoHeader_) : 0;
}

std::uint16_t BmpFileSource::BitsPerPixel() const {
    return IsValid() ? infoHeader_.biBitCount : 0;
}

void BmpFileSource::ReadAll(std::uint8_t* buffer) {
    if (!IsValid() || !bytes_.Open())
        return;
    ByteReader reader(bytes_);
    const std::uint16_t width = Width(), height = Height(), bits = BitsPerPixel();
    const std::uint32_t stride = RowStride(width, bits);
    rowsPresent_ = 0;
    if (reader.Seek(fileHeader_.bfOffBits)) {
        if (infoHeader_.biCompression != kBiRgb) {
            rowsPresent_ = DecodeBmpRle(reader, bits, width, height, stride, buffer);
        } else {
            // File rows are padded exactly like ours, so each goes straight to its place.
            // A last row cut short only in its padding still counts as present.
            const bool topDown = BmpIsTopDown(infoHeader_);
            const std::uint32_t pixelBytes = PixelBytesPerRow(width, bits);
            for (std::uint32_t i = 0; i < height; ++i) {
                const std::uint32_t row = topDown ? i : height - 1 - i;
                const std::size_t got = reader.Read(buffer + std::uint64_t{row} * stride, stride);
                if (got >= pixelBytes)
                    ++rowsPresent_;
                if (got != stride)
                    break;
            }
        }
    }
    bytes_.Close();
}

void BmpFileSource::ReadPalette(RgbQuad* table) {
    const int entries = BmpColorTableEntries(BitsPerPixel());
    if (entries == 0 || !bytes_.Open())
        return;
    ByteReader reader(bytes_);
    // The full table is read whatever biClrUsed says; an entry the file cuts short stays zero.
    if (reader.Seek(BmpColorTableOffset(infoHeader_))) {
        for (int i = 0; i < entries; ++i) {
            std::uint8_t quad[4];
            if (reader.Read(quad, 4) != 4)
                break;
            table[i] = {quad[0], quad[1], quad[2], quad[3]};
        }
    }
    bytes_.Close();
}
