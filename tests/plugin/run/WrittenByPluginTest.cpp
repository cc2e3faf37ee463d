// data/written-by-plugin.ini is the qmesh.ini that the plug-in wrote under Wine in the last
// case of tests/win32/PluginRunTest.cpp (which checks that it still writes exactly these
// bytes; it leaves its file as qmesh-written.ini in its build folder).

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "plugin/run/IniFile.h"
#include "plugin/run/Parameters.h"
#include "plugin/run/PolygonLimit.h"

namespace {

std::string WrittenText() {
    std::ifstream in(std::string(QM_SOURCE_DIR) + "/tests/plugin/run/data/written-by-plugin.ini",
                     std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(WrittenByPlugin, PortableReaderLoadsWhatThePluginWrote) {
    const std::string text = WrittenText();
    ASSERT_FALSE(text.empty());
    const IniFile ini(text);
    MeshSettings s{};
    RememberedSettings r{};
    std::int16_t orient = 0;
    LoadParameters(ini, s, r, orient);
    EXPECT_EQ(s.Meshtype, kRectangular);
    EXPECT_EQ(s.DoLatitude, 1);
    EXPECT_EQ(s.DoLongitude, 0);
    EXPECT_EQ(s.DiskFormat, kLwo);
    EXPECT_EQ(s.MeshRes, 1);
    EXPECT_EQ(s.MapAlt, 2.5f);
    EXPECT_EQ(s.ModelScale, 0.5f);
    EXPECT_EQ(s.RadOff, 20.0f);
    EXPECT_EQ(s.CylLen, 100.0f);
    EXPECT_EQ(s.Xrot, DegreesToRadians(4));
    EXPECT_EQ(orient, -1);
    EXPECT_EQ(r.Tooltype, 2);
    EXPECT_EQ(ReadPolygonLimit(ini), 0);
}

TEST(WrittenByPlugin, PortableWriterKeepsThePluginsFileByteForByte) {
    const std::string text = WrittenText();
    IniFile ini(text);
    MeshSettings s{};
    RememberedSettings r{};
    std::int16_t orient = 0;
    LoadParameters(ini, s, r, orient);
    ASSERT_TRUE(SaveParameters(ini, s, r, orient));
    EXPECT_EQ(ini.Text(), text);
}

} // namespace
