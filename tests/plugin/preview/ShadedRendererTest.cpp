#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "tests/plugin/preview/PreviewFakes.h"
#include "tests/plugin/preview/HandBuiltMesh.h"
#include "plugin/preview/PreviewGrid.h"
#include "plugin/preview/ShadedRenderer.h"
#include "plugin/preview/Shading.h"
#include "plugin/preview/SoftwareSurface.h"
#include "plugin/preview/ViewSetup.h"

namespace {

struct ShadedFixture : ::testing::Test {
    // A 3 x 4 grid facing the viewer, 10 pixels a cell, its top-left point at (20, 20).
    ShadedFixture() : mesh(3, 4) {
        mesh.MakeFlat(1.0f);
        mesh.PlaceView(10.0f, 20.0f, 20.0f);
    }

    std::uint32_t Render(std::int32_t shadetype = 2) {
        return RenderShaded(host, surface, mesh.settings, mesh.buffers, cache, shadetype);
    }

    // Random heights, so that every cell has its own depth and shape.
    void Roughen(unsigned seed) {
        std::mt19937 random(seed);
        std::uniform_real_distribution<float> height(-3.0f, 3.0f);
        for (std::uint32_t r = 0; r < mesh.settings.meshRows; ++r)
            for (std::uint32_t c = 0; c < mesh.Points(); ++c)
                mesh.buffers.pointZ[mesh.Index(r, c)] = height(random);
        mesh.FinishBounds();
    }

    float Depth(std::uint32_t i) const {
        return mesh.settings.viewDistance + mesh.buffers.pointZ[i];
    }

    std::int16_t ShadeOf(std::uint32_t a, std::uint32_t b, std::uint32_t c) const {
        const auto& p = mesh.buffers;
        const float t[9] = {p.pointX[a], p.pointX[b], p.pointX[c], p.pointY[a], p.pointY[b],
                            p.pointY[c], Depth(a),    Depth(b),    Depth(c)};
        return ShadeTriangle(t);
    }

    // The record of the cell whose top-left point is i, found by its depth key.
    const PreviewPolygon& Record(std::uint32_t i) const {
        const std::uint32_t p = mesh.Points();
        const float key = Depth(i) + Depth(i + 1) + Depth(i + p + 1) + Depth(i + p);
        const PolygonSlot* block = mesh.buffers.polygonBlock;
        const std::uint32_t cells = (mesh.settings.meshRows - 1) * (p - 1);
        const auto* found = std::find_if(
            block, block + cells, [&](const PolygonSlot& s) { return s.preview.depthKey == key; });
        EXPECT_NE(found, block + cells);
        return found->preview;
    }

    CanvasPoint Pixel(std::uint32_t i) const {
        return {mesh.buffers.screenX[i], mesh.buffers.screenY[i]};
    }

    HandBuiltMesh mesh;
    FakeHost host;
    RecordingSurface surface;
    PreviewCache cache;
};

TEST_F(ShadedFixture, FaceOnGridFillsEveryCellWithPaletteEntryFifty) {
    EXPECT_EQ(Render(), 6u);
    EXPECT_EQ(mesh.settings.polygonCount, 6u);
    ASSERT_EQ(surface.fills.size(), 6u);
    for (const FillCall& fill : surface.fills)
        EXPECT_EQ(fill.paletteIndex, 50);
    // Some cell is the top-left one, drawn through its corners in grid order.
    const bool found =
        std::any_of(surface.fills.begin(), surface.fills.end(), [](const FillCall& f) {
            return f.corners[0] == CanvasPoint{20, 20} && f.corners[1] == CanvasPoint{30, 20} &&
                   f.corners[2] == CanvasPoint{30, 30} && f.corners[3] == CanvasPoint{20, 30};
        });
    EXPECT_TRUE(found);
    EXPECT_EQ(host.statuses, (std::vector<std::string>{"Transforming points", "Generating Polygons",
                                                       "Sorting Polygons", "Rendering", ""}));
    EXPECT_EQ(host.progress.back(), std::make_pair(0u, 100u));
}

TEST_F(ShadedFixture, OutlinedStyleDrawsWithTheBlackPenAndShadedWithNone) {
    surface.pen = Pen::Black;
    Render(1);
    for (const FillCall& fill : surface.fills)
        EXPECT_EQ(fill.pen, Pen::Black);
    surface.fills.clear();
    Render(2);
    for (const FillCall& fill : surface.fills)
        EXPECT_EQ(fill.pen, Pen::None);
    EXPECT_EQ(surface.pen, Pen::Black); // the canvas's pen is put back
}

TEST_F(ShadedFixture, PolygonsAreFilledFarthestFirst) {
    Roughen(5);
    mesh.settings.Yrot = 0.4f;
    Render();
    ASSERT_EQ(surface.fills.size(), 6u);
    const PolygonSlot* block = mesh.buffers.polygonBlock;
    float previous = INFINITY;
    for (const FillCall& fill : surface.fills) {
        const auto* record = std::find_if(block, block + 6, [&](const PolygonSlot& s) {
            return std::equal(fill.corners, fill.corners + 4, s.preview.corners);
        });
        ASSERT_NE(record, block + 6);
        EXPECT_LE(record->preview.depthKey, previous);
        previous = record->preview.depthKey;
    }
}

TEST_F(ShadedFixture, CellsWithTwoBlackCornersAreNeitherDrawnNorCounted) {
    mesh.settings.BlackHoles = 1;
    mesh.buffers.solidFlags[mesh.Index(0, 1)] = 0;
    mesh.buffers.solidFlags[mesh.Index(1, 1)] = 0;
    // Cells (0,0) and (0,1) lose two corners; (1,0) and (1,1) keep three.
    EXPECT_EQ(Render(), 4u);
    EXPECT_EQ(surface.fills.size(), 4u);
    mesh.settings.BlackHoles = 0;
    cache.ViewChanged();
    EXPECT_EQ(Render(), 6u);
}

TEST_F(ShadedFixture, CellWithOneBlackCornerBecomesATriangleOfTheSolidThree) {
    Roughen(9);
    mesh.settings.BlackHoles = 1;
    const std::uint32_t p = mesh.Points();
    const std::uint32_t p00 = mesh.Index(0, 1), p01 = p00 + 1, p11 = p00 + p + 1, p10 = p00 + p;
    struct Case {
        std::uint32_t missing;
        std::uint32_t corners[4];
        std::uint32_t shade[3];
    };
    const Case cases[] = {
        {p00, {p01, p11, p10, p10}, {p10, p11, p01}},
        {p01, {p00, p11, p10, p10}, {p00, p10, p11}},
        {p11, {p00, p01, p10, p10}, {p01, p00, p10}},
        {p10, {p00, p01, p11, p00}, {p11, p01, p00}},
    };
    for (const Case& c : cases) {
        std::fill_n(mesh.buffers.solidFlags, 3 * p, 1);
        mesh.buffers.solidFlags[c.missing] = 0;
        cache.ViewChanged();
        Render();
        const PreviewPolygon& record = Record(p00);
        EXPECT_EQ(record.visible, 1);
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(record.corners[k], Pixel(c.corners[k])) << "missing " << c.missing;
        EXPECT_EQ(record.shade, ShadeOf(c.shade[0], c.shade[1], c.shade[2]));
    }
}

TEST_F(ShadedFixture, BlackCornersCountLikeAnyOtherWithoutBlackHoles) {
    Roughen(4);
    mesh.buffers.solidFlags[mesh.Index(0, 0)] = 0;
    mesh.buffers.solidFlags[mesh.Index(1, 1)] = 0;
    EXPECT_EQ(Render(), 6u);
    const std::uint32_t p = mesh.Points();
    const PreviewPolygon& record = Record(0);
    EXPECT_EQ(record.corners[2], Pixel(p + 1));
    EXPECT_EQ(record.shade, ShadeOf(1, 0, p));
}

TEST(ShadedSphere, FirstRowIsShadedFromTheTopLeftPointAndTheTwoBelow) {
    HandBuiltMesh mesh(4, 3, kSpherical);
    std::mt19937 random(21);
    std::uniform_real_distribution<float> coordinate(-5.0f, 5.0f);
    for (std::uint32_t r = 0; r < 4; ++r)
        for (std::uint32_t c = 0; c < 4; ++c)
            mesh.Set(r, c, coordinate(random), coordinate(random), coordinate(random));
    mesh.FinishBounds();
    mesh.PlaceView(5.0f, 50.0f, 50.0f);
    FakeHost host;
    RecordingSurface surface;
    PreviewCache cache;
    RenderShaded(host, surface, mesh.settings, mesh.buffers, cache, 2);

    const float d = mesh.settings.viewDistance;
    const auto& b = mesh.buffers;
    const auto shade = [&](std::uint32_t i, std::uint32_t j, std::uint32_t k) {
        const float t[9] = {b.pointX[i],     b.pointX[j],     b.pointX[k],
                            b.pointY[i],     b.pointY[j],     b.pointY[k],
                            d + b.pointZ[i], d + b.pointZ[j], d + b.pointZ[k]};
        return ShadeTriangle(t);
    };
    const auto record = [&](std::uint32_t i) {
        const float key = 4 * d + b.pointZ[i] + b.pointZ[i + 1] + b.pointZ[i + 5] + b.pointZ[i + 4];
        for (std::uint32_t n = 0; n < 9; ++n)
            if (std::abs(b.polygonBlock[n].preview.depthKey - key) < 1e-3f)
                return b.polygonBlock[n].preview;
        ADD_FAILURE() << "no record for cell at " << i;
        return PreviewPolygon{};
    };
    for (std::uint32_t u = 0; u < 3; ++u) {
        EXPECT_EQ(record(u).shade, shade(u, 4 + u, 5 + u)) << u;
        EXPECT_EQ(record(4 + u).shade, shade(5 + u, 4 + u, 8 + u)) << u;
    }
}

TEST_F(ShadedFixture, RepaintWithoutChangeOnlySortsAndFills) {
    Roughen(2);
    Render();
    EXPECT_TRUE(cache.shadeTransformed);
    EXPECT_TRUE(cache.polygonsBuilt);
    EXPECT_TRUE(cache.polygonsSorted);
    const int pollsOfFirstPaint = host.abortPolls;
    EXPECT_EQ(pollsOfFirstPaint, 3 + 2); // one per row transformed, one per cell row built
    const auto firstFills = surface.fills;

    // Points moved behind the renderer's back are not seen until the view changes.
    for (int i = 0; i < 12; ++i)
        mesh.buffers.pointX[i] += 5.0f;
    surface.fills.clear();
    Render();
    EXPECT_EQ(host.abortPolls, pollsOfFirstPaint);
    ASSERT_EQ(surface.fills.size(), firstFills.size());
    for (std::size_t i = 0; i < firstFills.size(); ++i)
        EXPECT_EQ(surface.fills[i].corners[0], firstFills[i].corners[0]);

    cache.ViewChanged();
    surface.fills.clear();
    Render();
    EXPECT_EQ(host.abortPolls, 2 * pollsOfFirstPaint);
    EXPECT_FALSE(surface.fills[0].corners[0] == firstFills[0].corners[0]);
}

TEST_F(ShadedFixture, AbortWhileTransformingLeavesEverythingToRedo) {
    host.abortInStatus = "Transforming points";
    host.abortAfterPolls = 1;
    surface.pen = Pen::Black;
    EXPECT_EQ(Render(2), 0u);
    EXPECT_FALSE(cache.shadeTransformed);
    EXPECT_FALSE(cache.polygonsBuilt);
    EXPECT_FALSE(cache.polygonsSorted);
    EXPECT_TRUE(surface.fills.empty());
    EXPECT_EQ(mesh.settings.polygonCount, 0u);
    EXPECT_EQ(host.LastStatus(), "");
    EXPECT_EQ(host.progress.back(), std::make_pair(0u, 100u));
    EXPECT_EQ(surface.pen, Pen::Black);

    host.abortInStatus.clear();
    EXPECT_EQ(Render(2), 6u);
    EXPECT_TRUE(cache.shadeTransformed && cache.polygonsBuilt && cache.polygonsSorted);
}

TEST_F(ShadedFixture, AbortWhileBuildingKeepsTheTransformOnly) {
    Render();
    cache.ViewChanged();
    host.abortInStatus = "Generating Polygons";
    host.abortAfterPolls = 1;
    surface.fills.clear();
    EXPECT_EQ(Render(), 0u);
    EXPECT_TRUE(cache.shadeTransformed);
    EXPECT_FALSE(cache.polygonsBuilt);
    EXPECT_FALSE(cache.polygonsSorted);
    EXPECT_TRUE(surface.fills.empty());

    // The next paint builds without transforming again.
    host.abortInStatus.clear();
    const int polls = host.abortPolls;
    EXPECT_EQ(Render(), 6u);
    EXPECT_EQ(host.abortPolls - polls, 2);
}

TEST_F(ShadedFixture, AbortWhileFillingKeepsWhatIsDrawnAndCountsTheRecordReached) {
    host.tickStep = 100; // every deadline is due at once
    host.abortInStatus = "Rendering";
    host.abortAfterPolls = 2;
    EXPECT_EQ(Render(), 3u);
    EXPECT_EQ(surface.fills.size(), 2u);
    EXPECT_EQ(mesh.settings.polygonCount, 3u);
    EXPECT_TRUE(cache.shadeTransformed && cache.polygonsBuilt && cache.polygonsSorted);
    EXPECT_EQ(host.LastStatus(), "");
    EXPECT_EQ(host.progress.back(), std::make_pair(0u, 100u));
}

TEST_F(ShadedFixture, ProgressStaysWithinTwiceThePolygonCount) {
    HandBuiltMesh big(40, 50);
    big.MakeFlat(1.0f);
    big.PlaceView(2.0f, 10.0f, 10.0f);
    host.tickStep = 100;
    RenderShaded(host, surface, big.settings, big.buffers, cache, 1);
    const std::uint32_t maximum = 2 * 39 * 49;
    ASSERT_GT(host.progress.size(), 40u);
    for (std::size_t i = 0; i + 1 < host.progress.size(); ++i) {
        EXPECT_EQ(host.progress[i].second, maximum);
        EXPECT_LE(host.progress[i].first, maximum);
    }
}

TEST(ShadedEdges, GridsWithoutCellsOrBeyondTheBuffersDrawNothing) {
    for (const auto& [rows, cols] : {std::pair{1, 5}, std::pair{5, 1}}) {
        HandBuiltMesh mesh(rows, cols);
        mesh.MakeFlat(1.0f);
        mesh.PlaceView(1.0f, 0.0f, 0.0f);
        FakeHost host;
        host.tickStep = 100;
        RecordingSurface surface;
        PreviewCache cache;
        EXPECT_EQ(RenderShaded(host, surface, mesh.settings, mesh.buffers, cache, 1), 0u);
        EXPECT_TRUE(surface.fills.empty());
        for (const auto& [value, maximum] : host.progress)
            EXPECT_NE(maximum, 0u);
    }
    HandBuiltMesh mesh(3, 3);
    mesh.settings.meshRows = 400; // settings that do not belong to these buffers
    FakeHost host;
    RecordingSurface surface;
    PreviewCache cache;
    EXPECT_EQ(RenderShaded(host, surface, mesh.settings, mesh.buffers, cache, 1), 0u);
    EXPECT_TRUE(surface.fills.empty());
}

TEST_F(ShadedFixture, PointBehindTheEyeKeepsItsPixelAndItsCellsAreLeftOut) {
    const std::uint32_t i = mesh.Index(1, 1);
    mesh.buffers.screenX[i] = 1234;
    mesh.buffers.screenY[i] = -77;
    mesh.buffers.pointZ[i] = -2 * mesh.settings.viewDistance;
    EXPECT_EQ(Render(), 2u); // the four cells around it are left out
    EXPECT_EQ(mesh.buffers.screenX[i], 1234);
    EXPECT_EQ(mesh.buffers.screenY[i], -77);
    const ViewArrays view =
        PackedViewArrays(mesh.buffers, PreviewGrid(mesh.settings, mesh.buffers));
    EXPECT_LT(view.depth[i], 0.0f);
    EXPECT_EQ(view.y, mesh.buffers.viewX + 12); // packed to the 3 x 4 grid
}

TEST(ShadedCanvas, FaceOnGridCoversItsRectangleExactlyOnce) {
    HandBuiltMesh mesh(5, 7);
    mesh.MakeFlat(1.0f);
    mesh.settings.canvasRect = {0, 0, 130, 90};
    InitView(mesh.settings);
    SoftwareSurface surface(130, 90);
    FakeHost host;
    PreviewCache cache;
    EXPECT_EQ(RenderShaded(host, surface, mesh.settings, mesh.buffers, cache, 2), 24u);

    const auto& b = mesh.buffers;
    const int left = b.screenX[0], top = b.screenY[0];
    const int right = b.screenX[mesh.Index(4, 6)], bottom = b.screenY[mesh.Index(4, 6)];
    EXPECT_EQ(left, 0);
    EXPECT_EQ(right, 130);
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 130; ++x) {
            const bool inside = x >= left && x < right && y >= top && y < bottom;
            ASSERT_EQ(surface.At(x, y), inside ? 200 : 255) << x << "," << y;
        }
}

} // namespace
