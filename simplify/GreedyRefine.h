#pragma once
// Top-down refinement of a rectangle of the grid: from its two corner triangles, the sample
// that strays furthest from the surface so far is made a vertex, again and again, keeping the
// triangulation Delaunay, until every sample is within the limit or the triangle budget is
// spent.

#include <cstdint>
#include <vector>

#include "simplify/GridMesh.h"
#include "simplify/HeightGrid.h"
#include "simplify/TriangleCheck.h"

// Columns first..last and rows first..last of the grid, corners included (at least 2 each).
struct GridRect {
    std::uint32_t col0, row0, col1, row1;
};

struct RefineResult {
    double errorLeft = 0; // the largest error beyond the limit when the budget stopped it
};

// Triangulates rect into mesh (empty). rim: samples on rect's sides (corners excluded) that
// must be vertices; they are placed first, then, with seedSpacing above 0, the samples inside
// every seedSpacing rows and columns (a head start that skips the coarsest, costliest rounds;
// what they add beyond need is for a collapse to take away). Then samples further than limit
// from the surface are made vertices, the furthest first, for as long as the triangles stay
// within maxTriangles (0: no budget). Samples on the sides may be made vertices too, unless
// the rim already keeps them within limit. check: null, or a test a triangle within limit
// must pass too, else it is split at the sample the check names, wherever in rect it lies; when
// that is a vertex or lies on a side of rect that is not the grid's own (a strip beside it
// shares that side), a sample whose being a vertex takes the triangle away is made one.
RefineResult RefineRectangle(const HeightGrid& grid, GridRect rect,
                             const std::vector<std::uint32_t>& rim, std::uint32_t seedSpacing,
                             double limit, std::uint64_t maxTriangles, GridMesh& mesh,
                             const TriangleCheck* check = nullptr);
