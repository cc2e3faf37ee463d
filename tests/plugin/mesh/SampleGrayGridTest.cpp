#include <gtest/gtest.h>

#include <limits>

#include "plugin/mesh/SampleGrayGrid.h"
#include "tests/support/TestMesh.h"

namespace {

std::vector<std::uint8_t> Grid(const TestMesh& m) {
    return {m.buffers.grayGrid,
            m.buffers.grayGrid + std::size_t{m.settings.meshRows} * m.settings.meshCols};
}

TEST(SampleGrayGrid, PercentagesOfTheResolutionList) {
    const int expected[] = {100, 75, 66, 50, 33, 25, 20, 10};
    for (int res = 1; res <= 8; ++res)
        EXPECT_EQ(ResolutionPercent(res), expected[res - 1]);
    // Unchecked values read as the settings check would leave them, never past the list.
    EXPECT_EQ(ResolutionPercent(0), 100);
    EXPECT_EQ(ResolutionPercent(9), 100);
    EXPECT_EQ(ResolutionPercent(std::numeric_limits<std::int32_t>::min()), 100);
}

TEST(SampleGrayGrid, TenPercentOfTwentyFiveIsRaisedToThree) {
    TestMesh m(25, 25, Filled(625, 9), DefaultSettings(kRectangular, 8));
    EXPECT_EQ(m.settings.meshRows, 3);
    EXPECT_EQ(m.settings.meshCols, 3);
    EXPECT_EQ(m.settings.grayRowBytes, 3);
    EXPECT_EQ(Grid(m), Filled(9, 9));
}

TEST(SampleGrayGrid, SizesTruncateThePercentage) {
    EXPECT_EQ(SampledGridSize(200, 301, 2).rows, 150);
    EXPECT_EQ(SampledGridSize(200, 301, 2).cols, 225); // 225.75
    EXPECT_EQ(SampledGridSize(200, 301, 3).cols, 198); // 198.66
    EXPECT_EQ(SampledGridSize(1000, 7, 8).rows, 100);
    EXPECT_EQ(SampledGridSize(1000, 7, 8).cols, 3);
}

TEST(SampleGrayGrid, FullResolutionCopiesTheImageRowByRow) {
    // Rows 4 bytes apart, of which 3 are the image.
    std::vector<std::uint8_t> padded = {1, 2, 3, 99, 4, 5, 6, 99};
    MeshSettings s = DefaultSettings(kRectangular, 1);
    TestMesh m(2, 3, Filled(6, 0), s);
    m.settings.imagePixels = padded.data();
    m.settings.imageRowBytes = 4;
    SampleGrayGrid(m.settings, m.buffers);
    EXPECT_EQ(m.settings.meshRows, 2);
    EXPECT_EQ(m.settings.meshCols, 3);
    EXPECT_EQ(Grid(m), (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(m.settings.grayGrid, m.buffers.grayGrid);
}

TEST(SampleGrayGrid, HalfResolutionAveragesPairsAndTruncates) {
    // 3 rows x 6 columns at 50 %: three columns of pairs, rows untouched (3 is the minimum).
    std::vector<std::uint8_t> image = {1,  2,  5,  6,  255, 254, //
                                       10, 20, 30, 40, 50,  60,  //
                                       0,  1,  0,  0,  7,   8};
    TestMesh m(3, 6, image, DefaultSettings(kRectangular, 4));
    EXPECT_EQ(Grid(m), (std::vector<std::uint8_t>{1, 5, 254, 15, 35, 55, 0, 0, 7}));
}

TEST(SampleGrayGrid, RowsAreAveragedAfterColumnsEachTruncated) {
    // A 2 x 2 block 1, 2 / 3, 2: the columns give 1 and 2, then the rows (1 + 2) / 2 = 1,
    // where the plain mean of the four would be 2.
    std::vector<std::uint8_t> image(36, 100);
    image[0] = 1, image[1] = 2, image[6] = 3, image[7] = 2;
    TestMesh m(6, 6, image, DefaultSettings(kRectangular, 4));
    ASSERT_EQ(m.settings.meshRows, 3);
    EXPECT_EQ(m.buffers.grayGrid[0], 1);
    EXPECT_EQ(m.buffers.grayGrid[1], 100);
}

TEST(SampleGrayGrid, ThirdResolutionBinsFollowTheFixedPointRatio) {
    // 10 columns to 3: ratio 853, bins start at 0, 3, 6 with 3 pixels each; column 9 unused.
    std::vector<std::uint8_t> image(30);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 10; ++c)
            image[r * 10 + c] = static_cast<std::uint8_t>(c * 10 + 5);
    TestMesh m(3, 10, image, DefaultSettings(kRectangular, 5));
    EXPECT_EQ(Grid(m), (std::vector<std::uint8_t>{15, 45, 75, 15, 45, 75, 15, 45, 75}));
}

// Images smaller than three pixels in a direction keep that direction at full size.
TEST(SampleGrayGrid, TinyImagesAreNotSampledBeyondTheirSize) {
    TestMesh narrow(40, 2, Filled(80, 50), DefaultSettings(kSpherical, 8));
    EXPECT_EQ(narrow.settings.meshRows, 4);
    EXPECT_EQ(narrow.settings.meshCols, 2);
    TestMesh dot(1, 1, Filled(1, 50), DefaultSettings(kCylindrical, 4));
    EXPECT_EQ(dot.settings.meshRows, 1);
    EXPECT_EQ(dot.settings.meshCols, 1);
    TestMesh strip(1, 5, {10, 20, 30, 40, 50}, DefaultSettings(kRectangular, 8));
    EXPECT_EQ(strip.settings.meshRows, 1);
    EXPECT_EQ(strip.settings.meshCols, 3);
    EXPECT_EQ(Grid(strip), (std::vector<std::uint8_t>{10, 25, 40}));
}

// Every grid fits the buffers and every bin has a pixel, whatever the size and resolution.
TEST(SampleGrayGrid, AllSmallSizesAndResolutionsStayInside) {
    std::mt19937 rng(7);
    for (std::uint16_t rows = 1; rows <= 12; ++rows) {
        for (std::uint16_t cols = 1; cols <= 12; ++cols) {
            for (int res = 1; res <= 8; ++res) {
                for (int type = 0; type <= 2; ++type) {
                    TestMesh m(rows, cols, RandomGrays(rows * cols, rng, 0, 255),
                               DefaultSettings(type, res));
                    EXPECT_LE(m.settings.meshRows, rows);
                    EXPECT_LE(m.settings.meshCols, cols);
                    EXPECT_LE(m.Points(), m.buffers.capacity);
                }
            }
        }
    }
}

} // namespace
