// QuorvShell: opens a picture, shows it, turns it gray and runs the QuorvMesh plug-in on it.
#include <windows.h>

#include "host/app/win32/MainWindow.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int) {
    return RunQuorvShell(instance, previous);
}
