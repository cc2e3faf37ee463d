#pragma once
// A synthetic 8-bit terrain of side x side levels (ridges, valleys, a flat sea and a little
// noise), the same on every machine.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

inline std::vector<float> Terrain(std::uint32_t side) {
    std::vector<float> heights(std::size_t{side} * side);
    std::uint32_t state = 12345;
    for (std::uint32_t r = 0; r < side; ++r)
        for (std::uint32_t c = 0; c < side; ++c) {
            const double u = 6.0 * c / side, v = 6.0 * r / side;
            const double ridges = 1 - std::fabs(std::sin(u + 0.7 * std::sin(1.3 * v)));
            const double hills = std::sin(0.5 * u) * std::cos(0.4 * v) + 0.3 * std::sin(3 * u + v);
            state = state * 1103515245u + 12345u;
            const double noise = ((state >> 16) & 3) / 4.0;
            heights[std::size_t{r} * side + c] = static_cast<float>(
                std::floor(std::max(40.0, 110 + 80 * ridges + 50 * hills + noise)));
        }
    return heights;
}
