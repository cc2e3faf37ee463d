// Files written from random images are read back by independent readers: assimp, ezdxf
// (with its audit) and lib3ds. Each check is skipped when its tool is missing.

#include <cstdio>
#include <map>
#include <sstream>

#include "plugin/mesh/BuildPolygonList.h"
#include "tests/plugin/export/ExportHarness.h"

namespace {

std::string RunTool(const std::string& command, int* status = nullptr) {
    std::string output;
    if (FILE* pipe = popen((command + " 2>&1").c_str(), "r")) {
        char chunk[4096];
        for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;)
            output.append(chunk, n);
        const int result = pclose(pipe);
        if (status)
            *status = result;
    }
    return output;
}

bool HaveAssimp() {
    return std::filesystem::exists("/usr/bin/assimp");
}

bool HaveEzdxf() {
    return std::system("/usr/bin/python3 -c 'import ezdxf' >/dev/null 2>&1") == 0;
}

// The number after "<label>" on the line that starts with it, or -1.
long Field(const std::string& text, const std::string& label) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind(label, 0) == 0)
            return std::stol(line.substr(label.size()));
    return -1;
}

std::map<std::string, long> KeyValues(const std::string& text) {
    std::map<std::string, long> values;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        if (const auto eq = line.find('='); eq != std::string::npos)
            values[line.substr(0, eq)] = std::stol(line.substr(eq + 1));
    return values;
}

// One random mesh written in one format, with what its polygon list holds.
struct Written {
    std::string path;
    std::uint64_t points, rows, perRow;
    PolygonTally tally;
};

Written WriteRandom(const TempFolder& dir, std::int32_t format, std::int32_t meshType, bool blackHoles,
                    std::uint32_t seed) {
    std::mt19937 rng(seed);
    MeshSettings s = DefaultSettings(meshType, 1 + static_cast<std::int32_t>(rng() % 2));
    s.BlackHoles = blackHoles;
    const auto rows = static_cast<std::uint16_t>(6 + rng() % 20);
    const auto cols = static_cast<std::uint16_t>(6 + rng() % 20);
    TestMesh mesh(rows, cols, RandomGrays(std::size_t{rows} * cols, rng, 6, 1 + rng() % 6), s);
    static const char* extensions[] = {"", "dxf", "dxf", "dxf", "3ds", "cob", "lwo"};
    Written w{dir.File(std::string("mesh.") + extensions[format]), mesh.Points(),
              mesh.settings.meshRows, mesh.PerRow(), TallyPolygons(mesh.settings, mesh.buffers)};
    EXPECT_EQ(ExportTo(mesh, format, w.path), ExportOutcome::Written);
    return w;
}

// (format, mesh type, black holes)
class RoundTrip : public ::testing::TestWithParam<std::tuple<std::int32_t, std::int32_t, bool>> {
  protected:
    Written WriteRandom(std::uint32_t seed) {
        const auto [format, meshType, blackHoles] = GetParam();
        return ::WriteRandom(dir, format, meshType, blackHoles, seed);
    }
    TempFolder dir;
};

TEST_P(RoundTrip, AssimpReadsTheCounts) {
    if (!HaveAssimp())
        GTEST_SKIP() << "assimp is not installed";
    const std::int32_t format = std::get<0>(GetParam());
    for (std::uint32_t seed = 1; seed <= 4; ++seed) {
        const Written w = WriteRandom(seed);
        if (w.tally.faces == 0)
            continue; // assimp refuses meshes without faces
        const std::string info = RunTool("/usr/bin/assimp info '" + w.path + "' -r");
        const long faces = Field(info, "Faces:");
        const long vertices = Field(info, "Vertices:");
        switch (format) {
        case kTds: // every triangle gets its own three vertices
            EXPECT_EQ(faces, static_cast<long>(w.tally.triangles)) << info;
            EXPECT_EQ(vertices, static_cast<long>(3 * w.tally.triangles)) << info;
            break;
        case kFaceDxf:
            // Near a sphere's bottom pole, points closer than the four decimals of the text
            // print alike, and the reader takes such quads for triangles.
            EXPECT_EQ(faces, static_cast<long>(w.tally.faces)) << info;
            if (std::get<1>(GetParam()) == kSpherical) {
                EXPECT_LE(vertices, static_cast<long>(w.tally.cornerCount)) << info;
            } else {
                EXPECT_EQ(vertices, static_cast<long>(w.tally.cornerCount)) << info;
            }
            break;
        case kCob:
        case kPolylineDxf: // one vertex per polygon corner
            EXPECT_EQ(faces, static_cast<long>(w.tally.faces)) << info;
            EXPECT_EQ(vertices, static_cast<long>(w.tally.cornerCount)) << info;
            break;
        case kNxmDxf: // read as line segments, but read
            EXPECT_NE(info.find("Importing file ...                   OK"), std::string::npos)
                << info;
            break;
        case kLwo: // this assimp parses every LWOB file, then fails to build its node graph
            EXPECT_NE(info.find("LWO: Unable to build a valid node graph"), std::string::npos)
                << info;
            EXPECT_EQ(info.find("ERROR"), info.rfind("ERROR")) << info;
            break;
        }
    }
}

class DxfRoundTrip : public RoundTrip {};

TEST_P(DxfRoundTrip, EzdxfAuditsAndCounts) {
    const std::int32_t format = std::get<0>(GetParam());
    if (!HaveEzdxf())
        GTEST_SKIP() << "ezdxf is not installed";
    for (std::uint32_t seed = 11; seed <= 13; ++seed) {
        const Written w = WriteRandom(seed);
        auto v = KeyValues(RunTool("/usr/bin/python3 " QM_SOURCE_DIR
                                   "/tests/plugin/export/dxf_summary.py '" +
                                   w.path + "'"));
        ASSERT_TRUE(v.count("audit_errors"));
        EXPECT_EQ(v["audit_errors"], 0);
        if (std::get<1>(GetParam()) != kSpherical) { // see the bottom pole above
            EXPECT_EQ(v["repeated_corners"], 0);
        }
        const auto faces = static_cast<long>(w.tally.faces);
        if (format == kNxmDxf) {
            EXPECT_EQ(v["meshes"], 1);
            EXPECT_EQ(v["mesh_m"], static_cast<long>(w.rows));
            EXPECT_EQ(v["mesh_n"], static_cast<long>(w.perRow));
            EXPECT_EQ(v["mesh_vertices"], static_cast<long>(w.points));
        } else if (format == kFaceDxf) {
            EXPECT_EQ(v["faces3d"], faces);
            const auto triangles = static_cast<long>(2 * w.tally.faces - w.tally.triangles);
            if (std::get<1>(GetParam()) == kSpherical) { // see the bottom pole above
                EXPECT_GE(v["triangles3d"], triangles);
            } else {
                EXPECT_EQ(v["triangles3d"], triangles);
            }
        } else {
            EXPECT_EQ(v["polyface_vertices"], static_cast<long>(w.points));
            EXPECT_EQ(v["polyface_faces"], faces);
            EXPECT_EQ(v["polyface_corners"], static_cast<long>(w.tally.cornerCount));
            if (faces > 0) {
                EXPECT_GE(v["polyface_min_index"], 1);
                EXPECT_LE(v["polyface_max_index"], static_cast<long>(w.points));
            }
        }
    }
}

std::string Name(const ::testing::TestParamInfo<RoundTrip::ParamType>& info) {
    static const char* formats[] = {"", "Nxm", "Face", "Polyline", "Tds", "Cob", "Lwo"};
    static const char* types[] = {"Rectangular", "Cylindrical", "Spherical"};
    return std::string(formats[std::get<0>(info.param)]) + types[std::get<1>(info.param)] +
           (std::get<2>(info.param) ? "BlackHoles" : "Solid");
}

INSTANTIATE_TEST_SUITE_P(AllFormats, RoundTrip,
                         ::testing::Combine(::testing::Range(1, 7), ::testing::Range(0, 3),
                                            ::testing::Bool()),
                         Name);
INSTANTIATE_TEST_SUITE_P(DxfFormats, DxfRoundTrip,
                         ::testing::Combine(::testing::Range(1, 4), ::testing::Range(0, 3),
                                            ::testing::Bool()),
                         Name);

TEST(Lib3ds, ReadsTheMeshObjectOfEveryMeshType) {
#ifndef QM_READ_3DS
    GTEST_SKIP() << "lib3ds is not installed";
#else
    TempFolder dir;
    std::uint32_t seed = 21;
    for (std::int32_t meshType = 0; meshType < 3; ++meshType) {
        for (bool blackHoles : {false, true}) {
            const Written w = WriteRandom(dir, kTds, meshType, blackHoles, ++seed);
            int status = -1;
            const std::string out =
                RunTool(std::string(QM_READ_3DS) + " '" + w.path + "'", &status);
            EXPECT_EQ(status, 0) << out;
            std::istringstream line(out);
            std::string mesh, name, points, faces, largest;
            long pointCount = -1, faceCount = -1, largestIndex = -1;
            line >> mesh >> name >> points >> pointCount >> faces >> faceCount >> largest >>
                largestIndex;
            EXPECT_EQ(name, "01") << out;
            EXPECT_EQ(pointCount, static_cast<long>(w.points)) << out;
            EXPECT_EQ(faceCount, static_cast<long>(w.tally.triangles)) << out;
            EXPECT_LT(largestIndex, pointCount) << out;
        }
    }
#endif
}

} // namespace
