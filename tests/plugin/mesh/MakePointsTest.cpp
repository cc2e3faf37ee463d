#include <gtest/gtest.h>

#include <cmath>

#include "plugin/mesh/MakePoints.h"
#include "tests/support/TestMesh.h"

namespace {

TEST(MakePoints, RectangularGridIsCentredOnColumnHalfAndRowHalf) {
    TestMesh odd(3, 101, Filled(303, 128), DefaultSettings(kRectangular));
    const float step = 100.0f / 101.0f;
    EXPECT_FLOAT_EQ(odd.buffers.pointX[0], -50 * step);
    EXPECT_FLOAT_EQ(odd.buffers.pointX[100], 50 * step);
    EXPECT_EQ(odd.buffers.pointX[50], 0.0f);
    EXPECT_FLOAT_EQ(odd.buffers.pointY[0], step); // row 0 is the top
    EXPECT_FLOAT_EQ(odd.buffers.pointY[202], -step);

    TestMesh even(3, 100, Filled(300, 128), DefaultSettings(kRectangular));
    EXPECT_FLOAT_EQ(even.buffers.pointX[0], -50.0f);
    EXPECT_FLOAT_EQ(even.buffers.pointX[99], 49.0f);
}

TEST(MakePoints, RectangularBlackIsHighestInThePreview) {
    MeshSettings s = DefaultSettings(kRectangular);
    s.MapAlt = 10.0f;
    s.ModelScale = 2.0f;
    TestMesh m(3, 3, {0, 255, 128, 1, 1, 1, 1, 1, 1}, s);
    EXPECT_FLOAT_EQ(m.buffers.pointZ[0], 255 * 20.0f / 256);
    EXPECT_EQ(m.buffers.pointZ[1], 0.0f);
    EXPECT_FLOAT_EQ(m.buffers.pointZ[2], 127 * 20.0f / 256);
    EXPECT_EQ(m.buffers.solidFlags[0], 0);
    EXPECT_EQ(m.buffers.solidFlags[1], 1);
    EXPECT_FLOAT_EQ(m.buffers.pointX[2] - m.buffers.pointX[1], 200.0f / 3); // 100 * scale wide
}

TEST(MakePoints, CylinderRowsCloseWithACopyOfColumnZero) {
    std::vector<std::uint8_t> image = {0, 100, 200, 50, 60, 70};
    TestMesh m(2, 3, image, DefaultSettings(kCylindrical));
    ASSERT_EQ(m.PerRow(), 4u);
    for (int row = 0; row < 2; ++row) {
        const int first = row * 4, seam = row * 4 + 3;
        EXPECT_EQ(m.buffers.solidFlags[seam], m.buffers.solidFlags[first]);
        const float r0 = std::hypot(m.buffers.pointX[first], m.buffers.pointZ[first]);
        const float rs = std::hypot(m.buffers.pointX[seam], m.buffers.pointZ[seam]);
        EXPECT_NEAR(rs, r0, 1e-4);
        EXPECT_NEAR(m.buffers.pointX[seam], 0.0f, 1e-4); // theta_K is about 2 pi
        EXPECT_EQ(m.buffers.pointY[seam], m.buffers.pointY[first]);
    }
    EXPECT_EQ(m.buffers.solidFlags[3], 0); // column 0 of row 0 is black
    // radius = g * MapAlt * ModelScale / 256 + RadOff * ModelScale; x = -r sin, z = r cos.
    EXPECT_FLOAT_EQ(m.buffers.pointZ[0], 20.0f);
    const double r1 = 100 * 25.0 / 256 + 20;
    EXPECT_NEAR(m.buffers.pointX[1], -r1 * std::sin(6.2831855f / 3), 1e-4);
    EXPECT_NEAR(m.buffers.pointZ[1], r1 * std::cos(6.2831855f / 3), 1e-4);
    // Height: ModelScale * CylLen / rows per row, row R / 2 at 0.
    EXPECT_FLOAT_EQ(m.buffers.pointY[0], 50.0f);
    EXPECT_FLOAT_EQ(m.buffers.pointY[4], 0.0f);
}

TEST(MakePoints, SphereStartsOnTheTopPoleAndEndsNearTheBottom) {
    TestMesh m(9, 16, Filled(144, 128), DefaultSettings(kSpherical));
    const double radius = 128 * 25.0 / 256 + 20;
    for (int k = 0; k < 17; ++k) {
        EXPECT_EQ(m.buffers.pointX[k], 0.0f);
        EXPECT_EQ(m.buffers.pointZ[k], 0.0f);
        EXPECT_FLOAT_EQ(m.buffers.pointY[k], static_cast<float>(radius));
    }
    const int last = 8 * 17;
    EXPECT_NEAR(m.buffers.pointY[last], -radius, 1e-3);
    EXPECT_NEAR(std::hypot(m.buffers.pointX[last], m.buffers.pointZ[last]), 0.0, 1e-3);
    // The equator (row 4) has the full radius around.
    EXPECT_NEAR(std::hypot(m.buffers.pointX[4 * 17 + 5], m.buffers.pointZ[4 * 17 + 5]), radius,
                1e-3);
}

TEST(MakePoints, OneRowSphereLiesOnThePole) {
    TestMesh m(1, 4, {10, 20, 30, 40}, DefaultSettings(kSpherical));
    for (int k = 0; k < 5; ++k) {
        EXPECT_TRUE(std::isfinite(m.buffers.pointY[k]));
        EXPECT_EQ(m.buffers.pointX[k], 0.0f);
    }
    EXPECT_TRUE(std::isfinite(m.settings.viewDistance));
}

TEST(MakePoints, BoundingBoxAlwaysHoldsTheOrigin) {
    // A black Rectangular mesh lies wholly above z = 0: the box still reaches 0.
    TestMesh black(3, 3, Filled(9, 0), DefaultSettings(kRectangular));
    const float step = 100.0f / 3;
    const float top = 255 * 25.0f / 256;
    EXPECT_FLOAT_EQ(black.settings.maxZ, top);
    EXPECT_EQ(black.settings.minZ, 0.0f);
    EXPECT_FLOAT_EQ(black.settings.maxX, step);
    EXPECT_FLOAT_EQ(black.settings.minX, -step);
    EXPECT_FLOAT_EQ(black.settings.maxY, step);
    EXPECT_FLOAT_EQ(black.settings.minY, -step);
    EXPECT_FLOAT_EQ(black.settings.viewDistance, 3.0f * std::sqrt(2 * step * step + top * top));
}

} // namespace
