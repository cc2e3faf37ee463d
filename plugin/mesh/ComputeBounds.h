#pragma once
// The mesh's bounding box and the viewing distance the preview starts from.

#include "plugin/mesh/MeshBuffers.h"
#include "plugin/run/MeshSettings.h"

// Widens the box (starting from the origin, so it always contains it) over all points of
// the grid and sets viewDistance to three times the farthest corner's distance from the origin.
void ComputeBounds(MeshSettings& settings, const MeshBuffers& buffers);
