// Hand-made BMP files: row order, padding, colour tables, run-length codes and refusals.
#include <gtest/gtest.h>

#include "host/readers/ReaderError.h"
#include "tests/host/readers/ReadOutcome.h"
#include "tests/support/BmpBuilder.h"

using namespace readertest;

namespace {

ReadOutcome ReadBmp(const std::vector<std::uint8_t>& bytes) {
    return ReadMemory(bytes, ReaderChoice::Bmp);
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
    EXPECT_EQ(r.rowsPresent, 1u); // a row cut in half is not present
}

TEST(BmpReader, RowsPresentCountsTheRowsAFileCutInHalfStillHolds) {
    BmpLayout s;
    s.width = 6;
    s.height = 1024;
    s.colorTable = TestColorTable(256);
    s.pixelData = Pattern(8 * 1024);
    auto whole = BuildBmp(s);
    EXPECT_EQ(ReadBmp(whole).rowsPresent, 1024u);
    whole.resize(whole.size() - 8 * 512);
    const auto half = ReadBmp(whole);
    ASSERT_TRUE(half.valid);
    EXPECT_EQ(half.rowsPresent, 512u);
    // The missing padding of the last row does not make it missing.
    whole.resize(whole.size() - 2);
    EXPECT_EQ(ReadBmp(whole).rowsPresent, 512u);
    whole.resize(whole.size() - 1);
    EXPECT_EQ(ReadBmp(whole).rowsPresent, 511u);
}

TEST(BmpReader, RowsPresentOfARunLengthFileEndsWhereTheCodeRanOut) {
    BmpLayout s;
    s.width = 4;
    s.height = 4;
    s.compression = 1;
    s.colorTable = TestColorTable(256);
    s.pixelData = {4, 1, 0, 0, 4, 2, 0, 0, 4, 3, 0, 0, 4, 4, 0, 1};
    EXPECT_EQ(ReadBmp(BuildBmp(s)).rowsPresent, 4u);
    s.pixelData.resize(10); // a third row complete but for its end-of-row code
    EXPECT_EQ(ReadBmp(BuildBmp(s)).rowsPresent, 3u);
    s.pixelData.resize(8); // two rows, then the file ends
    EXPECT_EQ(ReadBmp(BuildBmp(s)).rowsPresent, 2u);
    s.pixelData = {4, 1, 0, 1}; // an early end of picture leaves the rest blank on purpose
    EXPECT_EQ(ReadBmp(BuildBmp(s)).rowsPresent, 4u);
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
    ReaderError error;
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
    EXPECT_TRUE(RefusedWith(ReadBmp(BuildBmp(GetParam().layout)), GetParam().error));
}

using enum ReaderError;

const Refusal kRefusals[] = {
    {"SixteenBits", With([](BmpLayout& s) { s.bitCount = 16; }), UnsupportedBitsPerPixel},
    {"ThirtyTwoBits", With([](BmpLayout& s) { s.bitCount = 32; }), UnsupportedBitsPerPixel},
    {"BitFields", With([](BmpLayout& s) { s.compression = 3; }), UnsupportedCompression},
    {"Jpeg", With([](BmpLayout& s) { s.compression = 4; }), UnsupportedCompression},
    {"Rle4On8Bits", With([](BmpLayout& s) { s.compression = 2; }), UnsupportedCompression},
    {"CoreHeader", With([](BmpLayout& s) { s.headerSize = 12; }), UnsupportedBmpHeader},
    {"OddHeader", With([](BmpLayout& s) { s.headerSize = 20; }), DamagedFile},
    {"ZeroWidth", With([](BmpLayout& s) { s.width = 0; }), DamagedFile},
    {"NegativeWidth", With([](BmpLayout& s) { s.width = -5; }), DamagedFile},
    {"ZeroHeight", With([](BmpLayout& s) { s.height = 0; }), DamagedFile},
    {"TopDownRle", With([](BmpLayout& s) { s.height = -2, s.compression = 1; }), DamagedFile},
    {"WidthOver16Bits", With([](BmpLayout& s) { s.width = 70000; }), ImageTooLarge},
    {"HeightBelowMinus16Bits", With([](BmpLayout& s) { s.height = -70000; }), ImageTooLarge},
    {"HugeBlock", With([](BmpLayout& s) { s.width = 60000, s.height = 60000, s.bitCount = 24; }),
     ImageTooLarge},
    {"TinyFileHugePicture", With([](BmpLayout& s) { s.width = 20000, s.height = 20000; }),
     DamagedFile},
};

INSTANTIATE_TEST_SUITE_P(Defects, BmpRefusals, ::testing::ValuesIn(kRefusals),
                         [](const auto& test) { return std::string(test.param.defect); });

TEST(BmpReader, TooShortForItsHeadersIsDamaged) {
    EXPECT_TRUE(RefusedWith(ReadBmp({'B', 'M', 0, 0}), ReaderError::DamagedFile));
}

} // namespace
