#include "plugin/export/DecimalText.h"
#include "common/NumberText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <type_traits>

namespace {

// Below this magnitude the integer part fits an int64 with room to spare.
constexpr double kFastLimit = 1e14;
// Below this one it fits an int32, whose arithmetic is cheaper (no library calls for 64-bit
// division in the 32-bit build).
constexpr double kInt32Limit = 2147483648.0;

constexpr std::int32_t kFractionScale = 10000;

// The two decimal digits of every number below 100.
constexpr auto kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (int i = 0; i < 100; ++i) {
        pairs[2 * i] = static_cast<char>('0' + i / 10);
        pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

void PutPair(char* p, std::uint32_t pair) {
    std::memcpy(p, kDigitPairs.data() + 2 * pair, 2);
}

template <typename Unsigned> int DecimalLength(Unsigned value) {
    int length = 1;
    for (; value >= 10000; value /= 10000)
        length += 4;
    return length + (value >= 10) + (value >= 100) + (value >= 1000);
}

// Writes value and returns its end; may write one character more, past the end. Below 100
// (most coordinates) without a branch on the number of digits.
template <typename Unsigned> char* PutWhole(Unsigned value, char* p) {
    if (value < 100) {
        std::memcpy(p, kDigitPairs.data() + 2 * value + (value < 10), 2);
        return p + 1 + (value >= 10);
    }
    char* const end = p + DecimalLength(value);
    char* q = end;
    for (; value >= 100; value /= 100) {
        q -= 2;
        PutPair(q, static_cast<std::uint32_t>(value % 100));
    }
    if (value >= 10)
        PutPair(q - 2, static_cast<std::uint32_t>(value));
    else
        q[-1] = static_cast<char>('0' + value);
    return end;
}

// magnitude is a float's, not negative and below the largest Signed. Every step is exact, so
// the text does not depend on the rounding mode: the integer part and the rest of a float
// are floats, and the rest times 10000 = 625 * 16 needs at most 24 + 10 bits.
template <typename Signed> char* PutFixed4(double magnitude, char* p) {
    using Unsigned = std::make_unsigned_t<Signed>;
    auto whole = static_cast<Signed>(magnitude);
    const double scaled = (magnitude - static_cast<double>(whole)) * kFractionScale;
    auto fraction = static_cast<std::int32_t>(scaled);
    const double rest = scaled - fraction;
    // Ties to even; the parity of fraction is that of the whole scaled value.
    fraction += rest > 0.5;
    fraction += (rest == 0.5) & fraction;
    if (fraction == kFractionScale) [[unlikely]] {
        ++whole;
        fraction = 0;
    }
    p = PutWhole(static_cast<Unsigned>(whole), p);
    *p = '.';
    const auto hundreds = static_cast<std::uint32_t>(fraction) / 100;
    PutPair(p + 1, hundreds);
    PutPair(p + 3, static_cast<std::uint32_t>(fraction) - 100 * hundreds);
    return p + 5;
}

} // namespace

std::size_t FormatFixed4(float value, char* out) {
    const double magnitude = std::fabs(double{value});
    if (!(magnitude < kFastLimit)) {
        // Huge, infinite or not a number: the library's exact conversion.
        return static_cast<std::size_t>(FixedText(out, out + kDecimalTextMax, double{value}, 4) -
                                        out);
    }
    out[0] = '-';
    char* p = out + std::signbit(value);
    p = magnitude < kInt32Limit ? PutFixed4<std::int32_t>(magnitude, p)
                                : PutFixed4<std::int64_t>(magnitude, p);
    return static_cast<std::size_t>(p - out);
}

std::size_t FormatInteger(std::int32_t value, char* out) {
    return static_cast<std::size_t>(std::to_chars(out, out + kDecimalTextMax, value).ptr - out);
}
