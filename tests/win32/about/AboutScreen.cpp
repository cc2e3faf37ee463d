#include "tests/win32/about/AboutScreen.h"

#include <string>

#include "tests/win32/support/TestTime.h"

HWND WaitForAboutBox(DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ScaledTimeout(timeoutMs)) {
        HWND box = FindWindowA("#32770", kAboutCaption);
        DWORD process = 0;
        if (box)
            GetWindowThreadProcessId(box, &process);
        if (box && IsWindowVisible(box) && process == GetCurrentProcessId())
            return box;
        Sleep(20);
    }
    return nullptr;
}

namespace {

// Equal but for the rounding of a 16-bit screen, whose window and memory bitmaps may widen
// 5 or 6 bits to 8 differently.
bool NearlySame(COLORREF a, COLORREF b) {
    for (int shift = 0; shift < 24; shift += 8) {
        const int difference =
            static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (difference > 8 || difference < -8)
            return false;
    }
    return true;
}

} // namespace

int PictureMismatches(HWND box, HMODULE module, const char* name, const AboutRect& place) {
    auto* bitmap =
        static_cast<HBITMAP>(LoadImageA(module, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap)
        return -1;
    // The picture as the screen shows it: copied into a bitmap of the screen's own depth,
    // so that a palette screen maps its colours the same way.
    HDC screen = GetDC(box);
    HDC source = CreateCompatibleDC(screen);
    HGDIOBJ oldSource = SelectObject(source, bitmap);
    HDC shown = CreateCompatibleDC(screen);
    HBITMAP shownBitmap = CreateCompatibleBitmap(screen, place.width, place.height);
    HGDIOBJ oldShown = SelectObject(shown, shownBitmap);
    BitBlt(shown, 0, 0, place.width, place.height, source, 0, 0, SRCCOPY);
    int mismatches = 0;
    for (int y = 0; y < place.height; y += 5)
        for (int x = 0; x < place.width; x += 5)
            mismatches +=
                !NearlySame(GetPixel(screen, place.x + x, place.y + y), GetPixel(shown, x, y));
    SelectObject(shown, oldShown);
    DeleteObject(shownBitmap);
    DeleteDC(shown);
    SelectObject(source, oldSource);
    DeleteDC(source);
    DeleteObject(bitmap);
    ReleaseDC(box, screen);
    return mismatches;
}

COLORREF BoxPixel(HWND box, int x, int y) {
    HDC screen = GetDC(box);
    const COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(box, screen);
    return colour;
}

POINT ControlPlace(HWND box, int id) {
    RECT rect{};
    GetWindowRect(GetDlgItem(box, id), &rect);
    POINT corner{rect.left, rect.top};
    ScreenToClient(box, &corner);
    return corner;
}
