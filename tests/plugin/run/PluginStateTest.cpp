// What the dialog hands on between runs.

#include <gtest/gtest.h>

#include "plugin/run/PluginState.h"

namespace {

TEST(PluginState, ClosedDialogRemembersEveryCarriedValue) {
    MeshSettings s{};
    s.Xrot = 1, s.Yrot = 2, s.Zrot = 3, s.Tooltype = 2, s.Shadetype = 1;
    s.MapAlt = 4, s.ModelScale = 5, s.RadOff = 6, s.CylLen = 7;
    RememberedSettings r{};
    RememberSettings(s, r);
    EXPECT_EQ(r.Xrot, 1);
    EXPECT_EQ(r.Yrot, 2);
    EXPECT_EQ(r.Zrot, 3);
    EXPECT_EQ(r.MapAlt, 4);
    EXPECT_EQ(r.ModelScale, 5);
    EXPECT_EQ(r.RadOff, 6);
    EXPECT_EQ(r.CylLen, 7);

    MeshSettings next{};
    ApplyRememberedTools(r, next);
    EXPECT_EQ(next.Tooltype, 2);
    EXPECT_EQ(next.Shadetype, 1);
    EXPECT_EQ(next.MapAlt, 0); // lengths come from the INI file at start, not from here
}

} // namespace
