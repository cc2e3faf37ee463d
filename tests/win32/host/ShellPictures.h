#pragma once
// The pixels of the pictures that data/make_pictures.py writes, and the host's gray formula.

#include <windows.h>

#include <cstdint>

inline constexpr int kColoursWidth = 37, kColoursHeight = 23;
inline constexpr int kPaletteWidth = 29, kPaletteHeight = 17;

inline COLORREF ColoursPixel(int x, int y) {
    return RGB((7 * x + 3 * y) % 256, (11 * y + 5) % 256, (x * y) % 256);
}

inline COLORREF PalettePixel(int x, int y) {
    const int k = (x + 2 * y) % 16;
    return RGB(16 * k, 255 - 16 * k, (40 * k) % 256);
}

inline std::uint8_t GrayOfColour(COLORREF c) {
    return static_cast<std::uint8_t>((30 * GetRValue(c) + 59 * GetGValue(c) + 11 * GetBValue(c)) /
                                     100);
}

inline COLORREF Gray(std::uint8_t v) {
    return RGB(v, v, v);
}
