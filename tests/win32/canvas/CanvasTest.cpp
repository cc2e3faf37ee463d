// The preview canvas under Wine: the real "canvas" class in a stand-in dialog, driven by
// mouse and key input, its drawing read back as pixels and compared with the software
// surface's picture of the same view; then the repaint time of a 512 x 512 picture.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "plugin/preview/PaintCanvas.h"
#include "plugin/preview/QuietPreviewHost.h"
#include "plugin/preview/SoftwareSurface.h"
#include "plugin/preview/ViewSetup.h"
#include "plugin/resources/DialogIds.h"
#include "plugin/ui/win32/DialogPreviewHost.h"
#include "tests/win32/canvas/CanvasInput.h"
#include "tests/win32/canvas/CanvasStage.h"
#include "tests/win32/support/TestTally.h"
#include "tests/win32/support/WindowControls.h"

namespace {

constexpr int kPlaceholder = 256;

bool Near(float a, float b, float tolerance = 1e-4f) {
    return std::fabs(a - b) <= tolerance;
}

int ViewSelection(CanvasStage& stage) {
    return static_cast<int>(SendDlgItemMessageA(stage.Parent(), IDC_VIEW_LIST, CB_GETCURSEL, 0, 0));
}

void ClassAndWindowAreAsTheDialogExpects(HINSTANCE instance, CanvasStage& stage) {
    WNDCLASSEXA info{sizeof info};
    QM_CHECK(GetClassInfoExA(instance, kCanvasClassName, &info));
    QM_CHECK((info.style & CS_OWNDC) != 0);
    QM_CHECK_EQ(info.cbClsExtra, static_cast<int>(sizeof(void*)));
    QM_CHECK_EQ(GetDlgCtrlID(stage.Canvas()), IDC_CANVAS);
    RECT window{}, client{};
    GetWindowRect(stage.Canvas(), &window);
    GetClientRect(stage.Canvas(), &client);
    QM_CHECK_EQ(window.right - window.left, kPlaceholder + 1);
    QM_CHECK_EQ(window.bottom - window.top, kPlaceholder + 1);
    QM_CHECK_EQ(stage.Settings().canvasRect.right, client.right);
    QM_CHECK_EQ(stage.Settings().canvasRect.bottom, client.bottom);
    QM_CHECK(GetCanvasModel(stage.Canvas()) != nullptr);
    QM_CHECK(GetCanvasModel(stage.Parent()) == nullptr); // not a canvas
    QM_CHECK_EQ(SendMessageA(stage.Canvas(), WM_GETDLGCODE, 0, 0), LRESULT{DLGC_WANTALLKEYS});
}

void CursorsHaveTheirHotSpots(HINSTANCE instance) {
    const struct {
        const char* name;
        DWORD x, y;
    } cursors[] = {
        {"mag_glass", 7, 7}, {"hand_cur", 10, 10}, {"arrow_cur", 0, 0}, {"magmin_cur", 7, 7}};
    for (const auto& c : cursors) {
        const HCURSOR cursor = LoadCursorA(instance, c.name);
        ICONINFO icon{};
        QM_CHECK(cursor && GetIconInfo(cursor, &icon));
        QM_CHECK(!icon.fIcon);
        QM_CHECK_EQ(icon.xHotspot, c.x);
        QM_CHECK_EQ(icon.yHotspot, c.y);
        BITMAP mask{};
        GetObjectA(icon.hbmMask, sizeof mask, &mask);
        QM_CHECK_EQ(mask.bmWidth, 32);
        QM_CHECK_EQ(mask.bmHeight, 64); // AND and XOR masks: monochrome
        QM_CHECK_EQ(mask.bmBitsPixel, 1);
        QM_CHECK(icon.hbmColor == nullptr);
        DeleteObject(icon.hbmMask);
    }
}

// Whether SendInput drives a drag here decides nothing below: the posted messages carry
// the same key and button state. Reported for the record.
void SystemMouseDragsThePanTool(CanvasStage& stage) {
    MeshSettings& s = stage.Settings();
    s.Tooltype = 1;
    const float x = s.viewCenterX, y = s.viewCenterY;
    InputDrag(stage.Canvas(), {{100, 100}, {105, 98}, {110, 95}});
    const bool moved = s.viewCenterX != x || s.viewCenterY != y;
    std::printf("SendInput drag reached the canvas: %s (centre moved by %.1f, %.1f)\n",
                moved ? "yes" : "no", s.viewCenterX - x, s.viewCenterY - y);
    if (moved) {
        QM_CHECK(Near(s.viewCenterX, x + 10));
        QM_CHECK(Near(s.viewCenterY, y - 5));
    }
}

void ToolsChangeTheView(CanvasStage& stage) {
    MeshSettings& s = stage.Settings();
    const HWND canvas = stage.Canvas();
    const POINT inside{60, 60};

    s.Tooltype = 1; // pan by (10, -5): the picture moves right and up
    float x = s.viewCenterX, y = s.viewCenterY;
    PostDrag(canvas, {{100, 100}, {104, 99}, {110, 95}});
    QM_CHECK(Near(s.viewCenterX, x + 10));
    QM_CHECK(Near(s.viewCenterY, y - 5));
    QM_CHECK_EQ(ViewSelection(stage), 0);
    QM_CHECK_EQ(WindowText(GetDlgItem(stage.Parent(), IDC_STATUS_LINE)), std::string());
    QM_CHECK_EQ(WindowText(GetDlgItem(stage.Parent(), IDC_STATISTICS_FIRST)).rfind("Polygons:", 0),
                std::string::size_type{0});

    s.Tooltype = 0; // zoom: a click doubles, a Shift-click halves
    const float zoom = s.viewZoom;
    PostDrag(canvas, {{80, 90}, {81, 90}});
    QM_CHECK(Near(s.viewZoom, 2 * zoom, 1e-3f * zoom));
    PostKey(canvas, VK_SHIFT, true, inside);
    PostDrag(canvas, {{80, 90}}, {true, false});
    PostKey(canvas, VK_SHIFT, false, inside);
    QM_CHECK(Near(s.viewZoom, zoom, 1e-3f * zoom));
    // Shift with the pointer right of the canvas changes no mode: the click zooms in.
    PostKey(canvas, VK_SHIFT, true, {s.canvasRect.right + 30, 60});
    PostDrag(canvas, {{80, 90}}, {true, false});
    PostKey(canvas, VK_SHIFT, false, inside);
    QM_CHECK(Near(s.viewZoom, 2 * zoom, 1e-3f * zoom));
    // A Shift mode is dropped when the canvas loses the focus (its key-up goes elsewhere).
    SetFocus(canvas);
    PostKey(canvas, VK_SHIFT, true, inside);
    SetFocus(GetDlgItem(stage.Parent(), IDC_VIEW_LIST));
    SetFocus(canvas);
    PostDrag(canvas, {{80, 90}});
    QM_CHECK(Near(s.viewZoom, 4 * zoom, 1e-3f * zoom));
    // The canvas's place on the screen is taken when a key goes down, not at creation:
    // after the dialog moved right and down, Shift over the canvas still zooms out.
    SetWindowPos(stage.Parent(), nullptr, 300, 350, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Pump(30);
    PostKey(canvas, VK_SHIFT, true, {s.canvasRect.right - 5, s.canvasRect.bottom - 5});
    PostDrag(canvas, {{80, 90}}, {true, false});
    PostKey(canvas, VK_SHIFT, false, inside);
    QM_CHECK(Near(s.viewZoom, 2 * zoom, 1e-3f * zoom));
    SetWindowPos(stage.Parent(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Pump(30);
    PostDrag(canvas, {{80, 90}});
    // A band of 40 x 20 zooms by canvas width / 40.
    PostDrag(canvas, {{50, 50}, {70, 60}, {90, 70}});
    const float band = static_cast<float>(s.canvasRect.right) / 40;
    QM_CHECK(Near(s.viewZoom, 4 * zoom * band, 1e-3f * zoom * band));

    s.Tooltype = 2; // rotate: 30 pixels right add 0.3 to Yrot and clear the view list
    const float yrot = s.Yrot, xrot = s.Xrot;
    PostDrag(canvas, {{50, 50}, {80, 50}});
    QM_CHECK(Near(s.Yrot, yrot + 0.3f));
    QM_CHECK_EQ(ViewSelection(stage), -1);
    PostDrag(canvas, {{50, 50}, {60, 52}, {60, 90}}, {true, false}); // Shift: Yrot locked
    QM_CHECK(Near(s.Yrot, yrot + 0.4f));
    QM_CHECK(Near(s.Xrot, xrot));
    const float zrot = s.Zrot;
    PostDrag(canvas, {{50, 50}, {57, 47}}, {false, true}); // Ctrl: spin
    QM_CHECK(Near(s.Zrot, zrot + 0.04f));

    s.Tooltype = 1; // pan with Ctrl: free rotation; with Shift: zoom by dragging
    SendDlgItemMessageA(stage.Parent(), IDC_VIEW_LIST, CB_SETCURSEL, 1, 0);
    PostKey(canvas, VK_CONTROL, true, inside);
    QM_CHECK_EQ(ViewSelection(stage), -1);
    x = s.Xrot;
    PostDrag(canvas, {{50, 50}, {50, 70}}, {false, true});
    PostKey(canvas, VK_CONTROL, false, inside);
    QM_CHECK(Near(s.Xrot, x + 0.2f));
    const float before = s.viewZoom;
    PostKey(canvas, VK_SHIFT, true, inside);
    PostDrag(canvas, {{50, 100}, {52, 50}}, {true, false});
    PostKey(canvas, VK_SHIFT, false, inside);
    QM_CHECK(Near(s.viewZoom, before - 0.5f, 1e-3f));
}

// A canvas whose class data holds no model (before the dialog stores it, after it ends)
// paints white and ignores the tools.
void CanvasWithoutModelIgnoresEverything(CanvasStage& stage) {
    MeshSettings& s = stage.Settings();
    const float x = s.viewCenterX;
    CanvasModel* model = GetCanvasModel(stage.Canvas());
    SetCanvasModel(stage.Canvas(), nullptr);
    s.Tooltype = 1;
    PostDrag(stage.Canvas(), {{10, 10}, {40, 40}});
    PostKey(stage.Canvas(), VK_SHIFT, true, {20, 20});
    PostKey(stage.Canvas(), VK_SHIFT, false, {20, 20});
    InvalidateRect(stage.Canvas(), nullptr, TRUE);
    UpdateWindow(stage.Canvas());
    QM_CHECK_EQ(s.viewCenterX, x);
    int white = 0;
    for (int gray : stage.ReadPixels())
        white += gray == 255;
    QM_CHECK_EQ(white, s.canvasRect.right * s.canvasRect.bottom);
    SetCanvasModel(stage.Canvas(), model);
}

void PreviewHostWritesIntoTheDialog(CanvasStage& stage) {
    DialogPreviewHost host(stage.Parent());
    host.SetStatus("Rendering");
    QM_CHECK_EQ(WindowText(GetDlgItem(stage.Parent(), IDC_STATUS_LINE)), std::string("Rendering"));
    host.SetStatisticsLine(2, "Y Range: 1 2");
    QM_CHECK_EQ(WindowText(GetDlgItem(stage.Parent(), IDC_STATISTICS_FIRST + 2)),
                std::string("Y Range: 1 2"));
    host.SetStatisticsLine(4, "no such line");
    const HWND bar = GetDlgItem(stage.Parent(), IDC_PROGRESS_BAR);
    RECT client{};
    GetClientRect(bar, &client);
    const auto barPixel = [bar](int x, int y) {
        const HDC dc = GetDC(bar);
        const COLORREF colour = GetPixel(dc, x, y);
        ReleaseDC(bar, dc);
        return colour;
    };
    host.ShowDialogProgress(0, 100);
    QM_CHECK_EQ(barPixel(1, 2), RGB(255, 255, 255));
    host.ShowDialogProgress(50, 100); // black from the left up to the middle
    QM_CHECK_EQ(barPixel(1, 2), RGB(0, 0, 0));
    QM_CHECK_EQ(barPixel(client.right / 2 - 2, 2), RGB(0, 0, 0));
    QM_CHECK_EQ(barPixel(client.right / 2 + 2, 2), RGB(255, 255, 255));
    host.ShowDialogProgress(0, 100);
    QM_CHECK_EQ(barPixel(1, 2), RGB(255, 255, 255));
    const std::uint32_t start = host.TickCount();
    Sleep(20);
    QM_CHECK(host.TickCount() - start >= 10u);
}

// A left-button press waiting in the queue stops a shaded pass early.
void PendingClickStopsThePass(CanvasStage& stage) {
    MeshSettings& s = stage.Settings();
    s.Shadetype = 2;
    stage.Repaint();
    const std::uint32_t full = s.polygonCount;
    PostMessageA(stage.Parent(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    stage.Repaint();
    QM_CHECK(s.polygonCount < full);
    Pump(20);
}

struct PictureDifference {
    int differ = 0, besideLines = 0, drawn = 0, notGray = 0;
};

// gdi: gray levels as ReadPixels gives them. A difference counts as beside a line when
// both pictures have a black pixel at most one pixel from it.
PictureDifference Compare(const std::vector<int>& gdi, const SoftwareSurface& soft) {
    const int w = soft.Width(), h = soft.Height();
    const auto blackNear = [w, h](auto at, int x, int y) {
        for (int v = std::max(y - 1, 0); v <= std::min(y + 1, h - 1); ++v)
            for (int u = std::max(x - 1, 0); u <= std::min(x + 1, w - 1); ++u)
                if (at(u, v) == 0)
                    return true;
        return false;
    };
    const auto gdiAt = [&gdi, w](int x, int y) { return gdi[std::size_t(y) * w + x]; };
    const auto softAt = [&soft](int x, int y) { return int{soft.At(x, y)}; };
    PictureDifference d;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            d.notGray += gdiAt(x, y) < 0;
            d.drawn += softAt(x, y) != 255;
            if (gdiAt(x, y) == softAt(x, y))
                continue;
            ++d.differ;
            d.besideLines += blackNear(gdiAt, x, y) && blackNear(softAt, x, y);
        }
    return d;
}

void GdiDrawsWhatTheSoftwareSurfaceDraws(CanvasStage& stage) {
    MeshSettings& s = stage.Settings();
    s.Xrot = 0.5235988f, s.Yrot = 0.5235988f, s.Zrot = 0.0f;
    s.viewCenterX = kViewNotPlaced;
    InitView(s);
    for (int style = 0; style < 3; ++style) {
        s.Shadetype = style;
        for (int holes = 0; holes < 2; ++holes) {
            s.BlackHoles = holes;
            stage.Repaint();
            const std::vector<int> gdi = stage.ReadPixels();
            MeshSettings copy = s;
            PreviewCache cache;
            QuietPreviewHost host;
            SoftwareSurface soft(s.canvasRect.right, s.canvasRect.bottom);
            PaintCanvas(host, soft, copy, stage.Buffers(), cache);
            const PictureDifference d = Compare(gdi, soft);
            std::printf("style %d, black holes %d: %d of %zu pixels differ, all of them beside a "
                        "line pixel: %s (%d drawn, %d not gray)\n",
                        style, holes, d.differ, gdi.size(),
                        d.besideLines == d.differ ? "yes" : "no", d.drawn, d.notGray);
            QM_CHECK_EQ(d.notGray, 0);
            QM_CHECK(d.drawn > 1000);
            // Fills match exactly; lines may take the other pixel where a line passes exactly
            // half-way between two.
            QM_CHECK_EQ(d.besideLines, d.differ);
            if (style == 2)
                QM_CHECK_EQ(d.differ, 0);
        }
    }
    s.BlackHoles = 0;
}

// Wall-clock and this thread's processor seconds of one call of paint.
struct PaintTime {
    double wall, processor;
};

double ThreadSeconds() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    const auto ticks = [](FILETIME t) {
        return (std::uint64_t{t.dwHighDateTime} << 32 | t.dwLowDateTime) / 1e7;
    };
    return ticks(kernel) + ticks(user);
}

template <typename Paint> PaintTime Time(Paint paint) {
    LARGE_INTEGER frequency, from, to;
    QueryPerformanceFrequency(&frequency);
    const double processor = ThreadSeconds();
    QueryPerformanceCounter(&from);
    paint();
    QueryPerformanceCounter(&to);
    return {double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart),
            ThreadSeconds() - processor};
}

// Not a check: the repaint times of a 512 x 512 picture, printed for the record (the best
// of five, as wall-clock and as processor time of the painting thread).
void MeasureRepaints(HINSTANCE instance) {
    CanvasStage stage(instance, 512, kPlaceholder);
    MeshSettings& s = stage.Settings();
    for (int style : {2, 1, 0}) {
        s.Shadetype = style;
        stage.Repaint(); // warm-up
        PaintTime changed{1e9, 1e9}, unchanged{1e9, 1e9};
        for (int i = 0; i < 5; ++i) {
            const PaintTime a = Time([&stage] { stage.Repaint(); });
            const PaintTime b = Time([&stage] {
                InvalidateRect(stage.Canvas(), nullptr, TRUE);
                UpdateWindow(stage.Canvas());
            });
            changed = {std::min(changed.wall, a.wall), std::min(changed.processor, a.processor)};
            unchanged = {std::min(unchanged.wall, b.wall),
                         std::min(unchanged.processor, b.processor)};
        }
        const char* name = style == 0 ? "wireframe" : style == 1 ? "outlined" : "shaded";
        std::printf("512 x 512, %s (%u polygons): repaint after a view change %.3f s (processor "
                    "%.3f s), unchanged view %.3f s (processor %.3f s)\n",
                    name, s.polygonCount, changed.wall, changed.processor, unchanged.wall,
                    unchanged.processor);
    }
}

} // namespace

int main() {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    QM_CHECK(RegisterCanvasClass(instance));
    {
        CanvasStage stage(instance, 48, kPlaceholder);
        ClassAndWindowAreAsTheDialogExpects(instance, stage);
        CursorsHaveTheirHotSpots(instance);
        SystemMouseDragsThePanTool(stage);
        ToolsChangeTheView(stage);
        CanvasWithoutModelIgnoresEverything(stage);
        PreviewHostWritesIntoTheDialog(stage);
        PendingClickStopsThePass(stage);
        GdiDrawsWhatTheSoftwareSurfaceDraws(stage);
    }
    // A new canvas starts without the model of the one before it.
    const HWND bare = CreateWindowExA(0, kCanvasClassName, "", WS_POPUP, 0, 0, 50, 50, nullptr,
                                      nullptr, instance, nullptr);
    QM_CHECK(bare != nullptr);
    QM_CHECK(GetCanvasModel(bare) == nullptr);
    DestroyWindow(bare);
    MeasureRepaints(instance);
    UnregisterCanvasClass(instance);
    return Tally().Finish();
}
