#include "plugin/preview/SoftwareSurface.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr std::uint8_t kWhite = 255;
constexpr std::uint8_t kPenGray = 0;

// Corners outside the 16-bit canvas range cannot come from the renderers; clamping keeps
// the edge arithmetic below within 64 bits.
CanvasPoint Clamp16(CanvasPoint p) {
    return {std::clamp(p.x, -32768, 32767), std::clamp(p.y, -32768, 32767)};
}

// Smallest integer not below num / den, for den > 0.
std::int64_t CeilDiv(std::int64_t num, std::int64_t den) {
    const std::int64_t q = num / den;
    return q + (num % den != 0 && num > 0 ? 1 : 0);
}

} // namespace

SoftwareSurface::SoftwareSurface(int width, int height)
    : width_(std::clamp(width, 0, kMaxSide)), height_(std::clamp(height, 0, kMaxSide)),
      pixels_(std::size_t(width_) * height_, kWhite) {}

Pen SoftwareSurface::SelectPen(Pen pen) {
    const Pen previous = pen_;
    pen_ = pen;
    return previous;
}

void SoftwareSurface::FillWhite() {
    std::fill(pixels_.begin(), pixels_.end(), kWhite);
}

void SoftwareSurface::FillPolygon(const CanvasPoint (&corners)[4], int paletteIndex) {
    const auto gray = static_cast<std::uint8_t>(4 * std::clamp(paletteIndex, 0, 63));
    CanvasPoint p[4];
    for (int i = 0; i < 4; ++i)
        p[i] = Clamp16(corners[i]);
    const auto [low, high] = std::minmax({p[0].y, p[1].y, p[2].y, p[3].y});
    const int yBegin = std::max(low, 0);
    const int yEnd = std::min(high, height_);
    for (int y = yBegin; y < yEnd; ++y) {
        // Each edge covers the rows from its upper end up to, not including, its lower end.
        std::int64_t crossings[4];
        int n = 0;
        for (int i = 0; i < 4; ++i) {
            CanvasPoint a = p[i], b = p[(i + 1) % 4];
            if (a.y > b.y)
                std::swap(a, b);
            if (y < a.y || y >= b.y)
                continue;
            crossings[n++] = a.x + CeilDiv(std::int64_t(y - a.y) * (b.x - a.x), b.y - a.y);
        }
        for (int i = 1; i < n; ++i) // at most four: insertion sort
            for (int j = i; j > 0 && crossings[j - 1] > crossings[j]; --j)
                std::swap(crossings[j - 1], crossings[j]);
        std::uint8_t* row = pixels_.data() + std::size_t(y) * width_;
        for (int k = 0; k + 1 < n; k += 2) {
            const std::int64_t x0 = std::max<std::int64_t>(crossings[k], 0);
            const std::int64_t x1 = std::min<std::int64_t>(crossings[k + 1], width_);
            if (x0 < x1)
                std::fill(row + x0, row + x1, gray);
        }
    }
    if (pen_ == Pen::None)
        return;
    for (int i = 0; i < 4; ++i)
        Segment(p[i], p[(i + 1) % 4]);
}

void SoftwareSurface::Polyline(const CanvasPoint* points, std::size_t count) {
    for (std::size_t i = 1; i < count; ++i)
        Segment(Clamp16(points[i - 1]), Clamp16(points[i]));
}

void SoftwareSurface::Line(CanvasPoint from, CanvasPoint to) {
    Segment(Clamp16(from), Clamp16(to));
}

void SoftwareSurface::Plot(int x, int y) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    std::uint8_t& pixel = pixels_[std::size_t(y) * width_ + x];
    pixel = mode_ == RasterMode::Copy ? kPenGray : static_cast<std::uint8_t>(~(kPenGray ^ pixel));
}

// Bresenham from a towards b; b itself is left out, so joined segments meet without
// drawing their shared point twice.
void SoftwareSurface::Segment(CanvasPoint a, CanvasPoint b) {
    if (pen_ == Pen::None)
        return;
    if (std::max(a.x, b.x) < 0 || std::min(a.x, b.x) >= width_ || std::max(a.y, b.y) < 0 ||
        std::min(a.y, b.y) >= height_)
        return;
    const int dx = std::abs(b.x - a.x), dy = std::abs(b.y - a.y);
    const int sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
    int err = dx - dy;
    int x = a.x, y = a.y;
    for (int step = std::max(dx, dy); step > 0; --step) {
        Plot(x, y);
        const int twice = 2 * err;
        if (twice > -dy) {
            err -= dy;
            x += sx;
        }
        if (twice < dx) {
            err += dx;
            y += sy;
        }
    }
}
