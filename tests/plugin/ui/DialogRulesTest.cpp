// The rules between the dialog's controls: the format and black holes, the style and the
// line switches, the lists' stored values.

#include <gtest/gtest.h>

#include "plugin/preview/ViewPresets.h"
#include "plugin/ui/DialogRules.h"

namespace {

TEST(DialogRules, NxmDxfClearsAndDisablesBlackHoles) {
    MeshSettings s{};
    s.DiskFormat = kLwo;
    s.BlackHoles = 1;
    EXPECT_TRUE(BlackHolesEnabled(s));
    const FormatChoice nxm = ChooseFormat(s, 0);
    EXPECT_TRUE(nxm.accepted);
    EXPECT_TRUE(nxm.blackHolesCleared);
    EXPECT_EQ(s.DiskFormat, kNxmDxf);
    EXPECT_EQ(s.BlackHoles, 0);
    EXPECT_FALSE(BlackHolesEnabled(s));
    // Choosing it again has nothing left to clear.
    EXPECT_FALSE(ChooseFormat(s, 0).blackHolesCleared);
    EXPECT_TRUE(ChooseFormat(s, 3).accepted);
    EXPECT_EQ(s.DiskFormat, kTds);
    EXPECT_TRUE(BlackHolesEnabled(s));
}

TEST(DialogRules, FormatRuleMendsAFileThatTicksBlackHolesForNxm) {
    MeshSettings s{};
    s.DiskFormat = kNxmDxf;
    s.BlackHoles = 1;
    EXPECT_TRUE(ApplyFormatRule(s));
    EXPECT_EQ(s.BlackHoles, 0);
    s.DiskFormat = kCob;
    s.BlackHoles = 1;
    EXPECT_FALSE(ApplyFormatRule(s));
    EXPECT_EQ(s.BlackHoles, 1);
}

TEST(DialogRules, SelectionsOutsideTheListsChangeNothing) {
    MeshSettings s{};
    s.DiskFormat = kCob, s.MeshRes = 4, s.Xrot = 0.25f, s.Yrot = 0.5f, s.Zrot = 0.75f;
    for (const int index : {-1, 6, 100})
        EXPECT_FALSE(ChooseFormat(s, index).accepted);
    EXPECT_FALSE(ChooseViewPreset(s, -1));
    EXPECT_FALSE(ChooseViewPreset(s, 7));
    EXPECT_FALSE(ChooseResolution(s, -1));
    EXPECT_FALSE(ChooseResolution(s, 8));
    EXPECT_EQ(s.DiskFormat, kCob);
    EXPECT_EQ(s.MeshRes, 4);
    EXPECT_EQ(s.Xrot, 0.25f);
    EXPECT_TRUE(ChooseResolution(s, 7));
    EXPECT_EQ(s.MeshRes, 8);
}

TEST(DialogRules, BackTurnsHalfRoundAndKeepsTheZoom) {
    MeshSettings s{};
    s.viewZoom = 3.5f, s.viewCenterX = 10.0f, s.Zrot = 1.0f;
    EXPECT_TRUE(ChooseViewPreset(s, 2));
    EXPECT_EQ(s.Xrot, 0.0f);
    EXPECT_EQ(s.Yrot, 3.1415927f);
    EXPECT_EQ(s.Zrot, 0.0f);
    EXPECT_EQ(s.viewZoom, 3.5f);
    EXPECT_EQ(s.viewCenterX, 10.0f);
    EXPECT_TRUE(ChooseViewPreset(s, 0));
    EXPECT_EQ(s.Xrot, kViewPresets[0].xrot);
}

TEST(DialogRules, LineSwitchesOnlyForWireframe) {
    MeshSettings s{};
    for (const int style : {0, 1, 2}) {
        s.Shadetype = style;
        EXPECT_EQ(LineSwitchesEnabled(s), style == 0);
    }
}

} // namespace
