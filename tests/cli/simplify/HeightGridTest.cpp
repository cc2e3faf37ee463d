// A sample's row and column, which the grid finds without dividing, against plain division.
#include "simplify/HeightGrid.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

TEST(HeightGrid, RowsAndColumnsAreThoseOfDivision) {
    std::mt19937 rng(21);
    std::uniform_int_distribution<std::uint32_t> anySample;
    std::uniform_int_distribution<std::uint32_t> anyWidth(1, 1u << 20);
    std::vector<std::uint32_t> widths = {1,   2,    3,    7,     255,   256,
                                         511, 2048, 4097, 65535, 65536, 65537};
    for (int k = 0; k < 200; ++k)
        widths.push_back(anyWidth(rng));
    for (const std::uint32_t cols : widths) {
        const HeightGrid grid(nullptr, 1, cols, nullptr);
        // Both ends of every row near the last sample and at the start, and samples at random.
        std::vector<std::uint32_t> samples = {0, cols - 1, cols, 0xFFFFFFFFu, 0xFFFFFFFEu};
        const std::uint32_t lastRowStart = 0xFFFFFFFFu / cols * cols;
        samples.insert(samples.end(), {lastRowStart, lastRowStart - 1});
        for (int k = 0; k < 2000; ++k)
            samples.push_back(anySample(rng));
        for (const std::uint32_t s : samples) {
            ASSERT_EQ(grid.Row(s), s / cols) << s << " of " << cols;
            ASSERT_EQ(grid.Col(s), s % cols) << s << " of " << cols;
        }
    }
}
