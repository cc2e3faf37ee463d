#pragma once
// The header and first image file directory of a TIFF file: the few fields a baseline
// reader needs, each checked against the file it came from.

#include <cstdint>
#include <vector>

#include "host/readers/ByteReader.h"
#include "host/readers/ReaderError.h"

inline constexpr std::uint16_t kTiffNoCompression = 1;
inline constexpr std::uint16_t kTiffPackBits = 32773;
inline constexpr std::uint16_t kTiffWhiteIsZero = 0, kTiffBlackIsZero = 1;
// PlanarConfiguration 1: the samples of a pixel are stored together.
inline constexpr std::uint16_t kTiffChunky = 1;

struct TiffDirectory {
    std::uint16_t compression = kTiffNoCompression;
    std::uint16_t photometric = kTiffBlackIsZero; // a file without the tag is taken as gray
    std::uint16_t planarConfig = kTiffChunky;
    std::uint32_t rowsPerStrip = 0; // 0 until read: every row in one strip
    std::uint16_t samplesPerPixel = 1;
    std::uint32_t bitsPerSample = 1;   // several samples: the first one's size times the count
    std::uint32_t stripByteCounts = 0; // kept as found, not used
    std::vector<std::uint32_t> stripOffsets;
    bool hasStripOffsets = false;
    bool hasTiles = false; // any of the tile tags: the picture is stored in tiles, not strips
    std::uint32_t width = 1;
    std::uint32_t height = 1;
    std::uint32_t colorMapOffset = 0;
    bool hasColorMap = false;
    bool bigEndian = false; // "MM": every number after the first two bytes
};

// Reads the byte order, version and first directory. Sets the reader's byte order.
// Returns None or why the file is refused: the version is checked before the directory is
// read, and a directory that runs past the end of the file, or a strip table the file
// cannot hold, is damaged. Sizes and formats are checked by the caller.
ReaderError ReadTiffDirectory(ByteReader& reader, TiffDirectory& directory);
