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

TEST(SettingsRules, SwitchesAreOnOrOffAndToolsFallBackToTheirDefaults) {
    for (const SettingsSource source : kSources) {
        MeshSettings s = WithChoices(2, 6, 8);
        s.BlackHoles = 5, s.DoPerspective = -3, s.DoLongitude = 2, s.DoLatitude = 0;
        s.Tooltype = 7, s.Shadetype = -1;
        CheckSettings(s, source);
        EXPECT_EQ(s.BlackHoles, 1);
        EXPECT_EQ(s.DoPerspective, 1);
        EXPECT_EQ(s.DoLongitude, 1);
        EXPECT_EQ(s.DoLatitude, 0);
        EXPECT_EQ(s.Tooltype, 1);
        EXPECT_EQ(s.Shadetype, 0);
        for (std::int32_t tool = 0; tool <= 2; ++tool) {
            s.Tooltype = tool, s.Shadetype = tool;
            CheckSettings(s, source);
            EXPECT_EQ(s.Tooltype, tool);
            EXPECT_EQ(s.Shadetype, tool);
        }
    }
}

// A number that is not finite takes the INI file's default; a finite length outside the
// edit boxes' limits is clamped to them. nan used to pass every range check and reach
// every vertex of the file.
TEST(SettingsRules, LengthsAndAnglesAreFiniteAndWithinTheDialogsLimits) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const float defaultTilt = static_cast<float>(30 / 57.29578);
    for (const SettingsSource source : kSources) {
        MeshSettings s = WithChoices(0, 1, 1);
        s.MapAlt = nan, s.RadOff = inf, s.ModelScale = -inf, s.CylLen = -nan;
        s.Xrot = nan, s.Yrot = -inf, s.Zrot = inf;
        CheckSettings(s, source);
        EXPECT_EQ(s.MapAlt, 25.0f);
        EXPECT_EQ(s.RadOff, 20.0f);
        EXPECT_EQ(s.ModelScale, 1.0f);
        EXPECT_EQ(s.CylLen, 100.0f);
        EXPECT_EQ(s.Xrot, defaultTilt);
        EXPECT_EQ(s.Yrot, defaultTilt);
        EXPECT_EQ(s.Zrot, 0.0f);

        s.MapAlt = 0.0f, s.RadOff = 1e9f, s.ModelScale = -2.0f, s.CylLen = 0.5f;
        s.Xrot = 100.0f, s.Yrot = -7.0f, s.Zrot = 1e30f; // any finite angle is an angle
        CheckSettings(s, source);
        EXPECT_EQ(s.MapAlt, 0.1f);
        EXPECT_EQ(s.RadOff, 500.0f);
        EXPECT_EQ(s.ModelScale, 0.1f);
        EXPECT_EQ(s.CylLen, 1.0f);
        EXPECT_EQ(s.Xrot, 100.0f);
        EXPECT_EQ(s.Yrot, -7.0f);
        EXPECT_EQ(s.Zrot, 1e30f);

        // The limits themselves are kept.
        s.MapAlt = 0.1f, s.RadOff = 500.0f, s.ModelScale = 12.5f, s.CylLen = 1.0f;
        CheckSettings(s, source);
        EXPECT_EQ(s.MapAlt, 0.1f);
        EXPECT_EQ(s.RadOff, 500.0f);
        EXPECT_EQ(s.ModelScale, 12.5f);
        EXPECT_EQ(s.CylLen, 1.0f);
    }
}

TEST(SettingsRules, AViewThatCannotBeDrawnIsPlacedAfresh) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const auto checked = [](float centerX, float centerY, float zoom) {
        MeshSettings s = WithChoices(0, 1, 1);
        s.viewCenterX = centerX, s.viewCenterY = centerY, s.viewZoom = zoom;
        CheckSettings(s, SettingsSource::SettingsFile);
        return s;
    };
    EXPECT_EQ(checked(nan, 3.0f, 1.0f).viewCenterX, kViewNotPlaced);
    EXPECT_EQ(checked(3.0f, -INFINITY, 1.0f).viewCenterX, kViewNotPlaced);
    const MeshSettings noZoom = checked(3.0f, 4.0f, nan);
    EXPECT_EQ(noZoom.viewCenterX, kViewNotPlaced);
    EXPECT_EQ(noZoom.viewCenterY, 4.0f);
    EXPECT_EQ(noZoom.viewZoom, 0.0f); // as a fresh run has it, and never saved as nan
    EXPECT_EQ(checked(3.0f, nan, 1.0f).viewCenterY, 0.0f);
    EXPECT_EQ(checked(3.0f, 4.0f, 0.0f).viewCenterX, kViewNotPlaced);
    const MeshSettings kept = checked(3.0f, 4.0f, 2.5f);
    EXPECT_EQ(kept.viewCenterX, 3.0f);
    EXPECT_EQ(kept.viewCenterY, 4.0f);
    EXPECT_EQ(kept.viewZoom, 2.5f);
}

TEST(SettingsRules, GeometryFieldsAreLeftAlone) {
    MeshSettings s = WithChoices(2, 6, 8);
    s.imageRows = 12, s.meshCols = 5, s.polygonCount = 77, s.maxX = -3.0f;
    CheckSettings(s, SettingsSource::SettingsFile);
    EXPECT_EQ(s.imageRows, 12);
    EXPECT_EQ(s.meshCols, 5);
    EXPECT_EQ(s.polygonCount, 77u);
    EXPECT_EQ(s.maxX, -3.0f);
}

// What start hands on to finish, which writes it back to the INI file.
TEST(SettingsRules, RememberedValuesAndOrientFollowTheSameRules) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    RememberedSettings r{nan, 1e9f, 0.0f, -5.0f, nan, 1.0f, nan, 9, 3};
    std::int16_t orient = 7;
    CheckRememberedSettings(r, orient);
    EXPECT_EQ(r.MapAlt, 25.0f);
    EXPECT_EQ(r.ModelScale, 500.0f);
    EXPECT_EQ(r.RadOff, 0.1f);
    EXPECT_EQ(r.CylLen, 1.0f);
    EXPECT_EQ(r.Xrot, static_cast<float>(30 / 57.29578));
    EXPECT_EQ(r.Yrot, 1.0f);
    EXPECT_EQ(r.Zrot, 0.0f);
    EXPECT_EQ(r.Tooltype, 1);
    EXPECT_EQ(r.Shadetype, 0);
    EXPECT_EQ(orient, -1);
    for (std::int16_t listed = -1; listed <= 6; ++listed) {
        orient = listed;
        CheckRememberedSettings(r, orient);
        EXPECT_EQ(orient, listed);
    }
    orient = -2;
    CheckRememberedSettings(r, orient);
    EXPECT_EQ(orient, -1);
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
