#pragma once
// Small helpers for test threads that read and press other threads' windows.

#include <windows.h>

#include <string>

inline std::string WindowText(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// Posts the click, so that the dialog's own thread handles it as if the user had pressed.
inline void Press(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}
