// libtiff's TIFFs whose strips cannot give their rows: missing, past the end of the file, too
// short, cut short or damaged inside. Every one is refused with exit code 2, never a picture
// with rows of black.
#include <gtest/gtest.h>

#include <tiffio.h>

#include "tests/cli/pictures/PictureFiles.h"
#include "tests/cli/pictures/StripTiffs.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

using namespace picturetest;

namespace {

constexpr std::uint32_t kWidth = 16, kHeight = 8, kRows = 4; // two strips

std::vector<std::uint8_t> Pixels() {
    std::vector<std::uint8_t> pixels(kWidth * kHeight);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<std::uint8_t>(1 + i * 13 % 254);
    return pixels;
}

// The rows of strip `index` of the picture, as bytes.
std::vector<std::uint8_t> StripRows(int index, std::uint32_t rows = kRows) {
    const auto pixels = Pixels();
    const auto first = pixels.begin() + index * kRows * kWidth;
    return {first, first + rows * kWidth};
}

StripTiff Picture(std::uint16_t compression) {
    StripTiff tiff;
    tiff.width = kWidth;
    tiff.height = kHeight;
    tiff.rowsPerStrip = kRows;
    tiff.compression = compression;
    for (int s = 0; s < 2; ++s)
        tiff.strips.push_back(compression == COMPRESSION_LZW ? LzwLiterals(StripRows(s))
                                                             : Deflated(StripRows(s)));
    return tiff;
}

std::string RefusalOf(const TempFolder& dir, const StripTiff& tiff) {
    const std::string path = dir.File("strips.tif");
    WriteBytes(path, BuildStripTiff(tiff));
    const Loaded loaded = Load(path);
    if (!loaded.failure)
        return "taken";
    EXPECT_EQ(loaded.failure->exitCode, 2);
    EXPECT_FALSE(loaded.picture.image);
    return loaded.failure->message;
}

TEST(DamagedTiffStrips, WholeStripsGiveThePicture) {
    TempFolder dir;
    for (const std::uint16_t compression : {COMPRESSION_ADOBE_DEFLATE, COMPRESSION_LZW}) {
        const std::string path = dir.File("whole.tif");
        WriteBytes(path, BuildStripTiff(Picture(compression)));
        const Loaded loaded = Load(path);
        ASSERT_FALSE(loaded.failure) << loaded.failure->message;
        EXPECT_EQ(GrayOfImage(*loaded.picture.image), Pixels());
    }
}

TEST(DamagedTiffStrips, StripsMissingOrPastTheEndAreRefusedBeforeDecoding) {
    TempFolder dir;
    for (const std::uint16_t compression : {COMPRESSION_ADOBE_DEFLATE, COMPRESSION_LZW}) {
        StripTiff past = Picture(compression);
        past.offsets = {0, 1u << 20};
        past.offsets[0] = static_cast<std::uint32_t>(BuildStripTiff(Picture(compression)).size() -
                                                     past.strips[0].size() - past.strips[1].size());
        EXPECT_NE(RefusalOf(dir, past).find("(strip 1 lies past the end of the file)"),
                  std::string::npos);
        StripTiff overlong = Picture(compression);
        overlong.byteCounts = {static_cast<std::uint32_t>(overlong.strips[0].size()),
                               static_cast<std::uint32_t>(overlong.strips[1].size() + 1)};
        EXPECT_NE(RefusalOf(dir, overlong).find("(strip 1 lies past the end of the file)"),
                  std::string::npos);
        StripTiff empty = Picture(compression);
        empty.strips[1].clear();
        EXPECT_NE(RefusalOf(dir, empty).find("(strip 1 is missing)"), std::string::npos);
        StripTiff one = Picture(compression);
        one.strips.pop_back(); // the directory lists one strip for two
        EXPECT_NE(RefusalOf(dir, one).find("the TIFF file is damaged or truncated"),
                  std::string::npos);
    }
}

// Each strip in the file and long enough for its rows, but all of them the same bytes: a small
// file that would claim a large picture.
TEST(DamagedTiffStrips, StripsSharingTheirBytesAreRefusedBeforeDecoding) {
    TempFolder dir;
    StripTiff shared;
    shared.width = 200;
    shared.height = 5000;
    shared.bitsPerSample = 16;           // the host's reader refuses it: libtiff reads it
    shared.strips.resize(shared.height); // all empty but the first, which ends the file
    shared.strips[0].assign(400, 7);
    shared.byteCounts.assign(shared.height, 400);
    shared.offsets.assign(shared.height, 0);
    const auto at = static_cast<std::uint32_t>(BuildStripTiff(shared).size() - 400);
    shared.offsets.assign(shared.height, at);
    EXPECT_NE(RefusalOf(dir, shared)
                  .find("(its 5000 strips need 2000000 bytes of pixels, more "
                        "than its "),
              std::string::npos);
    shared.height = 1; // one strip of them is a whole picture
    shared.strips.resize(1);
    shared.offsets.resize(1);
    shared.byteCounts.resize(1);
    shared.offsets[0] = static_cast<std::uint32_t>(BuildStripTiff(shared).size() - 400);
    EXPECT_EQ(RefusalOf(dir, shared), "taken");
}

TEST(DamagedTiffStrips, StripsThatDecodeShortOrWrongAreRefused) {
    TempFolder dir;
    const std::string damaged = "the TIFF file is damaged or truncated";
    // Whole streams that end after half of their strip's rows.
    StripTiff shortDeflate = Picture(COMPRESSION_ADOBE_DEFLATE);
    shortDeflate.strips[1] = Deflated(StripRows(1, kRows / 2));
    EXPECT_NE(RefusalOf(dir, shortDeflate).find(damaged), std::string::npos);
    StripTiff shortLzw = Picture(COMPRESSION_LZW);
    shortLzw.strips[1] = LzwLiterals(StripRows(1, kRows / 2));
    EXPECT_NE(RefusalOf(dir, shortLzw).find(damaged), std::string::npos);
    // A Deflate block of the reserved type 3; an LZW code not yet in the table.
    StripTiff badBlock = Picture(COMPRESSION_ADOBE_DEFLATE);
    badBlock.strips[1][2] = 0x07;
    EXPECT_NE(RefusalOf(dir, badBlock).find(damaged), std::string::npos);
    StripTiff badCode = Picture(COMPRESSION_LZW);
    badCode.strips[1] = LzwCodes({kLzwClear, 7, 300, kLzwEnd});
    EXPECT_NE(RefusalOf(dir, badCode).find(damaged), std::string::npos);
}

// The directory comes first, so every cut falls into the pixels.
TEST(DamagedTiffStrips, EveryCutThroughThePixelsIsRefused) {
    TempFolder dir;
    for (const std::uint16_t compression : {COMPRESSION_ADOBE_DEFLATE, COMPRESSION_LZW}) {
        const std::vector<std::uint8_t> whole = BuildStripTiff(Picture(compression));
        const std::size_t pixelsStart = whole.size() - Picture(compression).strips[0].size() -
                                        Picture(compression).strips[1].size();
        const std::string path = dir.File("cut.tif");
        for (std::size_t n = pixelsStart; n < whole.size(); ++n) {
            SCOPED_TRACE(n);
            WriteBytes(path, std::vector<std::uint8_t>(whole.begin(), whole.begin() + n));
            const Loaded loaded = Load(path);
            ASSERT_TRUE(loaded.failure);
            EXPECT_EQ(loaded.failure->exitCode, 2);
            EXPECT_NE(loaded.failure->message.find("lies past the end of the file"),
                      std::string::npos)
                << loaded.failure->message;
        }
    }
}

} // namespace
