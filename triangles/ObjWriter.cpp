#include <charconv>
#include <cstring>
#include <string_view>

#include "triangles/TriangleWriters.h"

namespace {

constexpr std::string_view kObjComment = "# written by quorvmesh\n";
constexpr std::size_t kLongestVertexLine = 2 + 3 * (1 + kLongestFloatText) + 1;
constexpr std::size_t kLongestIndexText = 20;
constexpr std::size_t kLongestFaceLine = 2 + 3 * (1 + kLongestIndexText) + 1;

// Decimal digits of value.
std::uint64_t Digits(std::uint64_t value) {
    std::uint64_t digits = 1;
    for (; value >= 10; value /= 10)
        ++digits;
    return digits;
}

} // namespace

std::uint64_t ObjSizeBound(const TriangleCounts& counts) {
    // Indices run from 1 to the vertex count.
    const std::uint64_t faceLine = 2 + 3 * (1 + Digits(counts.vertices));
    return kObjComment.size() + counts.vertices * kLongestVertexLine + counts.triangles * faceLine;
}

void WriteObj(ByteSink& sink, TriangleSource& source) {
    sink.PutBytes(kObjComment.data(), kObjComment.size());
    source.ForEachVertexBlock([&sink](std::span<const Vertex> vertices) {
        for (const Vertex& v : vertices)
            sink.PutRecord(kLongestVertexLine, [&v](std::uint8_t* bytes) {
                char* const start = reinterpret_cast<char*>(bytes);
                char* out = start;
                *out++ = 'v';
                for (const float value : {v.x, v.y, v.z}) {
                    *out++ = ' ';
                    out += WriteShortestFloat(out, value);
                }
                *out++ = '\n';
                return static_cast<std::size_t>(out - start);
            });
    });
    source.ForEachTriangleBlock(false, [&sink](const TriangleBlock& block) {
        for (const Triangle& t : block.triangles)
            sink.PutRecord(kLongestFaceLine, [&t](std::uint8_t* bytes) {
                char* const start = reinterpret_cast<char*>(bytes);
                char* out = start;
                *out++ = 'f';
                for (const std::uint32_t index : t.v) {
                    *out++ = ' ';
                    // OBJ counts vertices from 1.
                    out = std::to_chars(out, out + kLongestIndexText, std::uint64_t{index} + 1).ptr;
                }
                *out++ = '\n';
                return static_cast<std::size_t>(out - start);
            });
    });
}
