// mesh-error: how far a height-field STL strays from the picture it was made from, measured
// at every pixel, whatever program wrote it. The STL's x and y span the picture (x along its
// rows, y up its columns, either scale), its z is a + b * level; each triangle is laid over
// the pixels it covers and compared with their levels. Faces that do not face up (walls,
// bases) are left out.
//
// Usage: mesh-error PICTURE.png MODEL.stl
// Prints: triangles, the largest error in the STL's units and as a share of the relief
// (black to white), and the pixels no triangle covers.

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Picture {
    int width = 0, height = 0, bits = 8;
    std::vector<double> levels;
};

bool ReadPng(const char* path, Picture& p) {
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr)
        return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_read_info(png, info);
    if (png_get_color_type(png, info) != PNG_COLOR_TYPE_GRAY)
        png_error(png, "not a gray picture");
    p.width = static_cast<int>(png_get_image_width(png, info));
    p.height = static_cast<int>(png_get_image_height(png, info));
    p.bits = png_get_bit_depth(png, info);
    if (p.bits < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    p.bits = std::max(p.bits, 8);
    png_read_update_info(png, info);
    std::vector<std::uint8_t> row(png_get_rowbytes(png, info));
    for (int y = 0; y < p.height; ++y) {
        png_read_row(png, row.data(), nullptr);
        for (int x = 0; x < p.width; ++x)
            p.levels.push_back(p.bits == 16 ? (row[2 * x] << 8 | row[2 * x + 1]) : row[x]);
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return true;
}

struct Corner {
    double x, y, z;
};

bool ReadStl(const char* path, std::vector<Corner>& corners) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    std::uint32_t count = 0;
    if (bytes.size() < 84)
        return false;
    std::memcpy(&count, bytes.data() + 80, 4);
    if (bytes.size() < 84 + 50 * std::size_t{count})
        return false;
    for (std::uint32_t t = 0; t < count; ++t)
        for (int k = 0; k < 3; ++k) {
            float v[3];
            std::memcpy(v, bytes.data() + 84 + 50 * std::size_t{t} + 12 + 12 * k, 12);
            corners.push_back({v[0], v[1], v[2]});
        }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    Picture p;
    std::vector<Corner> corners;
    if (argc != 3 || !ReadPng(argv[1], p) || !ReadStl(argv[2], corners)) {
        std::fprintf(stderr, "usage: mesh-error PICTURE.png MODEL.stl (gray PNG, binary STL)\n");
        return 2;
    }
    // The faces that face up are the surface; their extent is the picture's.
    std::vector<std::size_t> surface;
    double x0 = INFINITY, x1 = -INFINITY, y0 = INFINITY, y1 = -INFINITY;
    for (std::size_t t = 0; t < corners.size() / 3; ++t) {
        const Corner &a = corners[3 * t], &b = corners[3 * t + 1], &c = corners[3 * t + 2];
        if ((b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x) <= 0)
            continue;
        surface.push_back(t);
        for (const Corner* v : {&a, &b, &c}) {
            x0 = std::min(x0, v->x);
            x1 = std::max(x1, v->x);
            y0 = std::min(y0, v->y);
            y1 = std::max(y1, v->y);
        }
    }
    const auto column = [&](double x) { return std::lround((x - x0) / (x1 - x0) * (p.width - 1)); };
    const auto row = [&](double y) { return std::lround((y1 - y) / (y1 - y0) * (p.height - 1)); };
    // z = a + b * level, fitted to the vertices, which are pixels.
    double n = 0, sl = 0, sz = 0, sll = 0, slz = 0;
    for (const std::size_t t : surface)
        for (int k = 0; k < 3; ++k) {
            const Corner& v = corners[3 * t + k];
            const double level = p.levels[std::size_t(row(v.y)) * p.width + column(v.x)];
            n += 1;
            sl += level;
            sz += v.z;
            sll += level * level;
            slz += level * v.z;
        }
    const double slope = (n * slz - sl * sz) / (n * sll - sl * sl);
    const double offset = (sz - slope * sl) / n;
    std::vector<std::uint8_t> covered(p.levels.size(), 0);
    double worst = 0;
    for (const std::size_t t : surface) {
        long x[3], y[3];
        double z[3];
        for (int k = 0; k < 3; ++k) {
            x[k] = column(corners[3 * t + k].x);
            y[k] = row(corners[3 * t + k].y);
            z[k] = corners[3 * t + k].z;
        }
        // Rows run down: the triangle turns the other way on the picture.
        const long twice = (x[2] - x[0]) * (y[1] - y[0]) - (y[2] - y[0]) * (x[1] - x[0]);
        if (twice <= 0)
            continue;
        for (long yy = *std::min_element(y, y + 3); yy <= *std::max_element(y, y + 3); ++yy)
            for (long xx = *std::min_element(x, x + 3); xx <= *std::max_element(x, x + 3); ++xx) {
                long w[3];
                for (int k = 0; k < 3; ++k) {
                    const int a = (k + 2) % 3, b = (k + 1) % 3;
                    w[k] = (x[b] - x[a]) * (yy - y[a]) - (y[b] - y[a]) * (xx - x[a]);
                }
                if (w[0] < 0 || w[1] < 0 || w[2] < 0)
                    continue;
                const std::size_t s = std::size_t(yy) * p.width + xx;
                covered[s] = 1;
                const double plane = (w[0] * z[0] + w[1] * z[1] + w[2] * z[2]) / twice;
                worst = std::max(worst, std::fabs(plane - (offset + slope * p.levels[s])));
            }
    }
    const double relief = slope * ((1 << p.bits) - 1);
    std::printf("triangles %zu max-error %.6g relief-share %.6g uncovered %zu\n", surface.size(),
                worst, worst / relief,
                static_cast<std::size_t>(std::count(covered.begin(), covered.end(), 0)));
    return 0;
}
