#pragma once
// Sizes in real units for the triangle formats: the model scaled so that its width, its
// relief (white above black) and a tube's length are what was asked for. They become the
// plug-in's own parameters (ModelScale, MapAlt, CylLen), so that the mesh is made by the same
// arithmetic.

#include <optional>
#include <string>

#include "plugin/mesh/SampleGrayGrid.h"
#include "plugin/run/MeshSettings.h"

struct ModelSize {
    std::optional<float> widthMm;  // flat: first to last column; round: the diameter of white
    std::optional<float> reliefMm; // white above black
    std::optional<float> heightMm; // a tube's length, first to last row
};

// Sets s.ModelScale and s.MapAlt for the sizes given, and a tube's s.CylLen: its length when
// given, else the length that keeps the picture's proportions (cells square halfway between
// black and white, so that circumference : length = columns : rows - 1). Returns the reason
// when they cannot be had: a round mesh whose relief is not below half its width.
std::optional<std::string> ApplyModelUnits(const ModelSize& size, GridSize grid, MeshSettings& s);
