// The median-cut display palette: figures worked by hand.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <set>

#include "host/image/MedianCutQuantizer.h"
#include "tests/host/image/MemorySource.h"

namespace {

using Rgb = std::array<std::uint8_t, 3>;

std::vector<Rgb> Quantize(std::uint16_t maxColors, std::uint16_t width, std::uint16_t height,
                          const std::vector<Rgb>& colours, std::uint16_t* boxCount = nullptr) {
    const auto rows = TrueColorRows(width, height, colours);
    MedianCutQuantizer q(maxColors, width, height, rows.data());
    EXPECT_TRUE(q.Run());
    if (boxCount != nullptr)
        *boxCount = q.BoxCount();
    std::vector<Rgb> out(256);
    for (int i = 0; i < 256; ++i)
        out[i] = {q.SortedColors()[3 * i], q.SortedColors()[3 * i + 1],
                  q.SortedColors()[3 * i + 2]};
    return out;
}

TEST(MedianCutQuantizer, OneColourMakesOneBox) {
    std::uint16_t boxes = 0;
    const auto c = Quantize(236, 7, 5, {{200, 100, 50}}, &boxes);
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(c[0], (Rgb{50, 25, 12}));
    for (int i = 1; i < 256; ++i)
        EXPECT_EQ(c[i], (Rgb{0, 0, 0}));
}

TEST(MedianCutQuantizer, TwoColoursDifferingInBlueDarkerFirst) {
    std::uint16_t boxes = 0;
    const auto c = Quantize(236, 6, 3, {{40, 80, 200}, {40, 80, 20}}, &boxes);
    EXPECT_EQ(boxes, 2);
    EXPECT_EQ(c[0], (Rgb{10, 20, 5}));
    EXPECT_EQ(c[1], (Rgb{10, 20, 50}));
}

TEST(MedianCutQuantizer, WhiteLandsInTheTopCell) {
    const auto c = Quantize(236, 3, 3, {{255, 255, 255}});
    EXPECT_EQ(c[0], (Rgb{63, 63, 63}));
}

TEST(MedianCutQuantizer, EqualCountsSplitTheLowerIndexFirst) {
    // The first cut is along red into {black, dark blue} and {two reds}, two pixels each;
    // with room for three colours only the first box is split again.
    const auto c = Quantize(3, 4, 1, {{0, 0, 0}, {0, 0, 8}, {255, 0, 0}, {255, 0, 8}});
    EXPECT_EQ(c[0], (Rgb{0, 0, 0}));
    EXPECT_EQ(c[1], (Rgb{0, 0, 2}));
    EXPECT_EQ(c[2], (Rgb{63, 0, 1}));
}

TEST(MedianCutQuantizer, EqualRedAndBlueExtentsCutAlongRed) {
    const auto c = Quantize(2, 3, 1, {{0, 0, 0}, {160, 0, 0}, {0, 0, 160}});
    EXPECT_EQ(c[0], (Rgb{0, 0, 20})); // black and blue share the red = 0 half
    EXPECT_EQ(c[1], (Rgb{40, 0, 0}));
}

TEST(MedianCutQuantizer, ManyColoursFillEveryBox) {
    std::mt19937 random(99);
    std::vector<Rgb> colours(64 * 64);
    for (auto& c : colours)
        c = {static_cast<std::uint8_t>(random()), static_cast<std::uint8_t>(random()),
             static_cast<std::uint8_t>(random())};
    std::uint16_t boxes = 0;
    const auto c = Quantize(236, 64, 64, colours, &boxes);
    EXPECT_EQ(boxes, 236);
    for (int i = 1; i < 236; ++i) {
        const int before = 30 * c[i - 1][0] + 59 * c[i - 1][1] + 11 * c[i - 1][2];
        EXPECT_LE(before, 30 * c[i][0] + 59 * c[i][1] + 11 * c[i][2]) << i;
    }
    EXPECT_EQ(c[236], (Rgb{0, 0, 0}));
}

TEST(MedianCutQuantizer, FewerCellsThanColoursGiveOneBoxPerCell) {
    std::vector<Rgb> colours;
    for (int i = 0; i < 10; ++i)
        colours.push_back({static_cast<std::uint8_t>(i * 24),
                           static_cast<std::uint8_t>(255 - i * 20),
                           static_cast<std::uint8_t>(i * 8)});
    std::uint16_t boxes = 0;
    const auto c = Quantize(236, 10, 3, colours, &boxes);
    EXPECT_EQ(boxes, 10);
    std::set<Rgb> found(c.begin(), c.begin() + 10), expected;
    for (const auto& colour : colours)
        expected.insert({static_cast<std::uint8_t>(colour[0] >> 2),
                         static_cast<std::uint8_t>(colour[1] >> 2),
                         static_cast<std::uint8_t>(colour[2] >> 2)});
    EXPECT_EQ(found, expected);
}

TEST(MedianCutQuantizer, PictureWithoutPixelsGivesBlack) {
    MedianCutQuantizer q(236, 0, 0, nullptr);
    ASSERT_TRUE(q.Run());
    EXPECT_EQ(q.BoxCount(), 1);
    EXPECT_EQ(q.SortedColors()[0] | q.SortedColors()[1] | q.SortedColors()[2], 0);
}

} // namespace
