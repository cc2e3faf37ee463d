// --max-error and --triangles as a user meets them: the file's triangles and the error the
// statistics print, the budget kept, and the refusals, each with its reason.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

#include "tests/cli/CliTestSupport.h"
#include "tests/support/TempFolder.h"

using namespace clitest;

namespace {

// The triangle count of a binary STL file.
std::uint32_t StlTriangles(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    std::uint32_t count = 0;
    if (bytes.size() >= 84)
        std::memcpy(&count, bytes.data() + 80, 4);
    EXPECT_EQ(bytes.size(), 84 + 50 * std::size_t{count});
    return count;
}

// The number after "Max error: " in the statistics.
double PrintedError(const std::string& out) {
    const std::size_t at = out.find("Max error: ");
    EXPECT_NE(at, std::string::npos) << out;
    return at == std::string::npos ? -1 : std::stod(out.substr(at + 11));
}

TEST(CliSimplify, AFlatPictureGivesTwoTriangles) {
    TempFolder dir;
    WriteGrayBmp(dir.File("flat.bmp"), 40, 30, std::vector<std::uint8_t>(40 * 30, 90));
    const RunResult run =
        RunTool({dir.File("flat.bmp"), "-o", dir.File("f.stl"), "--max-error", "0"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("Triangles: 2\n"), std::string::npos) << run.out;
    EXPECT_EQ(PrintedError(run.out), 0);
    EXPECT_EQ(StlTriangles(dir.File("f.stl")), 2u);
}

TEST(CliSimplify, PrintsAnErrorWithinTheOneAskedAndKeepsTheBudget) {
    TempFolder dir;
    WriteGrayBmp(dir.File("p.bmp"), 61, 47, GrayPattern(61, 47));
    const RunResult full = RunTool({dir.File("p.bmp"), "-o", dir.File("full.stl")});
    ASSERT_EQ(full.exitCode, 0) << full.err;
    std::uint32_t previous = StlTriangles(dir.File("full.stl"));
    for (const char* error : {"0", "0.05", "0.5", "3"}) {
        const RunResult run = RunTool(
            {dir.File("p.bmp"), "-o", dir.File("e.stl"), "--relief", "10", "--max-error", error});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_LE(PrintedError(run.out), std::stod(error)) << error;
        const std::uint32_t count = StlTriangles(dir.File("e.stl"));
        EXPECT_LE(count, previous) << error;
        previous = count;
    }
    for (const char* budget : {"2", "17", "300"}) {
        const RunResult run =
            RunTool({dir.File("p.bmp"), "-o", dir.File("t.stl"), "--triangles", budget});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_LE(StlTriangles(dir.File("t.stl")), std::stoul(budget));
        EXPECT_GT(PrintedError(run.out), 0) << budget;
    }
    // Black holes keep their outline within a budget too.
    std::vector<std::uint8_t> holed = GrayPattern(61, 47);
    for (std::size_t k = 0; k < holed.size(); k += 37)
        holed[k] = 0;
    WriteGrayBmp(dir.File("h.bmp"), 61, 47, holed);
    const RunResult run = RunTool(
        {dir.File("h.bmp"), "-o", dir.File("h.stl"), "--black-holes", "--triangles", "2000"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_LE(StlTriangles(dir.File("h.stl")), 2000u);
    EXPECT_GT(PrintedError(run.out), 0);
}

TEST(CliSimplify, TubesAndGlobesPrintTheirRadialErrorInEveryTriangleFormat) {
    TempFolder dir;
    WriteGrayBmp(dir.File("p.bmp"), 64, 40, GrayPattern(64, 40));
    for (const char* mesh : {"cylindrical", "spherical"})
        for (const char* format : {"stl", "obj", "ply", "3mf"}) {
            const std::string out = dir.File(std::string("r.") + format);
            const RunResult run = RunTool({dir.File("p.bmp"), "-o", out, "--mesh", mesh, "--solid",
                                           "--width", "60", "--max-error", "0.2"});
            ASSERT_EQ(run.exitCode, 0) << run.err;
            const double printed = PrintedError(run.out);
            EXPECT_LE(printed, 0.2) << mesh << " " << format;
            EXPECT_GT(printed, 0.1) << mesh << " " << format;
            EXPECT_TRUE(std::filesystem::exists(out));
        }
}

TEST(CliSimplify, TubesAndGlobesCutBlackHolesAndWriteTheSameFileWithoutBlack) {
    TempFolder dir;
    std::vector<std::uint8_t> gray = GrayPattern(48, 30);
    WriteGrayBmp(dir.File("holes.bmp"), 48, 30, gray);
    for (std::uint8_t& g : gray)
        g = std::max<std::uint8_t>(g, 1);
    WriteGrayBmp(dir.File("none.bmp"), 48, 30, gray);
    for (const char* mesh : {"cylindrical", "spherical"}) {
        const auto made = [&](const char* picture, const char* holes) {
            const std::string out = dir.File(std::string(picture) + holes + ".stl");
            const RunResult run = RunTool(
                {dir.File(picture), "-o", out, "--mesh", mesh, holes, "--max-error", "0.3"});
            EXPECT_EQ(run.exitCode, 0) << run.err;
            std::ifstream in(out, std::ios::binary);
            return std::vector<char>{std::istreambuf_iterator<char>(in), {}};
        };
        EXPECT_EQ(made("none.bmp", "--black-holes"), made("none.bmp", "--no-black-holes"));
        EXPECT_LT(made("holes.bmp", "--black-holes").size(),
                  made("holes.bmp", "--no-black-holes").size());
    }
}

TEST(CliSimplify, RefusesWhatItCannotDoWithAReason) {
    TempFolder dir;
    WriteGrayBmp(dir.File("p.bmp"), 20, 20, GrayPattern(20, 20));
    // A black dot every fourth row and column: the holes' outline needs far more than 50.
    std::vector<std::uint8_t> dots(20 * 20, 120);
    for (std::size_t k = 0; k < dots.size(); ++k)
        if (k / 20 % 4 == 1 && k % 20 % 4 == 1)
            dots[k] = 0;
    WriteGrayBmp(dir.File("d.bmp"), 20, 20, dots);
    const std::string in = dir.File("p.bmp"), out = dir.File("r.stl");
    const struct {
        std::vector<std::string> args;
        const char* reason;
    } cases[] = {
        {{in, "-o", out, "--triangles", "1"}, "at least 2 triangles"},
        {{in, "-o", out, "--triangles", "many"}, "not a whole number"},
        {{in, "-o", out, "--max-error", "-1"}, "--max-error"},
        {{in, "-o", out, "--triangles", "20", "--mesh", "cylindrical", "--solid"},
         "fewer than this cylindrical surface can be made of"},
        {{dir.File("d.bmp"), "-o", out, "--triangles", "50", "--black-holes"},
         "fewer than this rectangular surface can be made of, 1"},
        {{dir.File("d.bmp"), "-o", out, "--triangles", "50", "--mesh", "spherical",
          "--black-holes"},
         "fewer than this spherical surface can be made of"},
    };
    for (const auto& c : cases) {
        const RunResult run = RunTool(c.args);
        EXPECT_EQ(run.exitCode, 1) << c.reason;
        EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(out)) << c.reason;
    }
    // A round solid's surface may stray no further than half its wall.
    const RunResult wall = RunTool({in, "-o", out, "--mesh", "spherical", "--wall", "2",
                                    "--max-error", "1.5", "--width", "80"});
    EXPECT_EQ(wall.exitCode, 5);
    EXPECT_NE(wall.err.find("half the wall of 2 mm"), std::string::npos) << wall.err;
    EXPECT_FALSE(std::filesystem::exists(out));
    const RunResult classic = RunTool({in, "-o", dir.File("c.3ds"), "--max-error", "1"});
    EXPECT_EQ(classic.exitCode, 0);
    EXPECT_NE(classic.err.find("--max-error applies to STL"), std::string::npos) << classic.err;
}

} // namespace
