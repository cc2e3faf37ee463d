#pragma once
// What closes the surface into a solid, beyond the surface's own triangles: a flat relief's
// walls and base, a tube's end rings and smooth inner wall, a hollow globe's smooth inside
// and the rim of its opening. Every part is built from the surface's rims (SurfaceSurvey.h)
// alone, never from its grid: a surface with fewer vertices along its rims is closed the
// same way. The parts run along each rim against the surface's own triangles, so that every
// edge is used once each way. All in the plug-in's coordinates; round meshes about the y
// axis, their rings running the way the plug-in's columns do (from +z towards -x).

#include <cstdint>
#include <vector>

#include "solids/SurfaceSurvey.h"
#include "solids/TriangleSource.h"

struct SolidParts {
    std::uint32_t firstVertex = 0; // the index of vertices[0], after the surface's vertices
    std::vector<Vertex> vertices;
    std::vector<Triangle> triangles;
    std::vector<Vertex> corners; // 3 per triangle, so that no pass is needed to find them

    IndexedVertex AddVertex(const Vertex& v);
    Ring AddRing(const std::vector<Vertex>& points);
    // The triangle a, b, c, counter-clockwise seen from outside the solid.
    void Add(const IndexedVertex& a, const IndexedVertex& b, const IndexedVertex& c);
};

// Joins two rings about the y axis, each running the same way round, with a band of
// triangles that uses a's edges against its order and b's along it: whichever ring's next
// vertex comes first round the axis is stepped. A ring of one vertex (a pole) makes a fan.
// The rings' vertices must each stand at an angle of their own, in order.
void ZipRings(const Ring& a, const Ring& b, SolidParts& parts);

// Walls from a flat surface's rim (GridRim) straight down to a flat base at baseZ, and the
// base, fanned from the middle of extent.
SolidParts FlatParts(const Ring& rim, const Extent& extent, float baseZ, std::uint32_t firstVertex);

// A tube's smooth inner wall at innerRadius about the y axis (above 0 and below every rim
// point's radius), and the rings that join it to the first and last rows of the surface.
SolidParts TubeParts(const Ring& firstRow, const Ring& lastRow, double innerRadius,
                     std::uint32_t firstVertex);

// A hollow globe's smooth inside, a sphere of innerRadius about the origin made of rings of
// `columns` vertices `latitudeStep` (radians) apart at most, facing inward. Without an
// opening it is closed at both poles. With one, it stops at the plane y = openingY (below
// the middle), where a flat ring joins it to the surface's last kept row (rim, every vertex
// above that plane): each rim vertex drops straight down to the plane, and the plane's ring
// runs from there in to the hole of radius sqrt(innerRadius^2 - openingY^2).
struct ShellShape {
    double innerRadius;
    std::uint32_t columns;
    double latitudeStep;
    bool opening = false;
    double openingY = 0;
};
SolidParts ShellParts(const ShellShape& shape, const Ring& rim, std::uint32_t firstVertex);
