#pragma once
// Grid cells reduced to export polygons, one cell row at a time: the cells between two rows
// of points become quads, triangles or nothing.

#include <cstdint>

#include "plugin/mesh/CellQuad.h"

// One row of points as read: PointsPerRow values in each array.
struct PointRowView {
    const float* x;
    const float* y;
    const float* z;
    const std::uint8_t* solid;
};

// Reduces the perRow - 1 cells between the point rows top and bottom (whose first points are
// the points firstPoint and firstPoint + perRow) and calls visit(column, count, corners) for
// each: count 4 or 3 for a polygon, less for none; corners are point indices, top-left,
// top-right, bottom-right, bottom-left with the dropped ones taken out. Black corners are
// dropped when blackHoles is set, coincident corners always.
template <class Visit>
void ReduceCellRow(const PointRowView& top, const PointRowView& bottom, std::uint32_t perRow,
                   std::int32_t firstPoint, bool blackHoles, Visit visit) {
    const auto below = static_cast<std::int32_t>(perRow);
    for (std::uint32_t c = 0; c + 1 < perRow; ++c) {
        const std::int32_t i0 = firstPoint + static_cast<std::int32_t>(c);
        const std::int32_t corners[4] = {i0, i0 + 1, i0 + below + 1, i0 + below};
        // Top-left, top-right, bottom-right, bottom-left.
        const float x[4] = {top.x[c], top.x[c + 1], bottom.x[c + 1], bottom.x[c]};
        const float y[4] = {top.y[c], top.y[c + 1], bottom.y[c + 1], bottom.y[c]};
        const float z[4] = {top.z[c], top.z[c + 1], bottom.z[c + 1], bottom.z[c]};
        const std::uint8_t solid[4] = {top.solid[c], top.solid[c + 1], bottom.solid[c + 1],
                                       bottom.solid[c]};
        // The common case: nothing to drop and no two corners alike, so the quad stays as it
        // is (every reduction rule needs a pair of equal corners).
        const bool allSolid = !blackHoles || (solid[0] & solid[1] & solid[2] & solid[3]);
        const auto same = [&](int a, int j) {
            return z[a] == z[j] && x[a] == x[j] && y[a] == y[j];
        };
        // Heights alone rule most cells out, in a few branch-free compares.
        const bool heightsDiffer = (z[0] != z[1]) & (z[0] != z[2]) & (z[0] != z[3]) &
                                   (z[1] != z[2]) & (z[1] != z[3]) & (z[2] != z[3]);
        if (allSolid && (heightsDiffer || (!same(0, 1) && !same(0, 2) && !same(0, 3) &&
                                           !same(1, 2) && !same(1, 3) && !same(2, 3)))) {
            visit(c, std::int16_t{4}, corners);
            continue;
        }
        CellQuad cell;
        cell.count = 4;
        for (int k = 0; k < 4; ++k) {
            cell.q[k] = {x[k], y[k], z[k], corners[k]};
            cell.solid[k] = solid[k];
        }
        if (blackHoles)
            ReduceBlackHoles(cell);
        ReduceDegenerateCorners(cell);
        const std::int32_t reduced[4] = {cell.q[0].index, cell.q[1].index, cell.q[2].index,
                                         cell.q[3].index};
        visit(c, cell.count, reduced);
    }
}
