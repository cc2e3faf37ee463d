#pragma once
// One grid cell on its way to a polygon: corners top-left, top-right, bottom-right,
// bottom-left, reduced where black holes or coincident corners take some away.

#include <cstdint>

struct CellCorner {
    float x, y, z;
    std::int32_t index;
};

struct CellQuad {
    std::int16_t count; // corners still in use, 4 at the start
    CellCorner q[4];
    std::uint8_t solid[4]; // the corners' solidFlags
};

// Drops the black corners: one black corner leaves the triangle of the other three
// (later corners move up), two or more leave count below 3, which means no polygon.
void ReduceBlackHoles(CellQuad& cell);

// Removes coincident corners (equal x, y and z; 0.0 equals -0.0) so that no polygon
// repeats a point: a quad may become a triangle, a triangle may vanish (count 2).
// Cells whose four z values all differ, or with fewer than 3 corners, are left alone.
void ReduceDegenerateCorners(CellQuad& cell);
