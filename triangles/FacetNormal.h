#pragma once
// The unit normal of a triangle, as STL stores it with every facet.

#include <cmath>
#include <cstddef>

#include "solids/TriangleSource.h"

// The same in double: for the triangles too small or too large for single precision.
Vertex FacetNormalInDouble(const Vertex& a, const Vertex& b, const Vertex& c);

// Single precision is exact enough while the square of the cross product is a normal float.
inline constexpr float kSmallestSafeSquare = 1e-30f;
inline constexpr float kLargestSafeSquare = 1e30f;

// The unit normal of the triangle a, b, c (counter-clockwise), 0,0,0 when its area is 0.
inline Vertex FacetNormal(const Vertex& a, const Vertex& b, const Vertex& c) {
    const float ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
    const float vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
    const float nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
    const float square = nx * nx + ny * ny + nz * nz;
    // The tiny or huge triangles beyond that are done again in double, so that they still
    // get a unit normal.
    if (square > kSmallestSafeSquare && square < kLargestSafeSquare) {
        const float scale = 1.0f / std::sqrt(square);
        return {nx * scale, ny * scale, nz * scale};
    }
    return FacetNormalInDouble(a, b, c);
}

// normals[i] = FacetNormal of corners 3 i .. 3 i + 2, for count triangles; the same floats,
// four triangles at a time where the machine has SSE.
void FacetNormals(const Vertex* corners, std::size_t count, Vertex* normals);
