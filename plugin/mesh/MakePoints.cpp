#include "plugin/mesh/MakePoints.h"

#include "plugin/mesh/ComputeBounds.h"

#include <cmath>
#include <cstddef>
#include <vector>

namespace {

constexpr float kTwoPi = 6.2831855f;
constexpr float kPi = 3.1415927f;

struct PointArrays {
    float* x;
    float* y;
    float* z;
    std::uint8_t* solid;
};

PointArrays Points(const MeshBuffers& b) {
    return {b.pointX, b.pointY, b.pointZ, b.solidFlags};
}

double HeightStep(const MeshSettings& s) {
    return double{s.MapAlt} * double{s.ModelScale} / 256.0;
}

void MakeRectangular(const MeshSettings& s, const MeshBuffers& b) {
    const std::uint32_t rows = s.meshRows, cols = s.meshCols;
    const double step = double{s.ModelScale} * 100.0 / cols;
    const double hs = HeightStep(s);
    const int ci = cols >> 1, ri = rows >> 1;
    const PointArrays p = Points(b);
    for (std::uint32_t r = 0; r < rows; ++r) {
        const float y = static_cast<float>((ri - static_cast<int>(r)) * step);
        const std::uint8_t* gray = b.grayGrid + std::size_t{r} * cols;
        const std::size_t base = std::size_t{r} * cols;
        for (std::uint32_t c = 0; c < cols; ++c) {
            const std::uint8_t g = gray[c];
            p.x[base + c] = static_cast<float>((static_cast<int>(c) - ci) * step);
            p.y[base + c] = y;
            p.z[base + c] = static_cast<float>((255 - g) * hs);
            p.solid[base + c] = g != 0;
        }
    }
}

// sin and cos of theta_0..theta_cols, theta_k summed in single precision.
struct AngleTable {
    std::vector<double> sin, cos;
};

AngleTable LongitudeTable(std::uint32_t cols) {
    AngleTable table{std::vector<double>(cols + 1), std::vector<double>(cols + 1)};
    const float step = kTwoPi / static_cast<float>(cols);
    float theta = 0.0f;
    for (std::uint32_t k = 0; k <= cols; ++k) {
        table.sin[k] = std::sin(double{theta});
        table.cos[k] = std::cos(double{theta});
        theta += step;
    }
    return table;
}

// Gray of point (r, k) of a seamed row: the seam point repeats column 0.
std::uint8_t SeamGray(const MeshBuffers& b, std::uint32_t cols, std::uint32_t r, std::uint32_t k) {
    return b.grayGrid[std::size_t{r} * cols + (k == cols ? 0 : k)];
}

void MakeCylindrical(const MeshSettings& s, const MeshBuffers& b) {
    const std::uint32_t rows = s.meshRows, cols = s.meshCols, perRow = cols + 1;
    const AngleTable angle = LongitudeTable(cols);
    const double t = double{s.ModelScale} * double{s.CylLen} / rows;
    const double hs = HeightStep(s);
    const double offset = double{s.RadOff} * double{s.ModelScale};
    const int ri = rows >> 1;
    const PointArrays p = Points(b);
    for (std::uint32_t r = 0; r < rows; ++r) {
        const float y = static_cast<float>((ri - static_cast<int>(r)) * t);
        const std::size_t base = std::size_t{r} * perRow;
        for (std::uint32_t k = 0; k < perRow; ++k) {
            const std::uint8_t g = SeamGray(b, cols, r, k);
            const double radius = g * hs + offset;
            p.x[base + k] = static_cast<float>(-radius * angle.sin[k]);
            p.y[base + k] = y;
            p.z[base + k] = static_cast<float>(radius * angle.cos[k]);
            p.solid[base + k] = g != 0;
        }
    }
}

void MakeSpherical(const MeshSettings& s, const MeshBuffers& b) {
    const std::uint32_t rows = s.meshRows, cols = s.meshCols, perRow = cols + 1;
    const AngleTable angle = LongitudeTable(cols);
    // A single row has no latitude step: it lies on the top pole.
    const float latitudeStep = rows > 1 ? kPi / static_cast<float>(rows - 1) : 0.0f;
    const double hs = HeightStep(s);
    const double offset = double{s.RadOff} * double{s.ModelScale};
    const PointArrays p = Points(b);
    float phi = 0.0f;
    for (std::uint32_t r = 0; r < rows; ++r) {
        const double sinPhi = static_cast<float>(std::sin(double{phi}));
        const double cosPhi = static_cast<float>(std::cos(double{phi}));
        const std::size_t base = std::size_t{r} * perRow;
        for (std::uint32_t k = 0; k < perRow; ++k) {
            const std::uint8_t g = SeamGray(b, cols, r, k);
            const double radius = g * hs + offset;
            p.x[base + k] = static_cast<float>(-radius * angle.sin[k] * sinPhi);
            p.y[base + k] = static_cast<float>(radius * cosPhi);
            p.z[base + k] = static_cast<float>(angle.cos[k] * sinPhi * radius);
            p.solid[base + k] = g != 0;
        }
        phi += latitudeStep;
    }
}

} // namespace

void MakePoints(MeshSettings& settings, MeshBuffers& buffers) {
    if (settings.meshRows != 0 && settings.meshCols != 0) {
        if (settings.Meshtype == kCylindrical)
            MakeCylindrical(settings, buffers);
        else if (settings.Meshtype == kSpherical)
            MakeSpherical(settings, buffers);
        else
            MakeRectangular(settings, buffers);
    }
    ComputeBounds(settings, buffers);
}
