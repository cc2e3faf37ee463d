#include "plugin/mesh/CellQuad.h"

namespace {

bool Same(const CellCorner& a, const CellCorner& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

bool AllHeightsDiffer(const CellQuad& c) {
    const float z0 = c.q[0].z, z1 = c.q[1].z, z2 = c.q[2].z, z3 = c.q[3].z;
    return z0 != z1 && z0 != z2 && z0 != z3 && z1 != z2 && z1 != z3 && z2 != z3;
}

// Removes corner `gone`, moving the later ones up.
void DropCorner(CellQuad& c, int gone) {
    for (int i = gone; i < 3; ++i)
        c.q[i] = c.q[i + 1];
}

} // namespace

void ReduceBlackHoles(CellQuad& cell) {
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

void ReduceDegenerateCorners(CellQuad& cell) {
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
