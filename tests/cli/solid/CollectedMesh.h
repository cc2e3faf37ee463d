#pragma once
// A triangle source read back whole, for checks: its vertices, its triangles and the corners
// it gives with them.

#include <vector>

#include "solids/TriangleSource.h"

struct CollectedMesh {
    std::vector<Vertex> vertices;
    std::vector<Triangle> triangles;
    std::vector<Vertex> corners;
};

// A pass for each: vertices, indices, corners.
inline CollectedMesh Collect(TriangleSource& source) {
    CollectedMesh mesh;
    source.ForEachVertexBlock([&](std::span<const Vertex> block) {
        mesh.vertices.insert(mesh.vertices.end(), block.begin(), block.end());
    });
    source.ForEachTriangleBlock(false, [&](const TriangleBlock& block) {
        mesh.triangles.insert(mesh.triangles.end(), block.triangles.begin(), block.triangles.end());
    });
    source.ForEachTriangleBlock(true, [&](const TriangleBlock& block) {
        mesh.corners.insert(mesh.corners.end(), block.corners.begin(), block.corners.end());
    });
    return mesh;
}
