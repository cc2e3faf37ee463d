#include "tests/win32/canvas/CanvasInput.h"

#include "tests/win32/canvas/CanvasStage.h"

namespace {

LPARAM At(POINT p) {
    return MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y));
}

void MovePointer(HWND canvas, POINT client) {
    ClientToScreen(canvas, &client);
    SetCursorPos(client.x, client.y);
}

void SendButton(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

} // namespace

void PostDrag(HWND canvas, const std::vector<POINT>& points, HeldKeys keys) {
    const WPARAM held = (keys.shift ? MK_SHIFT : 0) | (keys.ctrl ? MK_CONTROL : 0);
    MovePointer(canvas, points.front());
    PostMessageA(canvas, WM_LBUTTONDOWN, MK_LBUTTON | held, At(points.front()));
    Pump(10);
    for (std::size_t i = 1; i < points.size(); ++i) {
        PostMessageA(canvas, WM_MOUSEMOVE, MK_LBUTTON | held, At(points[i]));
        Pump(10);
    }
    PostMessageA(canvas, WM_LBUTTONUP, held, At(points.back()));
    Pump(30);
}

void InputDrag(HWND canvas, const std::vector<POINT>& points) {
    MovePointer(canvas, points.front());
    Pump(30);
    SendButton(MOUSEEVENTF_LEFTDOWN);
    Pump(30);
    for (std::size_t i = 1; i < points.size(); ++i) {
        MovePointer(canvas, points[i]);
        Pump(30);
    }
    SendButton(MOUSEEVENTF_LEFTUP);
    Pump(60);
}

void PostKey(HWND canvas, WPARAM key, bool down, POINT pointer) {
    MovePointer(canvas, pointer);
    PostMessageA(canvas, down ? WM_KEYDOWN : WM_KEYUP, key, down ? 1 : 0xC0000001);
    Pump(10);
}
