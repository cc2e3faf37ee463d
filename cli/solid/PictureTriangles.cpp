#include "cli/solid/PictureTriangles.h"

#include <utility>

namespace {
// Whether the triangle's corners, as written, span any area.
bool HasArea(const Vertex& a, const Vertex& b, const Vertex& c) {
    const double u[3] = {double{b.x} - a.x, double{b.y} - a.y, double{b.z} - a.z};
    const double w[3] = {double{c.x} - a.x, double{c.y} - a.y, double{c.z} - a.z};
    return u[1] * w[2] != u[2] * w[1] || u[2] * w[0] != u[0] * w[2] || u[0] * w[1] != u[1] * w[0];
}
} // namespace

PictureTriangles::PictureTriangles(MeshSource& surface, const MeshSettings& settings, WeldKind weld,
                                   SolidParts parts, Vertex offset, ProgressSink& progress)
    : surface_(surface), rows_(settings.meshRows), perRow_(PointsPerRow(settings)),
      faceUp_(settings.Meshtype == kRectangular),
      // A round mesh's corners can lie less than a float's step apart (near a sphere's bottom
      // pole, across a one-column seam), and meet once the model is placed: their triangles
      // are left out, as the plug-in leaves out corners that coincide.
      weighsArea_(settings.Meshtype != kRectangular),
      // Without black holes no two points of a cell coincide, but for the poles of a sphere
      // and the seam of a single column: every cell is a quad.
      countsFollowGrid_(!settings.BlackHoles &&
                        (settings.Meshtype == kRectangular ||
                         (settings.Meshtype == kCylindrical && settings.meshCols > 1))),
      weld_(weld, rows_, perRow_), parts_(std::move(parts)), offset_(offset),
      placed_(offset.x != 0 || offset.y != 0 || offset.z != 0), progress_(progress) {}

TriangleCounts PictureTriangles::Count() {
    if (counts_)
        return *counts_;
    std::uint64_t surface = 0;
    if (rows_ > 1 && perRow_ > 1 && countsFollowGrid_)
        surface = 2 * std::uint64_t{rows_ - 1} * (perRow_ - 1);
    else if (weld_.Kind() == WeldKind::kNone && !weighsArea_)
        surface = surface_.Tally().triangles;
    else
        surface = CountSurfaceTriangles();
    counts_ = TriangleCounts{weld_.VertexCount() + parts_.vertices.size(),
                             surface + parts_.triangles.size()};
    return *counts_;
}

std::uint64_t PictureTriangles::CountSurfaceTriangles() {
    std::uint64_t count = 0;
    surface_.ForEachCellRow([&](std::uint32_t row, const CellRow& cells) {
        MakeRow(row, cells, false);
        count += triangles_.size();
    });
    return count;
}

void PictureTriangles::ForEachVertexBlock(const VertexBlockVisit& visit) {
    surface_.ForEachPointRow([&](std::uint32_t row, const PointRow& points) {
        const std::uint32_t kept = weld_.ColumnsKept(row);
        vertices_.resize(kept);
        for (std::uint32_t c = 0; c < kept; ++c)
            vertices_[c] = Placed({points.x[c], points.y[c], points.z[c]});
        visit(vertices_);
    });
    vertices_.clear();
    for (const Vertex& v : parts_.vertices)
        vertices_.push_back(Placed(v));
    if (!vertices_.empty())
        visit(vertices_);
}

void PictureTriangles::ForEachTriangleBlock(bool withCorners, const TriangleBlockVisit& visit) {
    const std::int32_t total = rows_ > 1 ? static_cast<std::int32_t>(rows_ - 1) : 0;
    surface_.ForEachCellRow([&](std::uint32_t row, const CellRow& cells) {
        MakeRow(row, cells, withCorners);
        visit({triangles_, corners_});
        progress_.Report(static_cast<std::int32_t>(row + 1), total);
    });
    if (parts_.triangles.empty())
        return;
    corners_.clear();
    if (withCorners)
        for (const Vertex& v : parts_.corners)
            corners_.push_back(Placed(v));
    visit({parts_.triangles, corners_});
}

void PictureTriangles::MakeRow(std::uint32_t row, const CellRow& cells, bool withCorners) {
    triangles_.clear();
    corners_.clear();
    for (const PolygonRecord& p : cells.polygons) {
        std::uint32_t v[4];
        Vertex at[4];
        for (int k = 0; k < p.count; ++k) {
            const std::int64_t point = p.index[k] - cells.firstPoint;
            const bool onTop = point < perRow_;
            const auto col = static_cast<std::uint32_t>(onTop ? point : point - perRow_);
            const std::uint32_t r = onTop ? row : row + 1;
            v[k] = weld_.Index(r, col);
            if (withCorners || weighsArea_) {
                const PointRow& points = onTop ? cells.top : cells.bottom;
                const std::uint32_t c = weld_.Representative(r, col);
                at[k] = Placed({points.x[c], points.y[c], points.z[c]});
            }
        }
        Put(v, at, 0, 1, 2, withCorners);
        if (p.count == 4)
            Put(v, at, 2, 3, 0, withCorners);
    }
}

void PictureTriangles::Put(const std::uint32_t (&v)[4], const Vertex (&at)[4], int a, int b, int c,
                           bool withCorners) {
    // A welded pole leaves one side of its cells with no area.
    if (v[a] == v[b] || v[b] == v[c] || v[a] == v[c])
        return;
    if (weighsArea_ && !HasArea(at[a], at[b], at[c]))
        return;
    if (faceUp_)
        std::swap(b, c);
    triangles_.push_back({{v[a], v[b], v[c]}});
    if (withCorners)
        corners_.insert(corners_.end(), {at[a], at[b], at[c]});
}
