#include "cli/simplified/SimplifyPicture.h"

#include "plugin/mesh/PointRows.h"
#include "plugin/mesh/SampleGrayGrid.h"

namespace {

// A grid at most keeps all its samples: 2 triangles each, at 24 bytes each while worked on
// and 12 once gathered; the heights, the hole mask and the collapses' maps.
constexpr std::uint64_t kBytesPerSample = 2 * (24 + 12 + 20) + 4 + 1 + 5 + 16;

// Calls visit(row, levels) for each row of the sampled grid, in order.
template <class Visit>
void ForEachGridRow(const MeshSettings& s, const WideGray* wide, Visit visit) {
    const GridSize grid{s.meshRows, s.meshCols};
    if (wide != nullptr) {
        WideRowSampler sampler(LevelPicture<std::uint16_t>{wide->levels.data(), wide->width,
                                                           wide->height, wide->width},
                               grid);
        for (std::uint32_t r = 0; r < grid.rows; ++r)
            visit(r, sampler.Row(r));
    } else {
        GrayRowSampler sampler(GrayPicture(s), grid);
        for (std::uint32_t r = 0; r < grid.rows; ++r)
            visit(r, sampler.Row(r));
    }
}

// The points of the kept vertices, made row by row as the full mesh makes them.
std::vector<Vertex> KeptPoints(const MeshSettings& s, const WideGray* wide,
                               const std::vector<std::uint32_t>& vertices) {
    std::vector<Vertex> points;
    points.reserve(vertices.size());
    const PointRowMaker maker(s, true);
    std::vector<float> xyz(3 * std::size_t{s.meshCols});
    std::vector<std::uint8_t> solid(s.meshCols);
    const PointRowSpan out{xyz.data(), xyz.data() + s.meshCols, xyz.data() + 2 * s.meshCols,
                           solid.data()};
    std::size_t next = 0;
    ForEachGridRow(s, wide, [&](std::uint32_t r, const auto* levels) {
        const std::uint32_t rowEnd = (r + 1) * s.meshCols;
        if (next == vertices.size() || vertices[next] >= rowEnd)
            return;
        maker.Make(r, levels, out);
        for (; next < vertices.size() && vertices[next] < rowEnd; ++next) {
            const std::uint32_t c = vertices[next] - r * s.meshCols;
            points.push_back({out.x[c], out.y[c], out.z[c]});
        }
    });
    return points;
}

} // namespace

SimplifiedPicture SimplifyPicture(const MeshSettings& settings, const WideGray* wide,
                                  std::optional<double> maxError,
                                  std::optional<std::uint64_t> maxTriangles, int threads) {
    MeshSettings s = settings;
    // Levels that do not cover the picture are not its own; its 8-bit gray is.
    if (wide != nullptr && (wide->width != s.imageCols || wide->height != s.imageRows ||
                            wide->levels.size() != std::size_t{wide->width} * wide->height))
        wide = nullptr;
    const GridSize grid = SampledGridSize(s.imageRows, s.imageCols, s.MeshRes);
    s.meshRows = grid.rows;
    s.meshCols = grid.cols;
    SimplifiedPicture picture;
    picture.rows = grid.rows;
    picture.cols = grid.cols;
    // A 16-bit level is the gray level / 257, as the points take it.
    picture.levelHeight = double{s.MapAlt} * double{s.ModelScale} / 256.0 / (wide ? 257.0 : 1.0);
    std::vector<float> heights(std::size_t{grid.rows} * grid.cols);
    std::vector<std::uint8_t> holes(s.BlackHoles ? heights.size() : 0);
    ForEachGridRow(s, wide, [&](std::uint32_t r, const auto* levels) {
        for (std::uint32_t c = 0; c < grid.cols; ++c) {
            heights[std::size_t{r} * grid.cols + c] = static_cast<float>(levels[c]);
            if (!holes.empty())
                holes[std::size_t{r} * grid.cols + c] = levels[c] == 0;
        }
    });
    const HeightGrid field{heights.data(), grid.rows, grid.cols,
                           holes.empty() ? nullptr : holes.data()};
    SimplifyGoal goal;
    goal.maxError = maxError ? *maxError / picture.levelHeight : 0;
    goal.maxTriangles = maxTriangles.value_or(0);
    goal.threads = threads;
    picture.mesh = SimplifyGrid(field, goal);
    picture.points = KeptPoints(s, wide, picture.mesh.vertices);
    return picture;
}

std::uint64_t SimplifyMemoryBytes(std::uint16_t rows, std::uint16_t cols) {
    return kBytesPerSample * rows * cols;
}
