#include "solids/PlacedParts.h"

#include <utility>

#include "plugin/run/MeshSettings.h"

bool TurnsCellsOver(std::int32_t meshType, const AxisMap& axes) {
    return (meshType == kRectangular) != axes.Reflects();
}

PlacedParts::PlacedParts(SolidParts parts, const ModelFrame& frame)
    : triangles_(std::move(parts.triangles)), corners_(std::move(parts.corners)) {
    const bool flip = frame.axes.Reflects();
    for (std::size_t t = 0; t < triangles_.size(); ++t) {
        if (flip) {
            std::swap(triangles_[t].v[1], triangles_[t].v[2]);
            std::swap(corners_[3 * t + 1], corners_[3 * t + 2]);
        }
    }
    for (Vertex& v : corners_)
        v = frame.Apply(v);
    vertices_.reserve(parts.vertices.size());
    for (const Vertex& v : parts.vertices)
        vertices_.push_back(frame.Apply(v));
}

void PlacedParts::VisitVertices(const VertexBlockVisit& visit) const {
    if (!vertices_.empty())
        visit(vertices_);
}

void PlacedParts::VisitTriangles(bool withCorners, const TriangleBlockVisit& visit) const {
    if (!triangles_.empty())
        visit({triangles_.size(), triangles_,
               withCorners ? std::span<const Vertex>(corners_) : std::span<const Vertex>()});
}
