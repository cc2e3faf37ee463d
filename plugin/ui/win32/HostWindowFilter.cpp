#include "plugin/ui/win32/HostWindowFilter.h"

namespace {

// One dialog at a time: the filtered window and its own procedure.
HWND filteredHost = nullptr;
WNDPROC hostProcedure = nullptr;

LRESULT CALLBACK FilterProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ACTIVATE:
    case WM_ACTIVATEAPP:
    case WM_QUERYNEWPALETTE:
    case WM_PALETTECHANGED:
        return 1;
    default:
        return CallWindowProcA(hostProcedure, window, message, wParam, lParam);
    }
}

WNDPROC ProcedureOf(HWND window) {
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
}

} // namespace

void InstallHostWindowFilter(HWND host) {
    if (!host || filteredHost)
        return;
    const LONG_PTR previous =
        SetWindowLongPtrA(host, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FilterProcedure));
    if (previous == 0)
        return;
    hostProcedure = reinterpret_cast<WNDPROC>(previous);
    filteredHost = host;
}

void RemoveHostWindowFilter() {
    if (!filteredHost)
        return;
    // A window procedure installed over ours still calls through FilterProcedure, which
    // keeps passing messages on to the host's own procedure.
    if (IsWindow(filteredHost) && ProcedureOf(filteredHost) == &FilterProcedure)
        SetWindowLongPtrA(filteredHost, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hostProcedure));
    filteredHost = nullptr;
}
