#pragma once
// The triangles of a picture's mesh: the surface's cells split along the same diagonal as
// the 3DS writer's (top-left to bottom-right) and wound to face up or outward, then, for a
// solid, the parts that close it.

#include <optional>
#include <vector>

#include "cli/solid/SolidParts.h"
#include "cli/solid/SurfaceWeld.h"
#include "cli/solid/TriangleSource.h"
#include "common/ProgressSink.h"
#include "plugin/export/MeshSource.h"
#include "plugin/run/MeshSettings.h"

class PictureTriangles final : public TriangleSource {
  public:
    // surface: the mesh's rows, with settings' meshRows, meshCols, Meshtype and BlackHoles;
    // weld and parts: how it is closed (none and empty for an open surface); offset: added to
    // every vertex. progress: told of every cell row of a triangle pass. All but parts
    // outlive the source.
    PictureTriangles(MeshSource& surface, const MeshSettings& settings, WeldKind weld,
                     SolidParts parts, Vertex offset, ProgressSink& progress);

    TriangleCounts Count() override;
    void ForEachVertexBlock(const VertexBlockVisit& visit) override;
    void ForEachTriangleBlock(bool withCorners, const TriangleBlockVisit& visit) override;

  private:
    // The triangles of one cell row into triangles_ (and corners_).
    void MakeRow(std::uint32_t row, const CellRow& cells, bool withCorners);
    void Put(const std::uint32_t (&v)[4], const Vertex (&at)[4], int a, int b, int c,
             bool withCorners);
    // A pass over the cell rows that only counts the surface's triangles.
    std::uint64_t CountSurfaceTriangles();

    MeshSource& surface_;
    std::uint32_t rows_, perRow_;
    bool faceUp_;     // Rectangular: the cells' corner order is clockwise seen from above
    bool weighsArea_; // round meshes: triangles whose placed corners span no area are left out
    bool countsFollowGrid_;
    SurfaceWeld weld_;
    SolidParts parts_;
    // Where the model is placed; unplaced points keep their bits (-0 stays -0).
    Vertex Placed(const Vertex& v) const {
        return placed_ ? Vertex{v.x + offset_.x, v.y + offset_.y, v.z + offset_.z} : v;
    }

    Vertex offset_;
    bool placed_;
    ProgressSink& progress_;
    std::vector<Triangle> triangles_;
    std::vector<Vertex> corners_, vertices_;
    std::optional<TriangleCounts> counts_;
};
