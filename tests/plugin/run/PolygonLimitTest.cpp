// Start's polygon-count question.

#include <gtest/gtest.h>

#include "plugin/run/IniFile.h"
#include "plugin/run/PolygonLimit.h"

namespace {

std::uint16_t LimitFrom(std::string_view text) {
    return ReadPolygonLimit(IniFile(text));
}

TEST(PolygonLimit, CountsTheCellsOfAFullResolutionMesh) {
    EXPECT_EQ(FullResolutionPolygonCount(257, 257), 65536u);
    EXPECT_EQ(FullResolutionPolygonCount(256, 257), 65280u);
    EXPECT_EQ(FullResolutionPolygonCount(100, 1), 0u);
    EXPECT_EQ(FullResolutionPolygonCount(0, 100), 0u);
    EXPECT_EQ(FullResolutionPolygonCount(1, 0), 0u);
}

TEST(PolygonLimit, WideImagesCountAsUnsignedSizes) {
    // 40000 columns do not fit a signed 16-bit word; the count must still be large.
    EXPECT_EQ(FullResolutionPolygonCount(3, 40000), 2u * 39999u);
    EXPECT_EQ(FullResolutionPolygonCount(65535, 65535), 65534u * 65534u);
    EXPECT_TRUE(NeedsPolygonQuestion(FullResolutionPolygonCount(3, 40000), kDefaultMaxPolys));
}

TEST(PolygonLimit, DefaultLimitAsksAbove65535Cells) {
    const std::uint16_t limit = LimitFrom("");
    EXPECT_EQ(limit, 65535);
    EXPECT_TRUE(NeedsPolygonQuestion(FullResolutionPolygonCount(257, 257), limit));
    EXPECT_FALSE(NeedsPolygonQuestion(FullResolutionPolygonCount(256, 257), limit));
    EXPECT_FALSE(NeedsPolygonQuestion(FullResolutionPolygonCount(5000, 1), limit));
    EXPECT_FALSE(NeedsPolygonQuestion(65535, limit));
}

TEST(PolygonLimit, ZeroSwitchesTheQuestionOffAndLargeValuesKeepTheirLowBits) {
    EXPECT_EQ(LimitFrom("[QUORVMESH]\nMaxPolys=0\n"), 0);
    EXPECT_FALSE(NeedsPolygonQuestion(4000000000u, 0));
    EXPECT_EQ(LimitFrom("[QUORVMESH]\nMaxPolys=70000\n"), 4464);
    EXPECT_TRUE(NeedsPolygonQuestion(4465, 4464));
    EXPECT_FALSE(NeedsPolygonQuestion(4464, 4464));
    EXPECT_EQ(LimitFrom("[quorvmesh]\nmaxpolys=-1\n"), 65535);
}

TEST(PolygonLimit, QuestionShowsTheLimitAndTheLiteralPercentSign) {
    EXPECT_EQ(PolygonQuestionText(4464),
              "This image will generate more than 4464\npolygons if sampled at 100%.\n\n"
              "Some programs may have trouble handling\na model this large.\n\n\nProceed with "
              "current image?");
}

} // namespace
