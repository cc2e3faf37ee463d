#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tests/plugin/preview/PreviewFakes.h"
#include "tests/plugin/preview/HandBuiltMesh.h"
#include "plugin/preview/SoftwareSurface.h"
#include "plugin/preview/WireframeRenderer.h"

namespace {

struct WireframeFixture : ::testing::Test {
    // A 3 x 4 grid facing the viewer, 10 pixels a cell, its top-left point at (20, 20).
    WireframeFixture() : mesh(3, 4) {
        mesh.MakeFlat(1.0f);
        mesh.PlaceView(10.0f, 20.0f, 20.0f);
    }

    std::uint32_t Render() {
        return RenderWireframe(host, surface, mesh.settings, mesh.buffers, cache);
    }

    // Whether a line was drawn between the pixels of points a and b, either way round.
    bool HasEdge(std::uint32_t a, std::uint32_t b) const {
        const CanvasPoint pa{mesh.buffers.screenX[a], mesh.buffers.screenY[a]};
        const CanvasPoint pb{mesh.buffers.screenX[b], mesh.buffers.screenY[b]};
        return std::any_of(surface.lines.begin(), surface.lines.end(), [&](const auto& line) {
            return (line.first == pa && line.second == pb) ||
                   (line.first == pb && line.second == pa);
        });
    }

    HandBuiltMesh mesh;
    FakeHost host;
    RecordingSurface surface;
    PreviewCache cache;
};

TEST_F(WireframeFixture, RowsThenColumnsAsPolylines) {
    EXPECT_EQ(Render(), 6u);
    EXPECT_EQ(mesh.settings.polygonCount, 6u);
    ASSERT_EQ(surface.polylines.size(), 3u + 4u);
    for (int row = 0; row < 3; ++row) {
        const auto& line = surface.polylines[row];
        ASSERT_EQ(line.size(), 4u);
        EXPECT_EQ(line.front(), (CanvasPoint{20, 20 + 10 * row}));
        EXPECT_EQ(line.back(), (CanvasPoint{50, 20 + 10 * row}));
    }
    for (int col = 0; col < 4; ++col) {
        const auto& line = surface.polylines[3 + col];
        ASSERT_EQ(line.size(), 3u);
        EXPECT_EQ(line.front(), (CanvasPoint{20 + 10 * col, 20}));
        EXPECT_EQ(line.back(), (CanvasPoint{20 + 10 * col, 40}));
    }
    EXPECT_TRUE(surface.lines.empty());
    EXPECT_EQ(host.statuses, (std::vector<std::string>{"Transforming Points", "Rendering", ""}));
    EXPECT_TRUE(cache.wireTransformed);
}

TEST_F(WireframeFixture, LongitudeOnlyDrawsColumnsAndStillCountsEveryCell) {
    mesh.settings.DoLatitude = 0;
    EXPECT_EQ(Render(), 6u);
    ASSERT_EQ(surface.polylines.size(), 4u);
    for (const auto& line : surface.polylines)
        EXPECT_EQ(line.size(), 3u);
}

TEST_F(WireframeFixture, NoLineKindDrawsNothingAndKeepsTheCount) {
    mesh.settings.DoLatitude = mesh.settings.DoLongitude = 0;
    mesh.settings.polygonCount = 1234;
    EXPECT_EQ(Render(), 1234u);
    EXPECT_EQ(mesh.settings.polygonCount, 1234u);
    EXPECT_TRUE(surface.polylines.empty());
    EXPECT_TRUE(host.statuses.empty());
    EXPECT_TRUE(host.progress.empty());
    EXPECT_FALSE(cache.wireTransformed);
}

TEST_F(WireframeFixture, OneBlackCornerShowsTheSolidEdgesAndTheClosingDiagonal) {
    mesh.settings.BlackHoles = 1;
    const std::uint32_t p00 = mesh.Index(0, 0), p01 = p00 + 1, p10 = mesh.Index(1, 0),
                        p11 = p10 + 1;
    mesh.buffers.solidFlags[p11] = 0;
    // Cells (0,0), (0,1), (1,0) and (1,1) each lose P11 of the grid; two are left whole.
    EXPECT_EQ(Render(), 6u);
    EXPECT_TRUE(surface.polylines.empty());
    EXPECT_TRUE(HasEdge(p00, p01));
    EXPECT_TRUE(HasEdge(p00, p10));
    EXPECT_TRUE(HasEdge(p01, p10)); // the diagonal that closes the triangle
    EXPECT_FALSE(HasEdge(p00, p11));
    EXPECT_FALSE(HasEdge(p01, p11));
    EXPECT_FALSE(HasEdge(p10, p11));
}

TEST_F(WireframeFixture, LatitudeOnlyShowsNoDiagonal) {
    mesh.settings.BlackHoles = 1;
    mesh.settings.DoLongitude = 0;
    const std::uint32_t p00 = mesh.Index(0, 0), p01 = p00 + 1, p10 = mesh.Index(1, 0);
    mesh.buffers.solidFlags[p10 + 1] = 0;
    Render();
    EXPECT_TRUE(HasEdge(p00, p01));
    EXPECT_FALSE(HasEdge(p00, p10));
    EXPECT_FALSE(HasEdge(p01, p10));
}

TEST_F(WireframeFixture, CellsWithTwoBlackCornersAreLeftOut) {
    mesh.settings.BlackHoles = 1;
    mesh.buffers.solidFlags[mesh.Index(0, 1)] = 0;
    mesh.buffers.solidFlags[mesh.Index(1, 1)] = 0;
    EXPECT_EQ(Render(), 4u);
    // Whole cells draw four edges each; triangles three (two sides and a diagonal), unless
    // a diagonal side is black.
    for (const auto& [a, b] : surface.lines)
        EXPECT_FALSE(a == b);
}

TEST(WireframeSeam, CylinderRowsCloseOnTheirFirstPoint) {
    HandBuiltMesh mesh(3, 6, kCylindrical);
    for (std::uint32_t r = 0; r < 3; ++r)
        for (std::uint32_t c = 0; c <= 6; ++c) {
            const double angle = 6.2831853 * (c % 6) / 6;
            mesh.Set(r, c, float(-10 * std::sin(angle)), float(5.0 - 5.0 * r),
                     float(10 * std::cos(angle)));
        }
    mesh.FinishBounds();
    mesh.PlaceView(4.0f, 100.0f, 100.0f);
    FakeHost host;
    RecordingSurface surface;
    PreviewCache cache;
    EXPECT_EQ(RenderWireframe(host, surface, mesh.settings, mesh.buffers, cache), 2u * 6u);
    ASSERT_EQ(surface.polylines.size(), 3u + 7u);
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(surface.polylines[row].front(), surface.polylines[row].back());
}

TEST_F(WireframeFixture, AbortWhileTransformingLeavesTheTransformToRedo) {
    host.tickStep = 100;
    host.abortInStatus = "Transforming Points";
    host.abortAfterPolls = 1;
    Render();
    EXPECT_FALSE(cache.wireTransformed);
    EXPECT_TRUE(surface.polylines.empty());
    EXPECT_EQ(host.LastStatus(), "");
    EXPECT_EQ(host.progress.back(), std::make_pair(0u, 100u));

    host.abortInStatus.clear();
    EXPECT_EQ(Render(), 6u);
    EXPECT_TRUE(cache.wireTransformed);
}

TEST_F(WireframeFixture, AbortWhileDrawingKeepsTheLinesDrawnAndTheTransform) {
    host.tickStep = 100;
    host.abortInStatus = "Rendering";
    host.abortAfterPolls = 2;
    Render();
    EXPECT_EQ(surface.polylines.size(), 2u);
    EXPECT_TRUE(cache.wireTransformed);
    EXPECT_EQ(host.LastStatus(), "");
}

TEST_F(WireframeFixture, ProgressCountsRowsThenLines) {
    host.tickStep = 100;
    Render();
    const std::uint32_t maximum = 3 + 4 + 3;
    std::vector<std::uint32_t> values;
    for (std::size_t i = 0; i + 1 < host.progress.size(); ++i) {
        EXPECT_EQ(host.progress[i].second, maximum);
        values.push_back(host.progress[i].first);
    }
    EXPECT_EQ(values, (std::vector<std::uint32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST_F(WireframeFixture, SecondPaintReusesThePixels) {
    Render();
    for (int i = 0; i < 12; ++i)
        mesh.buffers.pointX[i] += 3.0f;
    surface.polylines.clear();
    Render();
    EXPECT_EQ(surface.polylines[0].front(), (CanvasPoint{20, 20}));
    cache.ViewChanged();
    surface.polylines.clear();
    Render();
    EXPECT_EQ(surface.polylines[0].front(), (CanvasPoint{50, 20}));
}

TEST_F(WireframeFixture, OnTheCanvasLinesStopShortOfTheirLastPoint) {
    SoftwareSurface canvas(60, 50);
    RenderWireframe(host, canvas, mesh.settings, mesh.buffers, cache);
    int black = 0;
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 60; ++x)
            black += canvas.At(x, y) == 0;
    // Rows of 30 pixels and columns of 20, each without its end; they cross at 2 x 3 pixels
    // (the last row lies below the columns' ends, the last column right of the rows').
    EXPECT_EQ(black, 3 * 30 + 4 * 20 - 2 * 3);
    EXPECT_EQ(canvas.At(50, 20), 0);   // end of the first row, start of the last column
    EXPECT_EQ(canvas.At(50, 40), 255); // the end of both the last row and the last column
}

} // namespace
