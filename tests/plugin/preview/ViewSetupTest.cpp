#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "tests/plugin/preview/PreviewFakes.h"
#include "tests/plugin/preview/HandBuiltMesh.h"
#include "plugin/preview/SoftwareSurface.h"
#include "plugin/preview/ViewSetup.h"
#include "plugin/preview/ViewTransform.h"
#include "plugin/preview/WireframeRenderer.h"

namespace {

struct Extent {
    float xMin, xMax, yMin, yMax;
};

Extent ProjectedBox(const MeshSettings& s) {
    const ViewAngles angles = MakeViewAngles(s);
    Extent e{1e30f, -1e30f, 1e30f, -1e30f};
    for (const ModelPoint& c : BoundingBoxCorners(s)) {
        const auto p = ProjectExact(TransformPoint(c.x, c.y, c.z, angles, s.viewDistance), s);
        e = {std::min(e.xMin, p->x), std::max(e.xMax, p->x), std::min(e.yMin, p->y),
             std::max(e.yMax, p->y)};
    }
    return e;
}

// A box 100 wide, 40 tall and 10 deep.
void WideBox(MeshSettings& s) {
    s.minX = -60, s.maxX = 40, s.minY = -10, s.maxY = 30, s.minZ = 0, s.maxZ = 10;
    s.viewDistance = 250.0f;
}

TEST(InitView, CentresOnTheCanvasOnlyOnce) {
    MeshSettings s{};
    WideBox(s);
    s.canvasRect = {0, 0, 341, 351};
    s.viewCenterX = kViewNotPlaced;
    InitView(s);
    EXPECT_FLOAT_EQ(s.homeCenterX, 170.01f);
    EXPECT_FLOAT_EQ(s.homeCenterY, 175.01f);
    EXPECT_NE(s.viewZoom, 1.0f); // fitted

    s.viewZoom *= 2;
    s.viewCenterX += 13;
    const MeshSettings zoomed = s;
    InitView(s);
    EXPECT_EQ(s.viewZoom, zoomed.viewZoom);
    EXPECT_EQ(s.viewCenterX, zoomed.viewCenterX);
    EXPECT_EQ(s.viewCenterY, zoomed.viewCenterY);
}

TEST(FitView, FaceOnBoxSpansTheCanvasWidthAndIsCentred) {
    MeshSettings s{};
    WideBox(s);
    s.canvasRect = {0, 0, 340, 300};
    s.viewCenterX = kViewNotPlaced;
    InitView(s);
    const Extent e = ProjectedBox(s);
    EXPECT_NEAR(e.xMax - e.xMin, 340.0f, 1e-3);
    EXPECT_NEAR(e.yMax - e.yMin, 136.0f, 1e-3);
    EXPECT_NEAR((e.xMax + e.xMin) / 2, s.homeCenterX, 1e-3);
    EXPECT_NEAR((e.yMax + e.yMin) / 2, s.homeCenterY, 1e-3);
}

TEST(FitView, LargerExtentMatchesCanvasWidthForAnyViewAndProjection) {
    std::mt19937 random(11);
    std::uniform_real_distribution<float> angle(-3.2f, 3.2f), size(1.0f, 200.0f);
    for (int i = 0; i < 500; ++i) {
        MeshSettings s{};
        s.maxX = size(random), s.minX = -size(random), s.maxY = size(random);
        s.minY = -size(random), s.maxZ = size(random), s.minZ = 0;
        s.viewDistance = 3.0f * 400.0f;
        s.Xrot = angle(random), s.Yrot = angle(random), s.Zrot = angle(random);
        s.DoPerspective = i % 2;
        s.canvasRect = {0, 0, 300 + i, 200};
        s.viewZoom = 0.5f + i % 3;
        s.viewCenterX = 17.0f, s.viewCenterY = -4.0f;
        s.homeCenterX = 150.01f, s.homeCenterY = 100.01f;
        FitView(s);
        const Extent e = ProjectedBox(s);
        const float span = std::max(e.xMax - e.xMin, e.yMax - e.yMin);
        ASSERT_NEAR(span, float(s.canvasRect.right), 1e-3f * s.canvasRect.right);
        ASSERT_NEAR((e.xMax + e.xMin) / 2, s.homeCenterX, 0.05f);
        ASSERT_NEAR((e.yMax + e.yMin) / 2, s.homeCenterY, 0.05f);
    }
}

TEST(FitView, DegenerateModelOrCanvasLeavesTheViewAsItWas) {
    MeshSettings s{};
    s.canvasRect = {0, 0, 200, 200};
    s.viewZoom = 3.0f, s.viewCenterX = 7.0f, s.viewCenterY = 9.0f;
    s.homeCenterX = s.homeCenterY = 100.01f;
    const auto unchanged = [&] {
        EXPECT_EQ(s.viewZoom, 3.0f);
        EXPECT_EQ(s.viewCenterX, 7.0f);
        EXPECT_EQ(s.viewCenterY, 9.0f);
    };
    // A single-point box at the origin: every corner at depth 0.
    FitView(s);
    unchanged();
    // A single point in front of the eye: zero span.
    s.viewDistance = 10.0f;
    FitView(s);
    unchanged();
    // A real box but a canvas of no width.
    WideBox(s);
    s.canvasRect = {0, 0, 0, 200};
    FitView(s);
    unchanged();
}

TEST(DrawBoxOutline, DrawingTwiceRestoresTheCanvas) {
    HandBuiltMesh mesh(6, 7);
    mesh.MakeFlat(10.0f);
    mesh.settings.Xrot = 0.5235988f, mesh.settings.Yrot = 0.5235988f;
    mesh.settings.DoPerspective = 1;
    mesh.settings.canvasRect = {0, 0, 120, 100};
    InitView(mesh.settings);

    SoftwareSurface surface(120, 100);
    FakeHost host;
    PreviewCache cache;
    RenderWireframe(host, surface, mesh.settings, mesh.buffers, cache);
    const auto before = surface.Pixels();

    DrawBoxOutline(mesh.settings, surface);
    EXPECT_NE(surface.Pixels(), before);
    DrawBoxOutline(mesh.settings, surface);
    EXPECT_EQ(surface.Pixels(), before);
}

TEST(DrawBoxOutline, WalksTheTwelveEdgesInNotXorMode) {
    MeshSettings s{};
    WideBox(s);
    s.canvasRect = {0, 0, 200, 200};
    s.viewCenterX = kViewNotPlaced;
    InitView(s);
    RecordingSurface surface;
    DrawBoxOutline(s, surface);
    ASSERT_EQ(surface.modes.size(), 2u);
    EXPECT_EQ(surface.modes[0], RasterMode::NotXor);
    EXPECT_EQ(surface.modes[1], RasterMode::Copy);
    ASSERT_EQ(surface.polylines.size(), 1u);
    const auto& walk = surface.polylines[0];
    ASSERT_EQ(walk.size(), 10u);
    EXPECT_EQ(walk[0], walk[4]); // the face at maxY closes
    EXPECT_EQ(walk[5], walk[9]); // the face at minY closes through C6
    EXPECT_EQ(surface.lines.size(), 3u);
    // Face-on, the box's left and right edges lie at the canvas's sides.
    const auto [left, right] = std::minmax_element(
        walk.begin(), walk.end(), [](CanvasPoint a, CanvasPoint b) { return a.x < b.x; });
    EXPECT_EQ(left->x, 0);
    EXPECT_EQ(right->x, 200);
}

TEST(DrawBoxOutline, CornersBehindTheEyeAreDrawnAtTheOrigin) {
    MeshSettings s{};
    WideBox(s);
    s.viewDistance = 5.0f; // the far corners lie behind the eye
    s.viewZoom = 1.0f, s.viewCenterX = s.viewCenterY = 50.0f;
    s.Xrot = 1.5707964f;
    RecordingSurface surface;
    DrawBoxOutline(s, surface);
    const auto& walk = surface.polylines.at(0);
    EXPECT_TRUE(std::count(walk.begin(), walk.end(), CanvasPoint{0, 0}) > 0);
}

} // namespace
