#include "common/win32/CheckAbort.h"

#include <windows.h>

bool CheckAbort() {
    MSG message;
    return PeekMessageA(&message, nullptr, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_NOREMOVE) != 0;
}
