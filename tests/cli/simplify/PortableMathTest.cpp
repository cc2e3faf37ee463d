// The portable logarithm and exponential agree with the C library's to far better than the
// budget's aiming needs, over the whole range it meets.

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "simplify/PortableMath.h"

namespace {

TEST(PortableMath, LogAndExpAgreeWithTheLibrarysOverManyMagnitudes) {
    std::mt19937_64 random(21);
    std::uniform_real_distribution<double> exponent(-300, 300), mantissa(1, 10);
    for (int i = 0; i < 200000; ++i) {
        const double x = mantissa(random) * std::pow(10.0, exponent(random));
        const double log = PortableLog(x);
        EXPECT_NEAR(log, std::log(x), 1e-14 * std::max(1.0, std::fabs(std::log(x)))) << x;
        const double y = exponent(random) * 2.3;
        EXPECT_NEAR(PortableExp(y) / std::exp(y), 1, 1e-13) << y;
    }
    EXPECT_EQ(PortableLog(1), 0);
    EXPECT_EQ(PortableExp(0), 1);
    EXPECT_EQ(PortableLog(0), -INFINITY);
    EXPECT_TRUE(std::isnan(PortableLog(-1)));
    EXPECT_EQ(PortableExp(-800), 0);
    EXPECT_EQ(PortableExp(800), INFINITY);
    EXPECT_NEAR(PortablePow(0.25, 0.5), 0.5, 1e-15);
}

} // namespace
