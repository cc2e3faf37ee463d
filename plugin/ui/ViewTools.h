#pragma once
// The arithmetic of the preview canvas's view tools. Every operation changes only the view
// fields of MeshSettings (viewZoom, viewCenterX/Y, Xrot, Yrot, Zrot); drawing the outline
// around a change is the caller's.

#include <array>
#include <cstdint>

#include "common/CanvasGeometry.h"
#include "common/DrawingSurface.h"
#include "common/PreviewHost.h"
#include "plugin/run/MeshSettings.h"

// Tooltype values.
enum ViewTool : std::int32_t { kZoomTool = 0, kPanTool = 1, kRotateTool = 2 };

// Rotate tool axis lock.
enum AxisLock : int { kAxisUndecided = 0, kAxisFree = 1, kAxisYrotOnly = 2, kAxisXrotOnly = 3 };

// A zoom step that would leave the zoom above this (pixels per model unit), or the zoom or
// the view centre not finite, is refused: the view stays as it was.
inline constexpr float kMaxViewZoom = 1.0e7f;

// Deltas in pixels; 0.01 radian or 0.01 zoom per pixel.
void PanView(MeshSettings& settings, std::int16_t dx, std::int16_t dy);
// spin: Zrot += (dy + dx) / 100 whatever axis; otherwise axis 1 turns both Xrot (by dy)
// and Yrot (by dx), 2 only Yrot, 3 only Xrot, 0 nothing.
void RotateView(MeshSettings& settings, std::int16_t dx, std::int16_t dy, int axis, bool spin);
// No lower limit: the zoom may reach zero or below (FitAll recovers it).
void ZoomDragView(MeshSettings& settings, std::int16_t delta);

// Zoom in: doubles the zoom and brings the model point under p to the home centre. Zoom
// out: halves it and keeps the model point under p in place.
void ZoomAtPoint(MeshSettings& settings, CanvasPoint p, bool zoomOut);

// The rectangles the zoom animation runs between.
struct ZoomBox {
    CanvasRect from, to;
};

// Zooms by canvas width / the larger side of r: in, bringing r's centre to the home centre
// (animated from r to the canvas); out, moving the model origin to r's centre (animated
// from the canvas to r). A rectangle with no extent changes nothing and animates nothing
// (from == to).
ZoomBox ZoomToRect(MeshSettings& settings, CanvasRect r, bool zoomOut);

// The "All" command: fits the model to the canvas, first restarting from zoom 1 at the home
// centre when the zoom is zero, negative or not finite or the centre is not finite.
void FitAll(MeshSettings& settings);

// Frames 0..8 of the zoom animation: each edge a + (b - a) * i / 9, truncated.
std::array<CanvasRect, 9> ZoomBoxFrames(CanvasRect a, CanvasRect b);

// The closed outline of r in NOTXOR mode (a second call erases it); leaves copy mode.
void DrawRubberBand(DrawingSurface& surface, CanvasRect r);

// Shows and erases each frame of ZoomBoxFrames(a, b), waiting until the tick count has
// moved on by at least one millisecond (unsigned difference, so a wrap cannot stall it)
// before erasing.
void AnimateZoomBox(DrawingSurface& surface, PreviewHost& host, CanvasRect a, CanvasRect b);
