// Each format written from random meshes and parsed back by the test itself.

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <sstream>

#include <gtest/gtest.h>

#include "tests/cli/formats/FormatTestSupport.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"
#include "tool/CliOptions.h"
#include "triangles/FacetNormal.h"
#include "triangles/TriangleFile.h"

namespace {

struct MeshCase {
    std::size_t vertices, triangles, blockSize;
};
// Blocks smaller, equal to and larger than the mesh, and a mesh larger than the 256 KB buffer.
const MeshCase kCases[] = {
    {3, 1, 1}, {50, 80, 7}, {200, 333, 333}, {1000, 1500, 4096}, {20000, 30000, 1000}};

std::uint32_t U32At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return std::uint32_t(bytes[at]) | std::uint32_t(bytes[at + 1]) << 8 |
           std::uint32_t(bytes[at + 2]) << 16 | std::uint32_t(bytes[at + 3]) << 24;
}
float F32At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return std::bit_cast<float>(U32At(bytes, at));
}
bool SameBits(float a, float b) {
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}
float ParseFloat(std::istream& in) {
    std::string word;
    in >> word;
    float value = NAN;
    std::from_chars(word.data(), word.data() + word.size(), value);
    return value;
}
void ExpectSame(const Vertex& read, const Vertex& expected) {
    EXPECT_TRUE(SameBits(read.x, expected.x) && SameBits(read.y, expected.y) &&
                SameBits(read.z, expected.z));
}
void ExpectUnitOrZero(const Vertex& n, bool zeroArea) {
    const double length = std::sqrt(double(n.x) * n.x + double(n.y) * n.y + double(n.z) * n.z);
    if (zeroArea)
        EXPECT_EQ(length, 0.0);
    else
        EXPECT_NEAR(length, 1.0, 1e-6);
}
bool ZeroArea(const Triangle& t) {
    return t.v[0] == t.v[1] || t.v[1] == t.v[2] || t.v[0] == t.v[2];
}

TEST(TriangleFormats, BinaryStlHoldsEveryCornerBitForBitWithUnitNormals) {
    TempFolder dir;
    std::uint32_t seed = 1;
    for (const MeshCase& c : kCases) {
        VectorTriangleSource source =
            RandomMesh(seed++, c.vertices, c.triangles, c.blockSize, true);
        const std::string path = dir.File("mesh.stl");
        ASSERT_FALSE(WriteTriangleFile(path, kStl, false, source));
        const std::vector<std::uint8_t> bytes = ReadBytes(path);
        ASSERT_EQ(bytes.size(), 84 + 50 * c.triangles);
        EXPECT_NE(std::memcmp(bytes.data(), "solid", 5), 0);
        EXPECT_NE(std::string(bytes.begin(), bytes.begin() + 80).find("quorvmesh"),
                  std::string::npos);
        EXPECT_EQ(U32At(bytes, 80), c.triangles);
        for (std::size_t i = 0; i < c.triangles; ++i) {
            const std::size_t at = 84 + 50 * i;
            const Triangle& t = source.Triangles()[i];
            const Vertex normal{F32At(bytes, at), F32At(bytes, at + 4), F32At(bytes, at + 8)};
            ExpectUnitOrZero(normal, ZeroArea(t));
            for (int k = 0; k < 3; ++k)
                ExpectSame({F32At(bytes, at + 12 + 12 * k), F32At(bytes, at + 16 + 12 * k),
                            F32At(bytes, at + 20 + 12 * k)},
                           source.Vertices()[t.v[k]]);
            EXPECT_EQ(bytes[at + 48] | bytes[at + 49], 0);
        }
    }
}

TEST(TriangleFormats, NormalsFourAtATimeAreTheNormalsOneAtATime) {
    // Counts that leave every remainder, triangles of every magnitude and some of no area.
    for (const std::size_t count : {1u, 3u, 4u, 5u, 7u, 64u, 1001u}) {
        VectorTriangleSource source =
            RandomMesh(static_cast<std::uint32_t>(count), 3 * count + 3, count, count, true, 60);
        std::vector<Vertex> corners;
        for (const Triangle& t : source.Triangles())
            for (const std::uint32_t v : t.v)
                corners.push_back(source.Vertices()[v]);
        std::vector<Vertex> normals(count);
        FacetNormals(corners.data(), count, normals.data());
        for (std::size_t i = 0; i < count; ++i)
            ExpectSame(normals[i],
                       FacetNormal(corners[3 * i], corners[3 * i + 1], corners[3 * i + 2]));
    }
}

TEST(TriangleFormats, NormalFollowsTheWinding) {
    TempFolder dir;
    VectorTriangleSource source({{0, 0, 0}, {1e-6f, 0, 0}, {0, 1e-6f, 0}}, {{{0, 1, 2}}}, 1);
    ASSERT_FALSE(WriteTriangleFile(dir.File("up.stl"), kStl, false, source));
    const std::vector<std::uint8_t> bytes = ReadBytes(dir.File("up.stl"));
    EXPECT_EQ(F32At(bytes, 84), 0.0f);
    EXPECT_EQ(F32At(bytes, 88), 0.0f);
    EXPECT_EQ(F32At(bytes, 92), 1.0f);
}

TEST(TriangleFormats, AsciiStlReadsBackToTheSameFloats) {
    TempFolder dir;
    std::uint32_t seed = 11;
    for (const MeshCase& c : kCases) {
        VectorTriangleSource source =
            RandomMesh(seed++, c.vertices, c.triangles, c.blockSize, true);
        const std::string path = dir.File("mesh.stl");
        ASSERT_FALSE(WriteTriangleFile(path, kStl, true, source));
        std::istringstream in(ReadText(path));
        std::string word;
        in >> word;
        EXPECT_EQ(word, "solid");
        in >> word;
        EXPECT_EQ(word, "quorvmesh");
        for (const Triangle& t : source.Triangles()) {
            in >> word;
            ASSERT_EQ(word, "facet");
            in >> word;
            const Vertex normal{ParseFloat(in), ParseFloat(in), ParseFloat(in)};
            ExpectUnitOrZero(normal, ZeroArea(t));
            in >> word >> word;
            EXPECT_EQ(word, "loop");
            for (const std::uint32_t v : t.v) {
                in >> word;
                ASSERT_EQ(word, "vertex");
                ExpectSame({ParseFloat(in), ParseFloat(in), ParseFloat(in)}, source.Vertices()[v]);
            }
            in >> word;
            EXPECT_EQ(word, "endloop");
            in >> word;
            EXPECT_EQ(word, "endfacet");
        }
        in >> word;
        EXPECT_EQ(word, "endsolid");
        in >> word;
        EXPECT_EQ(word, "quorvmesh");
        EXPECT_FALSE(in >> word);
    }
}

TEST(TriangleFormats, ObjHasEveryVertexThenEveryFaceByIndex) {
    TempFolder dir;
    std::uint32_t seed = 21;
    for (const MeshCase& c : kCases) {
        VectorTriangleSource source = RandomMesh(seed++, c.vertices, c.triangles, c.blockSize);
        const std::string path = dir.File("mesh.obj");
        ASSERT_FALSE(WriteTriangleFile(path, kObj, false, source));
        std::istringstream in(ReadText(path));
        std::string line;
        std::getline(in, line);
        EXPECT_EQ(line.rfind("# ", 0), 0u);
        for (const Vertex& v : source.Vertices()) {
            std::string word;
            in >> word;
            ASSERT_EQ(word, "v");
            ExpectSame({ParseFloat(in), ParseFloat(in), ParseFloat(in)}, v);
        }
        for (const Triangle& t : source.Triangles()) {
            std::string word;
            in >> word;
            ASSERT_EQ(word, "f");
            for (const std::uint32_t v : t.v) {
                std::uint64_t index = 0;
                in >> index;
                EXPECT_EQ(index, std::uint64_t{v} + 1);
            }
        }
        std::string rest;
        EXPECT_FALSE(in >> rest);
    }
}

TEST(TriangleFormats, PlyHeaderCountsAndLittleEndianRecords) {
    TempFolder dir;
    std::uint32_t seed = 31;
    for (const MeshCase& c : kCases) {
        VectorTriangleSource source = RandomMesh(seed++, c.vertices, c.triangles, c.blockSize);
        const std::string path = dir.File("mesh.ply");
        ASSERT_FALSE(WriteTriangleFile(path, kPly, false, source));
        const std::vector<std::uint8_t> bytes = ReadBytes(path);
        const std::string text(bytes.begin(), bytes.end());
        const std::string end = "end_header\n";
        const std::size_t body = text.find(end) + end.size();
        const std::string header = text.substr(0, body);
        EXPECT_EQ(header.rfind("ply\nformat binary_little_endian 1.0\n", 0), 0u);
        EXPECT_NE(header.find("element vertex " + std::to_string(c.vertices) + "\n"),
                  std::string::npos);
        EXPECT_NE(header.find("element face " + std::to_string(c.triangles) + "\n"),
                  std::string::npos);
        EXPECT_NE(header.find("property list uchar uint vertex_indices\n"), std::string::npos);
        ASSERT_EQ(bytes.size(), body + 12 * c.vertices + 13 * c.triangles);
        for (std::size_t i = 0; i < c.vertices; ++i)
            ExpectSame({F32At(bytes, body + 12 * i), F32At(bytes, body + 12 * i + 4),
                        F32At(bytes, body + 12 * i + 8)},
                       source.Vertices()[i]);
        const std::size_t faces = body + 12 * c.vertices;
        for (std::size_t i = 0; i < c.triangles; ++i) {
            EXPECT_EQ(bytes[faces + 13 * i], 3);
            for (int k = 0; k < 3; ++k)
                EXPECT_EQ(U32At(bytes, faces + 13 * i + 1 + 4 * k), source.Triangles()[i].v[k]);
        }
    }
}

} // namespace
