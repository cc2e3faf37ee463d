#include "pictures/TiffStorage.h"

#include <algorithm>

namespace {
constexpr std::uint64_t kPackBitsBytesPerByte = 64;  // 2 bytes repeat one 128 times
constexpr std::uint64_t kDeflateBytesPerByte = 1032; // a 258-byte match in 2 bits
constexpr std::uint64_t kLzwBytesPerByte = 3413;     // 3839 bytes per 9-bit code
constexpr std::uint64_t kFaxRowsPerByte = 8;         // a bit a row at least
constexpr std::uint64_t kUnboundedBytesPerByte = 65536;

std::string Which(bool tiled, std::uint32_t index) {
    return std::string(tiled ? "tile " : "strip ") + std::to_string(index);
}
} // namespace

std::uint64_t MostBytesPerStoredByte(std::uint16_t compression, std::uint64_t scanlineBytes) {
    switch (compression) {
    case COMPRESSION_NONE:
        return 1;
    case COMPRESSION_PACKBITS:
        return kPackBitsBytesPerByte;
    case COMPRESSION_ADOBE_DEFLATE:
    case COMPRESSION_DEFLATE:
        return kDeflateBytesPerByte;
    case COMPRESSION_LZW:
        return kLzwBytesPerByte;
    case COMPRESSION_CCITTRLE:
    case COMPRESSION_CCITTRLEW:
    case COMPRESSION_CCITTFAX3:
    case COMPRESSION_CCITTFAX4:
        return std::clamp<std::uint64_t>(kFaxRowsPerByte * scanlineBytes, 1,
                                         kUnboundedBytesPerByte);
    default:
        return kUnboundedBytesPerByte;
    }
}

std::optional<std::string> TiffStorageProblem(TIFF* tiff, std::uint64_t fileBytes) {
    std::uint16_t compression = COMPRESSION_NONE;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_COMPRESSION, &compression);
    const std::uint64_t perByte = MostBytesPerStoredByte(compression, TIFFScanlineSize64(tiff));
    const bool tiled = TIFFIsTiled(tiff) != 0;
    std::uint32_t height = 0, rowsPerStrip = 0;
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
    rowsPerStrip = std::clamp<std::uint32_t>(rowsPerStrip, 1, std::max<std::uint32_t>(height, 1));
    const std::uint32_t stripsPerPlane = (height + rowsPerStrip - 1) / rowsPerStrip;
    const std::uint32_t count = tiled ? TIFFNumberOfTiles(tiff) : TIFFNumberOfStrips(tiff);
    if (count == 0)
        return "it has no strips or tiles";
    const std::uint64_t tileBytes = tiled ? TIFFTileSize64(tiff) : 0;
    std::uint64_t pixelBytes = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint64_t offset = TIFFGetStrileOffset(tiff, i);
        const std::uint64_t bytes = TIFFGetStrileByteCount(tiff, i);
        if (bytes == 0)
            return Which(tiled, i) + " is missing";
        if (offset > fileBytes || bytes > fileBytes - offset)
            return Which(tiled, i) + " lies past the end of the file";
        std::uint64_t decoded = tileBytes;
        if (!tiled) {
            const std::uint32_t first = i % stripsPerPlane * rowsPerStrip;
            decoded = TIFFVStripSize64(tiff, std::min(rowsPerStrip, height - first));
        }
        if (bytes * perByte < decoded)
            return Which(tiled, i) + " holds " + std::to_string(bytes) +
                   " bytes, too few for its " + std::to_string(decoded) + " bytes of pixels";
        pixelBytes += decoded;
    }
    // Strips that share their bytes would each pass.
    if (pixelBytes > fileBytes * perByte)
        return "its " + std::to_string(count) + (tiled ? " tiles" : " strips") + " need " +
               std::to_string(pixelBytes) + " bytes of pixels, more than its " +
               std::to_string(fileBytes) + " bytes can hold";
    return std::nullopt;
}
