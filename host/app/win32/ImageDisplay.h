#pragma once
// Showing the current picture: its logical palette as a GDI palette, and the drawing of
// its rows into a device context.

#include <windows.h>

#include "host/image/DibImage.h"

// The screen's bits per pixel; 8 or fewer means a palette screen.
int ScreenBitsPerPixel();

// The GDI palette of one picture; none when the picture has no logical palette. Rebuilt
// whenever the picture or its palette changes.
class ScreenPalette {
  public:
    ScreenPalette() = default;
    ~ScreenPalette() { Reset(); }
    ScreenPalette(const ScreenPalette&) = delete;
    ScreenPalette& operator=(const ScreenPalette&) = delete;

    void Rebuild(const LogicalPalette& palette);
    HPALETTE Handle() const { return palette_; }

  private:
    void Reset();
    HPALETTE palette_ = nullptr;
};

// Selects and realizes palette (when there is one) as a foreground palette, draws the
// picture at its draw position and natural size, and selects the previous palette back.
// Draws nothing for a picture without pixels.
void DrawImage(HDC dc, const DibImage& image, HPALETTE palette);
