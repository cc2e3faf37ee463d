#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "plugin/preview/SoftwareSurface.h"

namespace {

int CountGray(const SoftwareSurface& s, std::uint8_t gray) {
    return int(std::count(s.Pixels().begin(), s.Pixels().end(), gray));
}

TEST(SoftwareSurface, StartsWhite) {
    SoftwareSurface s(7, 5);
    EXPECT_EQ(s.Pixels().size(), 35u);
    EXPECT_EQ(CountGray(s, 255), 35);
}

TEST(SoftwareSurface, RectangleFillLeavesOutTheRightAndBottomEdges) {
    SoftwareSurface s(20, 20);
    s.SelectPen(Pen::None);
    s.FillPolygon({{2, 3}, {12, 3}, {12, 8}, {2, 8}}, 10);
    EXPECT_EQ(CountGray(s, 40), 10 * 5);
    EXPECT_EQ(s.At(2, 3), 40);
    EXPECT_EQ(s.At(11, 7), 40);
    EXPECT_EQ(s.At(12, 7), 255);
    EXPECT_EQ(s.At(11, 8), 255);
}

TEST(SoftwareSurface, OutlineCoversTheEdgesWithTheBlackPen) {
    SoftwareSurface s(20, 20);
    EXPECT_EQ(s.SelectPen(Pen::Black), Pen::Black);
    s.FillPolygon({{2, 3}, {12, 3}, {12, 8}, {2, 8}}, 63);
    EXPECT_EQ(s.At(12, 8), 0); // the outline closes on every corner
    EXPECT_EQ(s.At(2, 8), 0);
    EXPECT_EQ(s.At(12, 3), 0);
    EXPECT_EQ(CountGray(s, 0), 2 * 10 + 2 * 5);
    EXPECT_EQ(CountGray(s, 252), 9 * 4);
}

TEST(SoftwareSurface, TriangleWithARepeatedCornerFillsHalfTheSquare) {
    SoftwareSurface s(20, 20);
    s.SelectPen(Pen::None);
    s.FillPolygon({{0, 0}, {10, 0}, {0, 10}, {0, 10}}, 1);
    EXPECT_EQ(CountGray(s, 4), 55); // rows of 10, 9, ..., 1 pixels
}

TEST(SoftwareSurface, SelfCrossingQuadFillsByTheAlternateRule) {
    SoftwareSurface s(20, 20);
    s.SelectPen(Pen::None);
    // A bow tie: the left and right triangles meeting at (5, 5) fill, the wedges above
    // and below them do not.
    s.FillPolygon({{0, 0}, {10, 10}, {10, 0}, {0, 10}}, 2);
    EXPECT_EQ(s.At(1, 5), 8);
    EXPECT_EQ(s.At(9, 5), 8);
    EXPECT_EQ(s.At(5, 1), 255);
    EXPECT_EQ(s.At(5, 8), 255);
}

TEST(SoftwareSurface, NeighbouringPolygonsTileWithoutGapsOrOverlaps) {
    // A jittered grid of quads covering a square: every pixel inside is filled exactly once.
    std::mt19937 random(17);
    std::uniform_int_distribution<int> jitter(-4, 4);
    constexpr int kCells = 8, kStep = 12;
    CanvasPoint grid[kCells + 1][kCells + 1];
    for (int r = 0; r <= kCells; ++r)
        for (int c = 0; c <= kCells; ++c) {
            const bool border = r == 0 || c == 0 || r == kCells || c == kCells;
            grid[r][c] = {c * kStep + (border ? 0 : jitter(random)),
                          r * kStep + (border ? 0 : jitter(random))};
        }
    std::vector<int> coverage(100 * 100, 0);
    for (int r = 0; r < kCells; ++r)
        for (int c = 0; c < kCells; ++c) {
            SoftwareSurface s(100, 100);
            s.SelectPen(Pen::None);
            s.FillPolygon({grid[r][c], grid[r][c + 1], grid[r + 1][c + 1], grid[r + 1][c]}, 0);
            for (std::size_t i = 0; i < coverage.size(); ++i)
                coverage[i] += s.Pixels()[i] == 0;
        }
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(coverage[y * 100 + x], x < kCells * kStep && y < kCells * kStep ? 1 : 0)
                << x << "," << y;
}

TEST(SoftwareSurface, LinesLeaveOutTheirLastPixel) {
    std::mt19937 random(5);
    std::uniform_int_distribution<int> coordinate(0, 39);
    for (int i = 0; i < 300; ++i) {
        const CanvasPoint a{coordinate(random), coordinate(random)};
        const CanvasPoint b{coordinate(random), coordinate(random)};
        SoftwareSurface s(40, 40);
        s.Line(a, b);
        const int steps = std::max(std::abs(b.x - a.x), std::abs(b.y - a.y));
        ASSERT_EQ(CountGray(s, 0), steps);
        if (steps > 0) {
            ASSERT_EQ(s.At(a.x, a.y), 0);
            ASSERT_EQ(s.At(b.x, b.y), 255);
        }
    }
}

TEST(SoftwareSurface, PolylineDrawsSharedPointsOnce) {
    SoftwareSurface s(20, 20);
    s.SetRasterMode(RasterMode::NotXor);
    const CanvasPoint walk[] = {{1, 1}, {10, 1}, {10, 10}, {1, 10}, {1, 1}};
    s.Polyline(walk, 5);
    // Inverting each pixel once: a closed square of 36 black pixels, none drawn twice.
    EXPECT_EQ(CountGray(s, 0), 36);
    s.Polyline(walk, 5);
    EXPECT_EQ(CountGray(s, 255), 400);
}

TEST(SoftwareSurface, NullPenDrawsNoLines) {
    SoftwareSurface s(20, 20);
    s.SelectPen(Pen::None);
    s.Line({0, 0}, {19, 19});
    const CanvasPoint walk[] = {{0, 5}, {19, 5}};
    s.Polyline(walk, 2);
    EXPECT_EQ(CountGray(s, 255), 400);
}

TEST(SoftwareSurface, FarAwayAndHugeShapesAreClippedQuickly) {
    SoftwareSurface s(50, 50);
    s.SelectPen(Pen::None);
    s.FillPolygon({{-2000000000, -5}, {2000000000, -5}, {2000000000, 2000000000}, {-5, 30}}, 5);
    EXPECT_EQ(s.At(0, 0), 20);
    EXPECT_EQ(s.At(49, 49), 20);
    EXPECT_EQ(s.At(0, 49), 255); // beyond the edge from (-5, 30) to the far corner
    s.SelectPen(Pen::Black);
    s.Line({-30000, -30000}, {32767, 32767});
    s.Line({-32768, 100}, {32767, 100});
    EXPECT_EQ(s.At(49, 49), 0); // on the diagonal
    EXPECT_EQ(s.At(48, 49), 20);
    s.FillWhite();
    EXPECT_EQ(CountGray(s, 255), 2500);
}

TEST(SoftwareSurface, SizesAreBounded) {
    SoftwareSurface tiny(-5, 3);
    EXPECT_EQ(tiny.Width(), 0);
    tiny.FillPolygon({{0, 0}, {5, 0}, {5, 5}, {0, 5}}, 3);
    tiny.Line({0, 0}, {3, 3});
    SoftwareSurface big(1 << 30, 1);
    EXPECT_EQ(big.Width(), SoftwareSurface::kMaxSide);
}

} // namespace
