#include "solids/PictureTriangles.h"

#include <algorithm>
#include <utility>

namespace {
// Whether the triangle's corners, as written, span any area.
bool HasArea(const Vertex& a, const Vertex& b, const Vertex& c) {
    const double u[3] = {double{b.x} - a.x, double{b.y} - a.y, double{b.z} - a.z};
    const double w[3] = {double{c.x} - a.x, double{c.y} - a.y, double{c.z} - a.z};
    return u[1] * w[2] != u[2] * w[1] || u[2] * w[0] != u[0] * w[2] || u[0] * w[1] != u[1] * w[0];
}
} // namespace

PictureTriangles::PictureTriangles(MeshSource& surface, const MeshSettings& settings,
                                   MeshShape shape, ProgressSink& progress)
    : surface_(surface), gridRows_(settings.meshRows), rows_(shape.rows),
      perRow_(PointsPerRow(settings)),
      flipSurface_(TurnsCellsOver(settings.Meshtype, shape.frame.axes)),
      // A round mesh's corners can lie less than a float's step apart (near a pole, on the
      // axis of a tube without radial offset) and meet once placed: their triangles are left
      // out, as the plug-in leaves out corners that coincide.
      weighsArea_(settings.Meshtype != kRectangular),
      // Without black holes no two points of a flat cell coincide: every cell is a quad.
      gridQuads_(!settings.BlackHoles && !weighsArea_ && shape.rows == settings.meshRows),
      weld_(shape.weld, shape.rows, perRow_), parts_(std::move(shape.parts), shape.frame),
      frame_(shape.frame), progress_(progress) {}

TriangleCounts PictureTriangles::Count() {
    if (counts_)
        return *counts_;
    std::uint64_t surface = 0;
    if (rows_ > 1 && perRow_ > 1 && gridQuads_)
        surface = 2 * std::uint64_t{rows_ - 1} * (perRow_ - 1);
    else if (weld_.VertexCount() == std::uint64_t{rows_} * perRow_ && rows_ == gridRows_ &&
             !weighsArea_)
        surface = surface_.Tally().triangles;
    else
        surface = CountSurfaceTriangles();
    counts_ = TriangleCounts{weld_.VertexCount() + parts_.VertexCount(),
                             surface + parts_.TriangleCount()};
    return *counts_;
}

std::uint64_t PictureTriangles::CountSurfaceTriangles() {
    std::uint64_t count = 0;
    surface_.ForEachCellRow([&](std::uint32_t row, const CellRow& cells) {
        if (row + 1 >= rows_)
            return;
        MakeRow(row, cells, false);
        count += triangles_.size();
    });
    return count;
}

void PictureTriangles::PlaceRow(std::uint32_t row, const PointRow& points,
                                std::vector<Vertex>& placed) const {
    const std::uint32_t kept = weld_.ColumnsKept(row);
    placed.resize(perRow_);
    frame_.ApplyAll(points.x, points.y, points.z, kept, placed.data());
    std::fill(placed.begin() + kept, placed.end(), placed[0]);
}

void PictureTriangles::ForEachVertexBlock(const VertexBlockVisit& visit) {
    surface_.ForEachPointRow([&](std::uint32_t row, const PointRow& points) {
        if (row >= rows_)
            return;
        PlaceRow(row, points, vertices_);
        visit(std::span<const Vertex>(vertices_).first(weld_.ColumnsKept(row)));
    });
    parts_.VisitVertices(visit);
}

void PictureTriangles::ForEachTriangleBlock(bool withCorners, const TriangleBlockVisit& visit) {
    const std::int32_t total = rows_ > 1 ? static_cast<std::int32_t>(rows_ - 1) : 0;
    const auto made = [&](std::uint32_t row) {
        visit({withCorners ? corners_.size() / 3 : triangles_.size(), triangles_, corners_});
        progress_.Report(static_cast<std::int32_t>(row + 1), total);
    };
    if (gridQuads_ && !withCorners) {
        // The grid's indices alone.
        for (std::uint32_t row = 0; row + 1 < rows_; ++row) {
            MakeGridRow(row, false);
            made(row);
        }
    } else if (gridQuads_) {
        // The cells need not be reduced one by one: made straight from the point rows.
        surface_.ForEachPointRow([&](std::uint32_t row, const PointRow& points) {
            std::swap(top_, bottom_);
            if (withCorners)
                PlaceRow(row, points, bottom_);
            if (row == 0)
                return;
            MakeGridRow(row - 1, withCorners);
            made(row - 1);
        });
    } else {
        surface_.ForEachCellRow([&](std::uint32_t row, const CellRow& cells) {
            if (row + 1 >= rows_)
                return;
            MakeRow(row, cells, withCorners);
            made(row);
        });
    }
    parts_.VisitTriangles(withCorners, visit);
}

void PictureTriangles::MakeGridRow(std::uint32_t row, bool withCorners) {
    // Each cell's corners in the plug-in's order (top-left, top-right, bottom-right,
    // bottom-left), split as the 3DS writer splits them, as MakeRow does.
    const std::uint32_t cells = perRow_ - 1;
    if (withCorners) {
        triangles_.clear();
        corners_.resize(6 * std::size_t{cells});
        Vertex* at = corners_.data();
        for (std::uint32_t c = 0; c < cells; ++c, at += 6) {
            const Vertex &tl = top_[c], &tr = top_[c + 1], &br = bottom_[c + 1], &bl = bottom_[c];
            if (flipSurface_) {
                at[0] = tl, at[1] = br, at[2] = tr, at[3] = br, at[4] = tl, at[5] = bl;
            } else {
                at[0] = tl, at[1] = tr, at[2] = br, at[3] = br, at[4] = bl, at[5] = tl;
            }
        }
        return;
    }
    corners_.clear();
    triangles_.resize(2 * std::size_t{cells});
    const std::uint32_t top = weld_.Index(row, 0), bottom = weld_.Index(row + 1, 0);
    Triangle* t = triangles_.data();
    for (std::uint32_t c = 0; c < cells; ++c, t += 2) {
        const std::uint32_t next = weld_.Representative(row, c + 1);
        const std::uint32_t tl = top + c, tr = top + next, br = bottom + next, bl = bottom + c;
        if (flipSurface_) {
            t[0] = {{tl, br, tr}};
            t[1] = {{br, tl, bl}};
        } else {
            t[0] = {{tl, tr, br}};
            t[1] = {{br, bl, tl}};
        }
    }
}

void PictureTriangles::MakeRow(std::uint32_t row, const CellRow& cells, bool withCorners) {
    triangles_.clear();
    corners_.clear();
    if (withCorners || weighsArea_) {
        PlaceRow(row, cells.top, top_);
        PlaceRow(row + 1, cells.bottom, bottom_);
    }
    for (const PolygonRecord& p : cells.polygons) {
        std::uint32_t v[4];
        Vertex at[4];
        for (int k = 0; k < p.count; ++k) {
            const std::int64_t point = p.index[k] - cells.firstPoint;
            const bool onTop = point < perRow_;
            const auto col = static_cast<std::uint32_t>(onTop ? point : point - perRow_);
            const std::uint32_t r = onTop ? row : row + 1;
            v[k] = weld_.Index(r, col);
            if (withCorners || weighsArea_)
                at[k] = (onTop ? top_ : bottom_)[weld_.Representative(r, col)];
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
    if (flipSurface_)
        std::swap(b, c);
    triangles_.push_back({{v[a], v[b], v[c]}});
    if (withCorners)
        corners_.insert(corners_.end(), {at[a], at[b], at[c]});
}
