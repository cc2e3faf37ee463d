#pragma once
// Fewer triangles for a height grid: a triangulation over some of its samples that is within
// a given height of every sample (or has at most a given number of triangles), with the
// grid's outline kept exactly. The rim's vertices are samples of the rim, so that every rim
// edge lies on a side of the grid; the holes' outlines are those of the full grid.
//
// How: the grid is cut into bands of rows, shared out among the threads. The sides of each strip
// are simplified first as lines (so that neighbouring strips share their vertices), then each strip
// is refined from its corners, always at the sample furthest from the surface so far (keeping the
// triangulation Delaunay), until every sample is within the limit; then every vertex that can go
// without breaking the limit is collapsed onto a neighbour, row by row. Last, the strips are joined
// and the vertices along their shared sides are given the same chance. A grid with holes is
// collapsed from its full triangulation instead.
//
// Memory: the heights the caller holds (4 bytes a sample), about 10 bytes a sample while the
// strips are collapsed, and 24 bytes a triangle of the working meshes (about 48 bytes a
// vertex kept); the full triangulation of a grid with holes takes 48 bytes a sample.

#include <array>
#include <cstdint>
#include <vector>

#include "cli/simplify/HeightGrid.h"

struct SimplifyGoal {
    // The largest distance in height allowed between the surface and any sample (0: only
    // triangles that lie flat on their samples are merged). With maxTriangles, the error at
    // which refinement may stop before the budget is spent.
    double maxError = 0;
    // At most this many triangles (at least 2; 0: no budget), as close as they get. Not with
    // holes.
    std::uint64_t maxTriangles = 0;
    int threads = 1; // 1 or more
};

struct SimplifiedMesh {
    std::vector<std::uint32_t> vertices;                 // samples, ascending
    std::vector<std::array<std::uint32_t, 3>> triangles; // into vertices, Turn > 0
    double maxError = 0; // the largest distance from the surface of any sample, measured
};

// grid: at least 2 x 2 samples (else nothing). A grid with holes is simplified with the error
// limit alone, on one thread.
SimplifiedMesh SimplifyGrid(const HeightGrid& grid, const SimplifyGoal& goal);

// The largest distance of any sample from the triangles of mesh (samples of grid).
double MeasureError(const HeightGrid& grid, const SimplifiedMesh& mesh, int threads);
