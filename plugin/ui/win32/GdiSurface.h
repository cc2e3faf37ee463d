#pragma once
// The preview's drawing surface over a device context: the canvas's own (CS_OWNDC) with
// the 64-gray palette selected and realised. Pens are the black and null stock pens, fills
// are palette-relative brushes, lines and polylines use the current raster operation.

#include <windows.h>

#include "common/DrawingSurface.h"

// The 64-gray palette: entry i is red = green = blue = 4 i, no flags. Null on failure; the
// caller deletes it with DeleteObject.
HPALETTE CreateGrayPalette();

class GdiSurface final : public DrawingSurface {
  public:
    // dc: where to draw; window: whose client area FillWhite paints. The surface selects
    // pens and brushes into dc and, when it goes, leaves dc with the pen and brush it found.
    GdiSurface(HDC dc, HWND window);
    ~GdiSurface() override;
    GdiSurface(const GdiSurface&) = delete;
    GdiSurface& operator=(const GdiSurface&) = delete;

    Pen SelectPen(Pen pen) override;
    void SetRasterMode(RasterMode mode) override;
    void FillPolygon(const CanvasPoint (&corners)[4], int paletteIndex) override;
    void Polyline(const CanvasPoint* points, std::size_t count) override;
    void Line(CanvasPoint from, CanvasPoint to) override;
    void FillWhite() override;

  private:
    HBRUSH ShadeBrush(int paletteIndex);

    HDC dc_;
    HWND window_;
    Pen pen_;
    HGDIOBJ firstPen_;
    HGDIOBJ firstBrush_;
    HBRUSH selectedBrush_ = nullptr;
    // The 64 shade brushes, each made at its first use and kept until the surface goes.
    HBRUSH shadeBrushes_[64] = {};
};
