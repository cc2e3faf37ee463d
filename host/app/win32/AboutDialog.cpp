#include "host/app/win32/AboutDialog.h"

#include "host/resources/HostResourceIds.h"

namespace {

INT_PTR CALLBACK AboutProcedure(HWND dialog, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        EndDialog(dialog, 1);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

void ShowAboutShell(HINSTANCE instance, HWND owner) {
    DialogBoxParamA(instance, QS_ABOUT_DIALOG, owner, AboutProcedure, 0);
}
