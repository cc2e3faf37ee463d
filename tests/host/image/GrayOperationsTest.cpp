// Building a HostImage, recognising gray, Convert to Gray and Inverse Grays.
#include <gtest/gtest.h>

#include <array>
#include <random>

#include "host/image/GrayLevel.h"
#include "host/image/HostImage.h"
#include "tests/host/image/MemorySource.h"

namespace {

TEST(GrayLevel, WeightedFigures) {
    EXPECT_EQ(GrayOf(255, 255, 255), 255);
    EXPECT_EQ(GrayOf(255, 0, 0), 76);
    EXPECT_EQ(GrayOf(0, 255, 0), 150);
    EXPECT_EQ(GrayOf(0, 0, 255), 28);
    EXPECT_EQ(GrayOf(10, 20, 30), 18);
}

TEST(HostImage, HeaderAndRowsFromTheSource) {
    MemorySource source(3, 2, 8, {1, 2, 3, 0, 4, 5, 6, 0}, GrayRamp());
    HostImage image(source, 24);
    ASSERT_FALSE(image.Failed());
    EXPECT_EQ(image.Header().biSize, 40u);
    EXPECT_EQ(image.Header().biWidth, 3);
    EXPECT_EQ(image.Header().biHeight, 2);
    EXPECT_EQ(image.Header().biPlanes, 1);
    EXPECT_EQ(image.Header().biClrUsed, 256u);
    EXPECT_EQ(image.Stride(), 4u);
    EXPECT_EQ(image.Bits()[4], 4);
    EXPECT_EQ(image.Palette().size(), 256u);
    EXPECT_TRUE(image.IsGray());
}

TEST(HostImage, GrayRecognition) {
    auto ramp = GrayRamp();
    auto bluish = ramp;
    for (auto& c : bluish)
        c.rgbBlue = 7; // blue is not looked at
    auto between = ramp;
    between[13] = {0, 200, 100, 0}; // only every eighth entry is looked at
    auto wrong = ramp;
    wrong[64].rgbGreen = 65;
    const std::vector<std::uint8_t> rows(4, 0);
    for (const auto& [colors, gray] :
         {std::pair{ramp, true}, {bluish, true}, {between, true}, {wrong, false}}) {
        MemorySource source(4, 1, 8, rows, colors);
        EXPECT_EQ(HostImage(source, 24).IsGray(), gray);
    }
    MemorySource fourBit(4, 1, 4, rows, ramp);
    EXPECT_FALSE(HostImage(fourBit, 24).IsGray());
    MemorySource trueColor(4, 1, 24, std::vector<std::uint8_t>(12, 0));
    EXPECT_FALSE(HostImage(trueColor, 24).IsGray());
}

TEST(ConvertToGray, OneBitBlackAndWhite) {
    MemorySource source(10, 1, 1, {0xA5, 0xC0}, {{0, 0, 0, 0}, {255, 255, 255, 0}});
    HostImage image(source, 24);
    ASSERT_TRUE(image.ConvertToGray());
    EXPECT_EQ(image.BitsPerPixel(), 8);
    EXPECT_EQ(image.Stride(), 12u);
    const std::vector<std::uint8_t> expected = {255, 0, 255, 0, 0, 255, 0, 255, 255, 255};
    EXPECT_EQ(std::vector<std::uint8_t>(image.Bits(), image.Bits() + 10), expected);
    EXPECT_EQ(image.Header().biClrUsed, 256u);
    EXPECT_EQ(image.Header().biClrImportant, 256u);
    EXPECT_EQ(image.Info().colors[77].rgbRed, 77);
    // The screen is offered 64 levels, so the palette no longer reads as an identity ramp.
    EXPECT_FALSE(image.IsGrayPalette());
}

TEST(ConvertToGray, FourBitsSevenWideConvertsThePaddingNibble) {
    std::vector<RgbQuad> colors(16);
    for (int k = 0; k < 16; ++k)
        colors[k] = {0, 0, static_cast<std::uint8_t>(k * 16), 0}; // red only
    MemorySource source(7, 2, 4, {0x01, 0x23, 0x45, 0x6F, 0x10, 0x32, 0x54, 0x7E}, colors);
    HostImage image(source, 24);
    ASSERT_TRUE(image.ConvertToGray());
    EXPECT_EQ(image.Stride(), 8u);
    for (int x = 0; x < 8; ++x) {
        const int nibble = x < 7 ? x : 15;
        EXPECT_EQ(image.Bits()[x], GrayOf(static_cast<std::uint8_t>(nibble * 16), 0, 0)) << x;
    }
    EXPECT_EQ(image.Bits()[8], GrayOf(16, 0, 0));
}

TEST(ConvertToGray, EightBitsRunsEveryByteThroughTheTable) {
    std::vector<RgbQuad> colors(256);
    for (int k = 0; k < 256; ++k)
        colors[k] = {static_cast<std::uint8_t>(k), 0, 0, 0}; // blue ramp
    MemorySource source(3, 1, 8, {0, 100, 255, 200}, colors);
    HostImage image(source, 24);
    ASSERT_TRUE(image.ConvertToGray());
    EXPECT_EQ(image.Stride(), 4u);
    const std::vector<std::uint8_t> expected = {0, GrayOf(0, 0, 100), GrayOf(0, 0, 255),
                                                GrayOf(0, 0, 200)}; // padding too
    EXPECT_EQ(std::vector<std::uint8_t>(image.Bits(), image.Bits() + 4), expected);
}

TEST(ConvertToGray, TwentyFourBitsFiveWide) {
    const std::vector<std::array<std::uint8_t, 3>> colours = {
        {255, 255, 255}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {10, 20, 30}};
    MemorySource source(5, 2, 24, TrueColorRows(5, 2, colours));
    HostImage image(source, 24);
    EXPECT_EQ(image.Stride(), 16u);
    EXPECT_FALSE(image.HasPalette()); // a true-colour screen needs none
    ASSERT_TRUE(image.ConvertToGray());
    EXPECT_EQ(image.Stride(), 8u);
    const std::vector<std::uint8_t> row = {255, 76, 150, 28, 18};
    EXPECT_EQ(std::vector<std::uint8_t>(image.Bits(), image.Bits() + 5), row);
    EXPECT_EQ(std::vector<std::uint8_t>(image.Bits() + 8, image.Bits() + 13), row);
    // The display palette repeats the 64-level ramp; the colour table is the identity ramp.
    ASSERT_EQ(image.Palette().size(), 256u);
    EXPECT_EQ(image.Palette()[64].peRed, 0);
    EXPECT_EQ(image.Palette()[64].peBlue, 0);
    EXPECT_EQ(image.Palette()[65].peGreen, 4);
    EXPECT_EQ(image.Palette()[255].peRed, 252);
    EXPECT_EQ(image.Info().colors[64].rgbRed, 64);
}

TEST(InvertGrays, TwiceRestoresEveryByte) {
    std::mt19937 random(7);
    std::vector<std::uint8_t> rows(std::size_t{RowStride(33, 8)} * 9);
    for (auto& b : rows)
        b = static_cast<std::uint8_t>(random());
    MemorySource source(33, 9, 8, rows, GrayRamp());
    HostImage image(source, 24);
    image.InvertGrays();
    for (std::size_t i = 0; i < rows.size(); ++i)
        ASSERT_EQ(image.Bits()[i], 255 - rows[i]);
    image.InvertGrays();
    EXPECT_EQ(std::vector<std::uint8_t>(image.Bits(), image.Bits() + rows.size()), rows);
    EXPECT_TRUE(image.IsGray());
}

TEST(HostImage, PaletteScreenGetsAQuantizedPaletteForTrueColor) {
    MemorySource source(4, 4, 24, TrueColorRows(4, 4, {{255, 0, 0}, {0, 0, 255}}));
    HostImage image(source, 8);
    ASSERT_EQ(image.Palette().size(), 236u);
    EXPECT_EQ(image.Palette()[0].peBlue, 252); // the darker blue first
    EXPECT_EQ(image.Palette()[1].peRed, 252);
    EXPECT_EQ(image.Palette()[2].peRed, 0);
}

TEST(HostImage, MemoryThatCannotBeHadIsReportedAsFailure) {
    class Huge final : public ImageSource {
      public:
        std::uint16_t Width() const override { return 65535; }
        std::uint16_t Height() const override { return 65535; }
        std::uint16_t BitsPerPixel() const override { return 24; }
        void ReadAll(std::uint8_t*) override { ADD_FAILURE() << "nothing to read into"; }
        void ReadRows(std::uint8_t*, std::uint16_t, std::uint16_t) override {}
        void ReadPalette(RgbQuad*) override {}
        bool IsValid() const override { return true; }
        void ReportError() override {}
    } huge;
    HostImage image(huge, 24);
    EXPECT_TRUE(image.Failed());
    EXPECT_EQ(image.Bits(), nullptr);
    EXPECT_EQ(image.Width(), 0);
    EXPECT_FALSE(image.IsGray());
    EXPECT_FALSE(image.ConvertToGray());
    image.InvertGrays(); // nothing to invert, and no harm
}

} // namespace
