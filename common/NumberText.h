#pragma once
// Floating-point numbers as text, exactly as std::to_chars and std::from_chars write and read
// them. The WebAssembly build's standard library has those for integers only; there the same
// characters come from printf and strtod (PrintfText, which the native tests hold against the
// library's).

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <system_error>

namespace PrintfText {

// The shortest text that reads back as value: the fewest significant digits that do, the
// nearest such number, written plain or with an exponent, whichever is shorter (plain on a
// tie). T is float or double.
template <class T> char* Shortest(char* first, char* last, T value) {
    char text[64];
    int length = 0;
    if (!std::isfinite(value)) {
        length = std::snprintf(text, sizeof text, "%s%s", std::signbit(value) ? "-" : "",
                               std::isnan(value) ? "nan" : "inf");
    } else {
        // Read straight as T: through a double first, a text could round twice.
        const auto reads = [](const char* digits) -> T {
            if constexpr (sizeof(T) == sizeof(float))
                return std::strtof(digits, nullptr);
            else
                return std::strtod(digits, nullptr);
        };
        constexpr int kMostDigits = sizeof(T) == 4 ? 9 : 17;
        char exponential[40];
        for (int digits = 1; digits <= kMostDigits; ++digits) {
            std::snprintf(exponential, sizeof exponential, "%.*e", digits - 1, double{value});
            if (reads(exponential) == value)
                break;
        }
        // The mantissa's digits and the exponent of the first one.
        char* e = std::strchr(exponential, 'e');
        const int exponent = std::atoi(e + 1);
        std::string digits;
        for (const char* c = exponential; c < e; ++c)
            if (*c >= '0' && *c <= '9')
                digits += *c;
        while (digits.size() > 1 && digits.back() == '0')
            digits.pop_back();
        const std::string sign = std::signbit(value) ? "-" : "";
        std::string scientific = sign + digits.substr(0, 1);
        if (digits.size() > 1)
            scientific += "." + digits.substr(1);
        char power[16];
        std::snprintf(power, sizeof power, "e%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        scientific += power;
        std::string plain = sign;
        const int count = static_cast<int>(digits.size());
        if (exponent < 0)
            plain += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
        else if (exponent + 1 >= count) {
            // A whole number is written plain with all its digits, not its shortest ones.
            char whole[48];
            std::snprintf(whole, sizeof whole, "%.0f", double{value});
            plain = whole;
        } else
            plain += digits.substr(0, static_cast<std::size_t>(exponent + 1)) + "." +
                     digits.substr(static_cast<std::size_t>(exponent + 1));
        const std::string& best = plain.size() <= scientific.size() ? plain : scientific;
        length = static_cast<int>(best.size());
        std::memcpy(text, best.data(), best.size());
    }
    if (length > last - first)
        return last;
    std::memcpy(first, text, static_cast<std::size_t>(length));
    return first + length;
}

inline char* Fixed(char* first, char* last, double value, int precision) {
    char text[400];
    const int length = std::snprintf(text, sizeof text, "%.*f", precision, value);
    if (length < 0 || length > last - first)
        return last;
    std::memcpy(first, text, static_cast<std::size_t>(length));
    return first + length;
}

// A decimal number, no sign but '-', no spaces; out of range leaves value as it was.
inline std::from_chars_result Read(const char* first, const char* last, double& value) {
    const bool signOk = first != last && (*first == '-' ? first + 1 != last : true);
    if (!signOk || std::isspace(static_cast<unsigned char>(first[*first == '-'])) ||
        first[*first == '-'] == '+')
        return {first, std::errc::invalid_argument};
    const std::string text(first, last);
    char* end = nullptr;
    errno = 0;
    const double read = std::strtod(text.c_str(), &end);
    if (end == text.c_str())
        return {first, std::errc::invalid_argument};
    const char* stop = first + (end - text.c_str());
    if (errno == ERANGE && (std::isinf(read) || read == 0))
        return {stop, std::errc::result_out_of_range};
    value = read;
    return {stop, std::errc()};
}

} // namespace PrintfText

#if defined(__cpp_lib_to_chars)
inline char* ShortestText(char* first, char* last, float value) {
    return std::to_chars(first, last, value).ptr;
}
inline char* FixedText(char* first, char* last, double value, int precision) {
    return std::to_chars(first, last, value, std::chars_format::fixed, precision).ptr;
}
inline std::from_chars_result ReadNumber(const char* first, const char* last, double& value) {
    return std::from_chars(first, last, value);
}
#else
inline char* ShortestText(char* first, char* last, float value) {
    return PrintfText::Shortest(first, last, value);
}
inline char* FixedText(char* first, char* last, double value, int precision) {
    return PrintfText::Fixed(first, last, value, precision);
}
inline std::from_chars_result ReadNumber(const char* first, const char* last, double& value) {
    return PrintfText::Read(first, last, value);
}
#endif
