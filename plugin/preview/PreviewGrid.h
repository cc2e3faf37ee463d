#pragma once
// The grid as the preview walks it, and the per-row transform both renderers share.

#include <cstdint>

#include "plugin/mesh/MeshBuffers.h"
#include "plugin/preview/ViewTransform.h"
#include "plugin/run/MeshSettings.h"

struct PreviewGridShape {
    std::uint32_t rows;   // R
    std::uint32_t points; // P, points per row
    std::uint32_t Cells() const { return rows < 2 || points < 2 ? 0 : (rows - 1) * (points - 1); }
};

// R and P of the current mesh; an empty shape when the grid does not fit the buffers.
PreviewGridShape PreviewGrid(const MeshSettings& settings, const MeshBuffers& buffers);

// viewX, viewY and viewDepth, each packed to the current grid size: viewY starts R * P
// floats after viewX and viewDepth R * P floats after viewY.
struct ViewArrays {
    float* x;
    float* y;
    float* depth;
};
ViewArrays PackedViewArrays(const MeshBuffers& buffers, PreviewGridShape grid);

// Transforms and projects the points [first, first + count) into screenX/screenY (and into
// view when given). A point at depth <= 0 keeps the pixel it had.
void ProjectPoints(const MeshSettings& settings, const MeshBuffers& buffers,
                   const ViewAngles& angles, std::uint32_t first, std::uint32_t count,
                   const ViewArrays* view);
