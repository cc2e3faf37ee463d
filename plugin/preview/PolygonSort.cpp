#include "plugin/preview/PolygonSort.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>

namespace {

// An unsigned key whose ascending order is the descending order of the depth: the float's
// bits made monotonic (negatives flipped whole, positives by their sign bit), inverted.
std::uint32_t NearFirstKey(float depth) {
    if (std::isnan(depth))
        depth = -std::numeric_limits<float>::infinity();
    std::uint32_t bits;
    std::memcpy(&bits, &depth, sizeof bits);
    const std::uint32_t ascending = (bits & 0x80000000u) ? ~bits : bits | 0x80000000u;
    return ~ascending;
}

// Stable LSD radix sort of (key << 32 | record) items by key, 8 bits a pass.
void RadixSortByKey(std::vector<std::uint64_t>& items, std::vector<std::uint64_t>& scratch) {
    for (int shift = 32; shift < 64; shift += 8) {
        std::uint32_t counts[257] = {};
        for (const std::uint64_t item : items)
            ++counts[((item >> shift) & 0xFF) + 1];
        if (counts[((items[0] >> shift) & 0xFF) + 1] == items.size())
            continue; // every key has the same byte here
        for (int b = 0; b < 256; ++b)
            counts[b + 1] += counts[b];
        for (const std::uint64_t item : items)
            scratch[counts[(item >> shift) & 0xFF]++] = item;
        items.swap(scratch);
    }
}

} // namespace

DrawOrder::DrawOrder(PolygonSlot* block, std::uint32_t count) {
    if (count < 2)
        return;
    try {
        items_.resize(count);
        std::vector<std::uint64_t> scratch(count);
        for (std::uint32_t i = 0; i < count; ++i)
            items_[i] = std::uint64_t{NearFirstKey(block[i].preview.depthKey)} << 32 | i;
        RadixSortByKey(items_, scratch);
    } catch (const std::bad_alloc&) {
        items_ = {};
        std::stable_sort(block, block + count, [](const PolygonSlot& a, const PolygonSlot& b) {
            return NearFirstKey(a.preview.depthKey) < NearFirstKey(b.preview.depthKey);
        });
    }
}
