#pragma once
// The rectangular surface of a picture with fewer triangles: its sampled grid (8-bit gray, or
// the 16-bit levels of a wider picture) simplified within an error or a triangle budget, with
// each kept vertex where the full mesh has it.

#include <cstdint>
#include <optional>
#include <vector>

#include "cli/pictures/WideGray.h"
#include "cli/simplify/SimplifyGrid.h"
#include "cli/solid/TriangleSource.h"
#include "plugin/run/MeshSettings.h"

struct SimplifiedPicture {
    SimplifiedMesh mesh;        // over the sampled grid, in levels
    std::vector<Vertex> points; // where each of mesh.vertices is, as the full mesh has it
    std::uint32_t rows = 0, cols = 0;
    double levelHeight = 0; // the file's units a level stands for
    double MaxError() const { return mesh.maxError * levelHeight; }
};

// s: the run's settings (Rectangular, sized as the file will be) with the picture; wide: its
// 16-bit levels, or null for its 8-bit gray. maxError (in the file's units) and maxTriangles
// (at least 2) as the options give them, at least one; black holes as s.BlackHoles says (not
// with maxTriangles).
SimplifiedPicture SimplifyPicture(const MeshSettings& s, const WideGray* wide,
                                  std::optional<double> maxError,
                                  std::optional<std::uint64_t> maxTriangles, int threads);

// The most memory simplifying a rows x cols picture at 100 % takes, beyond the picture.
std::uint64_t SimplifyMemoryBytes(std::uint16_t rows, std::uint16_t cols);
