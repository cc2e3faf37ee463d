#pragma once
// What a solid is built around, from one pass over the surface's points: its extent, its
// lowest height (Rectangular) or smallest radius (round meshes), and the points of its rims.

#include <cstdint>
#include <limits>
#include <vector>

#include "cli/solid/SurfaceWeld.h"
#include "cli/solid/TriangleSource.h"
#include "plugin/export/MeshSource.h"

struct Extent {
    Vertex low{kNone, kNone, kNone};
    Vertex high{-kNone, -kNone, -kNone};
    void Add(const Vertex& v);
    bool IsEmpty() const { return low.x > high.x; }

  private:
    static constexpr float kNone = std::numeric_limits<float>::infinity();
};

struct SurfaceSurvey {
    Extent extent;
    double lowest = 0;            // the least z (Rectangular) or radius about the y axis
    std::vector<Vertex> firstRow; // every point of the first and the last row
    std::vector<Vertex> lastRow;
    std::vector<Vertex> firstColumn; // every row's first and last point
    std::vector<Vertex> lastColumn;
};

// The extent of the corners of the surface's polygons alone: without the points black holes
// leave out. Empty when there are none.
Extent CornerExtent(MeshSource& surface);

// rows x perRow points; weld: which of them stay vertices (the extent and the lowest level
// count only those); round: whether heights are radii about the y axis.
SurfaceSurvey SurveySurface(MeshSource& surface, const SurfaceWeld& weld, std::uint32_t rows,
                            std::uint32_t perRow, bool round);
