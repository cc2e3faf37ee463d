#include <algorithm>
#include <string>

#include "triangles/TriangleWriters.h"

namespace {
// The markup around one vertex's or one triangle's numbers, with room to spare; the
// package's other parts and the zip's headers.
constexpr std::uint64_t kVertexMarkup = 48;
constexpr std::uint64_t kTriangleMarkup = 48;
constexpr std::uint64_t kPackageBytes = 8192;
// Deflate never grows text by more than a few bytes in a block of thousands.
constexpr std::uint64_t kPackingGrowth = 1000;

std::uint64_t Digits(std::uint64_t value) {
    return std::to_string(value).size();
}
} // namespace

std::uint64_t ThreeMfSizeBound(const TriangleCounts& counts) {
    // Coordinates are written in their shortest exact text.
    const std::uint64_t text = counts.vertices * (kVertexMarkup + 3 * kLongestFloatText) +
                               counts.triangles * (kTriangleMarkup + 3 * Digits(counts.vertices));
    return kPackageBytes + text + text / kPackingGrowth;
}
