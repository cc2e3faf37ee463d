// Hand-made BMP files: row order, padding, colour tables, run-length codes and refusals.
#include <gtest/gtest.h>

#include "host/readers/BmpFileSource.h"
#include "host/readers/ReaderError.h"
#include "host/readers/SourceFile.h"
#include "tests/support/BmpBuilder.h"
#include "tests/support/ReaderTestSupport.h"

using namespace readertest;

namespace {

struct BmpResult {
    bool valid = false;
    std::uint16_t error = 0;
    Decoded decoded;
    std::vector<std::string> messages;
};

BmpResult ReadBmp(const std::vector<std::uint8_t>& bytes) {
    SourceFile file("memory.bmp", bytes);
    RecordingReporter reporter;
    BmpFileSource source(file, reporter);
    BmpResult r;
    r.valid = source.IsValid();
    r.error = source.Error();
    if (r.valid)
        r.decoded = Decode(source);
    r.messages = reporter.texts;
    return r;
}

TEST(BmpReader, BottomUpRowsLandTopRowFirst) {
    BmpLayout s;
    s.width = 3;
    s.height = 2;
    s.colorTable = TestColorTable(256);
    s.pixelData = {1, 2, 3, 0, 4, 5, 6, 0}; // bottom row first in the file
    const auto r = ReadBmp(BuildBmp(s));
    ASSERT_TRUE(r.valid);
    EXPECT_EQ(r.decoded.stride, 4u);
    EXPECT_EQ(r.decoded.rows, (std::vector<std::uint8_t>{4, 5, 6, 0, 1, 2, 3, 0}));
    EXPECT_EQ(r.decoded.colors[5].rgbRed, 5);
    EXPECT_EQ(r.decoded.colors[5].rgbBlue, 15);
}

TEST(BmpReader, NegativeHeightIsReadTheRightWayUp) {
    BmpLayout s;
    s.width = 3;
    s.height = -2;
    s.colorTable = TestColorTable(256);
    s.pixelData = {1, 2, 3, 0, 4, 5, 6, 0}; // top row first
    const auto r = ReadBmp(BuildBmp(s));
    ASSERT_TRUE(r.valid);
    EXPECT_EQ(r.decoded.height, 2);
    EXPECT_EQ(r.decoded.rows, (std::vector<std::uint8_t>{1, 2, 3, 0, 4, 5, 6, 0}));
}

TEST(BmpReader, OneBitTenWide) {
    BmpLayout s;
    s.width = 10;
    s.height = 1;
    s.bitCount = 1;
    s.colorTable = {0, 0, 0, 0, 255, 255, 255, 0};
    s.pixelData = {0xA5, 0xC0, 0, 0};
    const auto r = ReadBmp(BuildBmp(s));
    ASSERT_TRUE(r.valid);
    EXPECT_EQ(r.decoded.stride, 4u);
    EXPECT_EQ(r.decoded.rows[0], 0xA5);
    EXPECT_EQ(r.decoded.rows[1], 0xC0);
    EXPECT_EQ(r.decoded.colors[1].rgbGreen, 255);
    EXPECT_EQ(r.decoded.colors[2].rgbGreen, 0); // only two entries are read
}

TEST(BmpReader, TwentyFourBitsHasNoColorTable) {
    BmpLayout s;
    s.width = 1;
    s.bitCount = 24;
    s.pixelData = {1, 2, 3, 0};
    const auto r = ReadBmp(BuildBmp(s));
    ASSERT_TRUE(r.valid);
    EXPECT_EQ(r.decoded.rows, (std::vector<std::uint8_t>{1, 2, 3, 0}));
    for (const auto& c : r.decoded.colors)
        EXPECT_EQ(c.rgbRed | c.rgbGreen | c.rgbBlue | c.rgbReserved, 0);
}

TEST(BmpReader, FullTableIsReadWhateverClrUsedSays) {
    BmpLayout s;
    s.width = 4;
    s.clrUsed = 16;
    s.colorTable = TestColorTable(16);
    s.pixelData = {9, 8, 7, 6};
    s.offBits = 14 + 40 + 16 * 4;
    auto bytes = BuildBmp(s);
    bytes.resize(14 + 40 + 1024 + 4, 0xEE); // bytes past the 16 entries
    const auto r = ReadBmp(bytes);
    ASSERT_TRUE(r.valid);
    EXPECT_EQ(r.decoded.colors[15].rgbRed, 15);
    EXPECT_EQ(r.decoded.colors[17].rgbRed, 0xEE);
    EXPECT_EQ(r.decoded.rows, (std::vector<std::uint8_t>{9, 8, 7, 6}));
}

TEST(BmpReader, RowsComeFromOffBitsTheTableFromTheHeaderEnd) {
    BmpLayout s;
    s.width = 2;
    s.bitCount = 4;
    s.colorTable = TestColorTable(16);
    s.offBits = 14 + 40 + 64 + 10; // a gap after the table
    s.pixelData = {0x12, 0, 0, 0};
    const auto r = ReadBmp(BuildBmp(s));
    ASSERT_TRUE(r.valid);
    EXPECT_EQ(r.decoded.rows[0], 0x12);
    EXPECT_EQ(r.decoded.colors[2].rgbBlue, 6);
}

TEST(BmpReader, ShortFileLeavesMissingRowsZero) {
    BmpLayout s;
    s.width = 4;
    s.height = 3;
    s.colorTable = TestColorTable(256);
    s.pixelData = {1, 2, 3, 4, 5, 6}; // the bottom row and half of the next
    const auto r = ReadBmp(BuildBmp(s));
    ASSERT_TRUE(r.valid);
    EXPECT_EQ(r.decoded.rows, (std::vector<std::uint8_t>{0, 0, 0, 0, 5, 6, 0, 0, 1, 2, 3, 4}));
}

TEST(BmpReader, Rle8RunsLiteralsDeltaAndEnd) {
    BmpLayout s;
    s.width = 6;
    s.height = 3;
    s.compression = 1;
    s.colorTable = TestColorTable(256);
    s.pixelData = {
        3, 7, 0, 3, 1, 2, 3, 0, // bottom row: run of three 7s, literal 1 2 3 (padded)
        0, 0,                   // end of row
        0, 2, 2, 1,             // delta: 2 right, 1 up (to the top row)
        2, 9,                   // two 9s at x 2..3 of the top row
        0, 1,                   // end of picture
    };
    const auto r = ReadBmp(BuildBmp(s));
    ASSERT_TRUE(r.valid);
    const std::vector<std::uint8_t> expected = {0, 0, 9, 9, 0, 0, 0, 0,  // top
                                                0, 0, 0, 0, 0, 0, 0, 0,  // middle
                                                7, 7, 7, 1, 2, 3, 0, 0}; // bottom
    EXPECT_EQ(r.decoded.rows, expected);
}

TEST(BmpReader, Rle4NibblesAlternate) {
    BmpLayout s;
    s.width = 7;
    s.height = 1;
    s.bitCount = 4;
    s.compression = 2;
    s.colorTable = TestColorTable(16);
    s.pixelData = {5, 0x12, 0, 3, 0xAB, 0xC0, 0, 1}; // 1 2 1 2 1, then literal A B C
    const auto r = ReadBmp(BuildBmp(s));
    ASSERT_TRUE(r.valid);
    EXPECT_EQ(r.decoded.rows, (std::vector<std::uint8_t>{0x12, 0x12, 0x1A, 0xB0})); // C is clipped
}

TEST(BmpReader, RleRunsLeavingThePictureAreClipped) {
    BmpLayout s;
    s.width = 3;
    s.height = 2;
    s.compression = 1;
    s.colorTable = TestColorTable(256);
    // A run of 255 in a row of 3, a delta far to the right and a run there, then rows
    // past the top.
    s.pixelData = {255, 4, 0, 0, 0, 2, 255, 0, 3, 5, 0, 0, 3, 6, 0, 2, 0, 200, 3, 7};
    const auto r = ReadBmp(BuildBmp(s));
    ASSERT_TRUE(r.valid);
    EXPECT_EQ(r.decoded.rows, (std::vector<std::uint8_t>{0, 0, 0, 0, 4, 4, 4, 0}));
}

struct Refusal {
    const char* defect;
    BmpLayout layout;
    std::uint16_t error;
};

BmpLayout With(void (*change)(BmpLayout&)) {
    BmpLayout s;
    s.width = 2;
    s.height = 2;
    s.colorTable = TestColorTable(256);
    s.pixelData = std::vector<std::uint8_t>(8, 1);
    change(s);
    return s;
}

class BmpRefusals : public ::testing::TestWithParam<Refusal> {};

TEST_P(BmpRefusals, AreReportedOnceWithTheirText) {
    const auto r = ReadBmp(BuildBmp(GetParam().layout));
    EXPECT_FALSE(r.valid);
    EXPECT_EQ(r.error, GetParam().error);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0], ReaderErrorText(GetParam().error));
}

const Refusal kRefusals[] = {
    {"SixteenBits", With([](BmpLayout& s) { s.bitCount = 16; }), kUnsupportedBitsPerPixel},
    {"ThirtyTwoBits", With([](BmpLayout& s) { s.bitCount = 32; }), kUnsupportedBitsPerPixel},
    {"BitFields", With([](BmpLayout& s) { s.compression = 3; }), kUnsupportedCompression},
    {"Jpeg", With([](BmpLayout& s) { s.compression = 4; }), kUnsupportedCompression},
    {"Rle4On8Bits", With([](BmpLayout& s) { s.compression = 2; }), kUnsupportedCompression},
    {"CoreHeader", With([](BmpLayout& s) { s.headerSize = 12; }), kUnsupportedBmpHeader},
    {"OddHeader", With([](BmpLayout& s) { s.headerSize = 20; }), kDamagedFile},
    {"ZeroWidth", With([](BmpLayout& s) { s.width = 0; }), kDamagedFile},
    {"NegativeWidth", With([](BmpLayout& s) { s.width = -5; }), kDamagedFile},
    {"ZeroHeight", With([](BmpLayout& s) { s.height = 0; }), kDamagedFile},
    {"TopDownRle", With([](BmpLayout& s) { s.height = -2, s.compression = 1; }), kDamagedFile},
    {"WidthOver16Bits", With([](BmpLayout& s) { s.width = 70000; }), kImageTooLarge},
    {"HeightBelowMinus16Bits", With([](BmpLayout& s) { s.height = -70000; }), kImageTooLarge},
    {"HugeBlock", With([](BmpLayout& s) { s.width = 60000, s.height = 60000, s.bitCount = 24; }),
     kImageTooLarge},
    {"TinyFileHugePicture", With([](BmpLayout& s) { s.width = 20000, s.height = 20000; }),
     kDamagedFile},
};

INSTANTIATE_TEST_SUITE_P(Defects, BmpRefusals, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.defect); });

TEST(BmpReader, TooShortForItsHeadersIsDamaged) {
    const auto r = ReadBmp({'B', 'M', 0, 0});
    EXPECT_FALSE(r.valid);
    EXPECT_EQ(r.error, kDamagedFile);
}

} // namespace
