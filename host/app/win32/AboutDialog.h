#pragma once
// The About QuorvShell box (template ABOUT_DLG): modal, closed by any command.

#include <windows.h>

void ShowAboutShell(HINSTANCE instance, HWND owner);
