#include "plugin/preview/Shading.h"

#include <cmath>

namespace {

constexpr std::array<GrayPaletteEntry, kGrayPaletteSize> MakeGrayPalette() {
    std::array<GrayPaletteEntry, kGrayPaletteSize> palette{};
    for (int i = 0; i < kGrayPaletteSize; ++i) {
        const auto gray = static_cast<std::uint8_t>(4 * i);
        palette[i] = {gray, gray, gray, 0};
    }
    return palette;
}

} // namespace

constinit const std::array<GrayPaletteEntry, kGrayPaletteSize> grayPalette = MakeGrayPalette();

const LightVector& LightDirection() {
    static const LightVector light = [] {
        const float length = std::sqrt(1400.0f);
        return LightVector{10.0f / length, 20.0f / length, -30.0f / length};
    }();
    return light;
}

std::int16_t ShadeTriangle(const float (&t)[9]) {
    const float e1x = t[1] - t[0], e1y = t[4] - t[3], e1d = t[7] - t[6];
    const float e2x = t[2] - t[1], e2y = t[5] - t[4], e2d = t[8] - t[7];
    float nx = e1y * e2d - e1d * e2y;
    float ny = e1d * e2x - e1x * e2d;
    float nd = e1x * e2y - e1y * e2x;
    const float s2 = nd * nd + ny * ny + nx * nx;
    if (s2 == 0.0f)
        return 0;
    float length = std::sqrt(s2);
    if (nd > 0.0f)
        length = -length;
    nx /= length;
    ny /= length;
    nd /= length;
    const LightVector& light = LightDirection();
    const float dot = nd * light.d + ny * light.y + nx * light.x;
    const float brightness = dot > 0.0f ? dot + 0.2f : 0.2f;
    const float shade = brightness * 200.0f;
    // A NaN from overflowing coordinates fails both tests and is shaded black.
    if (shade >= 255.0f)
        return 255;
    if (shade >= 0.0f)
        return static_cast<std::int16_t>(shade);
    return 0;
}
