#include "plugin/mesh/PointRows.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

constexpr float kTwoPi = 6.2831855f;
constexpr float kPi = 3.1415927f;

// A sample as the gray it stands for: 8-bit gray stays a whole number, so its arithmetic is
// the integer one it always was.
int GrayOf(std::uint8_t gray) {
    return gray;
}
double GrayOf(std::uint16_t level) {
    return level / 257.0;
}

} // namespace

double PointReach(const MeshSettings& s) {
    // Row and column offsets from the middle point reach at most half the grid, rounded up.
    const double scale = std::fabs(double{s.ModelScale});
    const double halfRows = std::floor(s.meshRows / 2.0) + 1.0;
    const double halfCols = std::floor(s.meshCols / 2.0) + 1.0;
    const double height = std::fabs(double{s.MapAlt}) * scale; // 256 height steps
    double reach = 0;
    if (s.Meshtype == kCylindrical || s.Meshtype == kSpherical) {
        const double radius = height + std::fabs(double{s.RadOff}) * scale;
        const double rowStep = scale * std::fabs(double{s.CylLen}) / std::max(1, int{s.meshRows});
        reach = std::max(radius, s.Meshtype == kCylindrical ? halfRows * rowStep : 0.0);
    } else {
        const double step = scale * 100.0 / std::max(1, int{s.meshCols});
        reach = std::max({height, halfRows * step, halfCols * step});
    }
    // Room for the float arithmetic's rounding on the way.
    return reach * (1.0 + 1e-5) + 1e-3;
}

PointRowMaker::PointRowMaker(const MeshSettings& s, bool asExported)
    : meshType_(s.Meshtype), rows_(s.meshRows), cols_(s.meshCols),
      heightStep_(double{s.MapAlt} * double{s.ModelScale} / 256.0),
      offset_(double{s.RadOff} * double{s.ModelScale}), step_(0),
      turnOver_(asExported && s.Meshtype == kRectangular), top_(ExportTop(s)) {
    if (rows_ == 0 || cols_ == 0)
        return;
    if (meshType_ != kCylindrical && meshType_ != kSpherical) {
        step_ = double{s.ModelScale} * 100.0 / cols_;
        return;
    }
    step_ = double{s.ModelScale} * double{s.CylLen} / rows_;
    // Longitudes and latitudes are summed in single precision, as they always were.
    sin_.resize(cols_ + 1);
    cos_.resize(cols_ + 1);
    const float longitudeStep = kTwoPi / static_cast<float>(cols_);
    float theta = 0.0f;
    for (std::uint32_t k = 0; k <= cols_; ++k) {
        sin_[k] = std::sin(double{theta});
        cos_[k] = std::cos(double{theta});
        theta += longitudeStep;
    }
    if (meshType_ == kSpherical) {
        // A single row has no latitude step: it lies on the top pole.
        const float latitudeStep = rows_ > 1 ? kPi / static_cast<float>(rows_ - 1) : 0.0f;
        latitude_.resize(rows_);
        float phi = 0.0f;
        for (float& row : latitude_) {
            row = phi;
            phi += latitudeStep;
        }
    }
}

void PointRowMaker::Make(std::uint32_t r, const std::uint8_t* gray, const PointRowSpan& out) const {
    MakeAny(r, gray, out);
}

void PointRowMaker::Make(std::uint32_t r, const std::uint16_t* levels,
                         const PointRowSpan& out) const {
    MakeAny(r, levels, out);
}

template <typename Level>
void PointRowMaker::MakeAny(std::uint32_t r, const Level* gray, const PointRowSpan& out) const {
    if (meshType_ == kCylindrical || meshType_ == kSpherical)
        MakeRound(r, gray, out);
    else
        MakeRectangular(r, gray, out);
}

// Black is highest as made; turned over for export.
template <typename Level>
FlatPoint PointRowMaker::Flat(std::uint32_t r, std::uint32_t c, Level g) const {
    const int ci = static_cast<int>(cols_ >> 1), ri = static_cast<int>(rows_ >> 1);
    const float z = static_cast<float>((255 - GrayOf(g)) * heightStep_);
    return {static_cast<float>((static_cast<int>(c) - ci) * step_),
            static_cast<float>((ri - static_cast<int>(r)) * step_),
            turnOver_ ? TurnedOver(top_, z) : z};
}

template <typename Level>
void PointRowMaker::MakeRectangular(std::uint32_t r, const Level* gray,
                                    const PointRowSpan& out) const {
    for (std::uint32_t c = 0; c < cols_; ++c) {
        const FlatPoint p = Flat(r, c, gray[c]);
        out.x[c] = p.x;
        out.y[c] = p.y;
        out.z[c] = p.z;
        out.solid[c] = gray[c] != 0;
    }
}

FlatPoint PointRowMaker::MakeFlat(std::uint32_t r, std::uint32_t c, std::uint8_t gray) const {
    return Flat(r, c, gray);
}

FlatPoint PointRowMaker::MakeFlat(std::uint32_t r, std::uint32_t c, std::uint16_t level) const {
    return Flat(r, c, level);
}

// Bright pixels push outward; the last point of the row repeats column 0.
template <typename Level>
void PointRowMaker::MakeRound(std::uint32_t r, const Level* gray, const PointRowSpan& out) const {
    const bool sphere = meshType_ == kSpherical;
    double sinPhi = 1.0, cosPhi = 0.0, y = 0.0;
    if (sphere) {
        sinPhi = static_cast<float>(std::sin(double{latitude_[r]}));
        cosPhi = static_cast<float>(std::cos(double{latitude_[r]}));
    } else {
        y = static_cast<float>((static_cast<int>(rows_ >> 1) - static_cast<int>(r)) * step_);
    }
    for (std::uint32_t k = 0; k <= cols_; ++k) {
        const Level g = gray[k == cols_ ? 0 : k];
        const double radius = GrayOf(g) * heightStep_ + offset_;
        if (sphere) {
            out.x[k] = static_cast<float>(-radius * sin_[k] * sinPhi);
            out.y[k] = static_cast<float>(radius * cosPhi);
            out.z[k] = static_cast<float>(cos_[k] * sinPhi * radius);
        } else {
            out.x[k] = static_cast<float>(-radius * sin_[k]);
            out.y[k] = static_cast<float>(y);
            out.z[k] = static_cast<float>(radius * cos_[k]);
        }
        out.solid[k] = g != 0;
    }
}
