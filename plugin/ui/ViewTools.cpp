#include "plugin/ui/ViewTools.h"

#include <cmath>
#include <cstdlib>

#include "plugin/preview/ViewSetup.h"

namespace {

constexpr float kPerPixel = 100.0f;
constexpr int kZoomBoxSteps = 9;

bool SaneView(const MeshSettings& s) {
    return std::isfinite(s.viewZoom) && std::fabs(s.viewZoom) <= kMaxViewZoom &&
           std::isfinite(s.viewCenterX) && std::isfinite(s.viewCenterY);
}

// Applies a zoom step only when it leaves a view that can still be drawn and recovered.
template <typename Step> void ZoomStep(MeshSettings& s, Step step) {
    const MeshSettings before = s;
    step(s);
    if (!SaneView(s)) {
        s.viewZoom = before.viewZoom;
        s.viewCenterX = before.viewCenterX;
        s.viewCenterY = before.viewCenterY;
    }
}

} // namespace

void PanView(MeshSettings& s, std::int16_t dx, std::int16_t dy) {
    s.viewCenterY += dy;
    s.viewCenterX += dx;
}

void RotateView(MeshSettings& s, std::int16_t dx, std::int16_t dy, int axis, bool spin) {
    if (spin) {
        s.Zrot += dy / kPerPixel;
        s.Zrot += dx / kPerPixel;
        return;
    }
    if (axis == kAxisFree || axis == kAxisXrotOnly)
        s.Xrot += dy / kPerPixel;
    if (axis == kAxisFree || axis == kAxisYrotOnly)
        s.Yrot += dx / kPerPixel;
}

void ZoomDragView(MeshSettings& s, std::int16_t delta) {
    ZoomStep(s, [delta](MeshSettings& v) { v.viewZoom += delta / kPerPixel; });
}

void ZoomAtPoint(MeshSettings& s, CanvasPoint p, bool zoomOut) {
    ZoomStep(s, [p, zoomOut](MeshSettings& v) {
        const float hx = v.homeCenterX, hy = v.homeCenterY;
        const auto px = static_cast<float>(p.x), py = static_cast<float>(p.y);
        if (zoomOut) {
            v.viewZoom = v.viewZoom / 2;
            v.viewCenterX = ((v.viewCenterX - hx) - (hx - px)) / 2 + hx;
            v.viewCenterY = ((v.viewCenterY - hy) - (hy - py)) / 2 + hy;
        } else {
            v.viewZoom = v.viewZoom * 2;
            v.viewCenterX = ((hx - px) + (v.viewCenterX - hx)) * 2 + hx;
            v.viewCenterY = ((hy - py) + (v.viewCenterY - hy)) * 2 + hy;
        }
    });
}

ZoomBox ZoomToRect(MeshSettings& s, CanvasRect r, bool zoomOut) {
    const std::int64_t side =
        std::max<std::int64_t>(std::int64_t(r.right) - r.left, std::int64_t(r.bottom) - r.top);
    if (side <= 0)
        return {r, r};
    const float scale =
        static_cast<float>(s.canvasRect.right - s.canvasRect.left) / static_cast<float>(side);
    ZoomStep(s, [&r, scale, zoomOut](MeshSettings& v) {
        const float hx = v.homeCenterX, hy = v.homeCenterY;
        if (zoomOut) {
            v.viewZoom = v.viewZoom / scale;
            v.viewCenterX = static_cast<float>(std::int64_t(r.right) + r.left) / 2;
            v.viewCenterY = static_cast<float>(std::int64_t(r.top) + r.bottom) / 2;
        } else {
            const auto midX = static_cast<float>((std::int64_t(r.right) + r.left) / 2);
            const auto midY = static_cast<float>((std::int64_t(r.top) + r.bottom) / 2);
            v.viewZoom = v.viewZoom * scale;
            v.viewCenterX = ((hx - midX) + (v.viewCenterX - hx)) * scale + hx;
            v.viewCenterY = ((hy - midY) + (v.viewCenterY - hy)) * scale + hy;
        }
    });
    return zoomOut ? ZoomBox{s.canvasRect, r} : ZoomBox{r, s.canvasRect};
}

void FitAll(MeshSettings& s) {
    if (!(s.viewZoom > 0.0f) || !SaneView(s)) {
        s.viewZoom = 1.0f;
        s.viewCenterX = s.homeCenterX;
        s.viewCenterY = s.homeCenterY;
    }
    FitView(s);
}

std::array<CanvasRect, 9> ZoomBoxFrames(CanvasRect a, CanvasRect b) {
    const auto step = [](std::int32_t from, std::int32_t to, int i) {
        return static_cast<std::int32_t>(from + (std::int64_t(to) - from) * i / kZoomBoxSteps);
    };
    std::array<CanvasRect, 9> frames{};
    for (int i = 0; i < kZoomBoxSteps; ++i)
        frames[i] = {step(a.left, b.left, i), step(a.top, b.top, i), step(a.right, b.right, i),
                     step(a.bottom, b.bottom, i)};
    return frames;
}

void DrawRubberBand(DrawingSurface& surface, CanvasRect r) {
    const CanvasPoint outline[] = {{r.left, r.top},
                                   {r.right, r.top},
                                   {r.right, r.bottom},
                                   {r.left, r.bottom},
                                   {r.left, r.top}};
    surface.SetRasterMode(RasterMode::NotXor);
    surface.Polyline(outline, std::size(outline));
    surface.SetRasterMode(RasterMode::Copy);
}

void AnimateZoomBox(DrawingSurface& surface, PreviewHost& host, CanvasRect a, CanvasRect b) {
    std::uint32_t last = host.TickCount();
    for (const CanvasRect& frame : ZoomBoxFrames(a, b)) {
        DrawRubberBand(surface, frame);
        while (host.TickCount() - last < 1u) {
        }
        DrawRubberBand(surface, frame);
        last = host.TickCount();
    }
}
