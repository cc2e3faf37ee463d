#include "triangles/FacetNormal.h"

#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#include <xmmintrin.h>
#endif

Vertex FacetNormalInDouble(const Vertex& a, const Vertex& b, const Vertex& c) {
    const double ux = double(b.x) - a.x, uy = double(b.y) - a.y, uz = double(b.z) - a.z;
    const double vx = double(c.x) - a.x, vy = double(c.y) - a.y, vz = double(c.z) - a.z;
    const double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
    const double length = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (!(length > 0.0) || !std::isfinite(length))
        return {0.0f, 0.0f, 0.0f};
    return {float(nx / length), float(ny / length), float(nz / length)};
}

#if defined(__SSE2__)

void FacetNormals(const Vertex* corners, std::size_t count, Vertex* normals) {
    // A square root and a division per triangle are most of a binary STL's arithmetic; the
    // same operations on four lanes give the same floats a quarter as often.
    static_assert(sizeof(Vertex) == 12, "three floats, no padding");
    const __m128 smallest = _mm_set1_ps(kSmallestSafeSquare);
    const __m128 largest = _mm_set1_ps(kLargestSafeSquare);
    std::size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        // Four triangles of nine floats each, turned so that each register holds one of the
        // nine for all four: a.x a.y a.z b.x, then b.y b.z c.x c.y, then c.z.
        const float* f = &corners[3 * i].x;
        __m128 ax = _mm_loadu_ps(f), ay = _mm_loadu_ps(f + 9), az = _mm_loadu_ps(f + 18),
               bx = _mm_loadu_ps(f + 27);
        _MM_TRANSPOSE4_PS(ax, ay, az, bx);
        __m128 by = _mm_loadu_ps(f + 4), bz = _mm_loadu_ps(f + 13), cx = _mm_loadu_ps(f + 22),
               cy = _mm_loadu_ps(f + 31);
        _MM_TRANSPOSE4_PS(by, bz, cx, cy);
        const __m128 cz = _mm_setr_ps(f[8], f[17], f[26], f[35]);
        const __m128 ux = _mm_sub_ps(bx, ax), uy = _mm_sub_ps(by, ay), uz = _mm_sub_ps(bz, az);
        const __m128 vx = _mm_sub_ps(cx, ax), vy = _mm_sub_ps(cy, ay), vz = _mm_sub_ps(cz, az);
        __m128 nx = _mm_sub_ps(_mm_mul_ps(uy, vz), _mm_mul_ps(uz, vy));
        __m128 ny = _mm_sub_ps(_mm_mul_ps(uz, vx), _mm_mul_ps(ux, vz));
        __m128 nz = _mm_sub_ps(_mm_mul_ps(ux, vy), _mm_mul_ps(uy, vx));
        const __m128 square =
            _mm_add_ps(_mm_add_ps(_mm_mul_ps(nx, nx), _mm_mul_ps(ny, ny)), _mm_mul_ps(nz, nz));
        const __m128 scale = _mm_div_ps(_mm_set1_ps(1.0f), _mm_sqrt_ps(square));
        nx = _mm_mul_ps(nx, scale);
        ny = _mm_mul_ps(ny, scale);
        nz = _mm_mul_ps(nz, scale);
        __m128 spare = _mm_setzero_ps();
        _MM_TRANSPOSE4_PS(nx, ny, nz, spare);
        // Back to one normal a register: x y z and a spare lane, overwritten by the next.
        float* out = &normals[i].x;
        _mm_storeu_ps(out, nx);
        _mm_storeu_ps(out + 3, ny);
        _mm_storeu_ps(out + 6, nz);
        _mm_storel_pi(reinterpret_cast<__m64*>(out + 9), spare);
        out[11] = _mm_cvtss_f32(_mm_shuffle_ps(spare, spare, _MM_SHUFFLE(2, 2, 2, 2)));
        const int safe = _mm_movemask_ps(
            _mm_and_ps(_mm_cmpgt_ps(square, smallest), _mm_cmplt_ps(square, largest)));
        if (safe != 0xF)
            for (std::size_t k = 0; k < 4; ++k)
                if ((safe & (1 << k)) == 0)
                    normals[i + k] = FacetNormal(corners[3 * (i + k)], corners[3 * (i + k) + 1],
                                                 corners[3 * (i + k) + 2]);
    }
    for (; i < count; ++i)
        normals[i] = FacetNormal(corners[3 * i], corners[3 * i + 1], corners[3 * i + 2]);
}

#else

void FacetNormals(const Vertex* corners, std::size_t count, Vertex* normals) {
    for (std::size_t i = 0; i < count; ++i)
        normals[i] = FacetNormal(corners[3 * i], corners[3 * i + 1], corners[3 * i + 2]);
}

#endif
