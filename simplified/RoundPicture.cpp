#include "simplified/RoundPicture.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "simplified/GridLevels.h"
#include "simplified/RoundSurface.h"
#include "simplified/StreamMeshSource.h"
#include "simplify/BudgetSearch.h"

namespace {

RoundDomain DomainOf(const MeshSettings& s, const MeshShape& shape) {
    RoundDomain d;
    d.meshType = s.Meshtype;
    d.meshRows = s.meshRows;
    d.columns = s.meshCols;
    d.northPole = shape.weld.firstPole;
    d.southPole = shape.weld.lastPole;
    d.firstRow = d.northPole ? 1 : 0;
    d.lastRow = shape.rows - (d.southPole ? 2 : 1);
    d.seamWelded = shape.weld.seam;
    return d;
}

std::unique_ptr<RoundSurface> MakeSurface(MeshSettings s, const WideGray* wide,
                                          const RoundDomain& d, double levelHeight) {
    const std::uint32_t perRow = d.PerRow();
    std::vector<float> levels;
    levels.reserve(std::size_t{d.Rows()} * perRow);
    // The black holes of the domain's rows and the poles' rows.
    std::vector<std::uint8_t> holes;
    const std::uint32_t lastHoleRow = d.lastRow + (d.southPole ? 1 : 0);
    ForEachGridRow(s, wide, [&](std::uint32_t r, const auto* row) {
        for (std::uint32_t c = 0; s.BlackHoles && r <= lastHoleRow && c < perRow; ++c)
            holes.push_back(row[c == d.columns ? 0 : c] == 0);
        if (r < d.firstRow || r > d.lastRow)
            return;
        for (std::uint32_t c = 0; c < perRow; ++c)
            levels.push_back(static_cast<float>(row[c == d.columns ? 0 : c]));
    });
    std::vector<Vertex> points;
    points.reserve(levels.size());
    Vertex north{}, south{};
    StreamMeshSource source(s, wide);
    source.ForEachPointRow([&](std::uint32_t r, const PointRow& row) {
        if (r + 1 == d.firstRow)
            north = {row.x[0], row.y[0], row.z[0]};
        if (r == d.lastRow + 1)
            south = {row.x[0], row.y[0], row.z[0]};
        if (r < d.firstRow || r > d.lastRow)
            return;
        for (std::uint32_t c = 0; c < perRow; ++c) {
            const std::uint32_t from = c == d.columns && d.seamWelded ? 0 : c;
            points.push_back({row.x[from], row.y[from], row.z[from]});
        }
    });
    return std::make_unique<RoundSurface>(d, levels, std::move(points), north, south, levelHeight,
                                          holes);
}

// The surface simplified within limit (in the file's units), and the triangles it makes with
// the poles' fans.
struct Attempt {
    SimplifiedMesh mesh;
    std::uint64_t triangles = 0;
};

// With a budget (not 0), the least error from limit up to ceiling whose result fits it.
Attempt Simplify(const RoundSurface& surface, double limit, double levelHeight, int threads,
                 std::uint64_t budget = 0, double ceiling = 0) {
    const RoundDomain& d = surface.Domain();
    Attempt attempt;
    // One row between the poles has no grid: its samples stay, fanned to both.
    if (d.Rows() >= 2)
        attempt.mesh = SimplifyGrid(surface.Grid(), {limit / levelHeight, budget, threads, &surface,
                                                     false, ceiling / levelHeight});
    surface.AddFanCorners(attempt.mesh);
    attempt.triangles = attempt.mesh.triangles.size() + surface.Fans(attempt.mesh.vertices).size();
    return attempt;
}

// The largest radius of any sample: no facet strays further.
double LargestRadius(const RoundSurface& surface) {
    const HeightGrid grid = surface.Grid();
    double largest = 0;
    for (std::uint32_t s = 0; s < grid.Samples(); ++s) {
        const Vertex& p = surface.Point(s);
        // A square root, which every machine rounds alike, as the budget's tries start here.
        const double x = p.x, y = p.y, z = p.z;
        largest = std::max(largest, std::sqrt(x * x + y * y + z * z));
    }
    return largest;
}

// The simplest surface within the budget: the least error that fits, searched for between the
// one asked for and the largest allowed, first where refining the heights alone would spend
// the budget (the largest when they are flat). When nothing fits, the result at the largest.
Attempt WithinBudget(const RoundSurface& surface, const SimplifyRequest& request,
                     double levelHeight) {
    const std::uint64_t budget = *request.maxTriangles;
    const double ceiling = std::min(request.largestError, LargestRadius(surface));
    // Around holes, every try goes on from the collapses of one before.
    if (surface.Grid().AnyHole())
        return Simplify(surface, request.maxError.value_or(0), levelHeight, request.threads, budget,
                        ceiling);
    const double aim = FirstBudgetAim(surface.Grid(), budget) * levelHeight;
    BudgetSearch search(budget, request.maxError.value_or(0), ceiling, aim > 0 ? aim : ceiling);
    Attempt best;
    while (const std::optional<double> limit = search.Next()) {
        Attempt attempt = Simplify(surface, *limit, levelHeight, request.threads);
        if (search.Record(*limit, attempt.triangles) || search.Hopeless())
            best = std::move(attempt);
    }
    return best;
}

// The kept samples as the file's vertices: a pole first and last (where a fan holds it), the
// rest row by row, the seam's last column as its first where they are welded; the triangles
// wound as the plug-in's cells are, and the poles' fans; the first and last rows as rims.
SimplifiedSurface Assemble(const RoundSurface& surface, const SimplifiedMesh& mesh) {
    const RoundDomain& d = surface.Domain();
    const std::vector<RoundSurface::FanSide> fans = surface.Fans(mesh.vertices);
    const bool north = std::any_of(fans.begin(), fans.end(), [](const auto& f) { return f.north; });
    const bool south =
        std::any_of(fans.begin(), fans.end(), [](const auto& f) { return !f.north; });
    SimplifiedSurface out;
    std::vector<std::uint32_t> order(mesh.vertices.size());
    for (std::uint32_t i = 0; i < order.size(); ++i)
        order[i] = i;
    // By row, then column (the grid holds them by column).
    const auto key = [&](std::uint32_t i) {
        const std::uint32_t s = mesh.vertices[i];
        return std::uint64_t{surface.Row(s)} * d.PerRow() + surface.Column(s);
    };
    std::sort(order.begin(), order.end(),
              [&](std::uint32_t a, std::uint32_t b) { return key(a) < key(b); });
    if (north)
        out.vertices.push_back(surface.North());
    std::vector<std::uint32_t> index(mesh.vertices.size());
    std::vector<std::uint32_t> rowStart; // the index of each row's column 0
    for (const std::uint32_t i : order) {
        const std::uint32_t s = mesh.vertices[i];
        if (surface.Column(s) == 0)
            rowStart.push_back(static_cast<std::uint32_t>(out.vertices.size()));
        if (d.seamWelded && surface.Column(s) == d.columns) {
            index[i] = rowStart.back();
            continue;
        }
        index[i] = static_cast<std::uint32_t>(out.vertices.size());
        out.vertices.push_back(surface.Point(s));
    }
    const auto southPole = static_cast<std::uint32_t>(out.vertices.size());
    if (south)
        out.vertices.push_back(surface.South());
    for (const Vertex& v : out.vertices)
        out.extent.Add(v);
    // The turned grid reflects the picture: its positive triangles run against the cells.
    for (const auto& t : mesh.triangles)
        out.triangles.push_back({{index[t[0]], index[t[2]], index[t[1]]}});
    // The first and last rows, in the order of columns, the seam's last column included.
    std::vector<std::uint32_t> first, last;
    for (const std::uint32_t i : order) {
        const std::uint32_t row = surface.Row(mesh.vertices[i]);
        if (row == d.firstRow)
            first.push_back(i);
        if (row == d.lastRow)
            last.push_back(i);
    }
    const auto vertexOf = [&](std::uint32_t sample) {
        return index[static_cast<std::size_t>(
            std::lower_bound(mesh.vertices.begin(), mesh.vertices.end(), sample) -
            mesh.vertices.begin())];
    };
    for (const RoundSurface::FanSide& f : fans) {
        const std::uint32_t left = vertexOf(f.left), right = vertexOf(f.right);
        out.triangles.push_back(f.north ? Triangle{{0, right, left}}
                                        : Triangle{{left, right, southPole}});
    }
    const auto ring = [&](const std::vector<std::uint32_t>& row) {
        Ring rim;
        for (std::size_t k = 0; k + 1 < row.size(); ++k)
            rim.push_back({index[row[k]], out.vertices[index[row[k]]]});
        return rim;
    };
    out.rims.firstRow = ring(first);
    out.rims.lastRow = ring(last);
    return out;
}

} // namespace

SimplifiedSurface SimplifyRoundPicture(const MeshSettings& s, const WideGray* wide,
                                       const MeshShape& shape, const SimplifyRequest& request,
                                       double levelHeight) {
    const std::unique_ptr<RoundSurface> surface =
        MakeSurface(s, wide, DomainOf(s, shape), levelHeight);
    Attempt attempt = request.maxTriangles
                          ? WithinBudget(*surface, request, levelHeight)
                          : Simplify(*surface, *request.maxError, levelHeight, request.threads);
    if (request.maxTriangles && attempt.triangles > *request.maxTriangles) {
        SimplifiedSurface refused;
        refused.fewestTriangles = attempt.triangles;
        return refused;
    }
    SimplifiedSurface out = Assemble(*surface, attempt.mesh);
    if (request.measure && attempt.triangles != 0)
        out.maxError = surface->MeasureError(attempt.mesh, request.threads);
    return out;
}
