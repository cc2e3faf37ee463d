#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

#include "triangles/FacetNormal.h"
#include "triangles/TriangleWriters.h"

namespace {

constexpr std::size_t kStlHeaderSize = 80;
constexpr std::size_t kStlRecordSize = 50; // normal, 3 corners, attribute word
constexpr std::size_t kNormalsAtATime = 256;
// Not starting with "solid", so that no reader takes the binary file for ASCII.
constexpr char kStlHeaderText[] = "binary STL written by quorvmesh";
constexpr char kSolidName[] = "quorvmesh";

// count vertices as little-endian floats: a copy where the machine is little-endian.
void StoreVertices(std::uint8_t* out, const Vertex* v, std::size_t count) {
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(out, v, 12 * count);
    } else {
        for (std::size_t i = 0; i < count; ++i, out += 12) {
            StoreF32LE(out, v[i].x);
            StoreF32LE(out + 4, v[i].y);
            StoreF32LE(out + 8, v[i].z);
        }
    }
}

// "x y z" with a leading blank before each number.
char* PutTriple(char* out, const Vertex& v) {
    for (const float value : {v.x, v.y, v.z}) {
        *out++ = ' ';
        out += WriteShortestFloat(out, value);
    }
    return out;
}

char* PutText(char* out, const char* text) {
    const std::size_t length = std::strlen(text);
    std::memcpy(out, text, length);
    return out + length;
}

constexpr char kFacetStart[] = "  facet normal";
constexpr char kLoopStart[] = "\n    outer loop\n";
constexpr char kVertexStart[] = "      vertex";
constexpr char kFacetEnd[] = "    endloop\n  endfacet\n";
constexpr std::size_t kLongestTriple = 3 * (1 + kLongestFloatText);
// The texts and four triples; each text's size counts one more byte than it has, room
// for the line ends.
constexpr std::size_t kLongestFacetText = sizeof kFacetStart + sizeof kLoopStart +
                                          3 * sizeof kVertexStart + sizeof kFacetEnd +
                                          4 * kLongestTriple;

std::string Opening() {
    return std::string("solid ") + kSolidName + "\n";
}
std::string Closing() {
    return std::string("endsolid ") + kSolidName + "\n";
}

} // namespace

std::uint64_t StlSizeBound(bool ascii, const TriangleCounts& counts) {
    if (ascii)
        return Opening().size() + counts.triangles * kLongestFacetText + Closing().size();
    return kStlHeaderSize + 4 + counts.triangles * kStlRecordSize;
}

void WriteBinaryStl(ByteSink& sink, TriangleSource& source, std::uint32_t triangles) {
    std::uint8_t header[kStlHeaderSize] = {};
    std::memcpy(header, kStlHeaderText, sizeof kStlHeaderText - 1);
    sink.PutBytes(header, sizeof header);
    sink.PutU32LE(triangles);
    source.ForEachTriangleBlock(true, [&sink](const TriangleBlock& block) {
        // The normals of a few triangles at a time, while their corners are at hand, then
        // their records: the normal and the three corners as they lie in the block.
        Vertex normals[kNormalsAtATime];
        const std::size_t count = block.count;
        for (std::size_t first = 0; first < count; first += kNormalsAtATime) {
            const Vertex* corners = block.corners.data() + 3 * first;
            const std::size_t some = std::min(kNormalsAtATime, count - first);
            FacetNormals(corners, some, normals);
            sink.PutRecords(some, kStlRecordSize, [&](std::size_t i, std::uint8_t* out) {
                StoreVertices(out, &normals[i], 1);
                StoreVertices(out + 12, corners + 3 * i, 3);
                out[48] = 0;
                out[49] = 0;
            });
        }
    });
}

void WriteAsciiStl(ByteSink& sink, TriangleSource& source) {
    const std::string opening = Opening();
    sink.PutBytes(opening.data(), opening.size());
    source.ForEachTriangleBlock(true, [&sink](const TriangleBlock& block) {
        for (std::size_t i = 0; i < block.count; ++i) {
            const Vertex* c = block.corners.data() + 3 * i;
            sink.PutRecord(kLongestFacetText, [c](std::uint8_t* bytes) {
                char* const start = reinterpret_cast<char*>(bytes);
                char* out = PutText(start, kFacetStart);
                out = PutTriple(out, FacetNormal(c[0], c[1], c[2]));
                out = PutText(out, kLoopStart);
                for (int k = 0; k < 3; ++k) {
                    out = PutText(out, kVertexStart);
                    out = PutTriple(out, c[k]);
                    *out++ = '\n';
                }
                out = PutText(out, kFacetEnd);
                return static_cast<std::size_t>(out - start);
            });
        }
    });
    const std::string closing = Closing();
    sink.PutBytes(closing.data(), closing.size());
}
