#pragma once
// The natural logarithm and exponential from +, -, * and / alone, which every machine rounds
// alike: the C libraries' log and exp may differ in the last bit, and a budget's tries are
// aimed by them, so the same picture would give a different file in the browser than here.
// Accurate to about 1e-15 relative, more than aiming needs.

#include <cmath>

inline constexpr double kPortableLn2 = 0.6931471805599453;

// x > 0 (else -infinity or NaN, as log gives).
inline double PortableLog(double x) {
    if (!(x > 0))
        return x == 0 ? -INFINITY : NAN;
    if (std::isinf(x))
        return x;
    int exponent = 0;
    const double m = std::frexp(x, &exponent) * 2; // 1 <= m < 2
    // log m = 2 atanh z, z = (m - 1) / (m + 1) < 1/3: each term a ninth of the one before.
    const double z = (m - 1) / (m + 1), z2 = z * z;
    double power = z, sum = 0;
    for (int k = 1; k <= 35; k += 2) {
        sum += power / k;
        power *= z2;
    }
    return 2 * sum + (exponent - 1) * kPortableLn2;
}

inline double PortableExp(double x) {
    if (std::isnan(x) || x > 709.7)
        return x > 0 ? INFINITY : x;
    if (x < -745.2)
        return 0;
    // x = k ln 2 + r, |r| <= ln 2 / 2: a short Taylor series, scaled by 2^k.
    const double k = std::floor(x / kPortableLn2 + 0.5);
    const double r = x - k * kPortableLn2;
    double term = 1, sum = 1;
    for (int n = 1; n <= 20; ++n) {
        term *= r / n;
        sum += term;
    }
    return std::ldexp(sum, static_cast<int>(k));
}

// base > 0.
inline double PortablePow(double base, double power) {
    return PortableExp(power * PortableLog(base));
}
