#include "plugin/ui/SliderScale.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// The logarithmic curve over a pixel length and a value length: K = length / ln(1.5 x values)
// puts the value 0 at pixel 0 and gives the low values more room. Both lengths are positive.
double CurveK(int pixels, int values) {
    return pixels / std::log(1.5 * values);
}

int LogPixel(int offset, int pixels, int values) {
    if (pixels <= 0) {
        return 0;
    }
    const double k = CurveK(pixels, values);
    return static_cast<int>(pixels * (std::log(k + offset) - std::log(k)) /
                            (std::log(k + values) - std::log(k)));
}

int LogValue(int pixel, int pixels, int values) {
    if (pixels <= 0) {
        return 0;
    }
    const double k = CurveK(pixels, values);
    const double fraction = static_cast<double>(pixel) / pixels;
    return static_cast<int>(k * std::exp((std::log(k + values) - std::log(k)) * fraction) - k +
                            0.5);
}

bool Degenerate(const SliderScale& scale) {
    return scale.maximum <= scale.minimum || scale.span <= 0;
}

bool CrossesZero(const SliderScale& scale) {
    return scale.minimum < 0 && scale.maximum > 0;
}

// The pixel of the value 0 on a logarithmic scale through zero.
int ZeroPixel(const SliderScale& scale) {
    return static_cast<int>(
        -(std::int64_t{scale.minimum} * scale.span / (scale.maximum - scale.minimum)));
}

} // namespace

int SliderPixelOfValue(const SliderScale& scale, int value) {
    if (Degenerate(scale)) {
        return 0;
    }
    const int v = std::clamp(value, scale.minimum, scale.maximum);
    const int s = scale.span;
    const int r = scale.maximum - scale.minimum;
    if (!scale.logarithmic) {
        return static_cast<int>((std::int64_t{s} * (v - scale.minimum) + r / 2) / r);
    }
    if (!CrossesZero(scale)) {
        return LogPixel(v - scale.minimum, s, r);
    }
    const int z = ZeroPixel(scale);
    if (v < 0) {
        return z - LogPixel(-v, z, -scale.minimum);
    }
    return z + LogPixel(v, s - z, scale.maximum);
}

int SliderValueOfPixel(const SliderScale& scale, int pixel) {
    if (Degenerate(scale)) {
        return scale.minimum;
    }
    const int s = scale.span;
    const int p = std::clamp(pixel, 0, s);
    const int r = scale.maximum - scale.minimum;
    if (!scale.logarithmic) {
        return scale.minimum + static_cast<int>((std::int64_t{r} * p + s / 2) / s);
    }
    if (!CrossesZero(scale)) {
        return scale.minimum + LogValue(p, s, r);
    }
    const int z = ZeroPixel(scale);
    if (p < z) {
        return -LogValue(z - p, z, -scale.minimum);
    }
    return LogValue(p - z, s - z, scale.maximum);
}
