#include "plugin/preview/DrawOrder.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>
#include <utility>

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

// Stable LSD radix sort of (key << 32 | record) items by key, 8 bits a pass, counting every
// byte in one reading; a byte that is the same in every key costs no pass. The result ends
// in items or in scratch, whichever is returned.
std::uint64_t* RadixSortByKey(std::uint64_t* items, std::uint64_t* scratch, std::uint32_t count) {
    std::uint32_t counts[4][256] = {};
    for (std::uint32_t i = 0; i < count; ++i)
        for (int byte = 0; byte < 4; ++byte)
            ++counts[byte][(items[i] >> (32 + 8 * byte)) & 0xFF];
    for (int byte = 0; byte < 4; ++byte) {
        const int shift = 32 + 8 * byte;
        std::uint32_t* bucket = counts[byte];
        if (bucket[(items[0] >> shift) & 0xFF] == count)
            continue;
        std::uint32_t start = 0;
        for (int b = 0; b < 256; ++b)
            start += std::exchange(bucket[b], start);
        for (std::uint32_t i = 0; i < count; ++i)
            scratch[bucket[(items[i] >> shift) & 0xFF]++] = items[i];
        std::swap(items, scratch);
    }
    return items;
}

} // namespace

DrawOrder::DrawOrder(PolygonSlot* block, std::uint32_t count) {
    if (count < 2)
        return;
    // Left uninitialised: every entry is written before it is read.
    std::unique_ptr<std::uint64_t[]> items(new (std::nothrow) std::uint64_t[count]);
    std::unique_ptr<std::uint64_t[]> scratch(new (std::nothrow) std::uint64_t[count]);
    if (!items || !scratch) {
        std::stable_sort(block, block + count, [](const PolygonSlot& a, const PolygonSlot& b) {
            return NearFirstKey(a.preview.depthKey) < NearFirstKey(b.preview.depthKey);
        });
        return;
    }
    for (std::uint32_t i = 0; i < count; ++i)
        items[i] = std::uint64_t{NearFirstKey(block[i].preview.depthKey)} << 32 | i;
    if (RadixSortByKey(items.get(), scratch.get(), count) == scratch.get())
        items.swap(scratch);
    items_ = std::move(items);
}
