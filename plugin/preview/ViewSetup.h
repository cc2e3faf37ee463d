#pragma once
// Placing the view on the canvas, and the bounding-box outline the view tools drag.

#include <array>

#include "common/DrawingSurface.h"
#include "plugin/run/MeshSettings.h"

struct ModelPoint {
    float x, y, z;
};

// The eight corners of the bounding box: the face at maxY (C1..C4), then the face at minY
// (C5..C8), in the order the outline walks them.
std::array<ModelPoint, 8> BoundingBoxCorners(const MeshSettings& settings);

// Only while viewCenterX holds kViewNotPlaced: centres the view on canvasRect and fits
// the box to it. Any later call changes nothing, so a zoom the user made stays.
void InitView(MeshSettings& settings);

// Scales and centres the view so that the larger projected extent of the box equals the
// canvas width. Leaves the view as it was when no corner is in front of the eye, the
// extent is zero or not finite, or the canvas has no width.
void FitView(MeshSettings& settings);

// Draws the twelve box edges in NOTXOR mode with the surface's current pen, so a second
// call erases the first; leaves the raster mode at copy.
void DrawBoxOutline(const MeshSettings& settings, DrawingSurface& surface);
