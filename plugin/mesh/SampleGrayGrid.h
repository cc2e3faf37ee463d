#pragma once
// Reduces the host's gray image to the mesh grid (meshRows x meshCols samples).

#include <cstdint>

#include "plugin/mesh/MeshBuffers.h"
#include "plugin/run/MeshSettings.h"

struct GridSize {
    std::uint16_t rows, cols;
};

// The sampling percentage of MeshRes 1..8 (100, 75, 66, 50, 33, 25, 20, 10). MeshRes is
// checked where it enters (CheckSettings); an unchecked value reads as that check would
// leave it, never outside the list.
int ResolutionPercent(std::int32_t meshRes);

// The grid a resolution gives for an image. Below 100 % each direction is raised to 3
// samples, but never beyond the image itself, so every box-filter bin covers at least one
// source pixel and the grid always fits MeshBuffers.
GridSize SampledGridSize(std::uint16_t imageRows, std::uint16_t imageCols, std::int32_t meshRes);

// Fills meshRows, meshCols, grayRowBytes and grayGrid (buffers.grayGrid) from imagePixels
// (imageRows rows of imageCols bytes, imageRowBytes apart). At 100 % the bytes are copied;
// otherwise a two-pass 8.8 fixed-point box filter averages them, using solidFlags as the
// intermediate imageRows x meshCols buffer. Needs buffers sized for this image.
void SampleGrayGrid(MeshSettings& settings, MeshBuffers& buffers);
