#pragma once
// Sizes in real units for the triangle formats: the model scaled so that its X extent is a
// given width, and its relief (white above black) a given height. Both become the plug-in's
// own parameters (ModelScale, MapAlt), so that the mesh is made by the same arithmetic.

#include <optional>
#include <string>

#include "plugin/mesh/SampleGrayGrid.h"
#include "plugin/run/MeshSettings.h"

// Sets s.ModelScale for widthMm and s.MapAlt for reliefMm (either may be absent) for a mesh of
// the sampled grid. A Rectangular mesh's X extent is its first to last column; a round mesh's
// is the diameter of white. Returns the reason when they cannot be had: a round mesh whose
// relief is not below half its width.
std::optional<std::string> ApplyModelUnits(std::optional<float> widthMm,
                                           std::optional<float> reliefMm, GridSize grid,
                                           MeshSettings& s);
