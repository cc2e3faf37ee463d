#pragma once
// A picture's surface with fewer triangles: its sampled grid (8-bit gray, or the 16-bit levels
// of a wider picture) simplified within an error or a triangle budget, each kept vertex where
// the full mesh has it, with the rims a solid's parts are built along.

#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "pictures/WideGray.h"
#include "plugin/run/MeshSettings.h"
#include "solids/ShapeMesh.h"
#include "solids/TriangleSource.h"

struct SimplifyRequest {
    std::optional<double> maxError;            // in the file's units, at least 0
    std::optional<std::uint64_t> maxTriangles; // at least 2
    int threads = 1;
    // A budget spends no more error than this (a round solid's wall must stay whole).
    double largestError = std::numeric_limits<double>::infinity();
    bool measure = true; // whether maxError is measured (a pass over every sample)
};

// In the plug-in's coordinates, as the full mesh's points are.
struct SimplifiedSurface {
    std::vector<Vertex> vertices;    // each the point of a kept sample, as the full mesh has it
    std::vector<Triangle> triangles; // into vertices, wound as the plug-in's cells are
    SurfaceRims rims;                // of vertices, for MakeParts
    Extent extent;                   // of vertices
    double maxError = 0; // measured over every sample, in the file's units (0 unless asked)
    // When the budget asked for is too small (and the surface empty): the fewest triangles
    // the surface can be made of.
    std::uint64_t fewestTriangles = 0;
};

// s: the run's settings with the picture, sized as the file will be; wide: its 16-bit
// levels, or null for its 8-bit gray; shape: how the full mesh welds and which rows it keeps
// (ShapeMesh). request: maxError or maxTriangles or both (maxError then the least error the
// budget is spent down to). A flat surface's error is in height, a tube's or a globe's
// radial (RoundSurface.h). Black holes as s.BlackHoles says (an open surface's), with
// maxTriangles on a flat surface only.
SimplifiedSurface SimplifyPicture(const MeshSettings& s, const WideGray* wide,
                                  const MeshShape& shape, const SimplifyRequest& request);

// The most memory simplifying a rows x cols picture at 100 % takes, beyond the picture.
std::uint64_t SimplifyMemoryBytes(std::uint16_t rows, std::uint16_t cols);
