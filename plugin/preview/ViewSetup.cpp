#include "plugin/preview/ViewSetup.h"

#include <algorithm>
#include <cmath>

#include "plugin/preview/ViewTransform.h"

std::array<ModelPoint, 8> BoundingBoxCorners(const MeshSettings& s) {
    return {{{s.maxX, s.maxY, s.maxZ},
             {s.maxX, s.maxY, s.minZ},
             {s.minX, s.maxY, s.minZ},
             {s.minX, s.maxY, s.maxZ},
             {s.minX, s.minY, s.maxZ},
             {s.maxX, s.minY, s.maxZ},
             {s.maxX, s.minY, s.minZ},
             {s.minX, s.minY, s.minZ}}};
}

void InitView(MeshSettings& s) {
    if (s.viewCenterX != kViewNotPlaced)
        return;
    s.viewCenterX = s.homeCenterX = static_cast<float>(s.canvasRect.right / 2 + 0.01);
    s.viewCenterY = s.homeCenterY = static_cast<float>(s.canvasRect.bottom / 2 + 0.01);
    s.viewZoom = 1.0f;
    FitView(s);
}

void FitView(MeshSettings& s) {
    const ViewAngles angles = MakeViewAngles(s);
    bool any = false;
    float xMin = 0, xMax = 0, yMin = 0, yMax = 0;
    for (const ModelPoint& c : BoundingBoxCorners(s)) {
        const auto p = ProjectExact(TransformPoint(c.x, c.y, c.z, angles, s.viewDistance), s);
        if (!p)
            continue;
        if (!any) {
            xMin = xMax = p->x;
            yMin = yMax = p->y;
            any = true;
            continue;
        }
        xMin = std::min(xMin, p->x);
        xMax = std::max(xMax, p->x);
        yMin = std::min(yMin, p->y);
        yMax = std::max(yMax, p->y);
    }
    float span = xMax - xMin;
    if (yMax - yMin > span)
        span = yMax - yMin;
    const float width = static_cast<float>(s.canvasRect.right - s.canvasRect.left);
    // A degenerate box or canvas would set the zoom to zero or infinity: keep the view.
    if (!any || !(span > 0.0f) || !std::isfinite(span) || !(width > 0.0f))
        return;
    const float scale = width / span;
    s.viewZoom = s.viewZoom * scale;
    s.viewCenterX = (s.viewCenterX - (xMax + xMin) / 2) * scale + s.homeCenterX;
    s.viewCenterY = (s.viewCenterY - (yMax + yMin) / 2) * scale + s.homeCenterY;
}

void DrawBoxOutline(const MeshSettings& s, DrawingSurface& surface) {
    const ViewAngles angles = MakeViewAngles(s);
    const auto box = BoundingBoxCorners(s);
    CanvasPoint c[8];
    for (int i = 0; i < 8; ++i) {
        const auto p =
            ProjectPoint(TransformPoint(box[i].x, box[i].y, box[i].z, angles, s.viewDistance), s);
        c[i] = p ? CanvasPoint{p->x, p->y} : CanvasPoint{0, 0};
    }
    surface.SetRasterMode(RasterMode::NotXor);
    // The face at maxY, the edge C1-C6, the face at minY; then the three other side edges.
    const CanvasPoint walk[] = {c[0], c[1], c[2], c[3], c[0], c[5], c[6], c[7], c[4], c[5]};
    surface.Polyline(walk, std::size(walk));
    surface.Line(c[1], c[6]);
    surface.Line(c[2], c[7]);
    surface.Line(c[3], c[4]);
    surface.SetRasterMode(RasterMode::Copy);
}
