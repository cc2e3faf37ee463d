#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "plugin/preview/QuietPreviewHost.h"
#include "plugin/preview/SoftwareSurface.h"
#include "plugin/preview/ViewSetup.h"
#include "plugin/preview/ViewTransform.h"
#include "plugin/ui/ViewTools.h"

namespace {

// A box 100 wide, 40 tall and 10 deep, fitted to a 340 x 348 canvas face on, orthographic.
MeshSettings FittedBox() {
    MeshSettings s{};
    s.minX = -60, s.maxX = 40, s.minY = -10, s.maxY = 30, s.minZ = 0, s.maxZ = 10;
    s.viewDistance = 250.0f;
    s.canvasRect = {0, 0, 340, 348};
    s.viewCenterX = kViewNotPlaced;
    InitView(s);
    return s;
}

CanvasPosition Project(const MeshSettings& s, float x, float y, float z) {
    return *ProjectExact(TransformPoint(x, y, z, MakeViewAngles(s), s.viewDistance), s);
}

// The model point (z = 0) that shows at canvas position p, face on and orthographic.
ModelPoint ModelUnder(const MeshSettings& s, float px, float py) {
    return {(px - s.viewCenterX) / s.viewZoom, (s.viewCenterY - py) / s.viewZoom, 0.0f};
}

// A clock that moves on by one millisecond at every reading.
class SteppingClock final : public QuietPreviewHost {
  public:
    explicit SteppingClock(std::uint32_t start) : now(start) {}
    std::uint32_t TickCount() override { return now++; }
    std::uint32_t now;
};

TEST(ZoomAtPoint, ClickZoomsInOnThePointAndShiftClickZoomsOutAroundIt) {
    MeshSettings s = FittedBox();
    const float zoom = s.viewZoom;
    const ModelPoint clicked = ModelUnder(s, 100, 60);
    ZoomAtPoint(s, {100, 60}, false);
    EXPECT_FLOAT_EQ(s.viewZoom, 2 * zoom);
    const CanvasPosition centred = Project(s, clicked.x, clicked.y, 0);
    EXPECT_NEAR(centred.x, s.homeCenterX, 1e-3);
    EXPECT_NEAR(centred.y, s.homeCenterY, 1e-3);

    const ModelPoint kept = ModelUnder(s, 250, 300);
    ZoomAtPoint(s, {250, 300}, true);
    EXPECT_FLOAT_EQ(s.viewZoom, zoom);
    const CanvasPosition stays = Project(s, kept.x, kept.y, 0);
    EXPECT_NEAR(stays.x, 250, 1e-3);
    EXPECT_NEAR(stays.y, 300, 1e-3);
}

TEST(ZoomToRect, BandOf40By20OnA340WideCanvasZoomsBy8Point5OntoItsCentre) {
    MeshSettings s = FittedBox();
    const float zoom = s.viewZoom;
    const ModelPoint middle = ModelUnder(s, 120, 210);
    const ZoomBox box = ZoomToRect(s, {100, 200, 140, 220}, false);
    EXPECT_FLOAT_EQ(s.viewZoom, zoom * 8.5f);
    const CanvasPosition centred = Project(s, middle.x, middle.y, 0);
    EXPECT_NEAR(centred.x, s.homeCenterX, 1e-2);
    EXPECT_NEAR(centred.y, s.homeCenterY, 1e-2);
    EXPECT_EQ(box.from.left, 100);
    EXPECT_EQ(box.to.right, 340);

    // Out: the zoom shrinks by the same factor and the model origin goes to the band centre.
    const ZoomBox out = ZoomToRect(s, {100, 200, 140, 220}, true);
    EXPECT_FLOAT_EQ(s.viewZoom, zoom);
    EXPECT_FLOAT_EQ(s.viewCenterX, 120.0f);
    EXPECT_FLOAT_EQ(s.viewCenterY, 210.0f);
    EXPECT_EQ(out.from.right, 340);
    EXPECT_EQ(out.to.left, 100);
}

TEST(ZoomToRect, ABandWithoutExtentChangesNothing) {
    MeshSettings s = FittedBox();
    const MeshSettings before = s;
    ZoomToRect(s, {50, 50, 50, 50}, false);
    ZoomToRect(s, {50, 50, 40, 40}, true);
    EXPECT_EQ(s.viewZoom, before.viewZoom);
    EXPECT_EQ(s.viewCenterX, before.viewCenterX);
}

TEST(PanRotateAndZoomDrag, MoveTheViewByTheirPixelRates) {
    MeshSettings s = FittedBox();
    const CanvasPosition before = Project(s, 0, 0, 0);
    PanView(s, 10, -5);
    const CanvasPosition after = Project(s, 0, 0, 0);
    EXPECT_NEAR(after.x - before.x, 10, 1e-4); // right
    EXPECT_NEAR(after.y - before.y, -5, 1e-4); // up

    RotateView(s, 30, 0, kAxisFree, false);
    EXPECT_NEAR(s.Yrot, 0.3f, 1e-6);
    RotateView(s, 30, 20, kAxisXrotOnly, false);
    EXPECT_NEAR(s.Yrot, 0.3f, 1e-6);
    EXPECT_NEAR(s.Xrot, 0.2f, 1e-6);
    RotateView(s, 30, 20, kAxisYrotOnly, false);
    EXPECT_NEAR(s.Yrot, 0.6f, 1e-6);
    RotateView(s, 30, 20, kAxisUndecided, false);
    EXPECT_NEAR(s.Yrot, 0.6f, 1e-6);
    RotateView(s, 7, -3, kAxisFree, true); // spin: only Zrot, by dx + dy
    EXPECT_NEAR(s.Zrot, 0.04f, 1e-6);
    EXPECT_NEAR(s.Xrot, 0.2f, 1e-6);

    s.viewZoom = 0.3f;
    ZoomDragView(s, -50);
    EXPECT_NEAR(s.viewZoom, -0.2f, 1e-6); // no lower limit
}

TEST(FitAll, RecoversAZoomOfZeroNegativeOrNotFiniteAndALostCentre) {
    const MeshSettings fitted = FittedBox();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (const auto& [zoom, centre] :
         {std::pair{0.0f, 10.0f}, std::pair{-3.0f, 10.0f}, std::pair{nan, 10.0f},
          std::pair{inf, 10.0f}, std::pair{2.0f, nan}, std::pair{2.0f, -inf}}) {
        MeshSettings s = fitted;
        s.viewZoom = zoom;
        s.viewCenterX = centre;
        FitAll(s);
        EXPECT_NEAR(s.viewZoom, fitted.viewZoom, 1e-3) << zoom << " " << centre;
        EXPECT_NEAR(s.viewCenterX, fitted.viewCenterX, 1e-3) << zoom << " " << centre;
        EXPECT_NEAR(s.viewCenterY, fitted.viewCenterY, 1e-3) << zoom << " " << centre;
    }
    // A sound view that was zoomed and panned is fitted back as well.
    MeshSettings s = fitted;
    ZoomAtPoint(s, {20, 20}, false);
    PanView(s, 33, 12);
    FitAll(s);
    EXPECT_NEAR(s.viewZoom, fitted.viewZoom, 1e-3);
    EXPECT_NEAR(s.viewCenterX, fitted.viewCenterX, 1e-2);
}

TEST(ZoomSteps, StopAtTheCapInsteadOfOverflowing) {
    MeshSettings s = FittedBox();
    for (int i = 0; i < 300; ++i)
        ZoomAtPoint(s, {0, 0}, false);
    EXPECT_LE(s.viewZoom, kMaxViewZoom);
    EXPECT_GT(s.viewZoom, kMaxViewZoom / 2);
    EXPECT_TRUE(std::isfinite(s.viewCenterX) && std::isfinite(s.viewCenterY));
    for (int i = 0; i < 300; ++i)
        ZoomToRect(s, {0, 0, 2, 2}, false);
    EXPECT_LE(s.viewZoom, kMaxViewZoom);
    for (int i = 0; i < 300; ++i)
        ZoomAtPoint(s, {5, 5}, true); // down to zero: allowed, and recoverable
    FitAll(s);
    EXPECT_NEAR(s.viewZoom, FittedBox().viewZoom, 1e-3);
}

TEST(ZoomBoxFrames, StepsInNinthsTruncatedTowardZeroWithoutTheLastFrame) {
    const auto frames = ZoomBoxFrames({100, 200, 140, 220}, {0, 0, 340, 348});
    EXPECT_EQ(frames[0].left, 100);
    EXPECT_EQ(frames[0].bottom, 220);
    EXPECT_EQ(frames[1].left, 100 - 100 / 9);       // 89
    EXPECT_EQ(frames[1].right, 140 + 200 / 9);      // 162
    EXPECT_EQ(frames[8].top, 200 - 200 * 8 / 9);    // 23
    EXPECT_EQ(frames[8].bottom, 220 + 128 * 8 / 9); // 333
    EXPECT_NE(frames[8].right, 340);
}

TEST(RubberBandAndZoomBox, DrawInXorAndLeaveNothingBehind) {
    SoftwareSurface surface(60, 50);
    const std::vector<std::uint8_t> white = surface.Pixels();
    DrawRubberBand(surface, {10, 5, 40, 30});
    EXPECT_EQ(surface.At(10, 5), 0);
    EXPECT_EQ(surface.At(40, 30), 0);
    EXPECT_EQ(surface.At(25, 30), 0);
    EXPECT_EQ(surface.At(25, 20), 255);
    DrawRubberBand(surface, {10, 5, 40, 30});
    EXPECT_EQ(surface.Pixels(), white);

    // The animation erases every frame it shows, also when the clock wraps meanwhile.
    SteppingClock clock(0xFFFFFFFAu);
    AnimateZoomBox(surface, clock, {20, 20, 24, 22}, {0, 0, 60, 50});
    EXPECT_EQ(surface.Pixels(), white);
    EXPECT_GE(clock.now - 0xFFFFFFFAu, 18u); // waited at least once per frame
}

} // namespace
