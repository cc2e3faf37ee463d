// The DXF number texts against the C library's correctly rounding printf.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>

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
