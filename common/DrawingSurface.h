#pragma once
// Where the preview draws: the canvas's device context in the dialog, a software surface
// natively. The calls mirror the few drawing operations the renderers need, so that the
// dialog can implement each with one GDI call.

#include <cstddef>

#include "common/CanvasGeometry.h"

// The pens the preview uses; Black is the canvas's default pen.
enum class Pen { Black, None };

// R2_COPYPEN and R2_NOTXORPEN.
enum class RasterMode { Copy, NotXor };

class DrawingSurface {
  public:
    virtual ~DrawingSurface() = default;

    // Selects pen and returns the pen that was selected before.
    virtual Pen SelectPen(Pen pen) = 0;
    virtual void SetRasterMode(RasterMode mode) = 0;

    // Fills the four-corner polygon (alternate fill) with entry paletteIndex (0..63) of the
    // gray palette and outlines it with the current pen.
    virtual void FillPolygon(const CanvasPoint (&corners)[4], int paletteIndex) = 0;

    // Lines through count points with the current pen; the last point is not drawn.
    virtual void Polyline(const CanvasPoint* points, std::size_t count) = 0;

    // One line with the current pen; the end point is not drawn.
    virtual void Line(CanvasPoint from, CanvasPoint to) = 0;

    // Paints the whole client area white.
    virtual void FillWhite() = 0;
};
