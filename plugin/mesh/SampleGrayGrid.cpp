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

// Pass 1: one picture row averaged to `cols` bins, with the fraction the precision keeps.
template <typename Level>
void ReduceRow(const Level* src, std::uint32_t imageCols, std::uint32_t cols,
               typename BoxPrecision<Level>::Reduced* dst) {
    using Precision = BoxPrecision<Level>;
    const std::uint32_t ratio = (imageCols << 8) / cols;
    for (std::uint32_t k = 0; k < cols; ++k) {
        const Bin bin = BinOf(k, ratio);
        typename Precision::Sum sum = 0;
        for (std::uint32_t i = 0; i < bin.count; ++i)
            sum += src[bin.first + i];
        dst[k] =
            static_cast<typename Precision::Reduced>((sum << Precision::kFractionBits) / bin.count);
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

template <typename Level>
LevelRowSampler<Level>::LevelRowSampler(LevelPicture<Level> picture, GridSize grid)
    : picture_(picture), grid_(grid) {
    if (grid.rows != picture.rows || grid.cols != picture.cols) {
        reduced_.resize(grid.cols);
        sums_.resize(grid.cols);
        row_.resize(grid.cols);
    }
}

template <typename Level> const Level* LevelRowSampler<Level>::Row(std::uint32_t k) {
    using Precision = BoxPrecision<Level>;
    if (row_.empty())
        return picture_.levels + std::size_t{k} * picture_.stride;
    // Pass 2: the reduced rows of bin k summed column by column.
    const Bin bin = BinOf(k, (picture_.rows << 8) / grid_.rows);
    std::fill(sums_.begin(), sums_.end(), typename Precision::Sum{0});
    for (std::uint32_t i = 0; i < bin.count; ++i) {
        ReduceRow(picture_.levels + std::size_t{bin.first + i} * picture_.stride, picture_.cols,
                  grid_.cols, reduced_.data());
        for (std::uint32_t col = 0; col < grid_.cols; ++col)
            sums_[col] += reduced_[col];
    }
    const typename Precision::Sum divisor = typename Precision::Sum{bin.count}
                                            << Precision::kFractionBits;
    // Whole levels truncate; a kept fraction rounds to the nearest level.
    const typename Precision::Sum half = Precision::kFractionBits > 0 ? divisor / 2 : 0;
    for (std::uint32_t col = 0; col < grid_.cols; ++col)
        row_[col] = static_cast<Level>((sums_[col] + half) / divisor);
    return row_.data();
}

template class LevelRowSampler<std::uint8_t>;
template class LevelRowSampler<std::uint16_t>;

LevelPicture<std::uint8_t> GrayPicture(const MeshSettings& s) {
    return {s.imagePixels, s.imageRowBytes, s.imageRows, s.imageCols};
}

void SampleGrayGrid(MeshSettings& settings, MeshBuffers& buffers) {
    const GridSize grid = SampledGridSize(settings.imageRows, settings.imageCols, settings.MeshRes);
    settings.meshRows = grid.rows;
    settings.meshCols = grid.cols;
    settings.grayRowBytes = grid.cols;
    settings.grayGrid = buffers.grayGrid;
    if (grid.rows == 0 || grid.cols == 0)
        return;
    GrayRowSampler sampler(GrayPicture(settings), grid);
    for (std::uint32_t k = 0; k < grid.rows; ++k)
        std::memcpy(buffers.grayGrid + std::size_t{k} * grid.cols, sampler.Row(k), grid.cols);
}
