#pragma once
// What the canvas does when it paints: statistics, a blank progress bar, the mesh in the
// current style (settings.Shadetype: 0 wireframe, 1 outlined, 2 shaded), statistics again.

#include <cstdint>

#include "plugin/mesh/MeshBuffers.h"
#include "common/DrawingSurface.h"
#include "plugin/preview/PreviewCache.h"
#include "common/PreviewHost.h"
#include "plugin/run/MeshSettings.h"

void PaintCanvas(PreviewHost& host, DrawingSurface& surface, MeshSettings& settings,
                 const MeshBuffers& buffers, PreviewCache& cache);
