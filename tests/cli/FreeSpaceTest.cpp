// The output weighed against its file system's free space before it is begun: a file that
// cannot fit is refused with both figures, and whatever the path held stays as it was. The
// free space is the test's own figure: no disk is filled.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/cli/CliTestSupport.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"
#include "toolbase/FreeSpace.h"

using namespace clitest;

namespace {

TEST(FreeSpace, ARefusalNamesBothFigures) {
    const auto has = [](std::uint64_t bytes) {
        return [bytes](const std::string&) { return std::optional<std::uint64_t>(bytes); };
    };
    EXPECT_FALSE(CheckFreeSpace("out.stl", 1000, has(1000)));
    EXPECT_FALSE(CheckFreeSpace("out.stl", 1000,
                                [](const std::string&) { return std::optional<std::uint64_t>(); }));
    const auto refusal = CheckFreeSpace("out.stl", 43086123456, has(12345678901));
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->exitCode, 4);
    EXPECT_EQ(refusal->message,
              "quorvmesh: out.stl: not enough free space: the file may need up to 43.1 GB "
              "(43086123456 bytes), and its file system has 12.3 GB (12345678901 bytes) free");
    EXPECT_EQ(CheckFreeSpace("out.stl", 1001, has(999))->message,
              "quorvmesh: out.stl: not enough free space: the file may need up to 1.0 kB (1001 "
              "bytes), and its file system has 999 bytes free");
}

TEST(FreeSpace, IsLearntForFilesAndNotForDevices) {
    TempFolder dir;
    const auto free = FileSystemFreeBytes(dir.File("new.stl"));
    ASSERT_TRUE(free);
    EXPECT_GT(*free, 0u);
    EXPECT_FALSE(FileSystemFreeBytes("/dev/null")); // written in place, never filled
}

// Every format, classic and triangle: with room to spare the file is written; with one byte
// less free than it took, it is refused, the old file kept and nothing left beside it.
TEST(FreeSpace, AFileThatCannotFitIsRefusedAndTheOldOneKept) {
    TempFolder dir;
    const std::string picture = dir.File("in.bmp");
    WriteGrayBmp(picture, 23, 17, GrayPattern(23, 17));
    for (const auto& [name, extra] :
         std::vector<std::pair<std::string, std::string>>{{"nxm.dxf", ""},
                                                          {"faces.dxf", "--format=3dface-dxf"},
                                                          {"poly.dxf", "--format=polyline-dxf"},
                                                          {"m.3ds", ""},
                                                          {"m.cob", ""},
                                                          {"m.lwo", ""},
                                                          {"m.stl", ""},
                                                          {"text.stl", "--ascii"},
                                                          {"m.obj", ""},
                                                          {"m.ply", ""},
                                                          {"m.3mf", ""},
                                                          {"solid.stl", "--solid"}}) {
        SCOPED_TRACE(name);
        const std::string out = dir.File(name);
        std::vector<std::string> args = {picture, "-o", out, "--quiet"};
        if (!extra.empty())
            args.push_back(extra);
        std::string asked;
        const auto plenty = [&](const std::string& path) {
            asked = path;
            return std::optional<std::uint64_t>(std::uint64_t{1} << 40);
        };
        ASSERT_EQ(RunTool(args, plenty).exitCode, 0);
        EXPECT_EQ(asked, out);
        const std::uint64_t size = std::filesystem::file_size(out);

        WriteBytes(out, {'o', 'l', 'd'});
        const auto tight = [size](const std::string&) {
            return std::optional<std::uint64_t>(size - 1);
        };
        const RunResult refused = RunTool(args, tight);
        EXPECT_EQ(refused.exitCode, 4);
        EXPECT_EQ(refused.err.rfind("quorvmesh: " + out +
                                        ": not enough free space: the file may "
                                        "need up to ",
                                    0),
                  0u)
            << refused.err;
        EXPECT_NE(refused.err.find(std::to_string(size - 1) + " bytes) free\n"), std::string::npos)
            << refused.err;
        EXPECT_EQ(ReadBytes(out), std::vector<std::uint8_t>({'o', 'l', 'd'}));
    }
    // Nothing but the picture and the old files.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 13);
}

} // namespace
