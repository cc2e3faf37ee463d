#pragma once
// While the filter dialog is open, the host window's procedure is replaced by one that
// swallows activation and palette messages (WM_ACTIVATE, WM_ACTIVATEAPP,
// WM_QUERYNEWPALETTE, WM_PALETTECHANGED answer 1) and passes every other message on.

#include <windows.h>

// Puts the filter on host (nothing for a null host or when a filter is already on).
void InstallHostWindowFilter(HWND host);

// Puts the host's own procedure back, only if the procedure installed now is still the
// filter (someone may have subclassed the host after us). Safe to call more than once: the
// dialog calls it before it ends and again when its window is destroyed, so the host never
// keeps calling into a module that is about to be unloaded.
void RemoveHostWindowFilter();
