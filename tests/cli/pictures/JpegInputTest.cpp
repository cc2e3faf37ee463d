// JPEG pictures, gray and colour, baseline and progressive, come out as the pictures that
// were written, within what the compression changes; CMYK ones are refused in words.
#include <gtest/gtest.h>

#include <cstdlib>

#include "host/image/GrayLevel.h"
#include "tests/cli/pictures/PictureFiles.h"
#include "tests/support/TempFolder.h"

using namespace picturetest;

namespace {

constexpr std::uint32_t kWidth = 40, kHeight = 24;

// A smooth picture, which JPEG at quality 100 keeps within a few levels.
std::vector<std::uint8_t> Smooth(int components) {
    std::vector<std::uint8_t> samples;
    for (std::uint32_t y = 0; y < kHeight; ++y)
        for (std::uint32_t x = 0; x < kWidth; ++x)
            for (int c = 0; c < components; ++c)
                samples.push_back(static_cast<std::uint8_t>(20 + 3 * x + 2 * y + 20 * c));
    return samples;
}

int LargestDifference(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
    EXPECT_EQ(a.size(), b.size());
    int largest = 0;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        largest = std::max(largest, std::abs(a[i] - b[i]));
    return largest;
}

TEST(JpegInput, GrayAndColourComeOutAsWritten) {
    TempFolder dir;
    for (bool progressive : {false, true}) {
        SCOPED_TRACE(progressive);
        const auto gray = Smooth(1);
        WriteJpeg(dir.File("g.jpg"), kWidth, kHeight, 1, gray, progressive);
        const Loaded g = Load(dir.File("g.jpg"));
        ASSERT_FALSE(g.failure) << g.failure->message;
        EXPECT_TRUE(g.picture.image->IsGray()); // 8-bit gray as it was read, not converted
        EXPECT_LE(LargestDifference(GrayOfImage(*g.picture.image), gray), 2);
        EXPECT_FALSE(g.picture.wide);

        const auto rgb = Smooth(3);
        WriteJpeg(dir.File("c.jpg"), kWidth, kHeight, 3, rgb, progressive);
        const Loaded c = Load(dir.File("c.jpg"));
        ASSERT_FALSE(c.failure) << c.failure->message;
        EXPECT_FALSE(c.picture.image->IsGray());
        EXPECT_EQ(c.picture.image->BitsPerPixel(), 8); // made gray
        std::vector<std::uint8_t> expected;
        for (std::size_t i = 0; i < rgb.size(); i += 3)
            expected.push_back(GrayOf(rgb[i], rgb[i + 1], rgb[i + 2]));
        EXPECT_LE(LargestDifference(GrayOfImage(*c.picture.image), expected), 3);
    }
}

TEST(JpegInput, CmykIsRefusedInWords) {
    TempFolder dir;
    WriteJpeg(dir.File("cmyk.jpg"), kWidth, kHeight, 4, Smooth(4));
    const ToolRun run = RunTool({dir.File("cmyk.jpg"), "-o", dir.File("a.dxf")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "quorvmesh: " + dir.File("cmyk.jpg") +
                           ": CMYK JPEG pictures are not supported; save it as RGB or gray\n");
}

TEST(JpegInput, IsMeshedByTheTool) {
    TempFolder dir;
    WriteJpeg(dir.File("c.jpg"), kWidth, kHeight, 3, Smooth(3));
    const ToolRun run = RunTool({dir.File("c.jpg"), "-o", dir.File("c.dxf"), "-q"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
}

} // namespace
