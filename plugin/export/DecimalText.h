#pragma once
// Number texts of the DXF writer, the same in every build: fixed-point reals with four
// decimals rounded exactly as a correctly rounding "%.4f" does (ties to even), and plain
// decimal integers.

#include <cstddef>
#include <cstdint>

// Room for any text the two functions write.
inline constexpr std::size_t kDecimalTextMax = 64;

// Writes a single-precision value, widened to double, as "%.4f" does ("-0.0000" keeps the
// sign of -0.0 and of small negative values), whatever the floating-point rounding mode.
// Returns the number of characters (no NUL).
std::size_t FormatFixed4(float value, char* out);

// Writes a decimal integer with a leading minus sign when negative.
std::size_t FormatInteger(std::int32_t value, char* out);
