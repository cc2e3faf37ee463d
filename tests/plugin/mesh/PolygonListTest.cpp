#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "plugin/mesh/BuildPolygonList.h"
#include "tests/support/Recorders.h"
#include "tests/support/TestMesh.h"

namespace {

std::int32_t Build(TestMesh& m) {
    RecordingProgress progress;
    return BuildPolygonList(m.settings, m.buffers, progress);
}

std::vector<std::int32_t> Corners(const PolygonRecord& r) {
    return {r.index, r.index + r.count};
}

TEST(PolygonList, FlatThreeByThreeGivesFourQuadsInCellOrder) {
    TestMesh m(3, 3, Filled(9, 128), DefaultSettings(kRectangular));
    EXPECT_EQ(Build(m), 4);
    EXPECT_EQ(Corners(m.Record(0)), (std::vector<std::int32_t>{0, 1, 4, 3}));
    EXPECT_EQ(Corners(m.Record(3)), (std::vector<std::int32_t>{4, 5, 8, 7}));
}

TEST(PolygonList, ExportTurnsRectangularHeightsOver) {
    MeshSettings s = DefaultSettings(kRectangular);
    s.MapAlt = 10.0f;
    s.ModelScale = 3.0f;
    TestMesh m(3, 3, {255, 0, 127, 1, 1, 1, 1, 1, 1}, s);
    Build(m);
    EXPECT_FLOAT_EQ(m.buffers.pointZ[0], 30.0f);       // white: MapAlt * ModelScale
    EXPECT_FLOAT_EQ(m.buffers.pointZ[1], 30.0f / 256); // black: a step above 0
    EXPECT_FLOAT_EQ(m.buffers.pointZ[2], 30.0f * 128 / 256);
}

TEST(PolygonList, RoundMeshesKeepTheirPoints) {
    TestMesh m(3, 3, {255, 0, 127, 1, 1, 1, 1, 1, 1}, DefaultSettings(kCylindrical));
    const std::vector<float> before(m.buffers.pointZ, m.buffers.pointZ + m.Points());
    Build(m);
    EXPECT_EQ(std::vector<float>(m.buffers.pointZ, m.buffers.pointZ + m.Points()), before);
}

TEST(PolygonList, SphereTopRowCellsAreTrianglesWithoutTheSecondTopCorner) {
    TestMesh m(4, 6, Filled(24, 90), DefaultSettings(kSpherical));
    EXPECT_EQ(Build(m), 3 * 6);
    for (std::int32_t s = 0; s < 6; ++s) {
        // top-left, bottom-right, bottom-left
        EXPECT_EQ(Corners(m.Record(s)), (std::vector<std::int32_t>{s, s + 8, s + 7})) << s;
    }
    EXPECT_EQ(m.Record(6).count, 4);
}

TEST(PolygonList, BlackHolesDropCornersOrCells) {
    MeshSettings s = DefaultSettings(kRectangular);
    s.BlackHoles = 1;
    // Cell 0 has one black corner (point 1), cell 1 two (1 and 5), cell 2 none, cell 3 two
    // (5 and 8).
    TestMesh m(3, 3, {9, 0, 9, 9, 9, 0, 9, 9, 0}, s);
    EXPECT_EQ(Build(m), 2);
    EXPECT_EQ(Corners(m.Record(0)), (std::vector<std::int32_t>{0, 4, 3}));
    EXPECT_EQ(m.Record(1).count, 0);
    EXPECT_EQ(Corners(m.Record(2)), (std::vector<std::int32_t>{3, 4, 7, 6}));
    EXPECT_EQ(m.Record(3).count, 0);
}

TEST(PolygonList, WithoutBlackHolesBlackPointsCount) {
    TestMesh m(3, 3, {9, 0, 9, 9, 9, 0, 9, 9, 0}, DefaultSettings(kRectangular));
    EXPECT_EQ(Build(m), 4);
}

TEST(PolygonList, AllBlackWithBlackHolesHasNoFaces) {
    MeshSettings s = DefaultSettings(kCylindrical);
    s.BlackHoles = 1;
    TestMesh m(5, 5, Filled(25, 0), s);
    EXPECT_EQ(Build(m), 0);
    for (std::size_t c = 0; c < m.Cells(); ++c)
        EXPECT_EQ(m.Record(c).count, 0);
}

TEST(PolygonList, ProgressCountsTheCellRowsOfTwiceTheRows) {
    TestMesh m(5, 4, Filled(20, 5), DefaultSettings(kRectangular));
    RecordingProgress progress;
    BuildPolygonList(m.settings, m.buffers, progress);
    const std::vector<std::pair<std::int32_t, std::int32_t>> expected = {
        {0, 8}, {1, 8}, {2, 8}, {3, 8}};
    EXPECT_EQ(progress.calls, expected);
}

TEST(PolygonList, GridsWithoutCellsHaveNoPolygons) {
    TestMesh row(1, 5, Filled(5, 5), DefaultSettings(kSpherical));
    EXPECT_EQ(Build(row), 0);
    TestMesh column(5, 1, Filled(5, 5), DefaultSettings(kRectangular));
    EXPECT_EQ(Build(column), 0);
}

bool SamePoint(const TestMesh& m, std::int32_t a, std::int32_t b) {
    return m.buffers.pointX[a] == m.buffers.pointX[b] &&
           m.buffers.pointY[a] == m.buffers.pointY[b] && m.buffers.pointZ[a] == m.buffers.pointZ[b];
}

// Over many random grids: every record is empty, a triangle or a quad of distinct points in
// range, in corner order; full quads survive untouched; the tally agrees with the list.
TEST(PolygonList, PropertiesOverRandomGrids) {
    std::mt19937 rng(20261209);
    for (int round = 0; round < 300; ++round) {
        const auto rows = static_cast<std::uint16_t>(1 + rng() % 14);
        const auto cols = static_cast<std::uint16_t>(1 + rng() % 14);
        MeshSettings s = DefaultSettings(static_cast<std::int32_t>(rng() % 3),
                                         static_cast<std::int32_t>(1 + rng() % 3));
        s.BlackHoles = static_cast<std::int32_t>(rng() % 2);
        TestMesh m(rows, cols, RandomGrays(std::size_t{rows} * cols, rng, 5, 1 + rng() % 4), s);
        const PolygonTally tally = TallyPolygons(m.settings, m.buffers);
        const std::int32_t faces = Build(m);

        std::int32_t nonEmpty = 0;
        std::uint64_t triangles = 0;
        const std::int32_t perRow = static_cast<std::int32_t>(m.PerRow());
        for (std::size_t c = 0; c < m.Cells(); ++c) {
            const PolygonRecord& r = m.Record(c);
            ASSERT_TRUE(r.count == 0 || r.count == 3 || r.count == 4);
            if (r.count == 0)
                continue;
            ++nonEmpty;
            triangles += r.count == 4 ? 2 : 1;
            const auto row = static_cast<std::int32_t>(c / (perRow - 1));
            const std::int32_t i0 = row * perRow + static_cast<std::int32_t>(c % (perRow - 1));
            const std::vector<std::int32_t> cell = {i0, i0 + 1, i0 + perRow + 1, i0 + perRow};
            std::size_t at = 0;
            for (int k = 0; k < r.count; ++k) {
                ASSERT_GE(r.index[k], 0);
                ASSERT_LT(static_cast<std::size_t>(r.index[k]), m.Points());
                // corners keep their cell order
                while (at < 4 && cell[at] != r.index[k])
                    ++at;
                ASSERT_LT(at, 4u) << "corner outside its cell or out of order";
                for (int j = 0; j < k; ++j)
                    ASSERT_FALSE(SamePoint(m, r.index[j], r.index[k]));
                if (s.BlackHoles) {
                    ASSERT_EQ(m.buffers.solidFlags[r.index[k]], 1);
                }
            }
            bool distinct = true;
            for (int a = 0; a < 4; ++a)
                for (int b = a + 1; b < 4; ++b)
                    distinct = distinct && !SamePoint(m, cell[a], cell[b]);
            bool solid = true;
            for (int a = 0; a < 4; ++a)
                solid = solid && m.buffers.solidFlags[cell[a]];
            if (distinct && (solid || !s.BlackHoles)) {
                ASSERT_EQ(Corners(r), cell);
            }
        }
        EXPECT_EQ(faces, nonEmpty);
        EXPECT_EQ(tally.faces, static_cast<std::uint64_t>(faces));
        EXPECT_EQ(tally.triangles, triangles);
    }
}

} // namespace
