// Whole runs to the triangle formats: what they refuse and with which exit code, what they
// warn of, the preview of what they write, and --lithophane's sizes.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "tests/cli/CliTestSupport.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"
#include "tool/CliOptions.h"

using namespace clitest;
namespace fs = std::filesystem;

namespace {

const char* const kFormats[] = {"stl", "obj", "ply", "3mf"};

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// A gray picture file of one level.
std::string FlatPicture(const TempFolder& dir, const std::string& name, std::uint16_t width,
                        std::uint16_t height, std::uint8_t gray) {
    const std::string path = dir.File(name);
    WriteGrayBmp(path, width, height, std::vector<std::uint8_t>(std::size_t{width} * height, gray));
    return path;
}

TEST(TriangleRuns, APictureWithNoTriangleIsRefusedInEveryFormat) {
    TempFolder dir;
    const struct {
        std::string picture;
        std::vector<std::string> options;
    } cases[] = {
        {FlatPicture(dir, "dot.bmp", 1, 1, 200), {}},
        {FlatPicture(dir, "row.bmp", 5, 1, 200), {"--solid"}},
        {FlatPicture(dir, "pair.bmp", 2, 5, 200), {"--mesh", "cylindrical"}},
        {FlatPicture(dir, "band.bmp", 5, 2, 200), {"--mesh", "spherical"}},
        {FlatPicture(dir, "black.bmp", 6, 6, 0), {"--black-holes"}},
    };
    for (const auto& c : cases)
        for (const char* format : kFormats) {
            const std::string output = dir.File(std::string("out.") + format);
            std::vector<std::string> args = {c.picture, "-o", output};
            args.insert(args.end(), c.options.begin(), c.options.end());
            const RunResult run = RunTool(args);
            EXPECT_EQ(run.exitCode, kExitInput) << run.err;
            EXPECT_TRUE(run.err.find("too small") != std::string::npos ||
                        run.err.find("black hole") != std::string::npos)
                << run.err;
            EXPECT_EQ(Count(run.err, "\n"), 1u) << run.err;
            EXPECT_FALSE(fs::exists(output));
        }
}

TEST(TriangleRuns, ASolidThatCannotCloseHasItsOwnExitCodeAndNamesWhatHelps) {
    TempFolder dir;
    const std::string picture = FlatPicture(dir, "gray.bmp", 40, 30, 150);
    const std::string out = dir.File("out.stl");
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::vector<std::string> named, notNamed;
    } cases[] = {
        {{"--mesh", "cylindrical", "--wall", "100"}, kExitSolid, {"axis", "--radial-offset"}, {}},
        {{"--mesh", "cylindrical", "--width", "40", "--relief", "2", "--wall", "30"},
         kExitSolid,
         {"--relief", "--width"},
         {"--radial-offset"}},
        {{"--mesh", "spherical", "--wall", "80"}, kExitSolid, {"middle"}, {}},
        {{"--mesh", "spherical", "--wall", "1", "--opening", "500"}, kExitSolid, {"--opening"}, {}},
        {{"--mesh", "cylindrical", "--opening", "10"}, kExitUsage, {"--mesh spherical"}, {}},
        {{"--mesh", "spherical", "--opening", "10"}, kExitUsage, {"--wall"}, {}},
        {{"--solid", "--black-holes"}, kExitUsage, {"--no-black-holes"}, {}},
        {{"--wall", "1", "--base", "1"}, kExitUsage, {"--base"}, {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {picture, "-o", out};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const RunResult run = RunTool(args);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        for (const std::string& word : c.named)
            EXPECT_NE(run.err.find(word), std::string::npos) << run.err;
        for (const std::string& word : c.notNamed)
            EXPECT_EQ(run.err.find(word), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(out));
    }
}

TEST(TriangleRuns, OneFileNamedForTwoOutputsIsRefusedBeforeEitherIsWritten) {
    TempFolder dir;
    fs::create_directory(dir.File("sub"));
    const std::vector<std::uint8_t> kept{'k', 'e', 'p', 't'};
    for (const char* name : {"same.png", "same.stl", "target.png"})
        WriteBytes(dir.File(name), kept);
    fs::create_symlink(dir.File("target.png"), dir.File("link.png"));
    const std::vector<std::string> cases[] = {
        {"--format", "stl", "-o", dir.File("same.png"), "--preview", dir.File("same.png")},
        {"-o", dir.File("same.stl"), "--save-settings", dir.File("sub/../same.stl")},
        {"--format", "stl", "-o", dir.File("target.png"), "--preview", dir.File("link.png")},
        {"-o", dir.File("new.stl"), "--save-settings", dir.File("sub/../new.stl")},
        {"-o", dir.File("fresh.dxf"), "--preview", dir.File("fresh.png"), "--save-settings",
         dir.File("./sub/../fresh.png")},
    };
    for (const auto& args : cases) {
        const RunResult run = RunTool(args);
        EXPECT_EQ(run.exitCode, kExitUsage) << run.err;
        EXPECT_NE(run.err.find("is the same file as"), std::string::npos) << run.err;
    }
    for (const char* name : {"same.png", "same.stl", "target.png"})
        EXPECT_EQ(ReadBytes(dir.File(name)), kept) << name;
    for (const char* name : {"new.stl", "fresh.dxf", "fresh.png"})
        EXPECT_FALSE(fs::exists(dir.File(name))) << name;
}

TEST(TriangleRuns, WarnOfWhatTheMeshDoesNotUseOrASettingsFileCannotKeep) {
    TempFolder dir;
    const std::string picture = FlatPicture(dir, "gray.bmp", 20, 20, 150);
    const struct {
        std::vector<std::string> args;
        std::string warning;
    } cases[] = {
        {{"-o", dir.File("a.stl"), "--invert", "--save-settings", dir.File("s.stg")},
         "does not keep --invert"},
        {{"-o", dir.File("a.stl"), "--lithophane", "--save-settings", dir.File("s.stg")},
         "does not keep --lithophane"},
        {{"-o", dir.File("a.stl"), "--mesh", "spherical", "--base", "2"}, "--base is not used"},
        {{"-o", dir.File("a.stl"), "--height", "50"}, "rectangular mesh does not use it"},
        {{"-o", dir.File("a.stl"), "--mesh", "cylindrical", "--cyl-length", "50"},
         "--cyl-length applies to the classic formats"},
        {{"-o", dir.File("a.dxf"), "--mirror", "--lithophane"},
         "--lithophane and --mirror apply to STL, OBJ, PLY and 3MF files only"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {picture, "-q"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const RunResult run = RunTool(args);
        EXPECT_EQ(run.exitCode, kExitOk) << run.err;
        EXPECT_NE(run.err.find("warning: "), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(c.warning), std::string::npos) << run.err;
    }
}

struct Drawn {
    int width = 0, height = 0;
    int left = 1 << 30, right = -1, top = 1 << 30, bottom = -1; // of what is not white
    int Wide() const { return right - left + 1; }
    int Tall() const { return bottom - top + 1; }
};

// The extent of what a BMP preview shows (8-bit, bottom row first, rows padded to 4).
Drawn ReadDrawn(const std::string& path) {
    const std::vector<std::uint8_t> bytes = ReadBytes(path);
    const auto u32 = [&](std::size_t at) {
        return static_cast<int>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
                                bytes[at + 3] << 24);
    };
    Drawn d;
    d.width = u32(18);
    d.height = u32(22);
    const int stride = (d.width + 3) & ~3;
    for (int row = 0; row < d.height; ++row)
        for (int x = 0; x < d.width; ++x)
            if (bytes[std::size_t(u32(10) + (d.height - 1 - row) * stride + x)] != 255) {
                d.left = std::min(d.left, x);
                d.right = std::max(d.right, x);
                d.top = std::min(d.top, row);
                d.bottom = std::max(d.bottom, row);
            }
    return d;
}

TEST(TriangleRuns, ThePreviewShowsTheTrianglesAsTheyStandAndTheStatisticsOfTheFile) {
    TempFolder dir;
    const auto preview = [&](std::vector<std::string> args) {
        const std::string path = dir.File("p.bmp");
        args.insert(args.end(), {"--preview", path, "--style", "shaded", "--no-perspective"});
        const RunResult run = RunTool(args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        return ReadDrawn(path);
    };
    // A flat solid lies on the plate: edge-on from the front, its face from above (the
    // dialog's "Right" turns the view about the screen's horizontal axis).
    const Drawn front = preview({"-o", dir.File("f.stl"), "--solid", "--view", "front"});
    const Drawn top = preview({"-o", dir.File("f.stl"), "--solid", "--view", "right"});
    EXPECT_LT(front.Tall() * 3, front.Wide());
    EXPECT_GT(top.Tall() * 3, top.Wide());
    // A tube stands: taller than wide from the front, round from the top.
    const Drawn tube =
        preview({"-o", dir.File("t.obj"), "--mesh", "cylindrical", "--solid", "--view", "front"});
    EXPECT_GT(tube.Tall(), tube.Wide());
    const Drawn ring = preview({FlatPicture(dir, "gray.bmp", 30, 20, 90), "--format", "3mf",
                                "--mesh", "cylindrical", "--view", "right"});
    EXPECT_NEAR(ring.Tall(), ring.Wide(), 2);
    // A wide canvas shows the whole of a tall model, as a square one does.
    const Drawn wide = preview(
        {"--format", "ply", "--mesh", "cylindrical", "--view", "front", "--size", "600x200"});
    EXPECT_GT(wide.Tall(), 190);
    EXPECT_NEAR(static_cast<double>(wide.Wide()) / wide.Tall(),
                static_cast<double>(tube.Wide()) / tube.Tall(), 0.05);

    // Statistics of a preview alone are those of the file it stands for.
    const RunResult written = RunTool({"-o", dir.File("s.stl"), "--solid"});
    const RunResult alone = RunTool({"--format", "stl", "--solid", "--preview", dir.File("s.png")});
    ASSERT_EQ(written.exitCode, 0);
    ASSERT_EQ(alone.exitCode, 0) << alone.err;
    EXPECT_EQ(written.out.substr(0, written.out.find("Written:")), alone.out);
}

TEST(TriangleRuns, ALithophaneIsThickWhereThePictureIsDark) {
    TempFolder dir;
    std::vector<std::uint8_t> halves(40 * 20);
    for (std::size_t i = 0; i < halves.size(); ++i)
        halves[i] = i % 40 < 20 ? 0 : 255;
    const std::string picture = dir.File("halves.bmp");
    WriteGrayBmp(picture, 40, 20, halves);
    const struct {
        std::vector<std::string> args;
        const char* zRange;
    } cases[] = {
        {{"--lithophane"}, "Z Range: 0 .. 3\n"},
        {{"--lithophane", "--relief", "3", "--wall", "1.5"}, "Z Range: 0 .. 4.5\n"},
        {{"--lithophane", "--base", "2"}, "Z Range: 0 .. 4.2\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {picture, "-o", dir.File("l.stl")};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const RunResult run = RunTool(args);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_NE(run.out.find(c.zRange), std::string::npos) << run.out;
    }
}

TEST(TriangleRuns, APictureWiderThanAMeshTakesIsRefusedByItsWidth) {
    TempFolder dir;
    const std::string narrow = FlatPicture(dir, "narrow.bmp", 65532, 2, 90);
    const std::string wide = FlatPicture(dir, "wide.bmp", 65533, 2, 90);
    EXPECT_EQ(RunTool({narrow, "-q", "-o", dir.File("n.ply")}).exitCode, 0);
    const RunResult run = RunTool({wide, "-q", "-o", dir.File("w.ply")});
    EXPECT_EQ(run.exitCode, kExitInput);
    EXPECT_NE(run.err.find("65533 pixels wide"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("at most 65532"), std::string::npos) << run.err;
}

TEST(TriangleRuns, HelpNamesEveryPictureTypeAndEveryExitCode) {
    const RunResult help = RunTool({"--help"});
    ASSERT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("BMP, TIFF, PNG or JPEG"), std::string::npos);
    // --alpha-holes works for every format, so it is not among the triangle formats' own.
    const std::size_t group = help.out.find("STL, OBJ, PLY and 3MF]");
    ASSERT_NE(group, std::string::npos);
    EXPECT_LT(help.out.find("--alpha-holes"), group);
    for (const char* option : {"--lithophane", "--mirror", "--wall", "--opening", "--height"})
        EXPECT_GT(help.out.find(option), group) << option;
    EXPECT_NE(help.out.find("5 a solid cannot be closed"), std::string::npos);
    EXPECT_NE(help.out.find("(a settings file does not keep it)"), std::string::npos);
}

} // namespace
