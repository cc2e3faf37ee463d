#include "plugin/export/DecimalText.h"

#include <charconv>
#include <cmath>

namespace {

// Below this magnitude value * 10000 fits an int64 with room to spare.
constexpr double kFastLimit = 1e14;

} // namespace

std::size_t FormatFixed4(float value, char* out) {
    const double wide = value;
    if (!(std::fabs(wide) < kFastLimit)) {
        // Huge, infinite or not a number: the library's exact conversion.
        const auto result =
            std::to_chars(out, out + kDecimalTextMax, wide, std::chars_format::fixed, 4);
        return static_cast<std::size_t>(result.ptr - out);
    }
    // A float has 24 significant bits and 10000 = 16 * 625 adds fewer than 11, so the
    // product is exact in double and nearbyint rounds the true decimal (ties to even).
    const auto scaled = static_cast<std::int64_t>(std::nearbyint(std::fabs(wide) * 10000.0));
    char* p = out;
    if (std::signbit(value))
        *p++ = '-';
    p = std::to_chars(p, out + kDecimalTextMax, scaled / 10000).ptr;
    *p++ = '.';
    std::int64_t fraction = scaled % 10000;
    for (int digit = 3; digit >= 0; --digit) {
        p[digit] = static_cast<char>('0' + fraction % 10);
        fraction /= 10;
    }
    return static_cast<std::size_t>(p + 4 - out);
}

std::size_t FormatInteger(std::int32_t value, char* out) {
    return static_cast<std::size_t>(std::to_chars(out, out + kDecimalTextMax, value).ptr - out);
}
