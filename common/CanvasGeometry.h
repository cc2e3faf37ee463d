#pragma once
// Canvas pixel positions, shared by the mesh records, the renderers and the drawing surface.

#include <cstdint>

struct CanvasPoint {
    std::int32_t x, y;
};

struct CanvasRect {
    std::int32_t left, top, right, bottom;
};
