#pragma once
// The polygon phase of the shaded preview: one PreviewPolygon per grid cell, in cell
// order, from the transformed points.

#include <cstdint>

#include "plugin/preview/PreviewGrid.h"

// Fills the records of cell row t ((P - 1) * t + u for column u). With BlackHoles on, a
// cell with one black corner becomes a triangle (its corner list repeats a neighbour) and
// a cell with two or more is marked invisible, as is any cell with a corner behind the eye.
void BuildPolygonRow(const MeshSettings& settings, const MeshBuffers& buffers,
                     PreviewGridShape grid, const ViewArrays& view, std::uint32_t t);

// Spherical meshes: row 0 lies on the pole, where a cell's top corners coincide, so the
// first row of cells is shaded from its top-left point and the two points below.
void ShadePoleRow(const MeshBuffers& buffers, PreviewGridShape grid, const ViewArrays& view);
