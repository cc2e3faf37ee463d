// make-terrain: writes a gray PNG of a mountain landscape for the simplifier's benchmarks.
// Ridged fractal noise over warped coordinates makes the ranges, a smoother fractal the
// foothills, valleys are flattened by a power curve and the sea is a flat plain; the same
// seed gives the same picture on every machine.
//
// Usage: make-terrain SIDE BITS OUT.png [SEED]   (BITS 8 or 16)

#include <png.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// 256 unit vectors around the circle.
const auto kTable = [] {
    std::vector<std::array<double, 2>> table(256);
    for (int k = 0; k < 256; ++k)
        table[k] = {std::cos(k * 6.283185307179586 / 256), std::sin(k * 6.283185307179586 / 256)};
    return table;
}();

// A hash of a lattice point to a unit gradient.
struct Gradients {
    std::uint32_t seed;
    void At(std::int32_t x, std::int32_t y, double& gx, double& gy) const {
        std::uint32_t h = seed ^ (static_cast<std::uint32_t>(x) * 0x27d4eb2dU) ^
                          (static_cast<std::uint32_t>(y) * 0x165667b1U);
        h ^= h >> 15;
        h *= 0x85ebca6bU;
        h ^= h >> 13;
        h *= 0xc2b2ae35U;
        h ^= h >> 16;
        gx = kTable[h & 255][0];
        gy = kTable[h & 255][1];
    }
};

double Fade(double t) {
    return t * t * t * (t * (t * 6 - 15) + 10);
}

// Gradient noise in about -0.7 .. 0.7.
double Noise(const Gradients& g, double x, double y) {
    const double fx = std::floor(x), fy = std::floor(y);
    const auto ix = static_cast<std::int32_t>(fx), iy = static_cast<std::int32_t>(fy);
    const double dx = x - fx, dy = y - fy;
    double corner[4];
    for (int k = 0; k < 4; ++k) {
        const int cx = k & 1, cy = k >> 1;
        double gx, gy;
        g.At(ix + cx, iy + cy, gx, gy);
        corner[k] = gx * (dx - cx) + gy * (dy - cy);
    }
    const double u = Fade(dx), v = Fade(dy);
    const double top = corner[0] + u * (corner[1] - corner[0]);
    const double bottom = corner[2] + u * (corner[3] - corner[2]);
    return top + v * (bottom - top);
}

double Fractal(const Gradients& g, double x, double y, int octaves, double gain) {
    double sum = 0, amplitude = 1, norm = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * Noise(g, x, y);
        norm += amplitude;
        amplitude *= gain;
        x = 2.03 * x + 17.1;
        y = 2.03 * y - 9.7;
    }
    return sum / norm;
}

// Sharp crests: each octave's ridges weighted by the one above, as ranges look.
double Ridged(const Gradients& g, double x, double y, int octaves) {
    double sum = 0, weight = 1, amplitude = 1, norm = 0;
    for (int o = 0; o < octaves; ++o) {
        double ridge = 1 - std::fabs(Noise(g, x, y)) * 1.4;
        ridge *= ridge;
        sum += amplitude * ridge * weight;
        norm += amplitude;
        weight = std::clamp(ridge * 1.6, 0.0, 1.0);
        amplitude *= 0.5;
        x = 2.01 * x + 3.3;
        y = 2.01 * y + 7.9;
    }
    return sum / norm;
}

bool WritePng(const std::string& path, int side, int bits, const std::vector<double>& h) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, side, side, bits, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const int top = (1 << bits) - 1;
    std::vector<std::uint8_t> row(static_cast<std::size_t>(side) * (bits / 8));
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const auto level = static_cast<int>(std::lround(h[std::size_t(y) * side + x] * top));
            if (bits == 8) {
                row[x] = static_cast<std::uint8_t>(level);
            } else {
                row[2 * x] = static_cast<std::uint8_t>(level >> 8); // PNG is big-endian
                row[2 * x + 1] = static_cast<std::uint8_t>(level & 0xFF);
            }
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4 || argc > 5) {
        std::fprintf(stderr, "usage: make-terrain SIDE BITS OUT.png [SEED]\n");
        return 2;
    }
    const int side = std::atoi(argv[1]), bits = std::atoi(argv[2]);
    if (side < 2 || side > 16384 || (bits != 8 && bits != 16)) {
        std::fprintf(stderr, "make-terrain: SIDE 2..16384, BITS 8 or 16\n");
        return 2;
    }
    const Gradients ranges{argc == 5 ? static_cast<std::uint32_t>(std::atol(argv[4])) : 7u};
    const Gradients hills{ranges.seed * 2654435761u + 1}, warp{ranges.seed * 40503u + 5};
    // The landscape spans about four mountain ranges whatever the picture's size.
    const double scale = 4.0 / side;
    const int octaves = std::max(3, static_cast<int>(std::log2(side)) - 5);
    std::vector<double> h(static_cast<std::size_t>(side) * side);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            double u = x * scale, v = y * scale;
            u += 0.35 * Fractal(warp, u * 0.7, v * 0.7, 4, 0.5);
            v += 0.35 * Fractal(warp, u * 0.7 + 31.4, v * 0.7 - 2.7, 4, 0.5);
            const double mountains = Ridged(ranges, u, v, octaves);
            const double foothills = 0.5 + Fractal(hills, u * 1.7, v * 1.7, octaves, 0.45);
            const double land = 0.75 * mountains + 0.25 * foothills;
            h[std::size_t(y) * side + x] = land;
        }
    }
    const auto [low, high] = std::minmax_element(h.begin(), h.end());
    const double lo = *low, span = *high - *low;
    constexpr double kSea = 0.06;
    for (double& value : h) {
        const double t = (value - lo) / span;
        // Broad valleys, steep peaks; below the sea's level the water is flat.
        value = std::max(kSea, std::pow(t, 1.4));
        value = (value - kSea) / (1 - kSea);
    }
    if (!WritePng(argv[3], side, bits, h)) {
        std::fprintf(stderr, "make-terrain: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
