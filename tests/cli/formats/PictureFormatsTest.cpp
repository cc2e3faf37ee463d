// The tool's triangle files of random pictures, for each mesh type, open and closed, read
// back by readers that share nothing with it: assimp counts what each file holds, admesh
// checks that a solid's STL is one closed part with no edge turned the wrong way.

#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "cli/TriangleExport.h"
#include "tests/cli/formats/FormatTestSupport.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMesh.h"

namespace {

// The number a statistics line such as "Triangles: 12" gives.
long long Stated(const StatisticsLines& lines, const std::string& label) {
    for (const std::string& line : lines)
        if (line.rfind(label, 0) == 0)
            return NumberAfter(line, label);
    return -1;
}

TEST(PictureFormats, IndependentReadersCountWhatTheToolSaysItWrote) {
    if (!ToolOutput("assimp", "version") || !ToolOutput("admesh", "--version"))
        GTEST_SKIP() << "assimp or admesh is not installed";
    TempFolder dir;
    std::mt19937 rng(21);
    for (int round = 0; round < 18; ++round) {
        const auto rows = static_cast<std::uint16_t>(3 + rng() % 30);
        const auto cols = static_cast<std::uint16_t>(3 + rng() % 30);
        std::vector<std::uint8_t> gray(std::size_t{rows} * cols);
        for (auto& g : gray)
            g = static_cast<std::uint8_t>(1 + rng() % 255);
        const auto type = static_cast<std::int32_t>(round % 3);
        MeshSettings s = DefaultSettings(type);
        s.imagePixels = gray.data();
        s.imageRowBytes = cols;
        s.imageRows = rows;
        s.imageCols = cols;
        const bool solid = round % 2 == 1;
        for (const char* ext : {".stl", ".obj", ".ply"}) {
            CliOptions options;
            options.output = dir.File("m" + std::to_string(round) + ext);
            options.solid = solid;
            options.origin = ModelOrigin::kCenter;
            StatisticsLines lines;
            std::ostringstream progress;
            ASSERT_FALSE(WriteTriangleMesh(options, s, nullptr, lines, progress, false));
            const long long triangles = Stated(lines, "Triangles:");
            const long long vertices = Stated(lines, "Vertices:");
            const auto info = ToolOutput("assimp", "info '" + options.output + "'");
            ASSERT_TRUE(info);
            EXPECT_EQ(NumberAfter(*info, "Faces:"), triangles) << options.output;
            if (std::string(ext) != ".stl") {
                // An open sphere's pole rows hold points that coincide, which assimp joins.
                if (solid || type != kSpherical) {
                    EXPECT_EQ(NumberAfter(*info, "Vertices:"), vertices) << options.output;
                }
                continue;
            }
            const auto report = ToolOutput("admesh", "'" + options.output + "'");
            ASSERT_TRUE(report);
            EXPECT_EQ(NumberAfter(*report, "Number of facets"), triangles);
            if (!solid)
                continue;
            EXPECT_EQ(NumberAfter(*report, "Number of parts"), 1) << *report;
            EXPECT_EQ(NumberAfter(*report, "Total disconnected facets"), 0) << *report;
            EXPECT_EQ(NumberAfter(*report, "Facets reversed"), 0) << *report;
            EXPECT_EQ(NumberAfter(*report, "Backwards edges"), 0) << *report;
            EXPECT_EQ(report->find("Volume   :  -"), std::string::npos) << *report;
        }
    }
}

} // namespace
