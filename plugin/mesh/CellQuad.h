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

namespace cell_detail {

inline bool Same(const CellCorner& a, const CellCorner& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

inline bool AllHeightsDiffer(const CellQuad& c) {
    const float z0 = c.q[0].z, z1 = c.q[1].z, z2 = c.q[2].z, z3 = c.q[3].z;
    return z0 != z1 && z0 != z2 && z0 != z3 && z1 != z2 && z1 != z3 && z2 != z3;
}

// Removes corner `gone`, moving the later ones up.
inline void DropCorner(CellQuad& c, int gone) {
    for (int i = gone; i < 3; ++i)
        c.q[i] = c.q[i + 1];
}

} // namespace cell_detail

// Drops the black corners: one black corner leaves the triangle of the other three
// (later corners move up), two or more leave count below 3, which means no polygon.
inline void ReduceBlackHoles(CellQuad& cell) {
    using namespace cell_detail;
    int firstBlack = -1;
    for (int i = 0; i < 4; ++i) {
        if (cell.solid[i] == 0) {
            --cell.count;
            if (firstBlack < 0)
                firstBlack = i;
        }
    }
    if (cell.count == 3)
        DropCorner(cell, firstBlack);
}

// Removes coincident corners (equal x, y and z; 0.0 equals -0.0) so that no polygon
// repeats a point: a quad may become a triangle, a triangle may vanish (count 2).
// Cells whose four z values all differ, or with fewer than 3 corners, are left alone.
inline void ReduceDegenerateCorners(CellQuad& cell) {
    using namespace cell_detail;
    if (cell.count < 3 || AllHeightsDiffer(cell))
        return;
    CellCorner* q = cell.q;
    if (Same(q[0], q[3]))
        q[3] = q[2];
    if (Same(q[3], q[2]) && cell.count == 4)
        cell.count = 3;
    if (cell.count == 4) {
        if (Same(q[2], q[1])) {
            DropCorner(cell, 2);
        } else if (Same(q[3], q[1])) {
            // the triangle keeps q0, q1, q2
        } else if (Same(q[0], q[2])) {
            DropCorner(cell, 2);
        } else if (Same(q[0], q[1])) {
            DropCorner(cell, 1);
        } else {
            return;
        }
        cell.count = 3;
    }
    if (cell.count == 3 && (Same(q[0], q[2]) || Same(q[2], q[1]) || Same(q[0], q[1])))
        cell.count = 2;
}
