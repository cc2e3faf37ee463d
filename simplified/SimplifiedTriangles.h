#pragma once
// A simplified surface as the triangle formats take it: its vertices and triangles in the
// file's frame, facing up or outward, then, for a solid, the parts that close it along its
// simplified rims, the model placed by the vertices written.

#include <vector>

#include "common/ProgressSink.h"
#include "simplified/SimplifyPicture.h"
#include "solids/PlacedParts.h"
#include "solids/ShapeMesh.h"
#include "solids/TriangleSource.h"

class SimplifiedTriangles final : public TriangleSource {
  public:
    // surface: of a mesh of meshType; shape: the full mesh's (ShapeMesh with options), whose
    // plan closes the surface and whose axes turn it; its place is found again from the
    // surface. surface and progress outlive the source; progress is told of each block of
    // triangles.
    SimplifiedTriangles(const SimplifiedSurface& surface, std::int32_t meshType,
                        const ShapeOptions& options, MeshShape shape, ProgressSink& progress);

    // The file's axes and the model's place in them.
    const ModelFrame& Frame() const { return frame_; }

    TriangleCounts Count() override;
    void ForEachVertexBlock(const VertexBlockVisit& visit) override;
    void ForEachTriangleBlock(bool withCorners, const TriangleBlockVisit& visit) override;

  private:
    // shape's parts already along the surface's rims, and the model placed.
    SimplifiedTriangles(const SimplifiedSurface& surface, std::int32_t meshType, MeshShape reshaped,
                        ProgressSink& progress);

    // The surface's vertices in the file's frame, placed once: a triangle's corners are taken
    // from them, as each vertex is a corner of some six triangles.
    const std::vector<Vertex>& Placed();

    const SimplifiedSurface& surface_;
    ProgressSink& progress_;
    ModelFrame frame_;
    bool flip_;
    PlacedParts parts_;
    std::vector<Triangle> triangles_;
    std::vector<Vertex> corners_, placed_;
};
