// The command-line tool writes its mesh files row by row straight from the picture. Every
// file must equal, byte for byte, what the plug-in writes from its mesh in memory, and the
// kept golden files; and the memory it takes must not grow with the picture's height.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

#include "common/EmbeddedResources.h"
#include "plugin/export/ExportMesh.h"
#include "simplified/StreamMeshSource.h"
#include "tests/cli/CliTestSupport.h"
#include "tests/support/GoldenCases.h"
#include "tests/support/MemoryOutputFile.h"
#include "tests/support/Recorders.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMesh.h"
#include "tool/ExportFile.h"

using namespace clitest;

namespace {

struct Written {
    ExportOutcome outcome;
    std::vector<std::uint8_t> bytes;
};

// Who puts the text together: the writer's thread alone, or it and a helper.
enum class Writing { kOneThread, kTwoThreads };

Written Export(const MeshSettings& settings, MeshSource* source, MeshBuffers* buffers,
               std::size_t bufferSize, Writing writing = Writing::kOneThread,
               std::size_t failAtWrite = 0) {
    FixedPathChooser chooser("mesh");
    MemoryOutputFile file;
    file.failAtWrite = failAtWrite;
    RecordingProgress progress;
    RecordingMessages messages;
    EmbeddedResources resources;
    ExportServices services{chooser, file, progress, messages, resources};
    MeshSettings s = settings;
    if (buffers)
        return {ExportMesh(s, *buffers, services), file.bytes};
    std::vector<std::uint8_t> buffer(bufferSize);
    const SinkSetup setup{buffer, writing == Writing::kTwoThreads ? 2 : 1};
    const ExportOutcome outcome = ExportMesh(s, *source, services, setup);
    return {outcome, file.bytes};
}

// The plug-in's way: the whole mesh in memory, its 16 KB buffer.
Written FromMemory(std::uint16_t rows, std::uint16_t cols, const std::vector<std::uint8_t>& gray,
                   const MeshSettings& settings) {
    TestMesh mesh(rows, cols, gray, settings);
    return Export(mesh.settings, nullptr, &mesh.buffers, 0);
}

// The tool's way: rows made as the writer asks, through a buffer of the given size.
Written Streamed(std::uint16_t rows, std::uint16_t cols, const std::vector<std::uint8_t>& gray,
                 const MeshSettings& settings, std::size_t bufferSize,
                 Writing writing = Writing::kOneThread, std::size_t failAtWrite = 0) {
    MeshSettings s = settings;
    s.imagePixels = gray.data();
    s.imageRowBytes = cols;
    s.imageRows = rows;
    s.imageCols = cols;
    StreamMeshSource source(s);
    return Export(s, &source, nullptr, bufferSize, writing, failAtWrite);
}

// Flat stretches, black pixels and noise: coincident corners and holes both happen.
std::vector<std::uint8_t> RandomPicture(std::mt19937& rng, std::uint16_t rows, std::uint16_t cols) {
    std::vector<std::uint8_t> gray(std::size_t{rows} * cols);
    const int style = static_cast<int>(rng() % 3);
    for (std::size_t i = 0; i < gray.size(); ++i) {
        const std::uint32_t roll = rng() % 8;
        gray[i] = roll == 0    ? 0
                  : style == 0 ? static_cast<std::uint8_t>(rng())
                  : style == 1 ? static_cast<std::uint8_t>(roll < 4 ? 128 : 255)
                               : static_cast<std::uint8_t>(i % cols * 3);
    }
    return gray;
}

TEST(StreamExport, EqualsThePluginsFileForRandomPicturesOfEveryKind) {
    std::mt19937 rng(20261209);
    const float parameters[] = {0.1f, 1.0f, 25.0f, 123.456f, 500.0f};
    int compared = 0;
    for (int trial = 0; trial < 400; ++trial) {
        const auto rows = static_cast<std::uint16_t>(1 + rng() % 40);
        const auto cols = static_cast<std::uint16_t>(1 + rng() % 40);
        const auto gray = RandomPicture(rng, rows, cols);
        MeshSettings s = DefaultSettings(static_cast<std::int32_t>(rng() % 3),
                                         static_cast<std::int32_t>(1 + rng() % 8));
        s.DiskFormat = static_cast<std::int32_t>(1 + rng() % 6);
        s.BlackHoles = static_cast<std::int32_t>(rng() % 2);
        s.MapAlt = parameters[rng() % 5];
        s.ModelScale = parameters[rng() % 5];
        s.RadOff = parameters[rng() % 5];
        s.CylLen = std::max(1.0f, parameters[rng() % 5]);
        const Written memory = FromMemory(rows, cols, gray, s);
        // A small buffer makes records cross its end at other places than the plug-in's.
        const Written stream =
            Streamed(rows, cols, gray, s, rng() % 2 ? 1025 + rng() % 3000 : 262144);
        ASSERT_EQ(memory.outcome, stream.outcome) << "trial " << trial;
        ASSERT_EQ(memory.bytes, stream.bytes)
            << "trial " << trial << ": " << rows << " x " << cols << ", type " << s.Meshtype
            << ", format " << s.DiskFormat << ", MeshRes " << s.MeshRes;
        compared += memory.outcome == ExportOutcome::Written;
    }
    EXPECT_GT(compared, 300);
}

TEST(StreamExport, EqualsThePluginsFileForAPictureOfManyBuffers) {
    std::mt19937 rng(7);
    const auto gray = RandomPicture(rng, 180, 230);
    for (std::int32_t type : {kRectangular, kCylindrical, kSpherical})
        for (std::int32_t format : {kNxmDxf, kFaceDxf, kCob}) {
            MeshSettings s = DefaultSettings(type);
            s.DiskFormat = format;
            s.BlackHoles = 1;
            const Written memory = FromMemory(180, 230, gray, s);
            ASSERT_EQ(memory.outcome, ExportOutcome::Written);
            EXPECT_GT(memory.bytes.size(), 262144u * 2);
            EXPECT_EQ(memory.bytes, Streamed(180, 230, gray, s, 262144).bytes)
                << type << " " << format;
            EXPECT_EQ(memory.bytes, Streamed(180, 230, gray, s, 5000, Writing::kTwoThreads).bytes)
                << type << " " << format;
        }
}

TEST(StreamExport, AWriteThatFailsWhileTwoThreadsWriteFailsTheExport) {
    std::mt19937 rng(11);
    const auto gray = RandomPicture(rng, 100, 100);
    for (std::int32_t format : {kNxmDxf, kFaceDxf, kPolylineDxf})
        for (std::size_t failAt : {1u, 2u, 5u}) {
            MeshSettings s = DefaultSettings(kRectangular, format == kPolylineDxf ? 4 : 1);
            s.DiskFormat = format;
            const Written failed = Streamed(100, 100, gray, s, 2000, Writing::kTwoThreads, failAt);
            EXPECT_EQ(failed.outcome, ExportOutcome::WriteFailed) << format << " " << failAt;
            EXPECT_TRUE(failed.bytes.empty()) << "the incomplete file was not discarded";
        }
}

std::vector<std::uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(StreamExport, TheToolWritesTheKeptGoldenFiles) {
    TempFolder dir;
    WriteGrayBmp(dir.File("golden.bmp"), kGoldenCols, kGoldenRows, GoldenPicture());
    for (const GoldenCase& golden : kGoldenCases) {
        const std::string ini = dir.File("case.ini");
        std::ofstream(ini, std::ios::binary) << golden.ini;
        const std::string output = dir.File(golden.file);
        const std::string format(
            1, std::string(golden.ini).at(std::string(golden.ini).find("DiskFormat=") + 11));
        const auto run =
            RunTool({dir.File("golden.bmp"), "--ini", ini, "--format", format, "-o", output, "-q"});
        ASSERT_EQ(run.exitCode, 0) << golden.file << ": " << run.err;
        const auto expected =
            FileBytes(std::string(QM_SOURCE_DIR) + "/tests/data/export/" + golden.file);
        ASSERT_FALSE(expected.empty()) << golden.file;
        EXPECT_EQ(FileBytes(output), expected) << golden.file;
    }
}

TEST(StreamExport, EveryThreadCountWritesTheSameFile) {
    TempFolder dir;
    WriteGrayBmp(dir.File("in.bmp"), 150, 100, GrayPattern(150, 100));
    std::vector<std::uint8_t> first;
    // 3D faces are the text two threads share: many blocks of it.
    for (const char* threads : {"1", "2", "5"}) {
        const std::string output = dir.File(std::string("t") + threads + ".dxf");
        ASSERT_EQ(RunTool({dir.File("in.bmp"), "-o", output, "--format", "3dface-dxf", "--threads",
                           threads, "-q"})
                      .exitCode,
                  0);
        const auto bytes = FileBytes(output);
        EXPECT_GT(bytes.size(), 2'000'000u); // some ten blocks
        if (first.empty())
            first = bytes;
        EXPECT_EQ(bytes, first) << threads << " threads";
    }
    for (const char* bad : {"0", "65", "two"}) {
        const auto refused =
            RunTool({dir.File("in.bmp"), "-o", dir.File("bad.dxf"), "--threads", bad});
        EXPECT_EQ(refused.exitCode, 1) << bad;
        EXPECT_FALSE(std::filesystem::exists(dir.File("bad.dxf"))) << bad;
    }
}

TEST(StreamExport, TheProgressBarRunsFromNothingToTheEnd) {
    TempFolder dir;
    std::mt19937 rng(3);
    const auto gray = RandomPicture(rng, 120, 90);
    for (std::int32_t format : {kNxmDxf, kPolylineDxf, kCob}) {
        MeshSettings s = DefaultSettings(kRectangular, format == kPolylineDxf ? 4 : 1);
        s.DiskFormat = format;
        s.imagePixels = gray.data();
        s.imageRowBytes = 90;
        s.imageRows = 120;
        s.imageCols = 90;
        StreamMeshSource source(s);
        std::ostringstream bar;
        ASSERT_EQ(ExportFile(dir.File("bar.mesh"), s, source, bar, true, nullptr, 1), std::nullopt);
        const std::string shown = bar.str();
        EXPECT_NE(shown.find(" 0%"), std::string::npos) << format;
        EXPECT_LT(shown.find(" 0%"), shown.find(" 50%")) << format;
        EXPECT_LT(shown.find(" 50%"), shown.find("100%")) << format;
    }
}

} // namespace
