// Loading and saving the parameters through an INI text: defaults, clamps, conversions.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <random>

#include "plugin/run/IniFile.h"
#include "plugin/run/Parameters.h"

namespace {

struct Loaded {
    MeshSettings settings{};
    RememberedSettings remembered{};
    std::int16_t orient = 99;
};

Loaded Load(std::string_view iniText) {
    Loaded out;
    LoadParameters(IniFile(iniText), out.settings, out.remembered, out.orient);
    return out;
}

std::string Saved(const Loaded& in, std::string_view key) {
    IniFile ini;
    EXPECT_TRUE(SaveParameters(ini, in.settings, in.remembered, in.orient));
    return ini.GetString(kProfileSection, key).value_or("<missing>");
}

// Reads one key of the plug-in's section and writes everything back: what the next run sees.
std::string RoundTrip(std::string_view key, std::string_view value) {
    return Saved(Load("[QUORVMESH]\n" + std::string(key) + "=" + std::string(value) + "\n"), key);
}

TEST(LoadParameters, FirstRunWithoutAFileGivesTheDefaults) {
    const Loaded run = Load("");
    const MeshSettings& s = run.settings;
    EXPECT_EQ(s.Meshtype, kRectangular);
    EXPECT_EQ(s.MeshRes, 1);
    EXPECT_EQ(s.DoLatitude, 1);
    EXPECT_EQ(s.DoLongitude, 1);
    EXPECT_EQ(s.DoPerspective, 1);
    EXPECT_EQ(s.BlackHoles, 0);
    EXPECT_EQ(s.DiskFormat, kNxmDxf);
    EXPECT_EQ(s.MapAlt, 25.0f);
    EXPECT_EQ(s.RadOff, 20.0f);
    EXPECT_EQ(s.ModelScale, 1.0f);
    EXPECT_EQ(s.CylLen, 100.0f);
    EXPECT_FLOAT_EQ(s.Xrot, static_cast<float>(30 / 57.29578));
    EXPECT_FLOAT_EQ(s.Yrot, static_cast<float>(30 / 57.29578));
    EXPECT_EQ(s.Zrot, 0.0f);
    EXPECT_EQ(s.viewCenterX, kViewNotPlaced);
    EXPECT_EQ(run.remembered.Shadetype, 0);
    EXPECT_EQ(run.remembered.Tooltype, 1);
    EXPECT_EQ(run.remembered.MapAlt, s.MapAlt);
    EXPECT_EQ(run.remembered.Yrot, s.Yrot);
    EXPECT_EQ(run.orient, 0);
}

TEST(LoadParameters, OutOfRangeChoicesFallBackToTheirDefaults) {
    EXPECT_EQ(Load("[QUORVMESH]\nMeshtype=3\n").settings.Meshtype, 0);
    EXPECT_EQ(Load("[QUORVMESH]\nMeshtype=-1\n").settings.Meshtype, 0);
    EXPECT_EQ(Load("[QUORVMESH]\nMeshtype=2\n").settings.Meshtype, 2);
    EXPECT_EQ(Load("[QUORVMESH]\nMeshRes=9\n").settings.MeshRes, 1);
    EXPECT_EQ(Load("[QUORVMESH]\nMeshRes=0\n").settings.MeshRes, 1);
    EXPECT_EQ(Load("[QUORVMESH]\nMeshRes=8\n").settings.MeshRes, 8);
    EXPECT_EQ(Load("[QUORVMESH]\nDiskFormat=7\n").settings.DiskFormat, 1);
    EXPECT_EQ(Load("[QUORVMESH]\nDiskFormat=0\n").settings.DiskFormat, 1);
    EXPECT_EQ(Load("[QUORVMESH]\nDiskFormat=6\n").settings.DiskFormat, 6);
    // The tools and the view too, which start hands on to finish; a switch is on or off.
    EXPECT_EQ(Load("[QUORVMESH]\nBlackHoles=5\n").settings.BlackHoles, 1);
    EXPECT_EQ(Load("[QUORVMESH]\nDoPerspective=-2\n").settings.DoPerspective, 1);
    EXPECT_EQ(Load("[QUORVMESH]\nTooltype=7\n").remembered.Tooltype, 1);
    EXPECT_EQ(Load("[QUORVMESH]\nTooltype=2\n").remembered.Tooltype, 2);
    EXPECT_EQ(Load("[QUORVMESH]\nShadetype=-1\n").remembered.Shadetype, 0);
    EXPECT_EQ(Load("[QUORVMESH]\nOrient=7\n").orient, -1);
    EXPECT_EQ(Load("[QUORVMESH]\nOrient=6\n").orient, 6);
}

// Lengths are kept in tenths (CylLen whole) and read as unsigned numbers: ModelScale=99999
// used to scale the model by 9999.9 and -1 to give 429496729.5. Start holds them to the
// dialog's limits, and finish writes the mended values back.
TEST(LoadParameters, LengthsAreClampedToTheDialogsLimits) {
    const Loaded huge =
        Load("[QUORVMESH]\nModelScale=99999\nMapAlt=-1\nRadOff=0\nCylLen=4294967295\n");
    EXPECT_EQ(huge.settings.ModelScale, 500.0f);
    EXPECT_EQ(huge.settings.MapAlt, 500.0f);
    EXPECT_EQ(huge.settings.RadOff, 0.1f);
    EXPECT_EQ(huge.settings.CylLen, 500.0f);
    EXPECT_EQ(huge.remembered.ModelScale, 500.0f);
    EXPECT_EQ(huge.remembered.RadOff, 0.1f);
    EXPECT_EQ(Load("[QUORVMESH]\nCylLen=0\n").settings.CylLen, 1.0f);
    EXPECT_EQ(Load("[QUORVMESH]\nMapAlt=5000\n").settings.MapAlt, 500.0f);
    EXPECT_EQ(Load("[QUORVMESH]\nMapAlt=1\n").settings.MapAlt, 0.1f);

    IniFile ini;
    ASSERT_TRUE(SaveParameters(ini, huge.settings, huge.remembered, huge.orient));
    EXPECT_EQ(ini.GetString(kProfileSection, "ModelScale"), "5000");
    EXPECT_EQ(ini.GetString(kProfileSection, "MapAlt"), "5000");
    EXPECT_EQ(ini.GetString(kProfileSection, "RadOff"), "1");
    EXPECT_EQ(ini.GetString(kProfileSection, "CylLen"), "500");
}

TEST(LoadParameters, NoWireframeLinesAtAllTurnsLatitudeOn) {
    const Loaded run = Load("[QUORVMESH]\nDoLatitude=0\nDoLongitude=0\n");
    EXPECT_EQ(run.settings.DoLatitude, 1);
    EXPECT_EQ(run.settings.DoLongitude, 0);
    const Loaded one = Load("[QUORVMESH]\nDoLatitude=0\nDoLongitude=1\n");
    EXPECT_EQ(one.settings.DoLatitude, 0);
}

TEST(LoadParameters, OrientKeepsItsLowSixteenBitsSigned) {
    EXPECT_EQ(Load("[QUORVMESH]\nOrient=-1\n").orient, -1);
    EXPECT_EQ(Load("[QUORVMESH]\nOrient=65539\n").orient, 3);
    EXPECT_EQ(RoundTrip("Orient", "-1"), "-1");
}

TEST(LoadParameters, LeavesTheRunStateAlone) {
    Loaded run;
    run.settings.viewZoom = 3.5f;
    run.settings.imageRows = 12;
    run.settings.polygonCount = 77;
    LoadParameters(IniFile(""), run.settings, run.remembered, run.orient);
    EXPECT_EQ(run.settings.viewZoom, 3.5f);
    EXPECT_EQ(run.settings.imageRows, 12);
    EXPECT_EQ(run.settings.polygonCount, 77u);
}

TEST(ParameterConversions, LengthsAreKeptInTenths) {
    Loaded run = Load("");
    run.remembered.MapAlt = 2.5f;
    EXPECT_EQ(Saved(run, "MapAlt"), "25");
    EXPECT_EQ(Load("[QUORVMESH]\nMapAlt=25\n").settings.MapAlt, 2.5f);
    run.remembered.ModelScale = 0.55f;
    EXPECT_EQ(Saved(run, "ModelScale"), "5");
    EXPECT_EQ(Load("[QUORVMESH]\nModelScale=5\n").settings.ModelScale, 0.5f);
    run.remembered.CylLen = 99.9f;
    EXPECT_EQ(Saved(run, "CylLen"), "99");
    run.remembered.RadOff = 500.0f;
    EXPECT_EQ(Saved(run, "RadOff"), "5000");
}

TEST(ParameterConversions, EveryTenthsValueSurvivesAReadAndAWrite) {
    for (std::uint32_t tenths = 0; tenths <= 5000; ++tenths)
        ASSERT_EQ(LengthToTenths(TenthsToLength(tenths)), static_cast<std::int32_t>(tenths))
            << tenths;
}

TEST(ParameterConversions, DegreesGoThroughTheFactorBothWays) {
    EXPECT_EQ(RoundTrip("Xrot", "30"), "30");
    EXPECT_EQ(RoundTrip("Yrot", "5"), "4"); // 5 / 57.29578 * 57.29578 lands just below 5
    EXPECT_EQ(RoundTrip("Zrot", "0"), "0");
    EXPECT_EQ(RoundTrip("Zrot", "360"), "360");
    EXPECT_EQ(RadiansToDegrees(static_cast<float>(-30 / 57.29578)), 330);
    EXPECT_EQ(RadiansToDegrees(static_cast<float>(2 * 3.14159265358979)), 360);
}

TEST(ParameterConversions, WrittenDegreesAlwaysLieBetweenZeroAnd360) {
    std::mt19937 random(1234);
    std::uniform_real_distribution<float> angle(-1000.0f, 1000.0f);
    for (int i = 0; i < 20000; ++i) {
        const float radians = angle(random);
        const std::int32_t d = RadiansToDegrees(radians);
        ASSERT_GE(d, 0);
        ASSERT_LE(d, 360);
        // Same angle modulo a full turn as the truncated value.
        const auto whole = static_cast<std::int64_t>(static_cast<double>(radians) * 57.29578);
        ASSERT_EQ(((whole - d) % 360 + 360) % 360, 0) << radians;
    }
    EXPECT_EQ(RadiansToDegrees(static_cast<float>(720 / 57.29578 + 1e-4)), 360);
    EXPECT_EQ(RadiansToDegrees(static_cast<float>(-360 / 57.29578 - 1e-4)), 0);
}

TEST(ParameterConversions, HostileFloatsStillGiveDefinedIntegers) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float huge = std::numeric_limits<float>::max();
    EXPECT_EQ(LengthToTenths(nan), 0);
    EXPECT_EQ(LengthToTenths(huge), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(LengthToTenths(-huge), -std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(LengthToWhole(std::numeric_limits<float>::infinity()),
              std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(RadiansToDegrees(nan), 0);
    const std::int32_t d = RadiansToDegrees(-huge);
    EXPECT_GE(d, 0);
    EXPECT_LE(d, 360);
    // The largest value the INI can carry reads as an unsigned number, held to the limit.
    EXPECT_EQ(Load("[QUORVMESH]\nCylLen=-1\n").settings.CylLen, 500.0f);
}

TEST(SaveParameters, WritesTheSeventeenKeysInOrderFromTheirSources) {
    Loaded run = Load("");
    run.settings.Meshtype = 2;
    run.settings.MapAlt = 123.0f; // the remembered value is what is written
    run.remembered.MapAlt = 7.5f;
    run.remembered.Tooltype = 2;
    run.orient = 4;
    IniFile ini;
    ASSERT_TRUE(SaveParameters(ini, run.settings, run.remembered, run.orient));
    EXPECT_EQ(
        ini.Text(),
        "[QUORVMESH]\r\nMeshtype=2\r\nDoLatitude=1\r\nDoLongitude=1\r\nDoPerspective=1\r\n"
        "BlackHoles=0\r\nDiskFormat=1\r\nMeshRes=1\r\nMapAlt=75\r\nRadOff=200\r\nCylLen=100\r\n"
        "ModelScale=10\r\nXrot=30\r\nYrot=30\r\nZrot=0\r\nOrient=4\r\nShadetype=0\r\nTooltype="
        "2\r\n");
}

TEST(SaveParameters, ReadingWhatWasWrittenGivesTheSameFile) {
    std::mt19937 random(99);
    for (int i = 0; i < 500; ++i) {
        std::string text = "[QUORVMESH]\n";
        // Any length within the dialog's limits (tenths, CylLen whole).
        for (const char* key : {"MapAlt", "RadOff", "ModelScale"})
            text += std::string(key) + "=" + std::to_string(1 + random() % 5000) + "\n";
        text += "CylLen=" + std::to_string(1 + random() % 500) + "\n";
        text += "Meshtype=" + std::to_string(random() % 3) +
                "\nMeshRes=" + std::to_string(1 + random() % 8) + "\n";
        const Loaded first = Load(text);
        IniFile once, twice;
        SaveParameters(once, first.settings, first.remembered, first.orient);
        const Loaded second = Load(once.Text());
        SaveParameters(twice, second.settings, second.remembered, second.orient);
        for (const char* key : {"MapAlt", "RadOff", "ModelScale", "CylLen", "Meshtype", "MeshRes"})
            ASSERT_EQ(IniFile(text).GetString(kProfileSection, key),
                      once.GetString(kProfileSection, key))
                << key;
        ASSERT_EQ(once.Text(), twice.Text());
    }
}

class FailingProfile final : public ProfileStore {
  public:
    std::uint32_t GetInt(std::string_view, std::string_view, std::int32_t fallback) const override {
        return static_cast<std::uint32_t>(fallback);
    }
    bool WriteString(std::string_view, std::string_view key, std::string_view) override {
        ++writes;
        return key != "Xrot";
    }
    int writes = 0;
};

TEST(SaveParameters, AFailedKeyIsReportedAndTheOthersAreStillWritten) {
    FailingProfile profile;
    const Loaded run = Load("");
    EXPECT_FALSE(SaveParameters(profile, run.settings, run.remembered, run.orient));
    EXPECT_EQ(profile.writes, 17);
}

} // namespace
