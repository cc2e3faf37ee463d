#include "cli/simplify/TriangleScan.h"

#include <algorithm>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// x >= ceil(n / d) and x <= floor(n / d) for d > 0.
std::int64_t FloorDiv(std::int64_t n, std::int64_t d) {
    return n >= 0 ? n / d : -((-n + d - 1) / d);
}
std::int64_t CeilDiv(std::int64_t n, std::int64_t d) {
    return -FloorDiv(-n, d);
}

// The triangle as three edge functions (a x + b y + c >= 0 inside) and its plane scaled by
// twice its area: at (x, y) the plane is (px x + py y + p0) / d. With whole heights and grid
// coordinates every product is a whole number well below 2^53, so the doubles are exact.
struct Setup {
    GridPoint p[3];
    std::int64_t a[3], b[3], c[3];
    double d, px, py, p0;
    std::int64_t xLow, xHigh, yLow, yHigh;
};

Setup MakeSetup(const HeightGrid& grid, std::uint32_t s0, std::uint32_t s1, std::uint32_t s2) {
    Setup s;
    const std::uint32_t samples[3] = {s0, s1, s2};
    for (int k = 0; k < 3; ++k)
        s.p[k] = PointOf(grid, samples[k]);
    s.d = static_cast<double>(Turn(s.p[0], s.p[1], s.p[2]));
    s.px = s.py = s.p0 = 0;
    for (int k = 0; k < 3; ++k) {
        // The edge opposite corner k, from corner k+1 to corner k+2: its function is the
        // weight of corner k, d at the corner and 0 on the edge.
        const GridPoint& from = s.p[(k + 1) % 3];
        const GridPoint& to = s.p[(k + 2) % 3];
        const std::int64_t ex = to.x - from.x, ey = to.y - from.y;
        s.a[k] = -ey;
        s.b[k] = ex;
        s.c[k] = ey * from.x - ex * from.y;
        const double h = grid.At(samples[k]);
        s.px += static_cast<double>(s.a[k]) * h;
        s.py += static_cast<double>(s.b[k]) * h;
        s.p0 += static_cast<double>(s.c[k]) * h;
    }
    s.xLow = std::min({s.p[0].x, s.p[1].x, s.p[2].x});
    s.xHigh = std::max({s.p[0].x, s.p[1].x, s.p[2].x});
    s.yLow = std::min({s.p[0].y, s.p[1].y, s.p[2].y});
    s.yHigh = std::max({s.p[0].y, s.p[1].y, s.p[2].y});
    return s;
}

// Calls visit(y, first, last) for each row with samples inside (edges included); stops when
// visit returns false.
template <class Visit> void ForEachSpan(const Setup& s, Visit visit) {
    for (std::int64_t y = s.yLow; y <= s.yHigh; ++y) {
        std::int64_t first = s.xLow, last = s.xHigh;
        for (int k = 0; k < 3; ++k) {
            const std::int64_t rest = s.b[k] * y + s.c[k];
            if (s.a[k] > 0)
                first = std::max(first, CeilDiv(-rest, s.a[k]));
            else if (s.a[k] < 0)
                last = std::min(last, FloorDiv(rest, -s.a[k]));
            else if (rest < 0)
                last = first - 1;
        }
        if (first <= last && !visit(y, first, last))
            return;
    }
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
    std::int64_t worstX = s.p[0].x, worstY = s.p[0].y;
    ForEachSpan(s, [&](std::int64_t y, std::int64_t first, std::int64_t last) {
        const float* row = grid.heights + static_cast<std::size_t>(y) * grid.cols;
        const double base = s.py * static_cast<double>(y) + s.p0;
        const SpanRange range = RangeOf(row, first, last, s.d, s.px);
        const double error = std::max(range.high - base, base - range.low);
        if (error > worst) {
            worst = error;
            for (std::int64_t x = first; x <= last; ++x) {
                const double v = s.d * row[x] - s.px * static_cast<double>(x);
                if (std::fabs(v - base) == error) {
                    worstX = x;
                    worstY = y;
                    break;
                }
            }
        }
        return true;
    });
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
