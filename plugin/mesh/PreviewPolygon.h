#pragma once
// One preview polygon per grid cell, in cell order; the fill visits them back to front.

#include <cstdint>

#include "common/CanvasGeometry.h"

struct PreviewPolygon {
    CanvasPoint corners[4]; // laid out as the polygon-fill call takes them
    float depthKey;         // sum of the viewDepth of the cell's four points
    std::int16_t shade;     // 0..255 from ShadeTriangle
    std::int32_t visible;   // 1 = draw, 0 = skip
};
