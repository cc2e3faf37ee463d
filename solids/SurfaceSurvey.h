#pragma once
// What a solid is built around, from one pass over the surface's points: its extent, its
// lowest height (flat) or smallest radius (round meshes), and its rims, the loops of
// vertices along its open edges that the solid's parts close. Everything here is in the
// plug-in's coordinates (round meshes about the y axis).

#include <cstdint>
#include <limits>
#include <vector>

#include "plugin/export/MeshSource.h"
#include "solids/SurfaceWeld.h"
#include "solids/TriangleSource.h"

struct Extent {
    Vertex low{kNone, kNone, kNone};
    Vertex high{-kNone, -kNone, -kNone};
    void Add(const Vertex& v);
    bool IsEmpty() const { return low.x > high.x; }

  private:
    static constexpr float kNone = std::numeric_limits<float>::infinity();
};

// A vertex by its index in the triangle source, and where it lies.
struct IndexedVertex {
    std::uint32_t index;
    Vertex at;
};

// A closed loop of vertices, in order; the last joins the first.
using Ring = std::vector<IndexedVertex>;

// What a point's level is measured as: its height z (flat), its radius about the y axis
// (tube) or its distance from the middle (globe).
enum class Level { kHeight, kAxisRadius, kRadius };

struct SurfaceSurvey {
    Extent extent;
    double lowest = 0; // the least level
    // Round meshes: the least y of each row, every row (also those not kept).
    std::vector<float> rowLowestY;
    // The vertices of the first and the last kept row, in column order (the seam column
    // too unless it is welded), and of every kept row's first and last column.
    Ring firstRow, lastRow, firstColumn, lastColumn;
};

// The extent of the vertices of the surface's triangles (its polygons split and welded as
// they are written), alone: without the points black holes leave out. Empty when there are
// none.
Extent CornerExtent(MeshSource& surface, const SurfaceWeld& weld);

// weld: which points are vertices (the extent, the lowest level and the rims count only
// those; weld.Rows() rows are kept); perRow: points per row; level: how the lowest is
// measured (rowLowestY is kept unless kHeight).
SurfaceSurvey SurveySurface(MeshSource& surface, const SurfaceWeld& weld, std::uint32_t perRow,
                            Level level);

// The rim of a flat surface: along the first row, down the last column, back along the
// last row and up the first column, each corner once. Seen from above this runs clockwise
// (rows go down in y, columns up in x), against the surface's own triangles.
Ring GridRim(const SurfaceSurvey& survey);
