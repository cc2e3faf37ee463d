#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "plugin/mesh/SampleGrayGrid.h"

namespace {

using Levels = std::vector<std::uint16_t>;

std::vector<Levels> SampledRows(const Levels& levels, std::uint16_t rows, std::uint16_t cols,
                                std::int32_t meshRes) {
    const GridSize grid = SampledGridSize(rows, cols, meshRes);
    WideRowSampler sampler({levels.data(), cols, rows, cols}, grid);
    std::vector<Levels> out;
    for (std::uint32_t k = 0; k < grid.rows; ++k)
        out.emplace_back(sampler.Row(k), sampler.Row(k) + grid.cols);
    return out;
}

// Source pixels of bin k when n pixels go to m bins: the gray grid's 8.8 fixed-point bins.
std::pair<std::uint32_t, std::uint32_t> BinRange(std::uint32_t k, std::uint32_t n,
                                                 std::uint32_t m) {
    const double ratio = std::floor(n * 256.0 / m);
    return {static_cast<std::uint32_t>(std::floor(k * ratio / 256)),
            static_cast<std::uint32_t>(std::floor((k + 1) * ratio / 256))};
}

double ReferenceMean(const Levels& levels, std::uint32_t cols,
                     std::pair<std::uint32_t, std::uint32_t> rowBin,
                     std::pair<std::uint32_t, std::uint32_t> colBin) {
    double sum = 0;
    for (std::uint32_t r = rowBin.first; r < rowBin.second; ++r)
        for (std::uint32_t c = colBin.first; c < colBin.second; ++c)
            sum += levels[std::size_t{r} * cols + c];
    return sum / ((rowBin.second - rowBin.first) * double(colBin.second - colBin.first));
}

Levels RandomLevels(std::size_t size, std::mt19937& rng) {
    // Extremes are common, so that full bins of white and of black are met.
    std::uniform_int_distribution<int> level(0, 65535), kind(0, 3);
    Levels levels(size);
    for (auto& v : levels) {
        const int k = kind(rng);
        v = static_cast<std::uint16_t>(k == 0 ? 0 : k == 1 ? 65535 : level(rng));
    }
    return levels;
}

TEST(WideSampling, FullResolutionGivesTheLevelsAsTheyAre) {
    // Rows 4 levels apart, of which 3 are the picture.
    const Levels padded = {1, 65535, 300, 9, 0, 65534, 257, 9};
    WideRowSampler sampler({padded.data(), 4, 2, 3}, SampledGridSize(2, 3, 1));
    EXPECT_EQ(Levels(sampler.Row(0), sampler.Row(0) + 3), (Levels{1, 65535, 300}));
    EXPECT_EQ(Levels(sampler.Row(1), sampler.Row(1) + 3), (Levels{0, 65534, 257}));
}

TEST(WideSampling, EveryBinIsWithinHalfALevelOfItsExactMean) {
    std::mt19937 rng(13);
    std::uniform_int_distribution<int> side(1, 70);
    for (int picture = 0; picture < 60; ++picture) {
        const auto rows = static_cast<std::uint16_t>(side(rng));
        const auto cols = static_cast<std::uint16_t>(side(rng));
        const Levels levels = RandomLevels(std::size_t{rows} * cols, rng);
        for (std::int32_t res = 1; res <= 8; ++res) {
            const GridSize grid = SampledGridSize(rows, cols, res);
            const auto sampled = SampledRows(levels, rows, cols, res);
            for (std::uint32_t k = 0; k < grid.rows; ++k) {
                for (std::uint32_t c = 0; c < grid.cols; ++c) {
                    const double exact = ReferenceMean(levels, cols, BinRange(k, rows, grid.rows),
                                                       BinRange(c, cols, grid.cols));
                    ASSERT_LE(std::abs(sampled[k][c] - exact), 0.5 + 1.0 / 65536)
                        << rows << " x " << cols << " at MeshRes " << res << ", sample " << k
                        << ", " << c;
                }
            }
        }
    }
}

TEST(WideSampling, WhiteAndBlackBinsStayExactAtEveryResolution) {
    // The largest bins (a 10 % grid is at least 3 samples) neither overflow nor round past
    // white.
    for (std::uint16_t side : {29, 30, 300}) {
        for (std::int32_t res = 2; res <= 8; ++res) {
            for (std::uint16_t level : {0, 1, 65534, 65535}) {
                const Levels flat(std::size_t{side} * side, level);
                for (const Levels& row : SampledRows(flat, side, side, res))
                    for (std::uint16_t v : row)
                        ASSERT_EQ(v, level) << side << " at MeshRes " << res;
            }
        }
    }
}

TEST(WideSampling, HalfwayMeansRoundToTheNearestLevel) {
    // 6 x 6 at 50 %: 2 x 2 bins; the top row's means are 32767.5 (up), 1.25 (down) and 2.75 (up).
    Levels levels(36, 0);
    const std::uint16_t top[2][6] = {{0, 65535, 1, 1, 2, 3}, {65535, 0, 1, 2, 3, 3}};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 6; ++c)
            levels[r * 6 + c] = top[r][c];
    const auto sampled = SampledRows(levels, 6, 6, 4);
    ASSERT_EQ(sampled.size(), 3u);
    EXPECT_EQ(sampled[0], (Levels{32768, 1, 3}));
    EXPECT_EQ(sampled[1], (Levels{0, 0, 0}));
}

TEST(WideSampling, AgreesWithTheGrayGridOnWidenedPictures) {
    // The 8-bit grid truncates twice, so its gray is at most 2 below the widened mean's, never
    // above: the same bins, with the fraction kept.
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> gray(0, 255);
    const std::uint16_t rows = 47, cols = 61;
    std::vector<std::uint8_t> pixels(std::size_t{rows} * cols);
    for (auto& p : pixels)
        p = static_cast<std::uint8_t>(gray(rng));
    Levels widened(pixels.size());
    for (std::size_t i = 0; i < pixels.size(); ++i)
        widened[i] = static_cast<std::uint16_t>(pixels[i] * 257);
    for (std::int32_t res = 1; res <= 8; ++res) {
        const GridSize grid = SampledGridSize(rows, cols, res);
        GrayRowSampler narrow({pixels.data(), cols, rows, cols}, grid);
        const auto wide = SampledRows(widened, rows, cols, res);
        for (std::uint32_t k = 0; k < grid.rows; ++k) {
            const std::uint8_t* row = narrow.Row(k);
            for (std::uint32_t c = 0; c < grid.cols; ++c) {
                const double asGray = wide[k][c] / 257.0;
                EXPECT_GE(asGray + 0.5 / 257, row[c]) << "MeshRes " << res;
                EXPECT_LT(asGray, row[c] + 2.0 + 0.5 / 257) << "MeshRes " << res;
                if (res == 1) {
                    EXPECT_EQ(wide[k][c], row[c] * 257);
                }
            }
        }
    }
}

} // namespace
