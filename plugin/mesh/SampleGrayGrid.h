#pragma once
// Reduces the host's gray image to the mesh grid (meshRows x meshCols samples).

#include <cstdint>
#include <vector>

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

// The sampled grid one row at a time, straight from the picture: at 100 % the picture's own
// rows; otherwise a two-pass 8.8 fixed-point box filter (each picture row averaged to the
// grid's columns, then those rows averaged down each column). Needs a few rows of memory.
class GrayRowSampler {
  public:
    // settings: imagePixels (imageRows rows of imageCols bytes, imageRowBytes apart), which
    // must outlive the sampler; grid: SampledGridSize of that picture.
    GrayRowSampler(const MeshSettings& settings, GridSize grid);
    // Row k of grid.rows: grid.cols samples, valid until the next call.
    const std::uint8_t* Row(std::uint32_t k);

  private:
    const std::uint8_t* pixels_;
    std::uint32_t rowBytes_, imageRows_, imageCols_;
    GridSize grid_;
    std::vector<std::uint8_t> reduced_, row_;
    std::vector<std::uint32_t> sums_;
};

// Fills meshRows, meshCols, grayRowBytes and grayGrid (buffers.grayGrid) from imagePixels
// with the rows of GrayRowSampler. Needs buffers sized for this image.
void SampleGrayGrid(MeshSettings& settings, MeshBuffers& buffers);
