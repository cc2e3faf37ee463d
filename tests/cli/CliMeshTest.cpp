// The tool's mesh steps: what it needs before it allocates, how it refuses a mesh too large
// for the format, the preview of an NxM DXF, and the statistics of the file written.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>

#include "pictures/LoadPicture.h"
#include "plugin/mesh/HeapBlockAllocator.h"
#include "tests/cli/CliTestSupport.h"
#include "tool/CliSettings.h"
#include "tool/MeshSteps.h"

using namespace clitest;

namespace {

constexpr std::uint64_t kGigabyte = 1000ull * 1000 * 1000;

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// Black on the left half, then white, then a ramp: holes where black, both extremes present.
std::vector<std::uint8_t> HalfBlack(std::uint16_t width, std::uint16_t height) {
    std::vector<std::uint8_t> gray(std::size_t{width} * height);
    for (std::uint32_t y = 0; y < height; ++y)
        for (std::uint32_t x = 0; x < width; ++x)
            gray[y * width + x] = x < width / 2u    ? 0
                                  : x == width / 2u ? 255
                                                    : static_cast<std::uint8_t>(x * 7 + y);
    return gray;
}

MeshSettings SettingsFor(const CliOptions& options) {
    MeshSettings settings{};
    EXPECT_EQ(BuildSettings(options, settings), std::nullopt);
    return settings;
}

TEST(CliMeshNeeds, RefusesAPictureTheMachineCannotHoldBeforeAllocating) {
    // The 23168 x 23168 picture of a 4.3 MB RLE BMP. Written straight to a file, its mesh
    // needs a few rows; a preview needs the whole mesh, 74 bytes a pixel, about 40 GB.
    CliOptions options;
    options.output = "big.dxf";
    options.diskFormat = kFaceDxf; // no limit of its own
    const MeshSettings settings = SettingsFor(options);
    EXPECT_LT(RunMemoryBytes(options, 23168, 23168), 4'000'000u);
    EXPECT_EQ(CheckMeshNeeds(options, 23168, 23168, settings, "big.bmp", 24 * kGigabyte),
              std::nullopt);
    options.preview.path = "big.png";
    const auto withPreview =
        CheckMeshNeeds(options, 23168, 23168, settings, "big.bmp", 24 * kGigabyte);
    ASSERT_TRUE(withPreview);
    EXPECT_EQ(withPreview->exitCode, kExitInput);
    EXPECT_EQ(withPreview->message,
              "quorvmesh: big.bmp: a mesh of this picture needs 48.3 GB of memory; 24.0 GB are "
              "available");
    // What fits is let through, and small needs are named in MB.
    EXPECT_EQ(CheckMeshNeeds(options, 1000, 1000, settings, "a.bmp", kGigabyte), std::nullopt);
    const auto small = CheckMeshNeeds(options, 1000, 1000, settings, "a.bmp", 10'000'000);
    ASSERT_TRUE(small);
    EXPECT_NE(small->message.find("needs 91 MB of memory; 10 MB are available"), std::string::npos)
        << small->message;
    // No machine this runs on has 256 GB to spare for the largest picture.
    EXPECT_TRUE(CheckMeshNeeds(options, 65535, 65535, settings, "huge.bmp", MachineMemoryBytes()));
    // Streamed, its 4.3 billion points are more than a polygon can number.
    options.preview.path.clear();
    const auto huge = CheckMeshNeeds(options, 65535, 65535, settings, "huge.bmp", ~0ull);
    ASSERT_TRUE(huge);
    EXPECT_EQ(huge->message, "quorvmesh: huge.bmp: the picture is too large for a mesh");
    EXPECT_EQ(CheckMeshNeeds(options, 40000, 40000, settings, "large.bmp", 10'000'000),
              std::nullopt);
}

TEST(CliMeshNeeds, RefusesAGridTheFormatCannotHoldBeforeAllocating) {
    TempFolder dir;
    WriteGrayBmp(dir.File("big.bmp"), 1024, 1024, HalfBlack(1024, 1024));
    CliOptions options;
    options.input = dir.File("big.bmp");
    options.output = dir.File("big.3ds");
    std::unique_ptr<HostImage> picture;
    std::ostringstream warnings;
    ASSERT_EQ(LoadPicture(options.input, picture, warnings), std::nullopt);
    ASSERT_EQ(MakeGray(*picture, false, "big.bmp"), std::nullopt);
    MeshSettings settings = SettingsFor(options);
    ASSERT_EQ(settings.DiskFormat, kTds);
    HeapBlockAllocator allocator;
    PictureMesh mesh(settings, allocator);
    const auto refused = MakeMesh(options, *picture, "big.bmp", mesh);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->exitCode, kExitFormat);
    // 20 % gives 204 x 204 points, whose 82418 triangles only black holes could bring down.
    EXPECT_EQ(refused->message, "quorvmesh: " + options.output +
                                    ": the mesh is too large for 3DS: 3DS "
                                    "holds at most 65535 vertices; this mesh has 1048576; "
                                    "the largest resolution that fits is 10 % "
                                    "(--resolution 10); 20 % may fit, depending on the "
                                    "picture");
    EXPECT_EQ(mesh.Buffers().capacity, 0u) << "the mesh memory was taken";

    // No resolution of the largest picture fits 3DS; a preview alone has no format to fit.
    const auto none = CheckMeshNeeds(options, 65535, 65535, settings, "huge.bmp", ~0ull);
    ASSERT_TRUE(none);
    EXPECT_EQ(none->message.substr(none->message.rfind("; ")), "; no resolution makes it fit");
    options.output.clear();
    options.preview.path = dir.File("p.png");
    EXPECT_EQ(CheckMeshNeeds(options, 1024, 1024, settings, "big.bmp", ~0ull), std::nullopt);
}

class MeshRuns : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteGrayBmp(dir.File("half.bmp"), 24, 12, HalfBlack(24, 12));
        WriteGrayBmp(dir.File("big.bmp"), 300, 300, HalfBlack(300, 300));
        auto dark = HalfBlack(300, 300);
        for (std::size_t i = 0; i < dark.size(); ++i)
            if (i % 300 > 10)
                dark[i] = 0;
        WriteGrayBmp(dir.File("dark.bmp"), 300, 300, dark);
    }
    TempFolder dir;
};

TEST_F(MeshRuns, TooManyVerticesNamesTheLimitTheCountAndAResolutionThatFits) {
    const auto lwo = RunTool({dir.File("big.bmp"), "-o", dir.File("big.lwo")});
    EXPECT_EQ(lwo.exitCode, kExitFormat);
    EXPECT_EQ(lwo.err, "quorvmesh: " + dir.File("big.lwo") +
                           ": the mesh is too large for LWO: LWO "
                           "holds at most 65535 vertices; this mesh has 90000; the largest "
                           "resolution that fits is 75 % (--resolution 75)\n");
    EXPECT_FALSE(std::filesystem::exists(dir.File("big.lwo")));
    // 75 % and 66 % give more than 65535 triangles here; 50 % does not.
    const auto tds = RunTool({dir.File("big.bmp"), "-o", dir.File("big.3ds")});
    EXPECT_EQ(tds.exitCode, kExitFormat);
    EXPECT_NE(tds.err.find("3DS holds at most 65535 vertices; this mesh has 90000; the largest "
                           "resolution that fits is 50 % (--resolution 50)"),
              std::string::npos)
        << tds.err;
    // Holes could leave few triangles at 75 %, but before any memory is taken there is no
    // picture to count them on: 50 % surely fits, 75 % may.
    const auto holes = RunTool({dir.File("dark.bmp"), "-o", dir.File("d.3ds"), "--black-holes"});
    EXPECT_EQ(holes.exitCode, kExitFormat);
    EXPECT_NE(holes.err.find("the largest resolution that fits is 50 % (--resolution 50); 75 % "
                             "may fit, depending on the picture"),
              std::string::npos)
        << holes.err;
    ASSERT_EQ(RunTool({dir.File("dark.bmp"), "-o", dir.File("d.3ds"), "--black-holes",
                       "--resolution", "75", "-q"})
                  .exitCode,
              0);
    // A triangle limit names triangles.
    const auto triangles =
        RunTool({dir.File("big.bmp"), "-o", dir.File("t.3ds"), "--resolution", "75"});
    EXPECT_NE(triangles.err.find("3DS holds at most 65535 triangles; this mesh has 100352"),
              std::string::npos)
        << triangles.err;
}

TEST_F(MeshRuns, BlackHolesInAnNxmDxfAreWarnedOfAndNotPreviewed) {
    const auto holes = RunTool({dir.File("half.bmp"), "-o", dir.File("h.dxf"), "--black-holes",
                                "--preview", dir.File("h.png"), "-q"});
    ASSERT_EQ(holes.exitCode, 0) << holes.err;
    ASSERT_EQ(SplitLines(holes.err).size(), 1u) << holes.err;
    EXPECT_NE(holes.err.find("warning: an NxM DXF grid cannot leave holes"), std::string::npos);
    const auto plain = RunTool(
        {dir.File("half.bmp"), "-o", dir.File("p.dxf"), "--preview", dir.File("p.png"), "-q"});
    ASSERT_EQ(plain.exitCode, 0);
    EXPECT_TRUE(plain.err.empty());
    EXPECT_EQ(ReadBytes(dir.File("h.png")), ReadBytes(dir.File("p.png")));
    EXPECT_EQ(ReadBytes(dir.File("h.dxf")), ReadBytes(dir.File("p.dxf")));

    // Formats that hold holes show them, without a word.
    const auto faces =
        RunTool({dir.File("half.bmp"), "-o", dir.File("f.dxf"), "--format", "3dface-dxf",
                 "--black-holes", "--preview", dir.File("f.png"), "-q"});
    ASSERT_EQ(faces.exitCode, 0);
    EXPECT_TRUE(faces.err.empty());
    EXPECT_NE(ReadBytes(dir.File("f.png")), ReadBytes(dir.File("p.png")));
}

TEST_F(MeshRuns, StatisticsDescribeTheFileWritten) {
    // 24 x 12 points, 23 x 11 cells; black lies at altitude / 256 once turned over.
    const auto nxm = RunTool({dir.File("half.bmp"), "-o", dir.File("a.dxf")});
    ASSERT_EQ(nxm.exitCode, 0) << nxm.err;
    const auto size = std::filesystem::file_size(dir.File("a.dxf"));
    EXPECT_EQ(
        SplitLines(nxm.out),
        (std::vector<std::string>{"Polygons:  253", "Vertices:  288", "X Range: -50 .. 45.8333",
                                  "Y Range: -20.8333 .. 25", "Z Range: 0.0976562 .. 25",
                                  "Written:   " + std::to_string(size) + " bytes"}));

    // An LWO file holds (x, z, y); 3DS counts its triangles.
    const auto lwo = RunTool({dir.File("half.bmp"), "-o", dir.File("a.lwo")});
    ASSERT_EQ(lwo.exitCode, 0);
    EXPECT_EQ(SplitLines(lwo.out)[3], "Y Range: 0.0976562 .. 25");
    const auto tds = RunTool({dir.File("half.bmp"), "-o", dir.File("a.3ds")});
    EXPECT_EQ(SplitLines(tds.out)[0], "Polygons:  253 (506 triangles)");

    // No polygons: a count, not the dialog's dots; 3D faces hold no other points.
    std::vector<std::uint8_t> black(24 * 12, 0);
    WriteGrayBmp(dir.File("black.bmp"), 24, 12, black);
    const auto none = RunTool({dir.File("black.bmp"), "-o", dir.File("b.dxf"), "--format",
                               "3dface-dxf", "--black-holes"});
    ASSERT_EQ(none.exitCode, 0);
    const auto lines = SplitLines(none.out);
    ASSERT_GE(lines.size(), 5u) << none.out;
    EXPECT_EQ(lines[0], "Polygons:  0");
    EXPECT_EQ(lines[1], "Vertices:  0");
    EXPECT_EQ(lines[2], "X Range: none");

    EXPECT_TRUE(RunTool({dir.File("half.bmp"), "-o", dir.File("q.dxf"), "-q"}).out.empty());
}

} // namespace
