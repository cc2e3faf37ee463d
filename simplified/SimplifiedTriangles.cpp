#include "simplified/SimplifiedTriangles.h"

#include <algorithm>
#include <utility>

namespace {

// Triangles and vertices handed to the writer at a time.
constexpr std::size_t kBlock = 1 << 14;

// shape with its parts along the surface's rims, placed by the surface and those parts.
MeshShape Reshaped(const SimplifiedSurface& surface, std::int32_t meshType,
                   const ShapeOptions& options, MeshShape shape) {
    shape.parts =
        MakeParts(shape.plan, surface.rims, static_cast<std::uint32_t>(surface.vertices.size()));
    PlaceModel(options, meshType, surface.extent, shape);
    return shape;
}

} // namespace

SimplifiedTriangles::SimplifiedTriangles(const SimplifiedSurface& surface, std::int32_t meshType,
                                         const ShapeOptions& options, MeshShape shape,
                                         ProgressSink& progress)
    : SimplifiedTriangles(surface, meshType, Reshaped(surface, meshType, options, std::move(shape)),
                          progress) {}

SimplifiedTriangles::SimplifiedTriangles(const SimplifiedSurface& surface, std::int32_t meshType,
                                         MeshShape reshaped, ProgressSink& progress)
    : surface_(surface), progress_(progress), frame_(reshaped.frame),
      flip_(TurnsCellsOver(meshType, frame_.axes)), parts_(std::move(reshaped.parts), frame_) {}

TriangleCounts SimplifiedTriangles::Count() {
    return {surface_.vertices.size() + parts_.VertexCount(),
            surface_.triangles.size() + parts_.TriangleCount()};
}

const std::vector<Vertex>& SimplifiedTriangles::Placed() {
    if (placed_.size() != surface_.vertices.size()) {
        placed_.clear();
        placed_.reserve(surface_.vertices.size());
        for (const Vertex& v : surface_.vertices)
            placed_.push_back(frame_.Apply(v));
    }
    return placed_;
}

void SimplifiedTriangles::ForEachVertexBlock(const VertexBlockVisit& visit) {
    std::vector<Vertex> block;
    const std::vector<Vertex>& all = surface_.vertices;
    for (std::size_t first = 0; first < all.size(); first += kBlock) {
        block.clear();
        for (std::size_t v = first; v < std::min(all.size(), first + kBlock); ++v)
            block.push_back(frame_.Apply(all[v]));
        visit(block);
    }
    parts_.VisitVertices(visit);
}

void SimplifiedTriangles::ForEachTriangleBlock(bool withCorners, const TriangleBlockVisit& visit) {
    const std::vector<Triangle>& all = surface_.triangles;
    const auto total = static_cast<std::int32_t>((all.size() + kBlock - 1) / kBlock);
    const Vertex* placed = withCorners ? Placed().data() : nullptr;
    for (std::size_t first = 0; first < all.size(); first += kBlock) {
        const std::size_t end = std::min(all.size(), first + kBlock);
        triangles_.resize(withCorners ? 0 : end - first);
        corners_.resize(withCorners ? 3 * (end - first) : 0);
        for (std::size_t t = first; t < end; ++t) {
            Triangle turned = all[t];
            if (flip_)
                std::swap(turned.v[1], turned.v[2]);
            if (withCorners)
                for (int k = 0; k < 3; ++k)
                    corners_[3 * (t - first) + k] = placed[turned.v[k]];
            else
                triangles_[t - first] = turned;
        }
        visit({end - first, triangles_, corners_});
        progress_.Report(static_cast<std::int32_t>(first / kBlock + 1), total);
    }
    parts_.VisitTriangles(withCorners, visit);
}
