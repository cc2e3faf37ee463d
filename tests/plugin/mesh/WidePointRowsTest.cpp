#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>
#include <vector>

#include "plugin/mesh/PointRows.h"
#include "tests/support/TestMesh.h"

namespace {

// Where one row of points goes.
struct Row {
    std::vector<float> x, y, z;
    std::vector<std::uint8_t> solid;

    explicit Row(std::size_t size) : x(size), y(size), z(size), solid(size) {}
    PointRowSpan Span() { return {x.data(), y.data(), z.data(), solid.data()}; }
};

// A grid of rows x cols samples; Map Altitude and Scale away from 1 so that both count.
MeshSettings Grid(std::int32_t meshType, std::uint16_t rows, std::uint16_t cols) {
    MeshSettings s = DefaultSettings(meshType);
    s.MapAlt = 37.5f;
    s.ModelScale = 1.5f;
    s.meshRows = rows;
    s.meshCols = cols;
    return s;
}

TEST(WidePointRows, WidenedGrayGivesTheSameRowsAsTheGray) {
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> gray(0, 255);
    const std::uint16_t rows = 5, cols = 300;
    for (std::int32_t type : {kRectangular, kCylindrical, kSpherical}) {
        for (bool asExported : {false, true}) {
            const MeshSettings s = Grid(type, rows, cols);
            const PointRowMaker maker(s, asExported);
            for (std::uint32_t r = 0; r < rows; ++r) {
                std::vector<std::uint8_t> narrow(cols);
                std::vector<std::uint16_t> wide(cols);
                for (std::size_t c = 0; c < cols; ++c) {
                    narrow[c] = static_cast<std::uint8_t>(c < 256 ? c : gray(rng));
                    wide[c] = static_cast<std::uint16_t>(narrow[c] * 257);
                }
                Row fromGray(PointsPerRow(s)), fromLevels(PointsPerRow(s));
                maker.Make(r, narrow.data(), fromGray.Span());
                maker.Make(r, wide.data(), fromLevels.Span());
                // v * 257 / 257.0 is exact, so the arithmetic is the same to the bit.
                EXPECT_EQ(fromLevels.x, fromGray.x) << type;
                EXPECT_EQ(fromLevels.y, fromGray.y) << type;
                EXPECT_EQ(fromLevels.z, fromGray.z) << type;
                EXPECT_EQ(fromLevels.solid, fromGray.solid) << type;
            }
        }
    }
}

TEST(WidePointRows, LevelsBetweenGraysGiveHeightsBetweenTheirs) {
    const MeshSettings s = Grid(kRectangular, 1, 512);
    const PointRowMaker maker(s, true);
    // Levels 0, 1, 2, ... 511 and the grays they lie between.
    std::vector<std::uint16_t> levels(512);
    for (std::size_t c = 0; c < levels.size(); ++c)
        levels[c] = static_cast<std::uint16_t>(c);
    Row row(512);
    maker.Make(0, levels.data(), row.Span());
    const double step = 37.5 * 1.5 / 256;
    EXPECT_EQ(row.solid[0], 0);
    for (std::size_t c = 1; c < levels.size(); ++c) {
        EXPECT_GT(row.z[c], row.z[c - 1]); // brighter is higher as exported
        EXPECT_EQ(row.solid[c], 1) << "level " << c << " is not black";
        EXPECT_NEAR(row.z[c], (c / 257.0 + 1) * step, 1e-5); // white is one step below the top
    }
}

TEST(WidePointRows, RoundRadiiFollowTheLevel) {
    for (std::int32_t type : {kCylindrical, kSpherical}) {
        const MeshSettings s = Grid(type, 3, 4);
        const PointRowMaker maker(s, true);
        const std::vector<std::uint16_t> levels = {0, 1, 32768, 65535};
        Row row(PointsPerRow(s));
        maker.Make(1, levels.data(), row.Span());
        const double step = 37.5 * 1.5 / 256, offset = 20 * 1.5;
        for (std::size_t k = 0; k <= levels.size(); ++k) {
            const std::uint16_t v = levels[k % levels.size()]; // the seam repeats column 0
            const double radius = std::hypot(row.x[k], row.z[k], type == kSpherical ? row.y[k] : 0);
            EXPECT_NEAR(radius, v / 257.0 * step + offset, 2e-5) << type << " column " << k;
            EXPECT_EQ(row.solid[k], v != 0);
        }
    }
}

} // namespace
