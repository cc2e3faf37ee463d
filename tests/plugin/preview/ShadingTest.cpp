#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "plugin/preview/Shading.h"

namespace {

// Triangle T1, T2, T3 as (x, y, depth) points.
std::int16_t Shade(const float (&a)[3], const float (&b)[3], const float (&c)[3]) {
    const float t[9] = {a[0], b[0], c[0], a[1], b[1], c[1], a[2], b[2], c[2]};
    return ShadeTriangle(t);
}

TEST(ShadeTriangle, FaceOnQuadGetsTwoHundredInEitherWinding) {
    // 200 * (0.2 + 30 / sqrt(1400)) = 200.36
    EXPECT_EQ(Shade({1, 0, 50}, {0, 0, 50}, {0, 1, 50}), 200);
    EXPECT_EQ(Shade({0, 1, 50}, {0, 0, 50}, {1, 0, 50}), 200);
}

TEST(ShadeTriangle, EdgeOnQuadFacingAwayFromTheLightGetsTheFloor) {
    // In the plane x + y = 0 along the line of sight; normal left and down.
    EXPECT_EQ(Shade({0, 0, 0}, {1, -1, 0}, {1, -1, 1}), 40);
    // The other winding turns the same edge-on normal right and up, into the light:
    // 200 * (0.2 + (10 + 20) / sqrt(1400) / sqrt(2)).
    EXPECT_EQ(Shade({0, 0, 0}, {1, -1, 1}, {1, -1, 0}), 153);
}

TEST(ShadeTriangle, DegenerateTrianglesAreBlack) {
    EXPECT_EQ(Shade({0, 0, 5}, {1, 1, 6}, {2, 2, 7}), 0); // collinear
    EXPECT_EQ(Shade({3, 3, 3}, {3, 3, 3}, {3, 3, 3}), 0); // one point
}

TEST(ShadeTriangle, OverflowingCoordinatesDoNotEscapeTheRange) {
    const float huge = 3e38f;
    const std::int16_t shade = Shade({-huge, 0, 0}, {huge, 0, 0}, {0, huge, huge});
    EXPECT_GE(shade, 0);
    EXPECT_LE(shade, 255);
}

TEST(ShadeTriangle, RandomTrianglesShadeBetweenFortyAndTwoHundredForty) {
    std::mt19937 random(3);
    std::uniform_real_distribution<float> coordinate(-50.0f, 50.0f);
    for (int i = 0; i < 5000; ++i) {
        float p[9];
        for (float& v : p)
            v = coordinate(random);
        const std::int16_t shade = ShadeTriangle(p);
        ASSERT_GE(shade, 40);
        ASSERT_LE(shade, 240);
    }
}

TEST(ShadeTriangle, LightComesFromTheUpperRightOnTheViewersSide) {
    const LightVector& lightDir = LightDirection();
    EXPECT_NEAR(
        std::sqrt(lightDir.x * lightDir.x + lightDir.y * lightDir.y + lightDir.d * lightDir.d),
        1.0f, 1e-6);
    EXPECT_GT(lightDir.x, 0);
    EXPECT_GT(lightDir.y, 0);
    EXPECT_LT(lightDir.d, 0);
}

TEST(GrayPalette, SixtyFourEvenGraysFromBlack) {
    ASSERT_EQ(grayPalette.size(), 64u);
    for (int i = 0; i < 64; ++i) {
        EXPECT_EQ(grayPalette[i].red, 4 * i);
        EXPECT_EQ(grayPalette[i].green, 4 * i);
        EXPECT_EQ(grayPalette[i].blue, 4 * i);
        EXPECT_EQ(grayPalette[i].flags, 0);
    }
}

} // namespace
