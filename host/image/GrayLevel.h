#pragma once
// The one gray formula of the host: weighted by how bright each primary looks.

#include <cstdint>

inline std::uint8_t GrayOf(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return static_cast<std::uint8_t>((30u * red + 59u * green + 11u * blue) / 100u);
}
