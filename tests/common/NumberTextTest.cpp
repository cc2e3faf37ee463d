// The printf-made number texts the WebAssembly build uses must be the library's to the
// character, or the page's files would differ from the tool's.
#include <bit>
#include <charconv>
#include <cstdint>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "common/NumberText.h"

namespace {

std::string LibraryShortest(float value) {
    char text[64];
    return {text, std::to_chars(text, text + sizeof text, value).ptr};
}

std::string PrintfShortest(float value) {
    char text[64];
    return {text, PrintfText::Shortest(text, text + sizeof text, value)};
}

TEST(NumberText, ShortestFloatIsTheLibrarysForEveryKindOfFloat) {
    std::mt19937 random(7);
    for (float value : {0.0f, -0.0f, 1.0f, 0.1f, 100.0f, 1e7f, 1.5e-5f, 16777216.0f, 3.4e38f,
                        1e-45f, 0.8f, 2.2f, 25.0f, 500.0f}) {
        ASSERT_EQ(PrintfShortest(value), LibraryShortest(value));
    }
    // Bit patterns: every exponent, whole numbers, subnormals, both signs.
    for (int i = 0; i < 400000; ++i) {
        const float value = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
        if (std::isfinite(value)) {
            ASSERT_EQ(PrintfShortest(value), LibraryShortest(value)) << std::hexfloat << value;
        }
    }
}

TEST(NumberText, FixedIsTheLibrarys) {
    std::mt19937_64 random(11);
    for (int i = 0; i < 50000; ++i) {
        const double value = std::bit_cast<double>(random());
        if (!std::isfinite(value))
            continue;
        char a[400], b[400];
        const std::string ours(a, PrintfText::Fixed(a, a + sizeof a, value, 4));
        const std::string library(
            b, std::to_chars(b, b + sizeof b, value, std::chars_format::fixed, 4).ptr);
        ASSERT_EQ(ours, library);
    }
}

TEST(NumberText, ReadingAcceptsAndRefusesAsTheLibraryDoes) {
    const char* texts[] = {"0",      "-0",     "25",     "0.1", "1e5", "-2.5e-3", "1e999",
                           "-1e999", "1e-999", "1e-310", "",    "-",   "+1",      " 1",
                           "1x",     "abc",    ".5",     "5.",  "inf", "nan",     "-.5e2"};
    for (const char* text : texts) {
        const std::string s(text);
        double ours = 42, library = 42;
        const auto a = PrintfText::Read(s.data(), s.data() + s.size(), ours);
        const auto b = std::from_chars(s.data(), s.data() + s.size(), library);
        EXPECT_EQ(a.ec, b.ec) << '"' << text << '"';
        EXPECT_EQ(a.ptr - s.data(), b.ptr - s.data()) << '"' << text << '"';
        if (b.ec == std::errc() && !std::isnan(library)) {
            EXPECT_EQ(ours, library) << '"' << text << '"';
        }
    }
}

} // namespace
