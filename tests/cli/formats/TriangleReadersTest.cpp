// Each format read back by readers that share nothing with the writers: assimp, admesh and
// lib3mf's own reader.

#include <gtest/gtest.h>

#include <cstdio>

#include "Model/COM/NMR_DLLInterfaces.h"
#include "tests/cli/formats/FormatTestSupport.h"
#include "tests/support/TempFolder.h"
#include "tool/CliOptions.h"
#include "triangles/TriangleFile.h"

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

// Every entry of the package, as Python's zipfile and the headers themselves describe it:
// its data intact, its sizes in plain (not zip64) fields of both headers.
constexpr const char* kZipCheck = R"(
import struct, sys, zipfile
path = sys.argv[1]
data = open(path, 'rb').read()
archive = zipfile.ZipFile(path)
bad = archive.testzip()
names = sorted(i.filename for i in archive.infolist())
for info in archive.infolist():
    offset = info.header_offset
    sizes = struct.unpack_from('<II', data, offset + 18)
    if info.extra or 0xFFFFFFFF in sizes or sizes != (info.compress_size, info.file_size):
        bad = info.filename
print('bad ' + bad if bad else 'plain ' + ' '.join(names))
)";

TEST(TriangleReaders, ThreeMfIsAPlainZipPythonReads) {
    if (!ToolOutput("/usr/bin/python3", "--version"))
        GTEST_SKIP() << "python3 is not installed";
    TempFolder dir;
    VectorTriangleSource source = RandomMesh(81, 2000, 3000, 500, false, kOneMagnitude);
    const std::string path = dir.File("m.3mf");
    ASSERT_FALSE(WriteTriangleFile(path, kThreeMf, false, source));
    const std::string script = dir.File("check.py");
    {
        std::FILE* file = std::fopen(script.c_str(), "w");
        ASSERT_NE(file, nullptr);
        std::fputs(kZipCheck, file);
        std::fclose(file);
    }
    const auto report = ToolOutput("/usr/bin/python3", "'" + script + "' '" + path + "'");
    ASSERT_TRUE(report);
    EXPECT_EQ(*report, "plain 3D/3dmodel.model [Content_Types].xml _rels/.rels\n");
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
        // The shortest text of each float reads back as that float.
        for (std::size_t i = 0; i < count; ++i) {
            const Vertex& v = source.Vertices()[i];
            EXPECT_FLOAT_EQ(vertices[i].m_fPosition[0], v.x);
            EXPECT_FLOAT_EQ(vertices[i].m_fPosition[1], v.y);
            EXPECT_FLOAT_EQ(vertices[i].m_fPosition[2], v.z);
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
