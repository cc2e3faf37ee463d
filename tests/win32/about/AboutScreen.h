#pragma once
// Finds the open About box and reads back what it drew.

#include <windows.h>

#include "plugin/ui/AboutLayout.h"

inline constexpr char kAboutCaption[] = "About QuorvMesh  v1.32";

// The visible About box of this process, or null after `timeoutMs` (scaled).
HWND WaitForAboutBox(DWORD timeoutMs);

// How many sample points of `place` in the box's client area differ from the bitmap
// resource `name` of `module` drawn there (0: the picture is there).
int PictureMismatches(HWND box, HMODULE module, const char* name, const AboutRect& place);

// The colour at a client point of the box.
COLORREF BoxPixel(HWND box, int x, int y);

// Client position of a control of the box.
POINT ControlPlace(HWND box, int id);
