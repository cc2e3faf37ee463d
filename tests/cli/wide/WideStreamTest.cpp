// Pictures with more than 8 bits a sample reach the triangle formats at full precision: the
// streamed mesh takes its heights from the 16-bit levels, sampled into the same grid.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "simplified/StreamMeshSource.h"
#include "tests/support/TestMesh.h"

namespace {

// A 16-bit picture and the 8-bit gray a reader makes of it.
struct Picture {
    WideGray wide;
    std::vector<std::uint8_t> gray;

    Picture(std::uint16_t rows, std::uint16_t cols, std::vector<std::uint16_t> levels)
        : wide{cols, rows, std::move(levels)}, gray(wide.levels.size()) {
        for (std::size_t i = 0; i < gray.size(); ++i)
            gray[i] = static_cast<std::uint8_t>((wide.levels[i] + 128) / 257);
    }

    MeshSettings Settings(std::int32_t meshType, std::int32_t meshRes) const {
        MeshSettings s = DefaultSettings(meshType, meshRes);
        s.BlackHoles = 1;
        s.imagePixels = gray.data();
        s.imageRowBytes = static_cast<std::uint16_t>(wide.width);
        s.imageRows = static_cast<std::uint16_t>(wide.height);
        s.imageCols = static_cast<std::uint16_t>(wide.width);
        return s;
    }
};

struct Points {
    std::vector<float> x, y, z;
    bool operator==(const Points&) const = default;
};

Points PointsOf(StreamMeshSource& source, std::uint32_t perRow) {
    Points all;
    source.ForEachPointRow([&](std::uint32_t, const PointRow& row) {
        all.x.insert(all.x.end(), row.x, row.x + perRow);
        all.y.insert(all.y.end(), row.y, row.y + perRow);
        all.z.insert(all.z.end(), row.z, row.z + perRow);
    });
    return all;
}

// Every polygon's corner indices, cell row by cell row: where the black holes are.
std::vector<std::int32_t> PolygonsOf(StreamMeshSource& source) {
    std::vector<std::int32_t> corners;
    source.ForEachCellRow([&](std::uint32_t, const CellRow& cells) {
        for (const PolygonRecord& p : cells.polygons) {
            corners.push_back(p.count);
            corners.insert(corners.end(), p.index, p.index + p.count);
        }
    });
    return corners;
}

std::vector<std::uint16_t> RandomLevels(std::size_t size, std::mt19937& rng) {
    std::uniform_int_distribution<int> level(0, 65535);
    std::vector<std::uint16_t> levels(size);
    for (auto& v : levels)
        v = static_cast<std::uint16_t>(rng() % 9 == 0 ? 0 : level(rng));
    return levels;
}

TEST(WideStream, RampOfEveryLevelGivesEveryHeight) {
    std::vector<std::uint16_t> ramp(65536);
    for (std::size_t v = 0; v < ramp.size(); ++v)
        ramp[v] = static_cast<std::uint16_t>(v);
    const Picture picture(256, 256, ramp);
    MeshSettings s = picture.Settings(kRectangular, 1);
    StreamMeshSource source(s, &picture.wide);
    const Points points = PointsOf(source, 256);
    ASSERT_EQ(points.z.size(), 65536u);
    EXPECT_EQ(std::set<float>(points.z.begin(), points.z.end()).size(), 65536u);
    // Brighter is higher, level by level.
    EXPECT_EQ(std::adjacent_find(points.z.begin(), points.z.end(), std::greater_equal<float>()),
              points.z.end());

    // The 8-bit gray of the same picture has only 256.
    MeshSettings narrow = picture.Settings(kRectangular, 1);
    StreamMeshSource gray(narrow);
    const Points grayPoints = PointsOf(gray, 256);
    EXPECT_EQ(std::set<float>(grayPoints.z.begin(), grayPoints.z.end()).size(), 256u);
}

TEST(WideStream, WidenedGrayStreamsTheMeshOfTheGray) {
    std::mt19937 rng(11);
    const std::uint16_t rows = 23, cols = 31;
    std::vector<std::uint16_t> levels(std::size_t{rows} * cols);
    for (auto& v : levels)
        v = static_cast<std::uint16_t>((rng() % 5 == 0 ? 0 : rng() % 256) * 257);
    const Picture picture(rows, cols, levels);
    for (std::int32_t type : {kRectangular, kCylindrical, kSpherical}) {
        MeshSettings narrow = picture.Settings(type, 1), wide = narrow;
        StreamMeshSource fromGray(narrow), fromLevels(wide, &picture.wide);
        const std::uint32_t perRow = PointsPerRow(narrow);
        EXPECT_EQ(PointsOf(fromLevels, perRow), PointsOf(fromGray, perRow)) << type;
        // The same cells dropped for black: the same solid flags.
        EXPECT_EQ(PolygonsOf(fromLevels), PolygonsOf(fromGray)) << type;
    }
}

// The heights and radii of the streamed points are those of the sampled 16-bit levels, at
// every resolution, for every mesh type.
TEST(WideStream, EveryResolutionTakesItsHeightsFromTheSampledLevels) {
    std::mt19937 rng(17);
    std::uniform_int_distribution<int> side(1, 60);
    const double step = 25.0 / 256, offset = 20;
    for (int round = 0; round < 12; ++round) {
        const auto rows = static_cast<std::uint16_t>(side(rng));
        const auto cols = static_cast<std::uint16_t>(side(rng));
        const Picture picture(rows, cols, RandomLevels(std::size_t{rows} * cols, rng));
        for (std::int32_t res = 1; res <= 8; ++res) {
            for (std::int32_t type : {kRectangular, kCylindrical, kSpherical}) {
                MeshSettings s = picture.Settings(type, res);
                StreamMeshSource source(s, &picture.wide);
                const GridSize grid = SampledGridSize(rows, cols, res);
                ASSERT_EQ(s.meshRows, grid.rows);
                ASSERT_EQ(s.meshCols, grid.cols);
                WideRowSampler sampler({picture.wide.levels.data(), cols, rows, cols}, grid);
                const std::uint32_t perRow = PointsPerRow(s);
                std::uint32_t visited = 0;
                source.ForEachPointRow([&](std::uint32_t r, const PointRow& row) {
                    ++visited;
                    const std::uint16_t* levels = sampler.Row(r);
                    for (std::uint32_t k = 0; k < perRow; ++k) {
                        const double gray = levels[k % grid.cols] / 257.0;
                        if (type == kRectangular) {
                            // As exported: white one step below MapAlt, black 256 steps.
                            ASSERT_NEAR(row.z[k], (gray + 1) * step, 1e-5);
                        } else {
                            const double radius =
                                std::hypot(row.x[k], row.z[k], type == kSpherical ? row.y[k] : 0);
                            ASSERT_NEAR(radius, gray * step + offset, 1e-4)
                                << "type " << type << " MeshRes " << res;
                        }
                    }
                });
                EXPECT_EQ(visited, grid.rows);
            }
        }
    }
}

TEST(WideStream, LevelsOfAnotherSizeAreNotRead) {
    std::mt19937 rng(23);
    const Picture picture(12, 9, RandomLevels(108, rng));
    WideGray shorter = picture.wide;
    shorter.height = 11;
    shorter.levels.resize(99);
    WideGray unfilled = picture.wide;
    unfilled.levels.clear();
    for (const WideGray* other : {&shorter, &unfilled}) {
        MeshSettings narrow = picture.Settings(kCylindrical, 3), wide = narrow;
        StreamMeshSource fromGray(narrow), fromOther(wide, other);
        const std::uint32_t perRow = PointsPerRow(narrow);
        EXPECT_EQ(PointsOf(fromOther, perRow), PointsOf(fromGray, perRow));
    }
}

} // namespace
