#include "tool/TriangleStatistics.h"

void TriangleStatistics::ForEachVertexBlock(const VertexBlockVisit& visit) {
    inner_.ForEachVertexBlock([&](std::span<const Vertex> block) {
        for (const Vertex& v : block)
            extent_.Add(v);
        visit(block);
    });
}

void TriangleStatistics::ForEachTriangleBlock(bool withCorners, const TriangleBlockVisit& visit) {
    inner_.ForEachTriangleBlock(withCorners, [&](const TriangleBlock& block) {
        // A file of corners holds no other points.
        for (const Vertex& v : block.corners)
            extent_.Add(v);
        visit(block);
    });
}

StatisticsLines TriangleStatistics::Lines(const std::string& output) {
    const TriangleCounts counts = inner_.Count();
    StatisticsLines lines{"Triangles: " + std::to_string(counts.triangles),
                          "Vertices:  " + std::to_string(counts.vertices),
                          RangeLine("X", extent_.low.x, extent_.high.x),
                          RangeLine("Y", extent_.low.y, extent_.high.y),
                          RangeLine("Z", extent_.low.z, extent_.high.z)};
    AddWrittenSize(output, lines);
    return lines;
}
