#include "tests/win32/slider/SliderMouse.h"

#include <atomic>

#include "plugin/ui/win32/SliderDrag.h"

namespace {

std::atomic<bool> buttonDown{false};
std::atomic<LONG> cursorX{0};
std::atomic<LONG> cursorY{0};

bool ScriptedButtonDown() {
    return buttonDown.load();
}

POINT ScriptedCursor() {
    return POINT{cursorX.load(), cursorY.load()};
}

constexpr SliderMouseSource kScripted{ScriptedButtonDown, ScriptedCursor};

LPARAM ClientCursor(HWND window) {
    POINT point = ScriptedCursor();
    ScreenToClient(window, &point);
    return MAKELPARAM(point.x, point.y);
}

} // namespace

ScriptedMouse::ScriptedMouse() {
    buttonDown = false;
    SetSliderMouseSource(&kScripted);
}

ScriptedMouse::~ScriptedMouse() {
    SetSliderMouseSource(nullptr);
}

void ScriptedMouse::MoveTo(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    cursorX = point.x;
    cursorY = point.y;
}

void ScriptedMouse::Press(HWND window) {
    buttonDown = true;
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, ClientCursor(window));
}

void ScriptedMouse::Release(HWND window) {
    buttonDown = false;
    PostMessageA(window, WM_LBUTTONUP, 0, ClientCursor(window));
}
