#include "tests/win32/support/TestTime.h"

#include <cstdlib>

DWORD ScaledTimeout(DWORD ms) {
    static const DWORD factor = [] {
        char text[16] = "";
        const DWORD length = GetEnvironmentVariableA("QM_TIME_FACTOR", text, sizeof text);
        const long value = length > 0 && length < sizeof text ? std::strtol(text, nullptr, 10) : 1;
        return value >= 1 && value <= 100 ? static_cast<DWORD>(value) : DWORD{1};
    }();
    return ms * factor;
}
