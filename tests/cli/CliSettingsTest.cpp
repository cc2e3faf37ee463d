// Numbers on their way into the tool: options that are not finite numbers are refused,
// settings and INI files are mended to the dialog's limits, an output's extension must name
// a format, and a repeated option counts once, the last time.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>

#include "plugin/run/IniFile.h"
#include "plugin/run/Parameters.h"
#include "plugin/run/SettingsFile.h"
#include "tests/cli/CliTestSupport.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

using namespace clitest;

namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::string Text(const std::vector<std::uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

class CliNumbers : public ::testing::Test {
  protected:
    void SetUp() override { WriteGrayBmp(dir.File("in.bmp"), 23, 17, GrayPattern(23, 17)); }

    // Runs the tool on in.bmp into out, quietly; the written file's bytes.
    std::vector<std::uint8_t> Mesh(const std::string& out, std::vector<std::string> extra = {}) {
        std::vector<std::string> args = {dir.File("in.bmp"), "-o", dir.File(out), "-q"};
        args.insert(args.end(), extra.begin(), extra.end());
        const RunResult r = RunTool(args);
        EXPECT_EQ(r.exitCode, 0) << out << ": " << r.err;
        return ReadBytes(dir.File(out));
    }

    void WriteText(const std::string& name, const std::string& text) {
        WriteBytes(dir.File(name), std::vector<std::uint8_t>(text.begin(), text.end()));
    }

    static SettingsRecord FirstRunRecord() {
        MeshSettings settings{};
        RememberedSettings remembered{};
        std::int16_t orient = 0;
        LoadParameters(IniFile(), settings, remembered, orient);
        return SettingsRecordOf(settings);
    }

    void WriteRecord(const std::string& name, const SettingsRecord& record) {
        const auto bytes = EncodeSettings(record);
        WriteBytes(dir.File(name), std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    }

    TempFolder dir;
};

TEST_F(CliNumbers, OptionsThatAreNotFiniteNumbersAreRefused) {
    for (const char* option : {"--map-altitude", "--radial-offset", "--scale", "--cyl-length"}) {
        for (const char* value :
             {"nan", "NaN", "-nan", "inf", "-inf", "infinity", "abc", "1x", "", "0x10"}) {
            const RunResult r =
                RunTool({dir.File("in.bmp"), "-o", dir.File("a.dxf"), option, value});
            EXPECT_EQ(r.exitCode, 1) << option << " " << value;
            EXPECT_TRUE(Contains(r.err, "not a number")) << option << " " << value << ": " << r.err;
            EXPECT_TRUE(Contains(r.err, option)) << r.err;
        }
        // A number, but far outside the limits.
        const RunResult huge =
            RunTool({dir.File("in.bmp"), "-o", dir.File("a.dxf"), option, "1e99"});
        EXPECT_EQ(huge.exitCode, 1);
        EXPECT_TRUE(Contains(huge.err, "not within")) << huge.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("a.dxf")));
    // Written numbers still read as before.
    EXPECT_EQ(Mesh("plus.dxf", {"--scale", "+2.5"}), Mesh("plain.dxf", {"--scale", "2.5"}));
    EXPECT_EQ(Mesh("exp.dxf", {"--scale", "25e-1"}), Mesh("plain.dxf", {"--scale", "2.5"}));
}

// nan, inf and huge values from a settings file used to reach every vertex of the file and
// were saved again by --save-settings.
TEST_F(CliNumbers, SettingsFileValuesAreMendedBeforeTheyReachTheMesh) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    SettingsRecord record = FirstRunRecord();
    record.MapAlt = nan, record.ModelScale = inf, record.RadOff = -inf, record.CylLen = nan;
    record.Xrot = nan, record.Yrot = inf, record.Zrot = nan, record.viewZoom = nan;
    WriteRecord("nan.stg", record);
    const auto mended = Mesh(
        "nan.dxf", {"--settings", dir.File("nan.stg"), "--save-settings", dir.File("out.stg")});
    EXPECT_FALSE(Contains(Text(mended), "nan"));
    EXPECT_EQ(mended, Mesh("plain.dxf"));
    SettingsRecord saved{};
    ASSERT_EQ(LoadSettingsFile(dir.File("out.stg"), saved), SettingsStatus::Ok);
    for (const float value : {saved.MapAlt, saved.ModelScale, saved.RadOff, saved.CylLen,
                              saved.Xrot, saved.Yrot, saved.Zrot, saved.viewZoom})
        EXPECT_TRUE(std::isfinite(value)) << value;

    // Finite lengths outside the limits are clamped to them.
    record = FirstRunRecord();
    record.ModelScale = 1e9f, record.MapAlt = -3.0f;
    WriteRecord("huge.stg", record);
    EXPECT_EQ(Mesh("huge.3ds", {"--settings", dir.File("huge.stg")}),
              Mesh("limits.3ds", {"--scale", "500", "--map-altitude", "0.1"}));
}

// The INI file keeps lengths in tenths as unsigned integers: ModelScale=99999 scaled the
// model by 9999.9, MapAlt=-1 raised it by 429 million.
TEST_F(CliNumbers, IniLengthsAreHeldToTheDialogsLimits) {
    WriteText("huge.ini", "[QUORVMESH]\nModelScale=99999\nMapAlt=-1\nCylLen=0\nMeshtype=1\n");
    EXPECT_EQ(Mesh("ini.cob", {"--ini", dir.File("huge.ini")}),
              Mesh("limits.cob", {"--scale", "500", "--map-altitude", "500", "--cyl-length", "1",
                                  "--mesh", "cylindrical"}));
    WriteText("odd.ini", "[QUORVMESH]\nBlackHoles=5\nDoPerspective=9\n");
    EXPECT_EQ(Mesh("odd.3ds", {"--ini", dir.File("odd.ini")}),
              Mesh("holes.3ds", {"--black-holes"}));
}

TEST_F(CliNumbers, AnOutputExtensionMustNameAFormat) {
    for (const char* name : {"x.gltf", "x.off", "x.fbx", "x", "x.dxf.tmp"}) {
        const RunResult r = RunTool({dir.File("in.bmp"), "-o", dir.File(name)});
        EXPECT_EQ(r.exitCode, 1) << name;
        EXPECT_TRUE(Contains(r.err, name)) << r.err;
        for (const char* listed : {".dxf", ".3ds", ".cob", ".lwo", "nxm-dxf", "polyline-dxf"})
            EXPECT_TRUE(Contains(r.err, listed)) << r.err;
        EXPECT_TRUE(r.out.empty());
        EXPECT_FALSE(std::filesystem::exists(dir.File(name))) << name;
    }
    // --format names it instead, silently; a preview alone needs no mesh file.
    const RunResult named =
        RunTool({dir.File("in.bmp"), "-o", dir.File("y.mesh"), "--format", "lwo", "-q"});
    EXPECT_EQ(named.exitCode, 0);
    EXPECT_TRUE(named.err.empty()) << named.err;
    EXPECT_EQ(ReadBytes(dir.File("y.mesh")), Mesh("y.lwo"));
    EXPECT_EQ(RunTool({dir.File("in.bmp"), "--preview", dir.File("p.png")}).exitCode, 0);
}

TEST_F(CliNumbers, AFormatThatDiffersFromTheExtensionIsWrittenWithAWarning) {
    const RunResult r =
        RunTool({dir.File("in.bmp"), "-o", dir.File("z.dxf"), "--format", "3ds", "-q"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(Contains(r.err, "warning")) << r.err;
    EXPECT_TRUE(Contains(r.err, "z.dxf")) << r.err;
    EXPECT_EQ(ReadBytes(dir.File("z.dxf")), Mesh("z.3ds"));
    // Every DXF flavour belongs to .dxf.
    for (const char* dxf : {"nxm-dxf", "3dface-dxf", "polyline-dxf", "2"}) {
        const RunResult quiet =
            RunTool({dir.File("in.bmp"), "-o", dir.File("d.dxf"), "--format", dxf, "-q"});
        EXPECT_EQ(quiet.exitCode, 0);
        EXPECT_TRUE(quiet.err.empty()) << dxf << ": " << quiet.err;
    }
}

TEST_F(CliNumbers, ARepeatedOptionCountsTheLastTime) {
    EXPECT_EQ(Mesh("twice.dxf", {"--scale", "2", "--scale", "3"}),
              Mesh("once.dxf", {"--scale", "3"}));
    EXPECT_EQ(Mesh("m.3ds", {"--mesh", "spherical", "--mesh", "cylindrical"}),
              Mesh("c.3ds", {"--mesh", "cylindrical"}));
    EXPECT_EQ(Mesh("on-off.3ds", {"--black-holes", "--no-black-holes"}), Mesh("solid.3ds"));
    EXPECT_EQ(Mesh("off-on.3ds", {"--no-black-holes", "--black-holes"}),
              Mesh("holes.3ds", {"--black-holes"}));
    EXPECT_NE(Mesh("solid.3ds"), Mesh("holes.3ds", {"--black-holes"}));
    EXPECT_EQ(Mesh("r.dxf", {"--resolution", "50", "--resolution", "100"}), Mesh("full.dxf"));
    const RunResult output = RunTool(
        {dir.File("in.bmp"), "-o", dir.File("first.dxf"), "-o", dir.File("second.dxf"), "-q"});
    EXPECT_EQ(output.exitCode, 0) << output.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("first.dxf")));
    EXPECT_TRUE(std::filesystem::exists(dir.File("second.dxf")));
}

TEST(CliHelp, ShowsDefaultsExitCodesAndChoicesInTheDialogsOrder) {
    const RunResult help = RunTool({"--help"});
    ASSERT_EQ(help.exitCode, 0);
    const std::string& out = help.out;
    for (const char* part :
         {"default 25", "default 20", "default 1\n", "default 100\n", "default rectangular",
          "default 100", "Exit codes", "0 done", "1 usage error", "3 the mesh does not fit",
          "4 an output", "required unless --preview", "100, 75, 66, 50, 33, 25, 20 or 10",
          "nxm-dxf, 3dface-dxf, polyline-dxf, 3ds, cob, lwo",
          "rectangular, cylindrical or spherical", "the last one counts",
          "wireframe, outlined or shaded", "default 800x800"})
        EXPECT_TRUE(Contains(out, part)) << part << "\n" << out;
    // Nothing of the parser's own notation.
    for (const char* artefact : {"{false}", "FLOAT", "in [", "TEXT:{", "{outlined"})
        EXPECT_FALSE(Contains(out, artefact)) << artefact << "\n" << out;
}

} // namespace
