#pragma once
// The shaded preview: transform the points, build one polygon per cell, sort them back to
// front and fill them (painter's algorithm). The first two phases are kept in cache and
// redone only after ViewChanged; every phase can be stopped by a click.

#include <cstdint>

#include "plugin/mesh/MeshBuffers.h"
#include "common/DrawingSurface.h"
#include "plugin/preview/PreviewCache.h"
#include "common/PreviewHost.h"
#include "plugin/run/MeshSettings.h"

// shadetype 1 outlines every polygon in black, 2 fills without outlines. Returns the
// number of visible polygons reached (all of them unless aborted), also stored in
// settings.polygonCount.
std::uint32_t RenderShaded(PreviewHost& host, DrawingSurface& surface, MeshSettings& settings,
                           const MeshBuffers& buffers, PreviewCache& cache, std::int32_t shadetype);
