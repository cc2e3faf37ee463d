#pragma once
// The four statistics lines beside the canvas: polygon count and the model's extent.

#include <array>
#include <string>

#include "common/PreviewHost.h"
#include "plugin/run/MeshSettings.h"

// "Polygons:  n" ("Polygons:  ...." while the count is 0), then "X Range: ", "Y Range: "
// and "Z Range: " with the minimum and maximum each right-aligned in nine characters.
std::array<std::string, 4> FormatStatistics(const MeshSettings& settings);

void ShowStatistics(PreviewHost& host, const MeshSettings& settings);
