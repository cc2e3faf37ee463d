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

// Pass 1: one picture row averaged to `cols` bins.
void ReduceRow(const std::uint8_t* src, std::uint32_t imageCols, std::uint32_t cols,
               std::uint8_t* dst) {
    const std::uint32_t ratio = (imageCols << 8) / cols;
    for (std::uint32_t k = 0; k < cols; ++k) {
        const Bin bin = BinOf(k, ratio);
        std::uint32_t sum = 0;
        for (std::uint32_t i = 0; i < bin.count; ++i)
            sum += src[bin.first + i];
        dst[k] = static_cast<std::uint8_t>(sum / bin.count);
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

GrayRowSampler::GrayRowSampler(const MeshSettings& s, GridSize grid)
    : pixels_(s.imagePixels), rowBytes_(s.imageRowBytes), imageRows_(s.imageRows),
      imageCols_(s.imageCols), grid_(grid) {
    if (grid.rows != s.imageRows || grid.cols != s.imageCols) {
        reduced_.resize(grid.cols);
        row_.resize(grid.cols);
        sums_.resize(grid.cols);
    }
}

const std::uint8_t* GrayRowSampler::Row(std::uint32_t k) {
    if (row_.empty())
        return pixels_ + std::size_t{k} * rowBytes_;
    // Pass 2: the reduced rows of bin k summed column by column.
    const Bin bin = BinOf(k, (imageRows_ << 8) / grid_.rows);
    std::fill(sums_.begin(), sums_.end(), 0u);
    for (std::uint32_t i = 0; i < bin.count; ++i) {
        ReduceRow(pixels_ + std::size_t{bin.first + i} * rowBytes_, imageCols_, grid_.cols,
                  reduced_.data());
        for (std::uint32_t col = 0; col < grid_.cols; ++col)
            sums_[col] += reduced_[col];
    }
    for (std::uint32_t col = 0; col < grid_.cols; ++col)
        row_[col] = static_cast<std::uint8_t>(sums_[col] / bin.count);
    return row_.data();
}

void SampleGrayGrid(MeshSettings& settings, MeshBuffers& buffers) {
    const GridSize grid = SampledGridSize(settings.imageRows, settings.imageCols, settings.MeshRes);
    settings.meshRows = grid.rows;
    settings.meshCols = grid.cols;
    settings.grayRowBytes = grid.cols;
    settings.grayGrid = buffers.grayGrid;
    if (grid.rows == 0 || grid.cols == 0)
        return;
    GrayRowSampler sampler(settings, grid);
    for (std::uint32_t k = 0; k < grid.rows; ++k)
        std::memcpy(buffers.grayGrid + std::size_t{k} * grid.cols, sampler.Row(k), grid.cols);
}
