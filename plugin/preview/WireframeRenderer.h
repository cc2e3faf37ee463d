#pragma once
// The wireframe preview: grid rows ("Latitude lines") and columns ("Longitude lines") as
// polylines through the projected points; with BlackHoles on, cell by cell without the
// edges at black samples.

#include <cstdint>

#include "plugin/mesh/MeshBuffers.h"
#include "common/DrawingSurface.h"
#include "plugin/preview/PreviewCache.h"
#include "common/PreviewHost.h"
#include "plugin/run/MeshSettings.h"

// Returns the polygon count reached, also stored in settings.polygonCount. With both line
// kinds off nothing happens and the previous count is returned.
std::uint32_t RenderWireframe(PreviewHost& host, DrawingSurface& surface, MeshSettings& settings,
                              const MeshBuffers& buffers, PreviewCache& cache);
