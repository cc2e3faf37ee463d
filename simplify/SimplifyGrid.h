#pragma once
// Fewer triangles for a height grid: a triangulation over some of its samples that is within
// a given height of every sample (or has at most a given number of triangles), with the
// grid's outline kept exactly. The rim's vertices are samples of the rim, so that every rim
// edge lies on a side of the grid; the holes' outlines are those of the full grid.
//
// How: the grid is cut into bands of about 128 rows, shared out among the threads. The sides
// of each band are simplified first as lines, so that neighbouring bands share their
// vertices. A band is then refined from its sides and a sample every 16 rows and columns,
// always at the sample furthest from the surface so far, keeping the triangulation Delaunay,
// until every sample is within the limit; where its sides kept many of their samples, it
// starts from its full grid instead. Then every vertex that can go without breaking the
// limit is collapsed onto a neighbour (a half-edge collapse, the removed vertex tested first,
// then every sample under the changed triangles), row by row. Last, the bands are joined and
// the vertices along each seam get the same chance. A
// grid with holes is collapsed from its full triangulation, on one thread. A triangle budget is
// spent by refining the whole grid until it is, then searching below the error that leaves for
// the lowest limit whose result fits (BudgetSearch.h); with holes, the search collapses the
// full triangulation.
//
// Memory, beyond the heights the caller holds (4 bytes a sample): 24 bytes a triangle of the
// working meshes (a kept vertex has about two) and 5 bytes a sample of the band being
// collapsed (of the seams' rows while they are); a dense band holds its full grid (48 bytes a
// sample) while it is collapsed, and so does a grid with holes.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "simplify/HeightGrid.h"
#include "simplify/TriangleCheck.h"

struct SimplifyGoal {
    // The largest distance in height allowed between the surface and any sample (0: only
    // triangles that lie flat on their samples are merged). With maxTriangles, the error at
    // which refinement may stop before the budget is spent.
    double maxError = 0;
    // At most this many triangles (at least 2; 0: no budget), as close as they get; with holes,
    // when their outline needs more, the fewest it is collapsed to. With a check, only for a
    // grid with holes, and the check's AddedTriangles count too.
    std::uint64_t maxTriangles = 0;
    int threads = 1; // 1 or more
    // null, or a test every triangle must also pass within maxError (TriangleCheck.h): the
    // strips' sides are kept within it too, and its Fixed samples are never collapsed.
    const TriangleCheck* check = nullptr;
    // Whether the result's maxError is measured: a pass over every sample, wasted where no one
    // reads it.
    bool measure = true;
    // With a budget and holes, the largest error the search may try; by default the heights'
    // range, which no plane through samples strays further than (a check's error may).
    std::optional<double> ceiling;
};

struct SimplifiedMesh {
    std::vector<std::uint32_t> vertices;                 // samples, ascending
    std::vector<std::array<std::uint32_t, 3>> triangles; // into vertices, Turn > 0
    double maxError = 0; // the largest distance from the surface of any sample, measured (or 0)
};

// grid: at least 2 x 2 samples (else nothing) and at most 2^29 (half-edges are numbered in 32
// bits). A grid with holes is simplified with the error limit alone, on one thread.
SimplifiedMesh SimplifyGrid(const HeightGrid& grid, const SimplifyGoal& goal);

// A first aim for the lowest error maxTriangles allow: a share of the error at which refining
// the whole grid, holes and checks aside, spends them (0 when it need not), as the collapses
// leave room under it.
double FirstBudgetAim(const HeightGrid& grid, std::uint64_t maxTriangles);

// The largest distance of any sample from the triangles of mesh (samples of grid).
double MeasureError(const HeightGrid& grid, const SimplifiedMesh& mesh, int threads);
