// Each format read back by readers that share nothing with the writers: assimp, admesh and
// lib3mf's own reader.

#include <gtest/gtest.h>

#include "Model/COM/NMR_DLLInterfaces.h"
#include "cli/CliOptions.h"
#include "cli/formats/TriangleFile.h"
#include "tests/cli/formats/FormatTestSupport.h"
#include "tests/support/TempFolder.h"

// lib3mf's file reader leaves a few of libzip's blocks behind; the leak checker of the
// sanitizer build is told so, and still checks everything of ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libzip.so\n";
}

namespace {

struct ReaderCase {
    std::size_t vertices, triangles, blockSize;
};
// At least 4 triangles: admesh takes a smaller file for an empty one.
const ReaderCase kReaderCases[] = {{6, 4, 1}, {300, 500, 64}, {5000, 9000, 2048}};
// Points of one magnitude: assimp welds points closer than a fraction of the model's size.
constexpr int kOneMagnitude = 0;

struct AssimpCounts {
    long long vertices, faces;
    std::string report;
};

std::optional<AssimpCounts> AssimpInfo(const std::string& path) {
    const std::optional<std::string> text = ToolOutput("assimp", "info '" + path + "'");
    if (!text)
        return std::nullopt;
    return AssimpCounts{NumberAfter(*text, "Vertices:"), NumberAfter(*text, "Faces:"), *text};
}

TEST(TriangleReaders, AssimpCountsEveryFormat) {
    if (!ToolOutput("assimp", "version"))
        GTEST_SKIP() << "assimp is not installed";
    TempFolder dir;
    std::uint32_t seed = 41;
    for (const ReaderCase& c : kReaderCases) {
        VectorTriangleSource source =
            RandomMesh(seed++, c.vertices, c.triangles, c.blockSize, false, kOneMagnitude);
        const struct {
            const char* name;
            std::int32_t format;
            bool ascii;
        } files[] = {{"b.stl", kStl, false},
                     {"a.stl", kStl, true},
                     {"m.obj", kObj, false},
                     {"m.ply", kPly, false},
                     {"m.3mf", kThreeMf, false}};
        for (const auto& file : files) {
            SCOPED_TRACE(file.name);
            const std::string path = dir.File(file.name);
            ASSERT_FALSE(WriteTriangleFile(path, file.format, file.ascii, source));
            const std::optional<AssimpCounts> counts = AssimpInfo(path);
            ASSERT_TRUE(counts);
            // This assimp's 3MF importer leaves the scene without a root node for any file
            // (its own sample files too); lib3mf's reader checks the 3MF below instead.
            if (file.format == kThreeMf &&
                counts->report.find("A node of the scene-graph is nullptr") != std::string::npos)
                continue;
            EXPECT_EQ(counts->faces, static_cast<long long>(c.triangles)) << counts->report;
            // The indexed formats keep their vertices; an STL has only corners, which assimp
            // welds only where their normals agree too.
            if (file.format != kStl) {
                EXPECT_EQ(counts->vertices, static_cast<long long>(c.vertices));
            }
        }
    }
}

TEST(TriangleReaders, AdmeshReadsBinaryAndAsciiStl) {
    if (!ToolOutput("admesh", "--version"))
        GTEST_SKIP() << "admesh is not installed";
    TempFolder dir;
    std::uint32_t seed = 51;
    for (const ReaderCase& c : kReaderCases) {
        VectorTriangleSource source =
            RandomMesh(seed++, c.vertices, c.triangles, c.blockSize, false, kOneMagnitude);
        for (const bool ascii : {false, true}) {
            const std::string path = dir.File(ascii ? "a.stl" : "b.stl");
            ASSERT_FALSE(WriteTriangleFile(path, kStl, ascii, source));
            const std::optional<std::string> text = ToolOutput("admesh", "'" + path + "'");
            ASSERT_TRUE(text);
            EXPECT_NE(text->find(ascii ? "ASCII STL file" : "Binary STL file"), std::string::npos)
                << *text;
            EXPECT_EQ(NumberAfter(*text, "Number of facets"), static_cast<long long>(c.triangles))
                << *text;
        }
    }
}

// Releases a lib3mf object at the end of the scope.
struct Released {
    NMR::PLib3MFBase* object = nullptr;
    ~Released() {
        if (object != nullptr)
            NMR::lib3mf_release(object);
    }
};

TEST(TriangleReaders, Lib3mfGivesBackTheVerticesAndTriangles) {
    TempFolder dir;
    std::uint32_t seed = 61;
    for (const ReaderCase& c : kReaderCases) {
        VectorTriangleSource source =
            RandomMesh(seed++, c.vertices, c.triangles, c.blockSize, false, kOneMagnitude);
        const std::string path = dir.File("m.3mf");
        ASSERT_FALSE(WriteTriangleFile(path, kThreeMf, false, source));

        Released model, reader, objects, mesh;
        ASSERT_EQ(NMR::lib3mf_createmodel(&model.object), LIB3MF_OK);
        ASSERT_EQ(NMR::lib3mf_model_queryreader(model.object, "3mf", &reader.object), LIB3MF_OK);
        ASSERT_EQ(NMR::lib3mf_reader_readfromfileutf8(reader.object, path.c_str()), LIB3MF_OK);
        DWORD unit = 0;
        ASSERT_EQ(NMR::lib3mf_model_getunit(model.object, &unit), LIB3MF_OK);
        EXPECT_EQ(unit, DWORD(NMR::MODELUNIT_MILLIMETER));
        ASSERT_EQ(NMR::lib3mf_model_getmeshobjects(model.object, &objects.object), LIB3MF_OK);
        BOOL more = false;
        ASSERT_EQ(NMR::lib3mf_resourceiterator_movenext(objects.object, &more), LIB3MF_OK);
        ASSERT_TRUE(more);
        ASSERT_EQ(NMR::lib3mf_resourceiterator_getcurrent(objects.object, &mesh.object), LIB3MF_OK);

        DWORD count = 0;
        ASSERT_EQ(NMR::lib3mf_meshobject_getvertexcount(mesh.object, &count), LIB3MF_OK);
        ASSERT_EQ(count, c.vertices);
        std::vector<NMR::MODELMESHVERTEX> vertices(count);
        ASSERT_EQ(NMR::lib3mf_meshobject_getvertices(mesh.object, vertices.data(), count, nullptr),
                  LIB3MF_OK);
        // lib3mf cuts coordinates after 6 decimals: less than a millionth of a millimetre.
        constexpr float kSixDecimals = 1e-6f + 1e-7f;
        for (std::size_t i = 0; i < count; ++i) {
            const Vertex& v = source.Vertices()[i];
            EXPECT_NEAR(vertices[i].m_fPosition[0], v.x, kSixDecimals);
            EXPECT_NEAR(vertices[i].m_fPosition[1], v.y, kSixDecimals);
            EXPECT_NEAR(vertices[i].m_fPosition[2], v.z, kSixDecimals);
        }
        ASSERT_EQ(NMR::lib3mf_meshobject_gettrianglecount(mesh.object, &count), LIB3MF_OK);
        ASSERT_EQ(count, c.triangles);
        std::vector<NMR::MODELMESHTRIANGLE> triangles(count);
        ASSERT_EQ(NMR::lib3mf_meshobject_gettriangleindices(mesh.object, triangles.data(), count,
                                                            nullptr),
                  LIB3MF_OK);
        for (std::size_t i = 0; i < count; ++i)
            for (int k = 0; k < 3; ++k)
                EXPECT_EQ(triangles[i].m_nIndices[k], source.Triangles()[i].v[k]);
        BOOL another = true;
        ASSERT_EQ(NMR::lib3mf_resourceiterator_movenext(objects.object, &another), LIB3MF_OK);
        EXPECT_FALSE(another);
    }
}

} // namespace
