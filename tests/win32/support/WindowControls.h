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

// True for a visible dialog or message box (class "#32770") of this process.
inline bool IsOwnDialog(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    return process == GetCurrentProcessId() && IsWindowVisible(window) &&
           std::string(className) == "#32770";
}
