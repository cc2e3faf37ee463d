#include "plugin/mesh/SampleGrayGrid.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <vector>

#include "plugin/run/SettingsRules.h"

namespace {

constexpr int kPercent[] = {100, 75, 66, 50, 33, 25, 20, 10};
static_assert(kMeshResRule.low == 1 &&
              std::size(kPercent) == static_cast<std::size_t>(kMeshResRule.high));
constexpr std::uint32_t kMinimumSamples = 3;

std::uint16_t ReducedCount(std::uint16_t imageCount, int percent) {
    const std::uint32_t reduced = std::uint32_t{imageCount} * percent / 100;
    return static_cast<std::uint16_t>(
        std::min<std::uint32_t>(std::max(reduced, kMinimumSamples), imageCount));
}

// Source range of output bin k for an 8.8 ratio: first index and count.
struct Bin {
    std::uint32_t first, count;
};

Bin BinOf(std::uint32_t k, std::uint32_t ratio) {
    const std::uint32_t first = (k * ratio) >> 8;
    return {first, (((k + 1) * ratio) >> 8) - first};
}

// Pass 1: every source row reduced to `cols` averages, into `out` (imageRows x cols).
void ReduceRows(const MeshSettings& s, std::uint16_t cols, std::uint8_t* out) {
    const std::uint32_t ratio = (std::uint32_t{s.imageCols} << 8) / cols;
    for (std::uint32_t row = 0; row < s.imageRows; ++row) {
        const std::uint8_t* src = s.imagePixels + std::size_t{row} * s.imageRowBytes;
        std::uint8_t* dst = out + std::size_t{row} * cols;
        for (std::uint32_t k = 0; k < cols; ++k) {
            const Bin bin = BinOf(k, ratio);
            std::uint32_t sum = 0;
            for (std::uint32_t i = 0; i < bin.count; ++i)
                sum += src[bin.first + i];
            dst[k] = static_cast<std::uint8_t>(sum / bin.count);
        }
    }
}

// Pass 2: every column of the pass-1 buffer reduced to `rows` averages, into the grid.
// Whole rows are summed at a time so that the buffer is read in order.
void ReduceColumns(const MeshSettings& s, std::uint16_t rows, std::uint16_t cols,
                   const std::uint8_t* in, std::uint8_t* grid) {
    const std::uint32_t ratio = (std::uint32_t{s.imageRows} << 8) / rows;
    std::vector<std::uint32_t> sums(cols);
    for (std::uint32_t k = 0; k < rows; ++k) {
        const Bin bin = BinOf(k, ratio);
        std::fill(sums.begin(), sums.end(), 0u);
        for (std::uint32_t i = 0; i < bin.count; ++i) {
            const std::uint8_t* src = in + std::size_t{bin.first + i} * cols;
            for (std::uint32_t col = 0; col < cols; ++col)
                sums[col] += src[col];
        }
        std::uint8_t* dst = grid + std::size_t{k} * cols;
        for (std::uint32_t col = 0; col < cols; ++col)
            dst[col] = static_cast<std::uint8_t>(sums[col] / bin.count);
    }
}

} // namespace

int ResolutionPercent(std::int32_t meshRes) {
    return kPercent[Checked(kMeshResRule, meshRes) - 1];
}

GridSize SampledGridSize(std::uint16_t imageRows, std::uint16_t imageCols, std::int32_t meshRes) {
    const int percent = ResolutionPercent(meshRes);
    if (percent == 100)
        return {imageRows, imageCols};
    return {ReducedCount(imageRows, percent), ReducedCount(imageCols, percent)};
}

void SampleGrayGrid(MeshSettings& settings, MeshBuffers& buffers) {
    const GridSize grid = SampledGridSize(settings.imageRows, settings.imageCols, settings.MeshRes);
    settings.meshRows = grid.rows;
    settings.meshCols = grid.cols;
    settings.grayRowBytes = grid.cols;
    settings.grayGrid = buffers.grayGrid;
    if (grid.rows == 0 || grid.cols == 0)
        return;

    if (grid.rows == settings.imageRows && grid.cols == settings.imageCols) {
        for (std::uint32_t row = 0; row < grid.rows; ++row)
            std::memcpy(buffers.grayGrid + std::size_t{row} * grid.cols,
                        settings.imagePixels + std::size_t{row} * settings.imageRowBytes,
                        grid.cols);
        return;
    }
    ReduceRows(settings, grid.cols, buffers.solidFlags);
    ReduceColumns(settings, grid.rows, grid.cols, buffers.solidFlags, buffers.grayGrid);
}
