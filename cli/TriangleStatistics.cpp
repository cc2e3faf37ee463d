#include "cli/TriangleStatistics.h"

#include <cstdio>
#include <filesystem>

namespace {

std::string Range(const char* axis, float low, float high) {
    if (low > high)
        return std::string(axis) + " Range: none";
    char text[80];
    std::snprintf(text, sizeof text, "%s Range: %.6g .. %.6g", axis, low, high);
    return text;
}

} // namespace

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
    StatisticsLines lines{
        "Triangles: " + std::to_string(counts.triangles),
        "Vertices:  " + std::to_string(counts.vertices), Range("X", extent_.low.x, extent_.high.x),
        Range("Y", extent_.low.y, extent_.high.y), Range("Z", extent_.low.z, extent_.high.z)};
    std::error_code error;
    if (std::filesystem::is_regular_file(output, error)) {
        const auto bytes = std::filesystem::file_size(output, error);
        if (!error)
            lines.push_back("Written:   " + std::to_string(bytes) + " bytes");
    }
    return lines;
}
