#pragma once
// A triangle source held in vectors, random meshes to fill it, and the independent readers'
// command lines.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "solids/TriangleSource.h"

class VectorTriangleSource final : public TriangleSource {
  public:
    VectorTriangleSource(std::vector<Vertex> vertices, std::vector<Triangle> triangles,
                         std::size_t blockSize)
        : vertices_(std::move(vertices)), triangles_(std::move(triangles)), blockSize_(blockSize) {}
    TriangleCounts Count() override { return {vertices_.size(), triangles_.size()}; }
    void ForEachVertexBlock(const VertexBlockVisit& visit) override;
    void ForEachTriangleBlock(bool withCorners, const TriangleBlockVisit& visit) override;

    const std::vector<Vertex>& Vertices() const { return vertices_; }
    const std::vector<Triangle>& Triangles() const { return triangles_; }

  private:
    std::vector<Vertex> vertices_;
    std::vector<Triangle> triangles_;
    std::size_t blockSize_;
};

// vertexCount distinct random points (at least 3, all used when the triangles suffice) (of widely
// different magnitudes) and triangleCount triangles over three distinct vertices each; with
// degenerate, some triangles repeat a corner or a point, so that their area is 0.
VectorTriangleSource RandomMesh(std::uint32_t seed, std::size_t vertexCount,
                                std::size_t triangleCount, std::size_t blockSize,
                                bool degenerate = false, int spread = 20);

// What the command printed on its standard output, or nothing when the program is not
// installed.
std::optional<std::string> ToolOutput(const std::string& program, const std::string& arguments);

// The number after label and the blanks and colons that follow it (as "Faces:" in assimp's
// report), or -1.
long long NumberAfter(const std::string& text, const std::string& label);
