#pragma once
// A simplified rectangular surface as the triangle formats take it: its kept vertices, its
// triangles wound to face up, and for a solid the walls and base along its simplified rim,
// placed where the options say.

#include <vector>

#include "cli/simplified/SimplifyPicture.h"
#include "cli/solid/ShapeMesh.h"
#include "cli/solid/SolidParts.h"
#include "cli/solid/TriangleSource.h"
#include "common/ProgressSink.h"

class SimplifiedTriangles final : public TriangleSource {
  public:
    // picture and progress outlive the source; progress is told of each block of triangles.
    // A solid's base lies options.baseMm below the surface's lowest vertex.
    SimplifiedTriangles(const SimplifiedPicture& picture, const ShapeOptions& options,
                        ProgressSink& progress);

    TriangleCounts Count() override;
    void ForEachVertexBlock(const VertexBlockVisit& visit) override;
    void ForEachTriangleBlock(bool withCorners, const TriangleBlockVisit& visit) override;

  private:
    // The rim's vertices once round, clockwise seen from above.
    std::vector<RimVertex> Rim() const;
    Vertex Placed(const Vertex& v) const {
        return placed_ ? Vertex{v.x + offset_.x, v.y + offset_.y, v.z + offset_.z} : v;
    }

    const SimplifiedPicture& picture_;
    ProgressSink& progress_;
    SolidParts parts_;
    Vertex offset_{0, 0, 0};
    bool placed_ = false;
    std::vector<Triangle> triangles_;
    std::vector<Vertex> corners_;
};
