#include "simplify/TriangleScan.h"

#include <algorithm>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// The column where an edge crosses each row, walked one row at a time with no division: it
// is whole + rest / dy, 0 <= rest < dy.
class EdgeWalk {
  public:
    // The edge from `from` to `to` (from.y < to.y), at row y.
    EdgeWalk(GridPoint from, GridPoint to, std::int64_t y) : dy_(to.y - from.y) {
        const std::int64_t dx = to.x - from.x;
        stepWhole_ = Floor(dx, dy_);
        stepRest_ = dx - stepWhole_ * dy_;
        const std::int64_t n = (y - from.y) * dx;
        whole_ = Floor(n, dy_);
        rest_ = n - whole_ * dy_;
        whole_ += from.x;
    }
    void Step() {
        whole_ += stepWhole_;
        rest_ += stepRest_;
        if (rest_ >= dy_) {
            ++whole_;
            rest_ -= dy_;
        }
    }
    std::int64_t Down() const { return whole_; }             // the last column on or left of it
    std::int64_t Up() const { return whole_ + (rest_ > 0); } // the first on or right of it

  private:
    static std::int64_t Floor(std::int64_t n, std::int64_t d) {
        return n >= 0 ? n / d : -((-n + d - 1) / d);
    }
    std::int64_t dy_, stepWhole_ = 0, stepRest_ = 0, whole_ = 0, rest_ = 0;
};

// The triangle's plane scaled by twice its area: at (x, y) the plane is (px x + py y + p0) / d.
// With whole heights and grid coordinates every product is a whole number well below 2^53, so
// the doubles are exact.
struct Setup {
    GridPoint p[3];
    double d, px, py, p0;
};

Setup MakeSetup(const HeightGrid& grid, std::uint32_t s0, std::uint32_t s1, std::uint32_t s2) {
    Setup s;
    const std::uint32_t samples[3] = {s0, s1, s2};
    for (int k = 0; k < 3; ++k)
        s.p[k] = PointOf(grid, samples[k]);
    s.d = static_cast<double>(Turn(s.p[0], s.p[1], s.p[2]));
    s.px = s.py = s.p0 = 0;
    for (int k = 0; k < 3; ++k) {
        // The edge opposite corner k weighs corner k: d at the corner, 0 on the edge.
        const GridPoint& from = s.p[(k + 1) % 3];
        const GridPoint& to = s.p[(k + 2) % 3];
        const std::int64_t ex = to.x - from.x, ey = to.y - from.y;
        const double h = grid.At(samples[k]);
        s.px += static_cast<double>(-ey) * h;
        s.py += static_cast<double>(ex) * h;
        s.p0 += static_cast<double>(ey * from.x - ex * from.y) * h;
    }
    return s;
}

// Calls visit(y, first, last) for each row with samples inside (edges included), top down;
// stops when visit returns false.
template <class Visit> void ForEachSpan(const Setup& s, Visit visit) {
    GridPoint top = s.p[0], middle = s.p[1], bottom = s.p[2];
    if (middle.y < top.y)
        std::swap(middle, top);
    if (bottom.y < top.y)
        std::swap(bottom, top);
    if (bottom.y < middle.y)
        std::swap(bottom, middle);
    if (top.y == bottom.y)
        return;
    // Whether the corner between top and bottom lies left of the long edge.
    const bool middleLeft = Turn(top, bottom, middle) > 0;
    EdgeWalk longEdge(top, bottom, top.y);
    const auto span = [&](std::int64_t y, std::int64_t shortUp, std::int64_t shortDown) {
        const std::int64_t first = middleLeft ? shortUp : longEdge.Up();
        const std::int64_t last = middleLeft ? longEdge.Down() : shortDown;
        longEdge.Step();
        return first > last || visit(y, first, last);
    };
    std::int64_t y = top.y;
    if (middle.y > top.y) {
        for (EdgeWalk upper(top, middle, y); y < middle.y; ++y, upper.Step())
            if (!span(y, upper.Up(), upper.Down()))
                return;
    }
    if (bottom.y == middle.y) {
        span(y, middle.x, middle.x);
        return;
    }
    for (EdgeWalk lower(middle, bottom, y); y <= bottom.y; ++y, lower.Step())
        if (!span(y, lower.Up(), lower.Down()))
            return;
}

// The lowest and highest d * height - px * x along a span; the error numerators are their
// distances from py * y + p0.
struct SpanRange {
    double low, high;
};

SpanRange RangeOf(const float* row, std::int64_t first, std::int64_t last, double d, double px) {
    double low = INFINITY, high = -INFINITY;
    std::int64_t x = first;
#if defined(__SSE2__)
    // Two samples at a time; the same products and differences as one at a time.
    if (last - first >= 3) {
        const __m128d dd = _mm_set1_pd(d), pp = _mm_set1_pd(px), two = _mm_set1_pd(2.0);
        __m128d xs = _mm_set_pd(static_cast<double>(x + 1), static_cast<double>(x));
        __m128d lows = _mm_set1_pd(INFINITY), highs = _mm_set1_pd(-INFINITY);
        for (; x + 1 <= last; x += 2) {
            const __m128 pair =
                _mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + x)));
            const __m128d v = _mm_sub_pd(_mm_mul_pd(dd, _mm_cvtps_pd(pair)), _mm_mul_pd(pp, xs));
            lows = _mm_min_pd(lows, v);
            highs = _mm_max_pd(highs, v);
            xs = _mm_add_pd(xs, two);
        }
        low = std::min(_mm_cvtsd_f64(lows), _mm_cvtsd_f64(_mm_unpackhi_pd(lows, lows)));
        high = std::max(_mm_cvtsd_f64(highs), _mm_cvtsd_f64(_mm_unpackhi_pd(highs, highs)));
    }
#endif
    for (; x <= last; ++x) {
        const double v = d * row[x] - px * static_cast<double>(x);
        low = std::min(low, v);
        high = std::max(high, v);
    }
    return {low, high};
}

} // namespace

ScanResult ScanTriangle(const HeightGrid& grid, std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    const Setup s = MakeSetup(grid, a, b, c);
    double worst = -1;
    std::int64_t worstY = s.p[0].y, worstFirst = s.p[0].x, worstLast = s.p[0].x;
    ForEachSpan(s, [&](std::int64_t y, std::int64_t first, std::int64_t last) {
        const float* row = grid.heights + static_cast<std::size_t>(y) * grid.cols;
        const double base = s.py * static_cast<double>(y) + s.p0;
        const SpanRange range = RangeOf(row, first, last, s.d, s.px);
        const double error = std::max(range.high - base, base - range.low);
        if (error > worst) {
            worst = error;
            worstY = y;
            worstFirst = first;
            worstLast = last;
        }
        return true;
    });
    // The sample itself, from the row where the worst was found.
    const float* row = grid.heights + static_cast<std::size_t>(worstY) * grid.cols;
    const double base = s.py * static_cast<double>(worstY) + s.p0;
    std::int64_t worstX = worstFirst;
    for (std::int64_t x = worstFirst; x <= worstLast; ++x) {
        const double v = s.d * row[x] - s.px * static_cast<double>(x);
        if (std::fabs(v - base) == worst) {
            worstX = x;
            break;
        }
    }
    ScanResult result;
    result.error = worst > 0 ? worst / s.d : 0;
    result.worst =
        grid.Sample(static_cast<std::uint32_t>(worstY), static_cast<std::uint32_t>(worstX));
    return result;
}

bool TriangleWithin(const HeightGrid& grid, std::uint32_t a, std::uint32_t b, std::uint32_t c,
                    double limit) {
    const Setup s = MakeSetup(grid, a, b, c);
    const double allowed = limit * s.d;
    bool within = true;
    ForEachSpan(s, [&](std::int64_t y, std::int64_t first, std::int64_t last) {
        const float* row = grid.heights + static_cast<std::size_t>(y) * grid.cols;
        const double base = s.py * static_cast<double>(y) + s.p0;
        const SpanRange range = RangeOf(row, first, last, s.d, s.px);
        within = range.high - base <= allowed && base - range.low <= allowed;
        return within;
    });
    return within;
}
