#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "plugin/preview/DrawOrder.h"

namespace {

// Records tagged with their cell number in the first corner (and a part of it in the shade,
// in case the block itself gets sorted).
std::vector<PolygonSlot> Records(const std::vector<float>& keys) {
    std::vector<PolygonSlot> records(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        records[i].preview = PreviewPolygon{};
        records[i].preview.depthKey = keys[i];
        records[i].preview.corners[0].x = static_cast<std::int32_t>(i);
        records[i].preview.shade = static_cast<std::int16_t>(i % 256);
    }
    return records;
}

// NaN counts as the nearest of all.
float Ordered(float key) {
    return std::isnan(key) ? -INFINITY : key;
}

void ExpectFarthestFirstAndStable(const std::vector<float>& keys) {
    auto records = Records(keys);
    const auto count = static_cast<std::uint32_t>(records.size());
    const DrawOrder order(records.data(), count);
    std::vector<bool> seen(keys.size(), false);
    for (std::uint32_t i = 0; i < count; ++i) {
        ASSERT_LT(order[i], count);
        const PreviewPolygon& p = records[order[i]].preview;
        const auto cell = static_cast<std::size_t>(p.corners[0].x);
        ASSERT_LT(cell, keys.size());
        ASSERT_FALSE(seen[cell]);
        seen[cell] = true;
        // The record moved whole.
        ASSERT_EQ(p.shade, static_cast<std::int16_t>(cell % 256));
        ASSERT_TRUE(p.depthKey == keys[cell] || (std::isnan(p.depthKey) && std::isnan(keys[cell])));
        if (i == 0)
            continue;
        const PreviewPolygon& before = records[order[i - 1]].preview;
        ASSERT_GE(Ordered(before.depthKey), Ordered(p.depthKey)) << i;
        if (Ordered(before.depthKey) == Ordered(p.depthKey) &&
            std::signbit(before.depthKey) == std::signbit(p.depthKey)) {
            ASSERT_LT(before.corners[0].x, p.corners[0].x) << "equal keys keep cell order";
        }
    }
}

TEST(DrawOrder, TinyBlocks) {
    ExpectFarthestFirstAndStable({});
    ExpectFarthestFirstAndStable({3.0f});
    ExpectFarthestFirstAndStable({1.0f, 2.0f});
    ExpectFarthestFirstAndStable({2.0f, 2.0f, 2.0f});
}

TEST(DrawOrder, RandomKeysWithTiesSignsAndNaN) {
    std::mt19937 random(23);
    for (const std::size_t size : {10u, 1000u, 200000u}) {
        std::uniform_real_distribution<float> depth(-1000.0f, 1000.0f);
        std::uniform_int_distribution<int> kind(0, 19);
        std::vector<float> keys(size);
        for (float& key : keys) {
            switch (kind(random)) {
            case 0:
                key = std::nanf("");
                break;
            case 1:
                key = 0.0f;
                break;
            case 2:
                key = -0.0f;
                break;
            case 3:
                key = INFINITY;
                break;
            case 4:
                key = 7.5f;
                break;
            default:
                key = depth(random);
            }
        }
        ExpectFarthestFirstAndStable(keys);
    }
}

TEST(DrawOrder, AlreadySortedBlockIsDrawnInBlockOrder) {
    std::vector<float> keys(5000);
    for (std::size_t i = 0; i < keys.size(); ++i)
        keys[i] = 10000.0f - static_cast<float>(i);
    auto records = Records(keys);
    const DrawOrder order(records.data(), static_cast<std::uint32_t>(records.size()));
    for (std::uint32_t i = 0; i < records.size(); ++i)
        ASSERT_EQ(order[i], i);
}

} // namespace
