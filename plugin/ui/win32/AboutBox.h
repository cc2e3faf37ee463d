#pragma once
// The plug-in's About box "AboutDlg": the face, the product logo, the small print and the
// maker's logo, OK and "Help...". Pressing the face plays "sndDent", shows the squashed
// face for 800 ms, plays "sndPop" (or beeps without a wave device) and shows the normal
// face again.

#include <windows.h>

class AboutSound;

// Runs the modal box from the resources of `module`, owned by `owner` (may be null), and
// returns when it closes. Help opens `helpFile` at its contents. The box colours itself
// white with black text; the system colours are left alone. Everything it loads is
// released when it closes.
void ShowAboutBox(HINSTANCE module, HWND owner, const char* helpFile, AboutSound& sound);
