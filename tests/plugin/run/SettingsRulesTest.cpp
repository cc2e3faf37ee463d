// The checks every value passes on its way in: the numbered choices fall back to their
// defaults whatever the source, and each source keeps its own extra rules.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "plugin/run/SettingsRules.h"

namespace {

constexpr SettingsSource kSources[] = {SettingsSource::IniFile, SettingsSource::SettingsFile,
                                       SettingsSource::CommandLine};

MeshSettings WithChoices(std::int32_t meshtype, std::int32_t diskFormat, std::int32_t meshRes) {
    MeshSettings s{};
    s.Meshtype = meshtype, s.DiskFormat = diskFormat, s.MeshRes = meshRes;
    s.DoLatitude = 1, s.DoLongitude = 1;
    return s;
}

TEST(SettingsRules, ChoicesOutsideTheirListsFallBackToTheDefault) {
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    for (const SettingsSource source : kSources) {
        for (const std::int32_t bad : {kMin, -1, 9, kMax}) {
            MeshSettings s = WithChoices(bad, bad, bad);
            CheckSettings(s, source);
            EXPECT_EQ(s.Meshtype, kRectangular) << bad;
            EXPECT_EQ(s.DiskFormat, kNxmDxf) << bad;
            EXPECT_EQ(s.MeshRes, 1) << bad;
        }
        MeshSettings justOutside = WithChoices(3, 0, 0);
        CheckSettings(justOutside, source);
        EXPECT_EQ(justOutside.Meshtype, kRectangular);
        EXPECT_EQ(justOutside.DiskFormat, kNxmDxf);
        EXPECT_EQ(justOutside.MeshRes, 1);
        MeshSettings pastTheFormats = WithChoices(0, 7, 1);
        CheckSettings(pastTheFormats, source);
        EXPECT_EQ(pastTheFormats.DiskFormat, kNxmDxf);
    }
}

TEST(SettingsRules, EveryListedChoiceIsKept) {
    for (const SettingsSource source : kSources) {
        for (std::int32_t meshtype = 0; meshtype <= 2; ++meshtype) {
            for (std::int32_t format = 1; format <= 6; ++format) {
                for (std::int32_t res = 1; res <= 8; ++res) {
                    MeshSettings s = WithChoices(meshtype, format, res);
                    CheckSettings(s, source);
                    ASSERT_EQ(s.Meshtype, meshtype);
                    ASSERT_EQ(s.DiskFormat, format);
                    ASSERT_EQ(s.MeshRes, res);
                }
            }
        }
    }
}

// Sampling and points used to make an unknown mesh type Rectangular themselves; now the
// check does it before they run, and the grid's row length follows.
TEST(SettingsRules, UnknownMeshTypeIsMadeRectangular) {
    MeshSettings s = WithChoices(7, kNxmDxf, 1);
    s.meshCols = 3;
    CheckSettings(s, SettingsSource::SettingsFile);
    EXPECT_EQ(s.Meshtype, kRectangular);
    EXPECT_EQ(PointsPerRow(s), 3u);
}

TEST(SettingsRules, OnlyStartTurnsLatitudeOnWhenNoLinesAreLeft) {
    for (const SettingsSource source : kSources) {
        MeshSettings none = WithChoices(0, 1, 1);
        none.DoLatitude = 0, none.DoLongitude = 0;
        CheckSettings(none, source);
        EXPECT_EQ(none.DoLatitude, source == SettingsSource::IniFile ? 1 : 0);
        EXPECT_EQ(none.DoLongitude, 0);

        MeshSettings one = WithChoices(0, 1, 1);
        one.DoLatitude = 0, one.DoLongitude = 1;
        CheckSettings(one, source);
        EXPECT_EQ(one.DoLatitude, 0);
    }
}

TEST(SettingsRules, EverythingElseIsTakenAsItComes) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (const SettingsSource source : kSources) {
        MeshSettings s = WithChoices(2, 6, 8);
        s.BlackHoles = 5, s.DoPerspective = -3, s.Tooltype = 7, s.Shadetype = -1;
        s.MapAlt = 0.0f, s.RadOff = 1e9f, s.ModelScale = -2.0f, s.CylLen = nan;
        s.Xrot = 100.0f, s.viewZoom = 0.0f, s.viewCenterX = kViewNotPlaced;
        s.imageRows = 12, s.meshCols = 5, s.polygonCount = 77;
        CheckSettings(s, source);
        EXPECT_EQ(s.BlackHoles, 5);
        EXPECT_EQ(s.DoPerspective, -3);
        EXPECT_EQ(s.Tooltype, 7);
        EXPECT_EQ(s.Shadetype, -1);
        EXPECT_EQ(s.MapAlt, 0.0f);
        EXPECT_EQ(s.RadOff, 1e9f);
        EXPECT_EQ(s.ModelScale, -2.0f);
        EXPECT_TRUE(std::isnan(s.CylLen));
        EXPECT_EQ(s.Xrot, 100.0f);
        EXPECT_EQ(s.viewZoom, 0.0f);
        EXPECT_EQ(s.viewCenterX, kViewNotPlaced);
        EXPECT_EQ(s.imageRows, 12);
        EXPECT_EQ(s.meshCols, 5);
        EXPECT_EQ(s.polygonCount, 77u);
    }
}

// What sampling, points and export rely on: whatever comes in, the choices they switch on
// or index by lie within their lists, and checking twice changes nothing.
TEST(SettingsRules, AnyValuesLeaveChoicesTheCoreCanUse) {
    std::mt19937 random(2024);
    for (int i = 0; i < 20000; ++i) {
        const auto any = [&] {
            // Mostly near the lists, sometimes anywhere.
            return i % 4 == 0 ? static_cast<std::int32_t>(random())
                              : static_cast<std::int32_t>(random() % 14) - 3;
        };
        MeshSettings s = WithChoices(any(), any(), any());
        s.DoLatitude = any(), s.DoLongitude = any();
        const SettingsSource source = kSources[i % 3];
        CheckSettings(s, source);
        ASSERT_GE(s.Meshtype, kRectangular);
        ASSERT_LE(s.Meshtype, kSpherical);
        ASSERT_GE(s.DiskFormat, kNxmDxf);
        ASSERT_LE(s.DiskFormat, kLwo);
        ASSERT_GE(s.MeshRes, 1);
        ASSERT_LE(s.MeshRes, 8);
        const MeshSettings once = s;
        CheckSettings(s, source);
        ASSERT_EQ(s.Meshtype, once.Meshtype);
        ASSERT_EQ(s.DiskFormat, once.DiskFormat);
        ASSERT_EQ(s.MeshRes, once.MeshRes);
        ASSERT_EQ(s.DoLatitude, once.DoLatitude);
    }
}

} // namespace
