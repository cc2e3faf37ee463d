#pragma once
// A triangle source read back whole, for checks: its vertices, its triangles and the corners
// it gives with them.

#include <map>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "cli/solid/TriangleSource.h"

struct CollectedMesh {
    std::vector<Vertex> vertices;
    std::vector<Triangle> triangles;
    std::vector<Vertex> corners;
};

inline CollectedMesh Collect(TriangleSource& source) {
    CollectedMesh mesh;
    source.ForEachVertexBlock([&](std::span<const Vertex> block) {
        mesh.vertices.insert(mesh.vertices.end(), block.begin(), block.end());
    });
    source.ForEachTriangleBlock(true, [&](const TriangleBlock& block) {
        mesh.triangles.insert(mesh.triangles.end(), block.triangles.begin(), block.triangles.end());
        mesh.corners.insert(mesh.corners.end(), block.corners.begin(), block.corners.end());
    });
    return mesh;
}

// The corners welded by position, as an STL reader does; every directed edge once and its
// reverse once. Returns the signed volume.
inline double ExpectClosedAndOriented(const CollectedMesh& mesh) {
    std::map<std::tuple<float, float, float>, std::uint32_t> ids;
    std::map<std::pair<std::uint32_t, std::uint32_t>, int> edges;
    double volume = 0;
    for (std::size_t t = 0; t < mesh.triangles.size(); ++t) {
        std::uint32_t id[3];
        for (int k = 0; k < 3; ++k) {
            const Vertex& v = mesh.corners[3 * t + k];
            id[k] = ids.emplace(std::make_tuple(v.x, v.y, v.z), ids.size()).first->second;
        }
        for (int k = 0; k < 3; ++k)
            ++edges[{id[k], id[(k + 1) % 3]}];
        const Vertex &a = mesh.corners[3 * t], &b = mesh.corners[3 * t + 1],
                     &c = mesh.corners[3 * t + 2];
        volume += (double{a.x} * (double{b.y} * c.z - double{b.z} * c.y) -
                   double{a.y} * (double{b.x} * c.z - double{b.z} * c.x) +
                   double{a.z} * (double{b.x} * c.y - double{b.y} * c.x)) /
                  6;
    }
    int open = 0, crowded = 0;
    for (const auto& [edge, uses] : edges) {
        crowded += uses > 1;
        const auto back = edges.find({edge.second, edge.first});
        open += back == edges.end() || back->second != 1;
    }
    EXPECT_EQ(open, 0) << "edges without a partner in the other direction";
    EXPECT_EQ(crowded, 0) << "edges used twice in one direction";
    EXPECT_EQ(ids.size(), mesh.vertices.size()) << "vertices that share a position";
    return volume;
}
