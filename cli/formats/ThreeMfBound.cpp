#include <algorithm>
#include <cmath>
#include <cstdio>

#include "cli/formats/TriangleWriters.h"

namespace {
// lib3mf writes each coordinate with six decimals.
constexpr int kDecimals = 6;
// The markup around one vertex's or one triangle's numbers, with room to spare; the
// package's other parts and the zip's headers.
constexpr std::uint64_t kVertexMarkup = 48;
constexpr std::uint64_t kTriangleMarkup = 48;
constexpr std::uint64_t kPackageBytes = 8192;
// Packing text never grows it by more than a few bytes in a block of thousands.
constexpr std::uint64_t kPackingGrowth = 1000;

// The longest text of a coordinate of magnitude at most reach: as the fixed-point text lib3mf
// writes, or as a shortest float text.
std::uint64_t NumberWidth(double reach) {
    char text[64];
    const int fixed = std::snprintf(text, sizeof text, "-%.*f", kDecimals, reach);
    return std::max<std::uint64_t>(kLongestFloatText, fixed > 0 ? fixed : sizeof text);
}

std::uint64_t Digits(std::uint64_t value) {
    return std::to_string(value).size();
}
} // namespace

std::uint64_t ThreeMfSizeBound(TriangleSource& source, const TriangleCounts& counts) {
    double reach = 0;
    source.ForEachVertexBlock([&reach](std::span<const Vertex> vertices) {
        for (const Vertex& v : vertices)
            for (const float value : {v.x, v.y, v.z})
                if (std::isfinite(value))
                    reach = std::max(reach, std::fabs(double{value}));
    });
    const std::uint64_t text = counts.vertices * (kVertexMarkup + 3 * NumberWidth(reach)) +
                               counts.triangles * (kTriangleMarkup + 3 * Digits(counts.vertices));
    return kPackageBytes + text + text / kPackingGrowth;
}
