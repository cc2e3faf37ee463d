#pragma once
// The mesh as the triangle formats (STL, OBJ, PLY, 3MF) take it, in the file's axes and
// millimetres: vertices by index, then triangles wound so that their normals point up (a
// flat relief) or outward, both in blocks, in order. An open surface has the points and cells
// of the classic formats split into triangles; a solid welds its seam and poles and adds its
// walls and base, rings and inner wall, or a globe's inside and opening.

#include <cstdint>
#include <functional>
#include <span>

struct Vertex {
    float x, y, z;
};

struct Triangle {
    std::uint32_t v[3]; // vertex indices, counter-clockwise seen from outside
};

// A pass is for indices or for corners: a pass for indices gives every triangle's vertex
// indices and no corners; a pass for corners (formats without indices) gives 3 corners per
// triangle, in its order, and may leave the indices out.
struct TriangleBlock {
    std::size_t count; // triangles in the block
    std::span<const Triangle> triangles;
    std::span<const Vertex> corners;
};

struct TriangleCounts {
    std::uint64_t vertices, triangles;
};

using VertexBlockVisit = std::function<void(std::span<const Vertex>)>;
using TriangleBlockVisit = std::function<void(const TriangleBlock&)>;

class TriangleSource {
  public:
    virtual ~TriangleSource() = default;
    // The counts a header needs before the rows (a pass of its own the first time).
    virtual TriangleCounts Count() = 0;
    // Every vertex once, in index order.
    virtual void ForEachVertexBlock(const VertexBlockVisit& visit) = 0;
    // Every triangle once, for corners when withCorners, else for indices. This pass reports
    // the export's progress.
    virtual void ForEachTriangleBlock(bool withCorners, const TriangleBlockVisit& visit) = 0;
};
