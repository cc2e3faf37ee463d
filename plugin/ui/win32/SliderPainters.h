#pragma once
// How a slider draws: its two standard painters and the double-buffered paint that calls the
// installed ones.

#include <windows.h>

#include "plugin/ui/win32/SliderWindow.h"

// Fills the client area with the button-face colour and draws the track line with the
// context's pen.
void PaintSliderTrack(HWND slider, HDC dc, SliderData* data);

// An outline triangle with its tip at (thumbX, trackY) and its base trackY + h below.
void PaintSliderPointer(HWND slider, HDC dc, SliderData* data);

// Handles WM_PAINT: background, then pointer, drawn off-screen and copied to the window.
// Without a data block the update region is only validated.
void PaintSlider(HWND slider);
