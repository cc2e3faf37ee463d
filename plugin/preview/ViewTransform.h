#pragma once
// The one transform every preview drawing uses: rotate by the view angles (Yrot, then
// Xrot, then Zrot, each negated), push back by viewDistance, project with viewZoom about
// the view centre. All arithmetic is single precision.

#include <cstdint>
#include <optional>

#include "plugin/run/MeshSettings.h"

// Sines and cosines of the negated angles, computed once per pass.
struct ViewAngles {
    float sa, ca; // -Yrot
    float sb, cb; // -Xrot
    float sc, cc; // -Zrot
};

ViewAngles MakeViewAngles(const MeshSettings& settings);

// x right, y up, depth away from the eye.
struct ViewPoint {
    float x, y, depth;
};

struct ScreenPoint {
    std::int16_t x, y;
};

struct CanvasPosition {
    float x, y;
};

inline ViewPoint TransformPoint(float x, float y, float z, const ViewAngles& a,
                                float viewDistance) {
    const float z1 = z * a.ca - x * a.sa;
    const float x1 = z * a.sa + x * a.ca;
    const float y2 = y * a.cb - z1 * a.sb;
    const float z2 = y * a.sb + z1 * a.cb;
    return {x1 * a.cc - y2 * a.sc, y2 * a.cc + x1 * a.sc, viewDistance + z2};
}

// The canvas position before truncation; none when the point is not in front of the eye.
inline std::optional<CanvasPosition> ProjectExact(const ViewPoint& p, const MeshSettings& s) {
    if (!(p.depth > 0.0f))
        return std::nullopt;
    const float k = s.DoPerspective ? (s.viewDistance / p.depth) * s.viewZoom : s.viewZoom;
    return CanvasPosition{p.x * k + s.viewCenterX, s.viewCenterY - p.y * k};
}

// Truncates toward zero into the 16-bit pixel range; values beyond it are clamped (not
// wrapped) and a NaN becomes the lowest value.
inline std::int16_t ToCanvasPixel(float v) {
    if (v >= 32767.0f)
        return 32767;
    if (v > -32768.0f)
        return static_cast<std::int16_t>(static_cast<std::int32_t>(v));
    return -32768;
}

// The canvas pixel of a transformed point; none when depth <= 0.
inline std::optional<ScreenPoint> ProjectPoint(const ViewPoint& p, const MeshSettings& s) {
    const std::optional<CanvasPosition> exact = ProjectExact(p, s);
    if (!exact)
        return std::nullopt;
    return ScreenPoint{ToCanvasPixel(exact->x), ToCanvasPixel(exact->y)};
}
