#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plugin/preview/QuietPreviewHost.h"
#include "plugin/preview/SoftwareSurface.h"
#include "plugin/preview/ViewSetup.h"
#include "plugin/ui/CanvasTools.h"
#include "plugin/ui/ViewTools.h"

namespace {

// The canvas window as a test sees it: a software surface, and a record of what the tools
// asked of the window.
class RecordingCanvas final : public CanvasWindow {
  public:
    class StatusHost final : public QuietPreviewHost {
      public:
        void SetStatus(const char* text) override { statuses.emplace_back(text); }
        std::uint32_t TickCount() override { return now++; }
        std::vector<std::string> statuses;
        std::uint32_t now = 0;
    };

    void ShowCursor(CanvasCursor cursor) override { shown.push_back(cursor); }
    void TakeFocus() override { ++focusTaken; }
    void ClearViewList() override { ++viewListCleared; }
    void CaptureMouse(bool capture) override { captured = capture; }
    void Repaint() override { ++repaints; }
    DrawingSurface& Surface() override { return surface; }
    PreviewHost& Host() override { return host; }

    SoftwareSurface surface{340, 348};
    StatusHost host;
    std::vector<CanvasCursor> shown;
    int focusTaken = 0, viewListCleared = 0, repaints = 0;
    bool captured = false;
};

constexpr PointerPlace kInside{{100, 100}, 340, 348};

class CanvasToolsTest : public ::testing::Test {
  protected:
    CanvasToolsTest() {
        s.minX = -60, s.maxX = 40, s.minY = -10, s.maxY = 30, s.minZ = 0, s.maxZ = 10;
        s.viewDistance = 250.0f;
        s.canvasRect = {0, 0, 340, 348};
        s.viewCenterX = kViewNotPlaced;
        InitView(s);
        cache.wireTransformed = cache.shadeTransformed = true;
    }

    void Use(std::int32_t tool) {
        s.Tooltype = tool;
        tools.SetCursor(window, true, tool);
    }
    // Press at from, move through the steps (shift and ctrl held as given), release.
    void Drag(CanvasPoint from, std::vector<CanvasPoint> steps, bool shift = false,
              bool ctrl = false) {
        tools.ButtonDown(window, s, from);
        for (CanvasPoint p : steps)
            tools.MouseMove(window, s, p, true, shift, ctrl);
        tools.ButtonUp(window, s, cache);
    }

    MeshSettings s{};
    PreviewCache cache;
    RecordingCanvas window;
    CanvasTools tools;
};

TEST_F(CanvasToolsTest, FirstPointerOverTheCanvasTakesTheFocusAndShowsTheToolCursor) {
    tools.SetCursor(window, false, kPanTool); // dialog not active: nothing taken
    EXPECT_EQ(window.focusTaken, 0);
    EXPECT_EQ(window.shown.back(), CanvasCursor::None);
    tools.SetCursor(window, true, kPanTool);
    tools.SetCursor(window, true, kZoomTool); // has the focus: keeps the cursor it took
    EXPECT_EQ(window.focusTaken, 1);
    EXPECT_EQ(window.shown.back(), CanvasCursor::Hand);
    // A tool button took the focus; back over the canvas the new tool's cursor shows.
    tools.FocusLost();
    tools.SetCursor(window, true, kRotateTool);
    EXPECT_EQ(window.focusTaken, 2);
    EXPECT_EQ(window.shown.back(), CanvasCursor::Arrow);
}

TEST_F(CanvasToolsTest, ShiftAndCtrlChangeModeAndCursorOnlyOverTheCanvasForTheirTools) {
    Use(kZoomTool);
    tools.KeyDown(window, CanvasKey::Shift, {{341, 100}, 340, 348}, kZoomTool); // right of it
    tools.KeyDown(window, CanvasKey::Shift, {{100, 349}, 340, 348}, kZoomTool); // below it
    EXPECT_EQ(tools.Mode(), ModifierMode::None);
    tools.KeyDown(window, CanvasKey::Shift, kInside, kZoomTool);
    EXPECT_EQ(tools.Mode(), ModifierMode::ZoomOut);
    EXPECT_EQ(window.shown.back(), CanvasCursor::MagMinus);
    tools.KeyUp(window, CanvasKey::Shift, kInside);
    EXPECT_EQ(tools.Mode(), ModifierMode::None);
    EXPECT_EQ(window.shown.back(), CanvasCursor::MagGlass);

    tools.KeyDown(window, CanvasKey::Shift, kInside, kRotateTool);
    EXPECT_EQ(tools.Mode(), ModifierMode::None);
    tools.KeyDown(window, CanvasKey::Shift, kInside, kPanTool);
    EXPECT_EQ(tools.Mode(), ModifierMode::ZoomDrag);
    EXPECT_EQ(tools.OverrideCursor(), CanvasCursor::MagGlass);
    tools.KeyDown(window, CanvasKey::Ctrl, kInside, kPanTool); // one modifier at a time
    EXPECT_EQ(tools.Mode(), ModifierMode::ZoomDrag);
    const std::size_t shownBefore = window.shown.size();
    tools.KeyUp(window, CanvasKey::Shift, {{340, 100}, 340, 348}); // not strictly inside
    EXPECT_EQ(window.shown.size(), shownBefore);

    tools.KeyDown(window, CanvasKey::Ctrl, kInside, kPanTool);
    EXPECT_EQ(tools.Mode(), ModifierMode::FreeRotate);
    EXPECT_EQ(window.viewListCleared, 1);
    // Losing the focus drops the mode: the key-up will not come here.
    tools.FocusLost();
    EXPECT_EQ(tools.Mode(), ModifierMode::None);
    EXPECT_EQ(tools.OverrideCursor(), CanvasCursor::None);
}

TEST_F(CanvasToolsTest, ZoomToolClicksAndBands) {
    Use(kZoomTool);
    const float zoom = s.viewZoom;
    Drag({100, 60}, {{101, 61}});
    EXPECT_FLOAT_EQ(s.viewZoom, 2 * zoom);
    EXPECT_FALSE(cache.wireTransformed || cache.shadeTransformed);
    EXPECT_EQ(window.repaints, 1);
    EXPECT_FALSE(window.captured);
    EXPECT_FALSE(tools.Dragging());

    tools.KeyDown(window, CanvasKey::Shift, kInside, kZoomTool);
    Drag({100, 60}, {});
    EXPECT_FLOAT_EQ(s.viewZoom, zoom);

    // Shift let go before the button: the mode read at the release zooms in.
    tools.ButtonDown(window, s, {100, 60});
    tools.KeyUp(window, CanvasKey::Shift, kInside);
    tools.ButtonUp(window, s, cache);
    EXPECT_FLOAT_EQ(s.viewZoom, 2 * zoom);

    // A band dragged up and left of the press; it and the animation leave no pixels.
    const std::vector<std::uint8_t> before = window.surface.Pixels();
    Drag({140, 220}, {{120, 210}, {100, 200}});
    EXPECT_FLOAT_EQ(s.viewZoom, 2 * zoom * 8.5f);
    EXPECT_EQ(window.surface.Pixels(), before);
}

TEST_F(CanvasToolsTest, PanDragMovesThePictureAndShowsOneOutline) {
    Use(kPanTool);
    const float x = s.viewCenterX, y = s.viewCenterY;
    tools.ButtonDown(window, s, {50, 50});
    EXPECT_EQ(window.viewListCleared, 0);
    tools.MouseMove(window, s, {55, 48}, true, false, false);
    tools.MouseMove(window, s, {60, 45}, true, false, false);
    tools.MouseMove(window, s, {90, 90}, false, false, false); // button no longer held
    EXPECT_FLOAT_EQ(s.viewCenterX, x + 10);
    EXPECT_FLOAT_EQ(s.viewCenterY, y - 5);
    EXPECT_EQ(window.host.statuses.back(), "");

    SoftwareSurface expected(340, 348);
    DrawBoxOutline(s, expected);
    EXPECT_EQ(window.surface.Pixels(), expected.Pixels());
    tools.ButtonUp(window, s, cache);
    tools.MouseMove(window, s, {90, 90}, true, false, false); // not dragging any more
    EXPECT_FLOAT_EQ(s.viewCenterX, x + 10);
}

TEST_F(CanvasToolsTest, RotateToolLocksAnAxisWithShiftAndSpinsWithCtrl) {
    Use(kRotateTool);
    Drag({50, 50}, {{80, 50}});
    EXPECT_NEAR(s.Yrot, 0.3f, 1e-6);
    EXPECT_EQ(window.viewListCleared, 1);

    // Shift: a first movement mostly sideways locks Yrot; later vertical movement is lost.
    Drag({50, 50}, {{50, 50}, {60, 53}, {60, 90}}, true);
    EXPECT_NEAR(s.Yrot, 0.4f, 1e-6);
    EXPECT_NEAR(s.Xrot, 0.0f, 1e-6);
    // The lock ends with the release: now a mostly vertical start locks Xrot.
    Drag({50, 50}, {{52, 60}, {90, 60}}, true);
    EXPECT_NEAR(s.Xrot, 0.1f, 1e-6);
    EXPECT_NEAR(s.Yrot, 0.4f, 1e-6);

    Drag({50, 50}, {{57, 47}}, false, true);
    EXPECT_NEAR(s.Zrot, 0.04f, 1e-6);
    EXPECT_NEAR(s.Xrot, 0.1f, 1e-6);
}

TEST_F(CanvasToolsTest, PanToolWithShiftZoomsAndWithCtrlRotatesFreely) {
    Use(kPanTool);
    tools.KeyDown(window, CanvasKey::Shift, kInside, kPanTool);
    const float zoom = s.viewZoom;
    Drag({50, 100}, {{55, 50}});
    EXPECT_NEAR(s.viewZoom, zoom - 0.5f, 1e-5);
    tools.KeyUp(window, CanvasKey::Shift, kInside);

    tools.KeyDown(window, CanvasKey::Ctrl, kInside, kPanTool);
    Drag({50, 50}, {{60, 70}}, false, true);
    EXPECT_NEAR(s.Yrot, 0.1f, 1e-6);
    EXPECT_NEAR(s.Xrot, 0.2f, 1e-6);
    EXPECT_NEAR(s.Zrot, 0.0f, 1e-6);
}

} // namespace
