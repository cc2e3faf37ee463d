#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "plugin/preview/ViewTransform.h"

namespace {

MeshSettings ParallelView(float zoom, float centerX, float centerY) {
    MeshSettings s{};
    s.viewZoom = zoom;
    s.viewCenterX = centerX;
    s.viewCenterY = centerY;
    s.viewDistance = 300.0f;
    return s;
}

ViewPoint Transform(const MeshSettings& s, float x, float y, float z) {
    return TransformPoint(x, y, z, MakeViewAngles(s), s.viewDistance);
}

TEST(ViewTransform, FrontViewMapsModelAxesToCanvas) {
    const MeshSettings s = ParallelView(1.0f, 100.01f, 100.01f);
    const ViewPoint p = Transform(s, 10, 20, 5);
    EXPECT_FLOAT_EQ(p.depth, 305.0f);
    const auto pixel = ProjectPoint(p, s);
    ASSERT_TRUE(pixel);
    EXPECT_EQ(pixel->x, 110);
    EXPECT_EQ(pixel->y, 80);
}

TEST(ViewTransform, PixelsTruncateTowardZeroAndClampToSixteenBits) {
    EXPECT_EQ(ToCanvasPixel(-0.7f), 0);
    EXPECT_EQ(ToCanvasPixel(-1.7f), -1);
    EXPECT_EQ(ToCanvasPixel(1.9f), 1);
    EXPECT_EQ(ToCanvasPixel(32767.9f), 32767);
    EXPECT_EQ(ToCanvasPixel(40000.0f), 32767);
    EXPECT_EQ(ToCanvasPixel(-32768.5f), -32768);
    EXPECT_EQ(ToCanvasPixel(-1e30f), -32768);
    EXPECT_EQ(ToCanvasPixel(std::nanf("")), -32768);

    const MeshSettings s = ParallelView(1000.0f, 0.0f, 0.0f);
    const auto far = ProjectPoint(Transform(s, 100, -100, 0), s);
    ASSERT_TRUE(far);
    EXPECT_EQ(far->x, 32767);
    EXPECT_EQ(far->y, 32767);
}

TEST(ViewTransform, PerspectiveScalesByDistanceOverDepth) {
    MeshSettings s = ParallelView(2.0f, 0.0f, 0.0f);
    s.DoPerspective = 1;
    const auto atEye = ProjectExact({10.0f, 0.0f, s.viewDistance}, s);
    ASSERT_TRUE(atEye);
    EXPECT_FLOAT_EQ(atEye->x, 20.0f);
    const auto nearer = ProjectExact({10.0f, 0.0f, s.viewDistance / 2}, s);
    EXPECT_FLOAT_EQ(nearer->x, 40.0f);
    const auto farther = ProjectExact({10.0f, 0.0f, s.viewDistance * 2}, s);
    EXPECT_FLOAT_EQ(farther->x, 10.0f);
}

TEST(ViewTransform, PointsAtOrBehindTheEyeGetNoPixel) {
    const MeshSettings s = ParallelView(1.0f, 0.0f, 0.0f);
    EXPECT_FALSE(ProjectPoint({1.0f, 1.0f, 0.0f}, s));
    EXPECT_FALSE(ProjectPoint({1.0f, 1.0f, -5.0f}, s));
    EXPECT_FALSE(ProjectExact({1.0f, 1.0f, std::nanf("")}, s));
    EXPECT_TRUE(ProjectPoint({1.0f, 1.0f, 1e-6f}, s));
}

TEST(ViewTransform, EachAngleTurnsTheModelAsTheViewPresetsExpect) {
    MeshSettings s = ParallelView(1.0f, 0.0f, 0.0f);
    const float quarter = 1.5707964f;
    s.Yrot = quarter; // model +x turns away from the eye, +z to the left
    ViewPoint p = Transform(s, 1, 0, 0);
    EXPECT_NEAR(p.depth, s.viewDistance + 1, 1e-4);
    p = Transform(s, 0, 0, 1);
    EXPECT_NEAR(p.x, -1.0f, 1e-6);

    s.Yrot = 0;
    s.Xrot = quarter; // model +y turns toward the eye, +z up
    p = Transform(s, 0, 1, 0);
    EXPECT_NEAR(p.depth, s.viewDistance - 1, 1e-4);
    p = Transform(s, 0, 0, 1);
    EXPECT_NEAR(p.y, 1.0f, 1e-6);

    s.Xrot = 0;
    s.Zrot = quarter; // model +x turns down, +y right
    p = Transform(s, 1, 0, 0);
    EXPECT_NEAR(p.y, -1.0f, 1e-6);
    p = Transform(s, 0, 1, 0);
    EXPECT_NEAR(p.x, 1.0f, 1e-6);
}

TEST(ViewTransform, YawIsAppliedBeforePitch) {
    MeshSettings s = ParallelView(1.0f, 0.0f, 0.0f);
    s.Yrot = s.Xrot = 1.5707964f;
    // Yaw sends +x into the depth axis, which the pitch then turns upwards; the other
    // order would leave it on the depth axis.
    const ViewPoint p = Transform(s, 1, 0, 0);
    EXPECT_NEAR(p.y, 1.0f, 1e-6);
    EXPECT_NEAR(p.depth, s.viewDistance, 1e-4);
}

TEST(ViewTransform, RotationKeepsDistancesOverRandomAnglesAndPoints) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> angle(-7.0f, 7.0f), coordinate(-100.0f, 100.0f);
    for (int i = 0; i < 2000; ++i) {
        MeshSettings s = ParallelView(1.0f, 0.0f, 0.0f);
        s.Xrot = angle(random);
        s.Yrot = angle(random);
        s.Zrot = angle(random);
        const float x = coordinate(random), y = coordinate(random), z = coordinate(random);
        const ViewPoint p = Transform(s, x, y, z);
        const double before = std::sqrt(double(x) * x + double(y) * y + double(z) * z);
        const double d = p.depth - s.viewDistance;
        const double after = std::sqrt(double(p.x) * p.x + double(p.y) * p.y + d * d);
        ASSERT_NEAR(after, before, 1e-4 * before + 1e-3);
    }
}

} // namespace
