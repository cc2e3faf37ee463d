#pragma once
// One export polygon per grid cell, in cell order (see BuildPolygonList).

#include <cstdint>

struct PolygonRecord {
    std::int16_t count;    // 0 = no polygon, 3 = triangle, 4 = quad
    std::int32_t index[4]; // 0-based point indices; a triangle uses the first three
};

inline bool IsPolygon(std::int16_t count) {
    return count == 3 || count == 4;
}
