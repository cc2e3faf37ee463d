// The portable INI file against the behaviour of the platform's profile functions.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "plugin/run/IniFile.h"
#include "tests/support/TempFolder.h"

namespace {

TEST(ParseProfileInt, ReadsSignsBlanksAndHex) {
    EXPECT_EQ(ParseProfileInt("30"), 30u);
    EXPECT_EQ(ParseProfileInt("  +7"), 7u);
    EXPECT_EQ(ParseProfileInt("-1"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseProfileInt("-30"), static_cast<std::uint32_t>(-30));
    EXPECT_EQ(ParseProfileInt("0x1F"), 31u);
    EXPECT_EQ(ParseProfileInt("0X10"), 0u); // only a lower-case prefix counts
    EXPECT_EQ(ParseProfileInt("12abc"), 12u);
    EXPECT_EQ(ParseProfileInt("abc"), 0u);
    EXPECT_EQ(ParseProfileInt("--5"), 0u);
    EXPECT_EQ(ParseProfileInt("4294967296"), 0u); // wraps modulo 2^32
    EXPECT_EQ(ParseProfileInt("70000"), 70000u);
}

TEST(IniFile, FindsKeysOnlyInTheirSectionWhateverTheCase) {
    const IniFile ini("[Other]\nMapAlt=1\n[quorvmesh]\n mapalt = 25 \nMAPALT=99\n");
    EXPECT_EQ(ini.GetInt("QUORVMESH", "MapAlt", 250), 25u); // the first of repeated keys
    EXPECT_EQ(ini.GetInt("Other", "MAPALT", 250), 1u);
    EXPECT_EQ(ini.GetInt("QUORVMESH", "Xrot", 30), 30u);
    EXPECT_EQ(ini.GetInt("Missing", "MapAlt", -1), 0xFFFFFFFFu);
}

TEST(IniFile, EmptyValueGivesTheFallbackAndQuotesAreDropped) {
    const IniFile ini("[QUORVMESH]\nMeshtype=\nMeshRes=\"4\"\n;Xrot=5\nno equals sign\n");
    EXPECT_EQ(ini.GetInt("QUORVMESH", "Meshtype", 7), 7u);
    EXPECT_EQ(ini.GetInt("QUORVMESH", "MeshRes", 1), 4u);
    EXPECT_EQ(ini.GetInt("QUORVMESH", "Xrot", 30), 30u);
    EXPECT_EQ(ini.GetString("QUORVMESH", "MeshRes"), "4");
    EXPECT_FALSE(ini.GetString("QUORVMESH", "Zrot").has_value());
}

TEST(IniFile, OnlyTheFirstSectionOfANameCounts) {
    IniFile ini("[QUORVMESH]\nXrot=5\n[Other]\n[quorvmesh]\nMapAlt=25\nXrot=9\n");
    EXPECT_EQ(ini.GetInt("QUORVMESH", "Xrot", 30), 5u);
    EXPECT_EQ(ini.GetInt("QUORVMESH", "MapAlt", 250), 250u);
    ini.WriteString("QUORVMESH", "MapAlt", "30");
    EXPECT_EQ(ini.Text(),
              "[QUORVMESH]\nXrot=5\nMapAlt=30\n[Other]\n[quorvmesh]\nMapAlt=25\nXrot=9\n");
}

TEST(IniFile, ReadsOddLinesAsTheProfileFunctionsDo) {
    // No "]": not a header, the keys stay in the section before it.
    EXPECT_EQ(IniFile("[QUORVMESH\nXrot=5\n").GetInt("QUORVMESH", "Xrot", 30), 30u);
    EXPECT_EQ(IniFile("[QUORVMESH]\n[Broken\nXrot=5\n").GetInt("QUORVMESH", "Xrot", 30), 5u);
    // The name runs to the last "]", trimmed.
    EXPECT_EQ(IniFile("[ QuorvMesh ] ; note\nXrot=5\n").GetInt("QUORVMESH", "Xrot", 30), 5u);
    EXPECT_EQ(IniFile("[A]B]\nXrot=5\n").GetInt("A]B", "Xrot", 30), 5u);
    // A key without "=" has an empty value and hides the same key further down.
    EXPECT_EQ(IniFile("[QUORVMESH]\nXrot\nXrot=5\n").GetInt("QUORVMESH", "Xrot", 30), 30u);
    // Keys before any header belong to no named section.
    EXPECT_EQ(IniFile("Xrot=5\n[QUORVMESH]\n").GetInt("QUORVMESH", "Xrot", 30), 30u);
}

TEST(IniFile, WritesReplaceInPlaceAndKeepEveryOtherLine) {
    IniFile ini("; mine\n[A]\nx=1\n\n[QuorvMesh]\nMapAlt=250\nXrot=30\n\n[B]\ny=2\n");
    ASSERT_TRUE(ini.WriteString("QUORVMESH", "mapalt", "25"));
    ASSERT_TRUE(ini.WriteString("QUORVMESH", "Orient", "-1"));
    EXPECT_EQ(ini.Text(),
              "; mine\n[A]\nx=1\n\n[QuorvMesh]\nmapalt=25\nXrot=30\nOrient=-1\n\n[B]\ny=2\n");
}

TEST(IniFile, NewFileGetsTheSectionAndWindowsLineEnds) {
    IniFile ini;
    ini.WriteString("QUORVMESH", "Meshtype", "2");
    ini.WriteString("QUORVMESH", "MeshRes", "3");
    EXPECT_EQ(ini.Text(), "[QUORVMESH]\r\nMeshtype=2\r\nMeshRes=3\r\n");
    const IniFile reread(ini.Text());
    EXPECT_EQ(reread.GetInt("QUORVMESH", "MeshRes", 1), 3u);
    EXPECT_EQ(reread.Text(), ini.Text());
}

class IniFileOnDisk : public ::testing::Test {
  protected:
    TempFolder folder_;
};

TEST_F(IniFileOnDisk, SavesAndLoadsTheSameText) {
    IniFile ini;
    ini.WriteString("QUORVMESH", "Xrot", "330");
    const std::string path = folder_.File("qmesh.ini");
    ASSERT_TRUE(SaveIniFile(ini, path));
    const auto loaded = LoadIniFile(path);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(loaded->GetInt("QUORVMESH", "Xrot", 30), 330u);
}

TEST_F(IniFileOnDisk, MissingFileAndUnwritablePathAreReported) {
    EXPECT_FALSE(LoadIniFile(folder_.File("absent.ini")).has_value());
    EXPECT_FALSE(
        SaveIniFile(IniFile(), (folder_.Path() / "no-such-folder" / "qmesh.ini").string()));
    EXPECT_FALSE(SaveIniFile(IniFile("[A]\nx=1\n"), "/dev/full"));
}

} // namespace
