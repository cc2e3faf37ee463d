#include <string>

#include "triangles/TriangleWriters.h"

namespace {

constexpr std::size_t kPlyVertexSize = 12; // float x, y, z
constexpr std::size_t kPlyFaceSize = 13;   // uchar 3, uint a, b, c
constexpr std::uint8_t kCornersPerFace = 3;

std::string Header(const TriangleCounts& counts) {
    return "ply\nformat binary_little_endian 1.0\ncomment quorvmesh\n"
           "element vertex " +
           std::to_string(counts.vertices) +
           "\nproperty float x\nproperty float y\nproperty float z\n"
           "element face " +
           std::to_string(counts.triangles) +
           "\nproperty list uchar uint vertex_indices\nend_header\n";
}

} // namespace

std::uint64_t PlySizeBound(const TriangleCounts& counts) {
    return Header(counts).size() + counts.vertices * kPlyVertexSize +
           counts.triangles * kPlyFaceSize;
}

void WritePly(ByteSink& sink, TriangleSource& source, const TriangleCounts& counts) {
    const std::string header = Header(counts);
    sink.PutBytes(header.data(), header.size());
    source.ForEachVertexBlock([&sink](std::span<const Vertex> vertices) {
        sink.PutRecords(vertices.size(), kPlyVertexSize,
                        [&vertices](std::size_t i, std::uint8_t* out) {
                            StoreF32LE(out, vertices[i].x);
                            StoreF32LE(out + 4, vertices[i].y);
                            StoreF32LE(out + 8, vertices[i].z);
                        });
    });
    source.ForEachTriangleBlock(false, [&sink](const TriangleBlock& block) {
        sink.PutRecords(block.triangles.size(), kPlyFaceSize,
                        [&block](std::size_t i, std::uint8_t* out) {
                            out[0] = kCornersPerFace;
                            for (int k = 0; k < 3; ++k)
                                StoreU32LE(out + 1 + 4 * k, block.triangles[i].v[k]);
                        });
    });
}
