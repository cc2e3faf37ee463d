#pragma once
// What closes the surface into a solid, beyond the surface's own triangles: a Rectangular
// mesh's walls and flat base, or a tube's end rings and plain inner wall. Their triangles
// run along the surface's rims in the opposite direction to the surface's own, so that every
// edge is used once each way.

#include <cstdint>
#include <vector>

#include "cli/solid/SurfaceSurvey.h"
#include "cli/solid/SurfaceWeld.h"
#include "cli/solid/TriangleSource.h"

struct SolidParts {
    std::vector<Vertex> vertices; // numbered after the surface's vertices
    std::vector<Triangle> triangles;
    std::vector<Vertex> corners; // 3 per triangle, so that no pass is needed to find them

    void Add(std::uint32_t a, std::uint32_t b, std::uint32_t c, const Vertex& at, const Vertex& bt,
             const Vertex& ct) {
        triangles.push_back({{a, b, c}});
        corners.insert(corners.end(), {at, bt, ct});
    }
};

// A vertex of a surface's rim: its index and where it is.
struct RimVertex {
    std::uint32_t index;
    Vertex at;
};

// Walls from a Rectangular surface's rim (once round, clockwise seen from above) straight
// down to a flat base at baseZ, and the base, fanned from centre (at baseZ). The new vertices
// are numbered from first.
SolidParts WallsAndBase(const std::vector<RimVertex>& rim, float baseZ, Vertex centre,
                        std::uint32_t first);

// Walls from the rim of a rows x perRow Rectangular surface (rows and perRow at least 2) down
// to a flat base at baseZ, and the base, fanned from its centre.
SolidParts BoxParts(const SurfaceSurvey& survey, const SurfaceWeld& weld, std::uint32_t rows,
                    std::uint32_t perRow, float baseZ);

// A tube's inner wall at innerRadius about the y axis (above 0 and below every point's
// radius), and the rings that join it to the first and last rows of the surface (at least 3
// points a row besides the seam).
SolidParts TubeParts(const SurfaceSurvey& survey, const SurfaceWeld& weld, std::uint32_t rows,
                     std::uint32_t columns, double innerRadius);
