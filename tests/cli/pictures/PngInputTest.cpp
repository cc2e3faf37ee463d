// PNG pictures of every bit depth and colour type become the 8-bit gray the plug-in would
// see (the host's own weights for colour), and 16-bit ones keep their levels.
#include <gtest/gtest.h>

#include <png.h>

#include <set>

#include "host/image/GrayLevel.h"
#include "tests/cli/pictures/PictureFiles.h"
#include "tests/support/BmpBuilder.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

using namespace picturetest;

namespace {

constexpr std::uint32_t kWidth = 13, kHeight = 7;

// A sample of channel c at pixel i, spread over 0 .. maxValue.
std::uint16_t Pattern(std::size_t i, int c, std::uint32_t maxValue) {
    return static_cast<std::uint16_t>((i * 2654435761u + c * 40503u) % (maxValue + 1));
}

PngPicture MakePng(int colorType, int bitDepth, int channels) {
    PngPicture png;
    png.width = kWidth;
    png.height = kHeight;
    png.colorType = colorType;
    png.bitDepth = bitDepth;
    for (std::size_t i = 0; i < std::size_t{kWidth} * kHeight; ++i)
        for (int c = 0; c < channels; ++c)
            png.samples.push_back(Pattern(i, c, (1u << bitDepth) - 1));
    return png;
}

std::uint8_t Narrow(std::uint16_t v) {
    return static_cast<std::uint8_t>((v + 128) / 257);
}

TEST(PngInput, GrayOfEveryDepthIsScaledTo8Bits) {
    TempFolder dir;
    for (int depth : {1, 2, 4, 8, 16}) {
        SCOPED_TRACE(depth);
        const PngPicture png = MakePng(PNG_COLOR_TYPE_GRAY, depth, 1);
        WritePng(dir.File("g.png"), png);
        const Loaded loaded = Load(dir.File("g.png"));
        ASSERT_FALSE(loaded.failure) << loaded.failure->message;
        std::vector<std::uint8_t> expected;
        for (std::uint16_t v : png.samples)
            expected.push_back(
                depth == 16 ? Narrow(v) : static_cast<std::uint8_t>(v * 255 / ((1 << depth) - 1)));
        EXPECT_EQ(GrayOfImage(*loaded.picture.image), expected);
        ASSERT_EQ(loaded.picture.wide.has_value(), depth == 16);
        if (depth == 16) {
            EXPECT_EQ(loaded.picture.wide->width, kWidth);
            EXPECT_EQ(loaded.picture.wide->height, kHeight);
            EXPECT_EQ(loaded.picture.wide->levels, png.samples);
        }
    }
}

TEST(PngInput, ColourIsMadeGrayWithTheHostsWeights) {
    TempFolder dir;
    const struct {
        int colorType, depth, channels;
    } cases[] = {{PNG_COLOR_TYPE_RGB, 8, 3},        {PNG_COLOR_TYPE_RGB, 16, 3},
                 {PNG_COLOR_TYPE_RGB_ALPHA, 8, 4},  {PNG_COLOR_TYPE_RGB_ALPHA, 16, 4},
                 {PNG_COLOR_TYPE_GRAY_ALPHA, 8, 2}, {PNG_COLOR_TYPE_GRAY_ALPHA, 16, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.colorType << " " << c.depth);
        const PngPicture png = MakePng(c.colorType, c.depth, c.channels);
        WritePng(dir.File("c.png"), png);
        const Loaded loaded = Load(dir.File("c.png"));
        ASSERT_FALSE(loaded.failure) << loaded.failure->message;
        std::vector<std::uint8_t> expected;
        std::vector<std::uint16_t> levels;
        for (std::size_t i = 0; i < png.samples.size(); i += c.channels) {
            const auto eight = [&](int k) {
                return c.depth == 16 ? Narrow(png.samples[i + k])
                                     : static_cast<std::uint8_t>(png.samples[i + k]);
            };
            expected.push_back(c.channels <= 2 ? eight(0) : GrayOf(eight(0), eight(1), eight(2)));
            levels.push_back(
                c.channels <= 2
                    ? png.samples[i]
                    : static_cast<std::uint16_t>((30u * png.samples[i] + 59u * png.samples[i + 1] +
                                                  11u * png.samples[i + 2]) /
                                                 100u));
        }
        EXPECT_EQ(GrayOfImage(*loaded.picture.image), expected);
        ASSERT_EQ(loaded.picture.wide.has_value(), c.depth == 16);
        if (c.depth == 16) {
            EXPECT_EQ(loaded.picture.wide->levels, levels);
        }
    }
}

TEST(PngInput, PalettesOfEveryDepthGiveTheirEntriesGrays) {
    TempFolder dir;
    for (int depth : {1, 2, 4, 8}) {
        SCOPED_TRACE(depth);
        PngPicture png = MakePng(PNG_COLOR_TYPE_PALETTE, depth, 1);
        for (int i = 0; i < (1 << depth); ++i)
            png.palette.insert(png.palette.end(), {static_cast<std::uint8_t>(i * 37 + 5),
                                                   static_cast<std::uint8_t>(i * 91),
                                                   static_cast<std::uint8_t>(255 - i * 13)});
        WritePng(dir.File("p.png"), png);
        const Loaded loaded = Load(dir.File("p.png"));
        ASSERT_FALSE(loaded.failure) << loaded.failure->message;
        std::vector<std::uint8_t> expected;
        for (std::uint16_t v : png.samples)
            expected.push_back(
                GrayOf(png.palette[3 * v], png.palette[3 * v + 1], png.palette[3 * v + 2]));
        EXPECT_EQ(GrayOfImage(*loaded.picture.image), expected);
        EXPECT_FALSE(loaded.picture.wide);
    }
}

TEST(PngInput, ASixteenBitRampKeepsAll65536Levels) {
    TempFolder dir;
    PngPicture png;
    png.width = 256;
    png.height = 256;
    png.bitDepth = 16;
    for (std::uint32_t v = 0; v < 65536; ++v)
        png.samples.push_back(static_cast<std::uint16_t>(v));
    WritePng(dir.File("ramp.png"), png);
    const Loaded loaded = Load(dir.File("ramp.png"));
    ASSERT_FALSE(loaded.failure) << loaded.failure->message;
    ASSERT_TRUE(loaded.picture.wide);
    EXPECT_EQ(loaded.picture.wide->levels, png.samples);
    EXPECT_EQ(std::set<std::uint16_t>(loaded.picture.wide->levels.begin(),
                                      loaded.picture.wide->levels.end())
                  .size(),
              65536u);
    // Inverted, every level is turned over, the 8-bit image as "Inverse Grays" does.
    const Loaded inverted = Load(dir.File("ramp.png"), false, true);
    ASSERT_FALSE(inverted.failure);
    for (std::size_t i = 0; i < 65536; i += 257) {
        EXPECT_EQ(inverted.picture.wide->levels[i], 65535 - i);
        EXPECT_EQ(GrayOfImage(*inverted.picture.image)[i],
                  255 - Narrow(static_cast<std::uint16_t>(i)));
    }
}

TEST(PngInput, InterlacedEqualsPlain) {
    TempFolder dir;
    for (int depth : {8, 16}) {
        PngPicture png = MakePng(PNG_COLOR_TYPE_RGB_ALPHA, depth, 4);
        WritePng(dir.File("plain.png"), png);
        png.interlaced = true;
        WritePng(dir.File("adam7.png"), png);
        const Loaded plain = Load(dir.File("plain.png")), adam7 = Load(dir.File("adam7.png"));
        ASSERT_FALSE(adam7.failure) << adam7.failure->message;
        EXPECT_EQ(GrayOfImage(*adam7.picture.image), GrayOfImage(*plain.picture.image));
        EXPECT_EQ(adam7.picture.wide.has_value(), depth == 16);
        if (depth == 16) {
            EXPECT_EQ(adam7.picture.wide->levels, plain.picture.wide->levels);
        }
    }
}

TEST(PngAlpha, IsIgnoredUnlessAskedAndThenMakesHolesBelowHalf) {
    TempFolder dir;
    PngPicture rgba;
    rgba.width = 4;
    rgba.height = 1;
    rgba.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    rgba.samples = {200, 100, 50, 0, 200, 100, 50, 127, 200, 100, 50, 128, 10, 20, 30, 255};
    WritePng(dir.File("rgba.png"), rgba);
    const std::uint8_t g = GrayOf(200, 100, 50), h = GrayOf(10, 20, 30);
    EXPECT_EQ(GrayOfImage(*Load(dir.File("rgba.png")).picture.image),
              (std::vector<std::uint8_t>{g, g, g, h}));
    EXPECT_EQ(GrayOfImage(*Load(dir.File("rgba.png"), true).picture.image),
              (std::vector<std::uint8_t>{0, 0, g, h}));

    PngPicture grayAlpha;
    grayAlpha.width = 3;
    grayAlpha.height = 1;
    grayAlpha.colorType = PNG_COLOR_TYPE_GRAY_ALPHA;
    grayAlpha.bitDepth = 16;
    grayAlpha.samples = {50000, 32767, 50000, 32768, 40000, 0};
    WritePng(dir.File("ga16.png"), grayAlpha);
    const Loaded holes = Load(dir.File("ga16.png"), true);
    EXPECT_EQ(holes.picture.wide->levels, (std::vector<std::uint16_t>{0, 50000, 0}));
    EXPECT_EQ(GrayOfImage(*holes.picture.image), (std::vector<std::uint8_t>{0, Narrow(50000), 0}));
    EXPECT_EQ(Load(dir.File("ga16.png")).picture.wide->levels,
              (std::vector<std::uint16_t>{50000, 50000, 40000}));

    // A palette's transparency counts as alpha.
    PngPicture palette;
    palette.width = 3;
    palette.height = 1;
    palette.colorType = PNG_COLOR_TYPE_PALETTE;
    palette.samples = {0, 1, 2};
    palette.palette = {90, 90, 90, 120, 120, 120, 150, 150, 150};
    palette.transparency = {255, 0, 200};
    WritePng(dir.File("trns.png"), palette);
    EXPECT_EQ(GrayOfImage(*Load(dir.File("trns.png"), true).picture.image),
              (std::vector<std::uint8_t>{90, 0, 150}));
    EXPECT_EQ(GrayOfImage(*Load(dir.File("trns.png")).picture.image),
              (std::vector<std::uint8_t>{90, 120, 150}));

    // Without an alpha channel the option changes nothing.
    const PngPicture gray = MakePng(PNG_COLOR_TYPE_GRAY, 8, 1);
    WritePng(dir.File("gray.png"), gray);
    EXPECT_EQ(GrayOfImage(*Load(dir.File("gray.png"), true).picture.image),
              GrayOfImage(*Load(dir.File("gray.png")).picture.image));
}

// The same 8-bit gray picture as BMP and as PNG.
void WriteBoth(const TempFolder& dir, std::uint32_t width, std::uint32_t height) {
    PngPicture png = MakePng(PNG_COLOR_TYPE_GRAY, 8, 1);
    png.width = width;
    png.height = height;
    png.samples.clear();
    readertest::BmpLayout bmp;
    bmp.width = static_cast<std::int32_t>(width);
    bmp.height = -static_cast<std::int32_t>(height); // top row first, as the PNG
    for (int i = 0; i < 256; ++i)
        bmp.colorTable.insert(bmp.colorTable.end(),
                              {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i),
                               static_cast<std::uint8_t>(i), 0});
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            const auto v = static_cast<std::uint8_t>((x * 7 + y * 3 + x * y) % 256);
            png.samples.push_back(v);
            bmp.pixelData.push_back(v);
        }
        bmp.pixelData.resize(bmp.pixelData.size() + (4 - width % 4) % 4, 0);
    }
    WritePng(dir.File("same.png"), png);
    WriteBytes(dir.File("same.bmp"), readertest::BuildBmp(bmp));
}

TEST(PngLikeBmp, TheSamePictureGivesTheSameGrayAndTheSameMeshFiles) {
    TempFolder dir;
    WriteBoth(dir, 37, 29);
    const Loaded bmp = Load(dir.File("same.bmp")), png = Load(dir.File("same.png"));
    ASSERT_FALSE(bmp.failure);
    ASSERT_FALSE(png.failure);
    EXPECT_EQ(GrayOfImage(*png.picture.image), GrayOfImage(*bmp.picture.image));
    EXPECT_EQ(png.picture.image->Stride(), bmp.picture.image->Stride());
    for (const char* extension : {".3ds", ".lwo", ".stl"}) {
        SCOPED_TRACE(extension);
        const std::string fromBmp = dir.File(std::string("bmp") + extension);
        const std::string fromPng = dir.File(std::string("png") + extension);
        ASSERT_EQ(RunTool({dir.File("same.bmp"), "-o", fromBmp, "-q"}).exitCode, 0);
        const ToolRun run = RunTool({dir.File("same.png"), "-o", fromPng, "-q"});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(ReadBytes(fromPng), ReadBytes(fromBmp));
        EXPECT_FALSE(ReadBytes(fromPng).empty());
    }
}

} // namespace
