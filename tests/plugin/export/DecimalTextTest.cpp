// The DXF number texts against the C library's correctly rounding printf.

#include <gtest/gtest.h>

#include <bit>
#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "plugin/export/DecimalText.h"

namespace {

std::string Ours(float value) {
    char text[kDecimalTextMax];
    return {text, FormatFixed4(value, text)};
}

std::string Printf(float value) {
    char text[128];
    std::snprintf(text, sizeof text, "%.4f", static_cast<double>(value));
    return text;
}

TEST(DecimalText, TiesRoundToEven) {
    EXPECT_EQ(Ours(0.78125f), "0.7812");
    EXPECT_EQ(Ours(0.21875f), "0.2188");
    EXPECT_EQ(Ours(-2.00005f), Printf(-2.00005f));
    EXPECT_EQ(Ours(1.07421875f), "1.0742");
}

TEST(DecimalText, NegativeZeroKeepsItsSign) {
    EXPECT_EQ(Ours(-0.0f), "-0.0000");
    EXPECT_EQ(Ours(0.0f), "0.0000");
    EXPECT_EQ(Ours(-0.00001f), "-0.0000");
    EXPECT_EQ(Ours(-33.333332f), "-33.3333");
}

// A value lies halfway between two texts when value * 10000 = k + 1/2, i.e. value =
// (2k + 1) / (32 * 625); a float is a dyadic fraction, so 625 divides 2k + 1 and the ties
// are the odd multiples of 1/32 below 2^19: 2^23 of each sign. The negative ones are checked
// as the minus sign before the positive text (printf rounds the magnitude), and a sample of
// them against printf itself, which keeps the test quick under the sanitizers.
TEST(DecimalText, EveryExactTieMatchesPrintf) {
    char ours[kDecimalTextMax];
    char theirs[kDecimalTextMax] = "-";
    for (std::int32_t j = 1; j < (1 << 24); j += 2) {
        const float value = static_cast<float>(j) / 32.0f;
        const auto length = static_cast<std::size_t>(
            std::snprintf(theirs + 1, sizeof theirs - 1, "%.4f", double{value}));
        std::size_t size = FormatFixed4(value, ours);
        if (size != length || std::memcmp(ours, theirs + 1, size) != 0)
            FAIL() << std::string_view(ours, size) << " for " << j << "/32";
        size = FormatFixed4(-value, ours);
        if (size != length + 1 || std::memcmp(ours, theirs, size) != 0)
            FAIL() << std::string_view(ours, size) << " for -" << j << "/32";
    }
    for (std::int32_t j = 1; j < (1 << 24); j += 2 * 97)
        ASSERT_EQ(Ours(-static_cast<float>(j) / 32.0f), Printf(-static_cast<float>(j) / 32.0f));
}

TEST(DecimalText, RoundingCarriesIntoTheWholePart) {
    EXPECT_EQ(Ours(std::nextafter(1.0f, 0.0f)), "1.0000");
    EXPECT_EQ(Ours(std::nextafter(10.0f, 0.0f)), "10.0000");
    EXPECT_EQ(Ours(std::nextafter(100.0f, 0.0f)), "100.0000");
    EXPECT_EQ(Ours(std::nextafter(-512.0f, 0.0f)), "-512.0000");
    EXPECT_EQ(Ours(0.99995f), Printf(0.99995f));
    EXPECT_EQ(Ours(-99.99995f), Printf(-99.99995f));
}

// The floats around every power of ten and around 2^31, 2^32 and 1e14, where the number of
// digits, the width of the arithmetic or the way of conversion changes.
TEST(DecimalText, NeighboursOfEveryDigitCountBoundaryMatchPrintf) {
    std::vector<float> boundaries = {2147483648.0f, 4294967296.0f};
    for (int exponent = -5; exponent <= 19; ++exponent)
        boundaries.push_back(static_cast<float>(std::pow(10.0, exponent)));
    for (const float boundary : boundaries) {
        for (const float sign : {1.0f, -1.0f}) {
            float value = sign * boundary;
            for (int step = 0; step < 64; ++step)
                value = std::nextafter(value, 0.0f);
            for (int step = 0; step < 128; ++step) {
                ASSERT_EQ(Ours(value), Printf(value)) << value;
                value = std::nextafter(value, sign * INFINITY);
            }
        }
    }
}

TEST(DecimalText, HugeAndNonFiniteValuesKeepTheLibraryTexts) {
    EXPECT_EQ(Ours(3.0e38f), Printf(3.0e38f));
    EXPECT_EQ(Ours(-1.5e14f), Printf(-1.5e14f));
    EXPECT_EQ(Ours(INFINITY), "inf");
    EXPECT_EQ(Ours(-INFINITY), "-inf");
    EXPECT_EQ(Ours(NAN), "nan");
}

// A host may leave the processor in another rounding mode; the file must not change.
TEST(DecimalText, TheRoundingModeDoesNotChangeTheTexts) {
    std::vector<float> values;
    std::vector<std::string> expected;
    for (std::int32_t j = -4000; j <= 4000; ++j) {
        for (const float step : {1.0f / 32.0f, 0.1f, 1.0f / 3.0f}) {
            values.push_back(static_cast<float>(j) * step);
            expected.push_back(Printf(values.back()));
        }
    }
    for (const int mode : {FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
        ASSERT_EQ(std::fesetround(mode), 0);
        std::size_t wrong = 0;
        for (std::size_t i = 0; i < values.size(); ++i)
            wrong += Ours(values[i]) != expected[i];
        std::fesetround(FE_TONEAREST);
        EXPECT_EQ(wrong, 0u) << mode;
    }
}

TEST(DecimalText, EveryMultipleOfAStepOf1Over256MatchesPrintf) {
    for (int i = -300000; i <= 300000; ++i) {
        const float value = static_cast<float>(i) / 256.0f;
        ASSERT_EQ(Ours(value), Printf(value)) << i;
    }
}

TEST(DecimalText, RandomFloatsOfEveryMagnitudeMatchPrintf) {
    std::mt19937 rng(42);
    for (int i = 0; i < 2000000; ++i) {
        const float value = std::bit_cast<float>(static_cast<std::uint32_t>(rng()));
        if (std::isnan(value))
            continue;
        ASSERT_EQ(Ours(value), Printf(value)) << std::bit_cast<std::uint32_t>(value);
    }
}

TEST(DecimalText, IntegersArePlainDecimals) {
    char text[kDecimalTextMax];
    EXPECT_EQ(std::string(text, FormatInteger(0, text)), "0");
    EXPECT_EQ(std::string(text, FormatInteger(32767, text)), "32767");
    EXPECT_EQ(std::string(text, FormatInteger(-12, text)), "-12");
}

} // namespace
