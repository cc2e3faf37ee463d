// The tool's triangle files of random pictures, for each mesh type, open and closed (globes
// full, hollow, and hollow with an opening), whole or with fewer triangles, read back by readers
// that share nothing with it: assimp counts what each file holds, admesh checks that a solid's STL
// is closed, in as many parts as it should be, with no edge turned the wrong way.

#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "tests/cli/formats/FormatTestSupport.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMesh.h"
#include "tool/TriangleExport.h"

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
        // Globes fine enough that their facets are shallower than a hollow one's wall.
        const int least = round % 3 == kSpherical ? 28 : 3;
        const auto rows = static_cast<std::uint16_t>(least + rng() % (33 - least));
        const auto cols = static_cast<std::uint16_t>(least + rng() % (33 - least));
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
        // Globes: a ball, a hollow one (two shells) and a hollow one with an opening.
        const int globe = round / 6 % 3;
        const bool hollow = solid && type == kSpherical && globe > 0;
        for (const char* ext : {".stl", ".obj", ".ply", ".3mf"}) {
            CliOptions options;
            options.output = dir.File("m" + std::to_string(round) + ext);
            options.solid = solid;
            options.origin = ModelOrigin::kCenter;
            if (hollow)
                options.wallMm = 2.0f;
            if (hollow && globe == 2)
                options.openingMm = 4.0f;
            // Two rounds in three with fewer triangles (every kind of solid among them), within
            // half the thinnest wall.
            if (round % 6 != 0 && round % 6 != 2)
                options.maxError = 0.3;
            StatisticsLines lines;
            std::ostringstream progress;
            ASSERT_FALSE(WriteTriangleMesh(options, s, nullptr, lines, progress, false));
            const long long triangles = Stated(lines, "Triangles:");
            const long long vertices = Stated(lines, "Vertices:");
            const auto info = ToolOutput("assimp", "info '" + options.output + "'");
            ASSERT_TRUE(info);
            EXPECT_EQ(NumberAfter(*info, "Faces:"), triangles) << options.output;
            if (std::string(ext) != ".stl") {
                // An open round surface's seam points lie within a hair of column 0's,
                // which assimp may join.
                const long long joinable = !solid && type != kRectangular ? rows : 0;
                EXPECT_LE(NumberAfter(*info, "Vertices:"), vertices) << options.output;
                EXPECT_GE(NumberAfter(*info, "Vertices:"), vertices - joinable) << options.output;
                continue;
            }
            const auto report = ToolOutput("admesh", "'" + options.output + "'");
            ASSERT_TRUE(report);
            EXPECT_EQ(NumberAfter(*report, "Number of facets"), triangles);
            if (!solid)
                continue;
            EXPECT_EQ(NumberAfter(*report, "Number of parts"), hollow && globe == 1 ? 2 : 1)
                << *report;
            EXPECT_EQ(NumberAfter(*report, "Total disconnected facets"), 0) << *report;
            EXPECT_EQ(NumberAfter(*report, "Facets reversed"), 0) << *report;
            EXPECT_EQ(NumberAfter(*report, "Backwards edges"), 0) << *report;
            EXPECT_EQ(report->find("Volume   :  -"), std::string::npos) << *report;
        }
    }
}

} // namespace
