#pragma once
// Flat shading of the preview polygons and the gray palette the fills use.

#include <array>
#include <cstdint>

// Entry i is the gray 4 * i; fills use entry shade / 4.
inline constexpr int kGrayPaletteSize = 64;

struct GrayPaletteEntry {
    std::uint8_t red, green, blue, flags;
};

extern const std::array<GrayPaletteEntry, kGrayPaletteSize> grayPalette;

// Unit vector toward the light in view space (x right, y up, depth away from the eye),
// (10, 20, -30) / sqrt(1400): from the upper right, on the viewer's side. Computed once.
struct LightVector {
    float x, y, d;
};
const LightVector& LightDirection();

// Shade 0..255 of the triangle T1, T2, T3 given as (x1, x2, x3, y1, y2, y3, d1, d2, d3):
// 200 * (0.2 + the light falling on it), at least 40; 0 when the triangle is degenerate.
// The normal is turned toward the eye, so neither winding is culled.
std::int16_t ShadeTriangle(const float (&t)[9]);
