#pragma once
// Bottom-up clean-up of a triangulation: a vertex is removed by moving it onto one of its
// neighbours (a half-edge collapse) wherever every sample under the triangles that changes
// stays within the limit, the triangles keep turning positively and the surface keeps its
// outline: a vertex on the rim only moves along a straight stretch of it.

#include <cstdint>
#include <functional>
#include <vector>

#include "simplify/GreedyRefine.h"
#include "simplify/GridMesh.h"
#include "simplify/HeightGrid.h"
#include "simplify/TriangleCheck.h"

// Whether a sample must stay a vertex whatever (a tile's side that another tile shares).
using KeptSample = std::function<bool(std::uint32_t sample)>;

// How often a vertex is tried: once, row by row; or also again whenever a neighbour went, until
// none goes. Trying again removes some 3 % more vertices of a flat relief at a fifth more time,
// and some 8 % more of a tube's or a globe's at a third more; within a budget, it lowers the
// error reached by some 2 %.
enum class CollapseTries { kOnce, kUntilNoneGoes };

// Collapses vertices of mesh within window (the mesh may reach beyond it; vertices outside
// stay) while the surface stays within limit of every sample. kept: null, or the vertices that
// must stay. check: null, or a test every changed triangle must pass within limit too; its
// Fixed vertices stay. Returns the vertices removed.
std::uint64_t CollapseEdges(const HeightGrid& grid, GridRect window, double limit,
                            CollapseTries tries, const KeptSample& kept, GridMesh& mesh,
                            const TriangleCheck* check = nullptr);

// The same, each tried once, for the vertices on the given rows of the whole grid (distinct), in
// their order; only those rows are kept track of, where a window over the grid would take 5
// bytes a sample.
std::uint64_t CollapseRows(const HeightGrid& grid, const std::vector<std::uint32_t>& rows,
                           double limit, GridMesh& mesh, const TriangleCheck* check = nullptr);
