#include <gtest/gtest.h>

#include "tests/plugin/preview/PreviewFakes.h"
#include "tests/plugin/preview/HandBuiltMesh.h"
#include "plugin/preview/PaintCanvas.h"
#include "plugin/preview/Statistics.h"

namespace {

MeshSettings Box(float minX, float maxX) {
    MeshSettings s{};
    s.minX = minX, s.maxX = maxX;
    s.minY = -1.5f, s.maxY = 0.0f;
    s.minZ = 0.004f, s.maxZ = 12345.678f;
    return s;
}

TEST(ShowStatistics, CountThenRangesRightAlignedInNineCharacters) {
    MeshSettings s = Box(-50.0f, 50.0f);
    s.polygonCount = 30000;
    const auto lines = FormatStatistics(s);
    EXPECT_EQ(lines[0], "Polygons:  30000");
    EXPECT_EQ(lines[1], "X Range:    -50.00     50.00");
    EXPECT_EQ(lines[2], "Y Range:     -1.50      0.00");
    EXPECT_EQ(lines[3], "Z Range:      0.00  12345.68");
}

TEST(ShowStatistics, NoPolygonsShowDots) {
    EXPECT_EQ(FormatStatistics(Box(0, 1))[0], "Polygons:  ....");
}

TEST(ShowStatistics, ExtremeBoxesAreShownWhole) {
    const auto lines = FormatStatistics(Box(-3e38f, 1e12f));
    EXPECT_EQ(lines[1].substr(0, 10), "X Range: -");
    EXPECT_NE(lines[1].find(" 999999995904.00"), std::string::npos) << lines[1];
    EXPECT_GT(lines[1].size(), 40u);
}

TEST(ShowStatistics, SetsTheFourLinesInOrder) {
    MeshSettings s = Box(-50.0f, 50.0f);
    s.polygonCount = 6;
    FakeHost host;
    ShowStatistics(host, s);
    EXPECT_EQ(host.lines[0], "Polygons:  6");
    EXPECT_EQ(host.lines[3].substr(0, 8), "Z Range:");
    EXPECT_EQ(host.statisticsUpdates, 4);
}

TEST(PaintCanvas, ShowsStatisticsAroundTheRendererOfTheStyle) {
    for (const std::int32_t shadetype : {0, 1, 2}) {
        HandBuiltMesh mesh(3, 4);
        mesh.MakeFlat(1.0f);
        mesh.PlaceView(10.0f, 20.0f, 20.0f);
        mesh.settings.Shadetype = shadetype;
        FakeHost host;
        RecordingSurface surface;
        PreviewCache cache;
        PaintCanvas(host, surface, mesh.settings, mesh.buffers, cache);
        EXPECT_EQ(host.progress.front(), std::make_pair(0u, 100u));
        EXPECT_EQ(host.statisticsUpdates, 8);
        EXPECT_EQ(host.lines[0], "Polygons:  6"); // the count after drawing
        EXPECT_EQ(surface.fills.size(), shadetype == 0 ? 0u : 6u);
        EXPECT_EQ(surface.polylines.size(), shadetype == 0 ? 7u : 0u);
        EXPECT_EQ(cache.wireTransformed, shadetype == 0);
        EXPECT_EQ(cache.shadeTransformed, shadetype != 0);
    }
}

} // namespace
