// A palette TIFF gives one gray whichever reader decodes it: the host's reader (uncompressed,
// PackBits) and libtiff (LZW) both take the high byte of each 16-bit colour map value.
#include <gtest/gtest.h>

#include <tiffio.h>

#include "tests/cli/pictures/PictureFiles.h"
#include "tests/support/TempFolder.h"

using namespace picturetest;

namespace {

constexpr std::uint32_t kWidth = 16, kHeight = 16;

// Every entry once; the map's planes as given.
TiffPicture PalettePicture(const std::vector<std::uint16_t>& map) {
    TiffPicture tiff;
    tiff.width = kWidth;
    tiff.height = kHeight;
    tiff.photometric = PHOTOMETRIC_PALETTE;
    tiff.colorMap = map;
    for (std::uint32_t i = 0; i < kWidth * kHeight; ++i)
        tiff.data.push_back(static_cast<std::uint8_t>(i * 7)); // 7 is odd: every index once
    return tiff;
}

// The gray the host makes of each pixel, from 8-bit entries worked out here.
std::vector<std::uint8_t> ExpectedGray(const TiffPicture& tiff, bool highByte) {
    const auto eight = [highByte](std::uint16_t v) { return highByte ? v >> 8 : v; };
    std::vector<std::uint8_t> gray;
    for (std::uint8_t index : tiff.data) {
        const int red = eight(tiff.colorMap[index]), green = eight(tiff.colorMap[256 + index]),
                  blue = eight(tiff.colorMap[512 + index]);
        gray.push_back(static_cast<std::uint8_t>((30 * red + 59 * green + 11 * blue) / 100));
    }
    return gray;
}

void EveryReaderGives(const TiffPicture& picture, const std::vector<std::uint8_t>& expected) {
    TempFolder dir;
    for (std::uint16_t compression : {COMPRESSION_NONE, COMPRESSION_PACKBITS, COMPRESSION_LZW}) {
        SCOPED_TRACE(compression);
        TiffPicture file = picture;
        file.compression = compression;
        WriteTiff(dir.File("palette.tif"), file);
        const Loaded loaded = Load(dir.File("palette.tif"));
        ASSERT_FALSE(loaded.failure) << loaded.failure->message;
        EXPECT_EQ(GrayOfImage(*loaded.picture.image), expected);
    }
}

} // namespace

TEST(PaletteTiff, SixteenBitMapsKeepTheirHighByteInEveryReader) {
    // Low bytes that would round each value up or down to another byte.
    std::vector<std::uint16_t> map(3 * 256);
    for (int i = 0; i < 256; ++i) {
        map[i] = static_cast<std::uint16_t>(i << 8 | (i < 128 ? 0xFF : 0x00));
        map[256 + i] = static_cast<std::uint16_t>((255 - i) << 8 | 0xC0);
        map[512 + i] = static_cast<std::uint16_t>((i * 5 % 256) << 8 | 0x90);
    }
    const TiffPicture picture = PalettePicture(map);
    EveryReaderGives(picture, ExpectedGray(picture, true));
}

TEST(PaletteTiff, MapsOfEightBitOrScaledValuesKeepThem) {
    std::vector<std::uint16_t> eightBit(3 * 256), scaled(3 * 256);
    for (int i = 0; i < 3 * 256; ++i) {
        eightBit[i] = static_cast<std::uint16_t>(i * 37 % 256);
        scaled[i] = static_cast<std::uint16_t>(257 * eightBit[i]);
    }
    const TiffPicture old = PalettePicture(eightBit);
    EveryReaderGives(old, ExpectedGray(old, false));
    // v x 257 and v stored as it is give the same picture.
    EveryReaderGives(PalettePicture(scaled), ExpectedGray(old, false));
}
