// The quorvmesh tool end to end: every format from BMP and TIFF pictures, parameters from
// options, INI and settings files, and the exit code and one-line message of each failure.
#include <gtest/gtest.h>

#include <filesystem>

#include "plugin/run/IniFile.h"
#include "plugin/run/Parameters.h"
#include "plugin/run/SettingsFile.h"
#include "tests/cli/CliTestSupport.h"
#include "tests/support/TiffBuilder.h"

using namespace clitest;

namespace {

const char* const kExtensions[] = {".dxf", ".3ds", ".cob", ".lwo"};

int Lines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

class PictureFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto gray = GrayPattern(23, 17);
        WriteGrayBmp(dir.File("in.bmp"), 23, 17, gray);
        WriteGrayTiff(dir.File("in.tif"), 23, 17, gray, false);
        WriteGrayTiff(dir.File("in-mm.tif"), 23, 17, gray, true);
    }
    TempFolder dir;
};

TEST_F(PictureFiles, BmpAndTiffGiveIdenticalMeshesInEveryFormat) {
    for (const std::string format : {"1", "2", "3", "4", "5", "6"}) {
        std::vector<std::vector<std::uint8_t>> meshes;
        for (const std::string input : {"in.bmp", "in.tif", "in-mm.tif"}) {
            const std::string out = dir.File(input + "." + format + ".mesh");
            const auto r = RunTool({dir.File(input), "-o", out, "--format", format, "-q"});
            ASSERT_EQ(r.exitCode, 0) << r.err;
            EXPECT_TRUE(r.err.empty()) << r.err;
            EXPECT_TRUE(r.out.empty());
            meshes.push_back(ReadBytes(out));
        }
        ASSERT_GT(meshes[0].size(), 100u) << "format " << format;
        EXPECT_EQ(meshes[0], meshes[1]) << "format " << format;
        EXPECT_EQ(meshes[0], meshes[2]) << "format " << format;
    }
}

TEST_F(PictureFiles, FormatFollowsTheExtensionUnlessGiven) {
    for (const char* ext : kExtensions) {
        const std::string upper = std::string(ext) == ".3ds" ? ".3DS" : ext;
        ASSERT_EQ(
            RunTool({dir.File("in.bmp"), "-o", dir.File(std::string("a") + upper), "-q"}).exitCode,
            0);
    }
    ASSERT_EQ(
        RunTool({dir.File("in.bmp"), "-o", dir.File("b.3ds"), "--format", "3ds", "-q"}).exitCode,
        0);
    ASSERT_EQ(
        RunTool({dir.File("in.bmp"), "-o", dir.File("b.cob"), "--format", "5", "-q"}).exitCode, 0);
    ASSERT_EQ(
        RunTool({dir.File("in.bmp"), "-o", dir.File("b.lwo"), "--format", "LWO", "-q"}).exitCode,
        0);
    ASSERT_EQ(RunTool({dir.File("in.bmp"), "-o", dir.File("b.dxf"), "--format", "nxm-dxf", "-q"})
                  .exitCode,
              0);
    EXPECT_EQ(ReadBytes(dir.File("a.3DS")), ReadBytes(dir.File("b.3ds")));
    EXPECT_EQ(ReadBytes(dir.File("a.cob")), ReadBytes(dir.File("b.cob")));
    EXPECT_EQ(ReadBytes(dir.File("a.lwo")), ReadBytes(dir.File("b.lwo")));
    EXPECT_EQ(ReadBytes(dir.File("a.dxf")), ReadBytes(dir.File("b.dxf")));
    ASSERT_EQ(
        RunTool({dir.File("in.bmp"), "-o", dir.File("c.dxf"), "--format", "polyline-dxf", "-q"})
            .exitCode,
        0);
    EXPECT_NE(ReadBytes(dir.File("a.dxf")), ReadBytes(dir.File("c.dxf")));
    // An extension the tool does not know needs --format.
    ASSERT_EQ(
        RunTool({dir.File("in.bmp"), "-o", dir.File("d.mesh"), "--format", "1", "-q"}).exitCode, 0);
    EXPECT_EQ(ReadBytes(dir.File("a.dxf")), ReadBytes(dir.File("d.mesh")));
}

TEST_F(PictureFiles, StatisticsUnlessQuiet) {
    const auto r = RunTool({dir.File("in.bmp"), "-o", dir.File("a.dxf")});
    ASSERT_EQ(r.exitCode, 0);
    ASSERT_EQ(Lines(r.out), 6);
    EXPECT_EQ(r.out.rfind("Polygons:  352\n", 0), 0u) << r.out; // 22 x 16 cells
    EXPECT_NE(r.out.find("X Range: "), std::string::npos);
    EXPECT_NE(r.out.find("Z Range: "), std::string::npos);
    EXPECT_TRUE(r.err.empty()); // not a terminal: no progress bar
}

TEST_F(PictureFiles, InvertEqualsAnInvertedPicture) {
    auto gray = GrayPattern(23, 17);
    for (auto& v : gray)
        v = static_cast<std::uint8_t>(255 - v);
    WriteGrayBmp(dir.File("inverted.bmp"), 23, 17, gray);
    ASSERT_EQ(RunTool({dir.File("in.bmp"), "--invert", "-o", dir.File("a.lwo"), "-q"}).exitCode, 0);
    ASSERT_EQ(RunTool({dir.File("inverted.bmp"), "-o", dir.File("b.lwo"), "-q"}).exitCode, 0);
    EXPECT_EQ(ReadBytes(dir.File("a.lwo")), ReadBytes(dir.File("b.lwo")));
}

TEST_F(PictureFiles, OptionsWinOverTheIniFileAndSettingsFilesRoundTrip) {
    WriteBytes(dir.File("q.ini"), {'[', 'Q', 'U', 'O', 'R', 'V', 'M', 'E', 'S', 'H', ']',  '\n',
                                   'M', 'a', 'p', 'A', 'l', 't', '=', '5', '0', '0', '\n', 'M',
                                   'e', 's', 'h', 't', 'y', 'p', 'e', '=', '1', '\n'});
    const std::vector<std::string> explicitArgs = {dir.File("in.bmp"), "--map-altitude", "50",
                                                   "--mesh",           "cylindrical",    "-q"};
    auto args = explicitArgs;
    args.insert(args.end(), {"-o", dir.File("explicit.cob"), "--save-settings", dir.File("s.stg")});
    ASSERT_EQ(RunTool(args).exitCode, 0);
    ASSERT_EQ(
        RunTool({dir.File("in.bmp"), "--ini", dir.File("q.ini"), "-o", dir.File("ini.cob"), "-q"})
            .exitCode,
        0);
    ASSERT_EQ(RunTool({dir.File("in.bmp"), "--settings", dir.File("s.stg"), "-o",
                       dir.File("stg.cob"), "-q"})
                  .exitCode,
              0);
    ASSERT_EQ(RunTool({dir.File("in.bmp"), "--ini", dir.File("q.ini"), "--map-altitude", "25", "-o",
                       dir.File("mixed.cob"), "-q"})
                  .exitCode,
              0);
    ASSERT_EQ(
        RunTool({dir.File("in.bmp"), "--mesh", "cylindrical", "-o", dir.File("plain.cob"), "-q"})
            .exitCode,
        0);
    EXPECT_EQ(ReadBytes(dir.File("explicit.cob")), ReadBytes(dir.File("ini.cob")));
    EXPECT_EQ(ReadBytes(dir.File("explicit.cob")), ReadBytes(dir.File("stg.cob")));
    EXPECT_EQ(ReadBytes(dir.File("mixed.cob")),
              ReadBytes(dir.File("plain.cob"))); // 25 is the default
    EXPECT_EQ(ReadBytes(dir.File("s.stg")).size(), 84u);
}

// The values of a first run (no INI file), as the plug-in's settings-file record.
SettingsRecord FirstRunRecord() {
    MeshSettings settings{};
    RememberedSettings remembered{};
    std::int16_t orient = 0;
    LoadParameters(IniFile(), settings, remembered, orient);
    return SettingsRecordOf(settings);
}

void WriteRecord(const std::string& path, const SettingsRecord& record) {
    const auto bytes = EncodeSettings(record);
    WriteBytes(path, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

TEST_F(PictureFiles, SettingsFilesAreReadAndWrittenAsThePluginDoes) {
    SettingsRecord record = FirstRunRecord();
    record.Meshtype = kSpherical, record.MeshRes = 4, record.DiskFormat = kCob;
    record.DoLatitude = 0, record.DoLongitude = 0;
    record.MapAlt = 12.5f, record.Xrot = 0.25f, record.viewCenterX = 3.0f, record.viewZoom = 2.0f;
    record.Tooltype = 2, record.Shadetype = 1;
    WriteRecord(dir.File("in.stg"), record);
    ASSERT_EQ(RunTool({dir.File("in.bmp"), "--settings", dir.File("in.stg"), "--save-settings",
                       dir.File("out.stg"), "-o", dir.File("a.cob"), "-q"})
                  .exitCode,
              0);
    EXPECT_EQ(ReadBytes(dir.File("out.stg")), ReadBytes(dir.File("in.stg")));
    ASSERT_EQ(RunTool({dir.File("in.bmp"), "--mesh", "spherical", "--resolution", "50",
                       "--map-altitude", "12.5", "-o", dir.File("b.cob"), "-q"})
                  .exitCode,
              0);
    EXPECT_EQ(ReadBytes(dir.File("a.cob")), ReadBytes(dir.File("b.cob")));
}

TEST_F(PictureFiles, SettingsFileChoicesOutsideTheirListsCountAsTheDefaults) {
    SettingsRecord record = FirstRunRecord();
    record.Meshtype = 7, record.DiskFormat = 0, record.MeshRes = 9;
    WriteRecord(dir.File("odd.stg"), record);
    const auto odd =
        RunTool({dir.File("in.bmp"), "--settings", dir.File("odd.stg"), "-o", dir.File("a.dxf")});
    ASSERT_EQ(odd.exitCode, 0) << odd.err;
    const auto plain = RunTool({dir.File("in.bmp"), "-o", dir.File("b.dxf")});
    ASSERT_EQ(plain.exitCode, 0);
    EXPECT_EQ(odd.out, plain.out);
    EXPECT_EQ(ReadBytes(dir.File("a.dxf")), ReadBytes(dir.File("b.dxf")));
}

TEST_F(PictureFiles, BlackHolesAndResolutionChangeTheMesh) {
    ASSERT_EQ(RunTool({dir.File("in.bmp"), "-o", dir.File("a.dxf"), "-q"}).exitCode, 0);
    ASSERT_EQ(
        RunTool({dir.File("in.bmp"), "-o", dir.File("b.dxf"), "--resolution", "50", "-q"}).exitCode,
        0);
    EXPECT_LT(ReadBytes(dir.File("b.dxf")).size(), ReadBytes(dir.File("a.dxf")).size());
    const auto holes = RunTool({dir.File("in.bmp"), "-o", dir.File("c.3ds"), "--black-holes"});
    const auto solid = RunTool({dir.File("in.bmp"), "-o", dir.File("d.3ds"), "--no-black-holes"});
    ASSERT_EQ(holes.exitCode, 0);
    ASSERT_EQ(solid.exitCode, 0);
    EXPECT_NE(ReadBytes(dir.File("c.3ds")), ReadBytes(dir.File("d.3ds")));
}

// BlackHoles from the INI file or a settings file holds unless a flag says otherwise.
TEST_F(PictureFiles, BlackHolesFromTheIniFileHoldWithoutAFlag) {
    const auto ini = [](char value) {
        const std::string text = std::string("[QUORVMESH]\nBlackHoles=") + value + "\n";
        return std::vector<std::uint8_t>(text.begin(), text.end());
    };
    WriteBytes(dir.File("holes.ini"), ini('1'));
    WriteBytes(dir.File("solid.ini"), ini('0'));
    const auto run = [&](const std::string& iniFile, const std::string& out,
                         std::vector<std::string> extra = {}) {
        std::vector<std::string> args = {dir.File("in.bmp"), "--ini", dir.File(iniFile), "-o",
                                         dir.File(out),      "-q"};
        args.insert(args.end(), extra.begin(), extra.end());
        ASSERT_EQ(RunTool(args).exitCode, 0) << out;
    };
    run("holes.ini", "ini-holes.3ds");
    run("solid.ini", "ini-solid.3ds");
    run("solid.ini", "flag-holes.3ds", {"--black-holes"});
    run("holes.ini", "flag-solid.3ds", {"--no-black-holes", "--save-settings", dir.File("s.stg")});
    run("holes.ini", "stg-solid.3ds", {"--settings", dir.File("s.stg")});
    EXPECT_NE(ReadBytes(dir.File("ini-holes.3ds")), ReadBytes(dir.File("ini-solid.3ds")));
    EXPECT_EQ(ReadBytes(dir.File("ini-holes.3ds")), ReadBytes(dir.File("flag-holes.3ds")));
    EXPECT_EQ(ReadBytes(dir.File("ini-solid.3ds")), ReadBytes(dir.File("flag-solid.3ds")));
    EXPECT_EQ(ReadBytes(dir.File("ini-solid.3ds")), ReadBytes(dir.File("stg-solid.3ds")));
}

TEST_F(PictureFiles, PreviewIsDrawnBeforeTheExportChangesThePoints) {
    const auto both = RunTool(
        {dir.File("in.bmp"), "-o", dir.File("a.dxf"), "--preview", dir.File("both.png"), "-q"});
    ASSERT_EQ(both.exitCode, 0) << both.err;
    ASSERT_EQ(RunTool({dir.File("in.bmp"), "--preview", dir.File("alone.png"), "-q"}).exitCode, 0);
    EXPECT_EQ(ReadBytes(dir.File("both.png")), ReadBytes(dir.File("alone.png")));
    EXPECT_GT(ReadBytes(dir.File("a.dxf")).size(), 0u);
}

TEST(StartupPicture, IsTheDefaultInput) {
    TempFolder dir;
    const auto r = RunTool({"-o", dir.File("logo.lwo")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("Polygons:  24633\n", 0), 0u) << r.out; // 207 x 119 cells
}

struct Failure {
    const char* name;
    int exitCode;
    const char* messagePart;
};

TEST(Failures, ExitCodesAndOneLineMessages) {
    TempFolder dir;
    const auto gray = GrayPattern(260, 260);
    WriteGrayBmp(dir.File("big.bmp"), 260, 260, gray);
    WriteBytes(dir.File("text.bmp"), {'h', 'e', 'l', 'l', 'o'});
    readertest::TiffBuilder lzw;
    lzw.Short(256, 4);
    lzw.Short(257, 4);
    lzw.Short(258, 8);
    lzw.Short(259, 5);
    WriteBytes(dir.File("lzw.tif"), lzw.Build());
    WriteBytes(dir.File("bad.stg"), {'N', 'O', 'P', 'E'});
    WriteBytes(dir.File("v131.stg"), {'Q', 'M', 'S', 'T', 131, 0});
    WriteBytes(dir.File("short.stg"), {'Q', 'M', 'S', 'T', 132, 0, 0, 0});
    const std::string missing = dir.File("missing.bmp");
    const std::string unwritable = dir.File("no-such-folder/out.dxf");
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string mustContain;
    } cases[] = {
        {{missing, "-o", dir.File("a.dxf")}, 2, missing + ": No such file or directory"},
        {{dir.File("text.bmp"), "-o", dir.File("a.dxf")},
         2,
         "text.bmp: Not a recognizable file type"},
        {{dir.Path().string(), "-o", dir.File("a.dxf")}, 2, "is a folder, not a picture"},
        {{dir.File("lzw.tif"), "-o", dir.File("a.dxf")},
         2,
         "lzw.tif: the TIFF file is damaged or truncated"},
        {{"--settings", dir.File("bad.stg"), "-o", dir.File("a.dxf")},
         2,
         "bad.stg: Invalid settings file."},
        {{"--settings", dir.File("v131.stg"), "-o", dir.File("a.dxf")},
         2,
         "v131.stg: Invalid settings version"},
        {{"--settings", dir.File("short.stg"), "-o", dir.File("a.dxf")},
         2,
         "short.stg: Invalid settings file."},
        {{"--settings", dir.File("missing.stg"), "-o", dir.File("a.dxf")},
         2,
         "missing.stg: cannot be read"},
        {{"--ini", dir.File("missing.ini"), "-o", dir.File("a.dxf")},
         2,
         "missing.ini: cannot be read"},
        {{dir.File("big.bmp"), "-o", dir.File("big.3ds")},
         3,
         "big.3ds: the mesh is too large for 3DS: 3DS holds at most 65535 vertices"},
        {{"-o", unwritable}, 4, unwritable + ": Problem Creating File!"},
        {{"-o", dir.File("a.dxf"), "--save-settings", dir.File("no-such-folder/s.stg")},
         4,
         "s.stg: cannot be written"},
        {{"-o", dir.File("a.dxf"), "--save-settings", "/dev/full"},
         4,
         "/dev/full: cannot be written"},
        {{"--preview", dir.File("no-such-folder/p.png")}, 4, "p.png"},
        {{}, 1, "an output file is needed"},
        {{"-o", dir.File("a.dxf"), "--resolution", "5"}, 1, "--resolution"},
        {{"-o", dir.File("a.dxf"), "--map-altitude", "0"}, 1, "--map-altitude"},
        {{"-o", dir.File("a.dxf"), "--format", "gltf"}, 1, "--format"},
        {{"-o", dir.File("a.dxf"), "extra", "words"}, 1, "quorvmesh: "},
    };
    for (const auto& c : cases) {
        const auto r = RunTool(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.mustContain << "\n" << r.err;
        EXPECT_NE(r.err.find(c.mustContain), std::string::npos) << r.err;
        EXPECT_EQ(r.err.rfind("quorvmesh: ", 0), 0u) << r.err;
        if (c.exitCode != 1) {
            EXPECT_EQ(Lines(r.err), 1) << r.err;
        }
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("big.3ds")));
}

TEST(Failures, HelpAndVersionExitZero) {
    const auto help = RunTool({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("--map-altitude"), std::string::npos);
    EXPECT_NE(help.out.find("--preview"), std::string::npos);
    const auto version = RunTool({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.rfind("quorvmesh ", 0), 0u);
}

} // namespace

namespace {

// The same colour picture written by ImageMagick as a 24-bit BMP and as a PackBits TIFF in
// both byte orders: converted to gray, each gives the same mesh in every format.
TEST(EncoderPictures, TrueColorBmpAndTiffGiveIdenticalMeshes) {
    const std::string convert = "/usr/bin/convert";
    if (!readertest::ToolExists(convert))
        GTEST_SKIP() << "ImageMagick missing";
    TempFolder dir;
    const std::string source = dir.File("source.ppm");
    ASSERT_EQ(
        readertest::RunCommand(convert + " -seed 5 -size 31x19 plasma:fractal -depth 8 " + source),
        0);
    ASSERT_EQ(readertest::RunCommand(convert + " " + source +
                                     " -type TrueColor BMP3:" + dir.File("c.bmp")),
              0);
    ASSERT_EQ(readertest::RunCommand(convert + " " + source +
                                     " -type TrueColor -depth 8 -compress RLE " +
                                     dir.File("c.tif")),
              0);
    ASSERT_EQ(readertest::RunCommand(convert + " " + source +
                                     " -type TrueColor -depth 8 -define tiff:endian=msb " +
                                     dir.File("c-mm.tif")),
              0);
    for (const std::string format : {"1", "2", "3", "4", "5", "6"}) {
        std::vector<std::vector<std::uint8_t>> meshes;
        for (const std::string input : {"c.bmp", "c.tif", "c-mm.tif"}) {
            const std::string out = dir.File(input + format);
            const auto r = RunTool({dir.File(input), "-o", out, "--format", format, "-q"});
            ASSERT_EQ(r.exitCode, 0) << r.err;
            meshes.push_back(ReadBytes(out));
        }
        EXPECT_EQ(meshes[0], meshes[1]) << "format " << format;
        EXPECT_EQ(meshes[0], meshes[2]) << "format " << format;
    }
}

} // namespace
