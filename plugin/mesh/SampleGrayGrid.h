#pragma once
// Reduces the host's gray image to the mesh grid (meshRows x meshCols samples).

#include <cstddef>
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

// A picture of gray levels (0 black) as the sampler reads it: `rows` rows of `cols` levels,
// the first level of each row `stride` levels after the one above, top row first.
template <typename Level> struct LevelPicture {
    const Level* levels;
    std::size_t stride;
    std::uint32_t rows, cols;
};

// What the box filter keeps between and within its passes. 8-bit gray truncates each pass to
// whole levels, as the plug-in always has; 16-bit levels keep 16 bits of fraction between the
// passes and round the result to the nearest level, within half a level of the exact mean of
// the bin. The sums hold a bin of any size the grid allows.
template <typename Level> struct BoxPrecision;
template <> struct BoxPrecision<std::uint8_t> {
    using Reduced = std::uint8_t;
    using Sum = std::uint32_t;
    static constexpr int kFractionBits = 0;
};
template <> struct BoxPrecision<std::uint16_t> {
    using Reduced = std::uint32_t;
    using Sum = std::uint64_t;
    static constexpr int kFractionBits = 16;
};

// The sampled grid one row at a time, straight from the picture: at 100 % the picture's own
// rows; otherwise a two-pass box filter over 8.8 fixed-point bins (each picture row averaged
// to the grid's columns, then those rows averaged down each column). Needs a few rows of
// memory; BoxPrecision says how exact it is.
template <typename Level> class LevelRowSampler {
  public:
    // picture (at most 65535 levels each way) must outlive the sampler; grid:
    // SampledGridSize of its size.
    LevelRowSampler(LevelPicture<Level> picture, GridSize grid);
    // Row k of grid.rows: grid.cols levels, valid until the next call.
    const Level* Row(std::uint32_t k);

  private:
    LevelPicture<Level> picture_;
    GridSize grid_;
    std::vector<typename BoxPrecision<Level>::Reduced> reduced_; // pass 1 of a picture row
    std::vector<typename BoxPrecision<Level>::Sum> sums_;        // pass 2 of the grid's row
    std::vector<Level> row_;
};

extern template class LevelRowSampler<std::uint8_t>;
extern template class LevelRowSampler<std::uint16_t>;

using GrayRowSampler = LevelRowSampler<std::uint8_t>;
using WideRowSampler = LevelRowSampler<std::uint16_t>;

// The settings' picture (imagePixels, imageRowBytes, imageRows, imageCols) as the sampler
// reads it.
LevelPicture<std::uint8_t> GrayPicture(const MeshSettings& settings);

// Fills meshRows, meshCols, grayRowBytes and grayGrid (buffers.grayGrid) from imagePixels
// with the rows of GrayRowSampler. Needs buffers sized for this image.
void SampleGrayGrid(MeshSettings& settings, MeshBuffers& buffers);
