#include "simplified/SimplifyPicture.h"

#include "plugin/mesh/PointRows.h"
#include "plugin/mesh/SampleGrayGrid.h"
#include "simplified/GridLevels.h"
#include "simplified/RoundPicture.h"
#include "simplify/SimplifyGrid.h"

namespace {

// A grid at most keeps all its samples: 2 triangles each, at 24 bytes each while worked on
// and 12 once gathered, 12 again as written; the heights, the hole mask, the collapses' maps
// and the kept points, twice (as made, and placed in the file's frame); a tube's or a globe's
// turned levels and every point beside, and its holes twice more (turned, and each sample's
// marks).
constexpr std::uint64_t kBytesPerSample = 2 * (24 + 12 + 12 + 20) + 4 + 1 + 5 + 2 * 12 + 4 + 12 + 2;

// The points of the kept samples, made as the full mesh makes them from their levels.
std::vector<Vertex> KeptPoints(const MeshSettings& s, bool wide, const HeightGrid& field,
                               const std::vector<std::uint32_t>& samples) {
    const PointRowMaker maker(s, true);
    std::vector<Vertex> points;
    points.reserve(samples.size());
    for (const std::uint32_t sample : samples) {
        const std::uint32_t r = field.Row(sample), c = field.Col(sample);
        // The heights are the levels themselves, which floats hold exactly.
        const FlatPoint p = wide
                                ? maker.MakeFlat(r, c, static_cast<std::uint16_t>(field.At(sample)))
                                : maker.MakeFlat(r, c, static_cast<std::uint8_t>(field.At(sample)));
        points.push_back({p.x, p.y, p.z});
    }
    return points;
}

// The rim of a flat surface once round, as GridRim orders it: along the first row, down the
// last column, back along the last row, up the first column.
Ring FlatRim(const SimplifiedMesh& mesh, const std::vector<Vertex>& points, std::uint32_t rows,
             std::uint32_t cols) {
    Ring top, right, bottom, left;
    for (std::uint32_t i = 0; i < mesh.vertices.size(); ++i) {
        const std::uint32_t r = mesh.vertices[i] / cols, c = mesh.vertices[i] % cols;
        const IndexedVertex v{i, points[i]};
        if (r == 0)
            top.push_back(v);
        else if (c == cols - 1)
            right.push_back(v);
        else if (r == rows - 1)
            bottom.push_back(v);
        else if (c == 0)
            left.push_back(v);
    }
    Ring rim = std::move(top);
    rim.insert(rim.end(), right.begin(), right.end());
    rim.insert(rim.end(), bottom.rbegin(), bottom.rend());
    rim.insert(rim.end(), left.rbegin(), left.rend());
    return rim;
}

} // namespace

SimplifiedSurface SimplifyPicture(const MeshSettings& settings, const WideGray* wide,
                                  const MeshShape& shape, const SimplifyRequest& request) {
    MeshSettings s = settings;
    // Levels that do not cover the picture are not its own; its 8-bit gray is.
    if (wide != nullptr && (wide->width != s.imageCols || wide->height != s.imageRows ||
                            wide->levels.size() != std::size_t{wide->width} * wide->height))
        wide = nullptr;
    const GridSize grid = SampledGridSize(s.imageRows, s.imageCols, s.MeshRes);
    s.meshRows = grid.rows;
    s.meshCols = grid.cols;
    // A 16-bit level is the gray level / 257, as the points take it.
    const double levelHeight =
        double{s.MapAlt} * double{s.ModelScale} / 256.0 / (wide ? 257.0 : 1.0);
    if (s.Meshtype != kRectangular)
        return SimplifyRoundPicture(s, wide, shape, request, levelHeight);
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
    goal.maxError = request.maxError ? *request.maxError / levelHeight : 0;
    goal.maxTriangles = request.maxTriangles.value_or(0);
    goal.threads = request.threads;
    goal.measure = request.measure;
    const SimplifiedMesh mesh = SimplifyGrid(field, goal);
    SimplifiedSurface surface;
    if (goal.maxTriangles != 0 && mesh.triangles.size() > goal.maxTriangles) {
        surface.fewestTriangles = mesh.triangles.size();
        return surface;
    }
    surface.vertices = KeptPoints(s, wide != nullptr, field, mesh.vertices);
    heights = {};
    for (const Vertex& v : surface.vertices)
        surface.extent.Add(v);
    // The grid's triangles turn as the plug-in's cells do.
    surface.triangles.resize(mesh.triangles.size());
    for (std::size_t t = 0; t < mesh.triangles.size(); ++t)
        surface.triangles[t] = {{mesh.triangles[t][0], mesh.triangles[t][1], mesh.triangles[t][2]}};
    surface.rims.loop = FlatRim(mesh, surface.vertices, grid.rows, grid.cols);
    surface.maxError = mesh.maxError * levelHeight;
    return surface;
}

std::uint64_t SimplifyMemoryBytes(std::uint16_t rows, std::uint16_t cols) {
    return kBytesPerSample * rows * cols;
}
