#pragma once
// A solid's parts as a triangle source hands them on: in the file's frame, and turned over
// with the model when the frame mirrors it, so that they still face outward.

#include <cstddef>
#include <vector>

#include "solids/ModelFrame.h"
#include "solids/SolidParts.h"
#include "solids/TriangleSource.h"

// Whether a triangle wound as the plug-in's cells are (top-left, top-right, bottom-right of
// the picture) must be turned over to face up (flat) or outward (round) in a file of these
// axes: flat cells run clockwise seen from above, round ones counter-clockwise from outside,
// and a frame that mirrors the model turns every triangle over again.
bool TurnsCellsOver(std::int32_t meshType, const AxisMap& axes);

class PlacedParts {
  public:
    PlacedParts(SolidParts parts, const ModelFrame& frame);

    std::size_t VertexCount() const { return vertices_.size(); }
    std::size_t TriangleCount() const { return triangles_.size(); }
    // The vertices as one block, unless there are none.
    void VisitVertices(const VertexBlockVisit& visit) const;
    // The triangles as one block (with their corners when withCorners), unless there are none.
    void VisitTriangles(bool withCorners, const TriangleBlockVisit& visit) const;

  private:
    std::vector<Vertex> vertices_;
    std::vector<Triangle> triangles_;
    std::vector<Vertex> corners_;
};
