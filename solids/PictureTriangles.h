#pragma once
// The triangles of a picture's mesh: the surface's cells split along the same diagonal as
// the 3DS writer's (top-left to bottom-right) and wound to face up or outward, then, for a
// solid, the parts that close it; all turned to the file's axes and placed (MeshShape).
//
// A simplified surface is a source of its own (simplified/SimplifiedTriangles.h) that
// closes and places itself the same way: MakeParts along its own rims, PlacedParts, and the
// cells' winding (TurnsCellsOver).

#include <optional>
#include <vector>

#include "common/ProgressSink.h"
#include "plugin/export/MeshSource.h"
#include "plugin/run/MeshSettings.h"
#include "solids/PlacedParts.h"
#include "solids/ShapeMesh.h"
#include "solids/TriangleSource.h"

class PictureTriangles final : public TriangleSource {
  public:
    // surface: the mesh's rows, with settings' meshRows, meshCols, Meshtype and BlackHoles;
    // shape: how it is closed and placed (ShapeMesh). progress: told of every cell row of a
    // triangle pass. surface, settings and progress outlive the source.
    PictureTriangles(MeshSource& surface, const MeshSettings& settings, MeshShape shape,
                     ProgressSink& progress);

    TriangleCounts Count() override;
    void ForEachVertexBlock(const VertexBlockVisit& visit) override;
    void ForEachTriangleBlock(bool withCorners, const TriangleBlockVisit& visit) override;

  private:
    // The triangles of one cell row into triangles_ (and corners_).
    void MakeRow(std::uint32_t row, const CellRow& cells, bool withCorners);
    // The same when every cell is a whole quad of the grid, from the placed rows top_ and
    // bottom_ alone.
    void MakeGridRow(std::uint32_t row, bool withCorners);
    // Row `row`'s points in the file's frame as the vertices they become: perRow_ of them,
    // a welded point as the point it is welded to.
    void PlaceRow(std::uint32_t row, const PointRow& points, std::vector<Vertex>& placed) const;
    void Put(const std::uint32_t (&v)[4], const Vertex (&at)[4], int a, int b, int c,
             bool withCorners);
    // A pass over the cell rows that only counts the surface's triangles.
    std::uint64_t CountSurfaceTriangles();

    MeshSource& surface_;
    std::uint32_t gridRows_, rows_, perRow_;
    bool flipSurface_;
    bool weighsArea_; // round meshes: triangles whose placed corners span no area are left out
    bool gridQuads_;  // every cell is a quad of the grid, as no black hole or pole cuts one
    SurfaceWeld weld_;
    PlacedParts parts_;
    ModelFrame frame_;
    ProgressSink& progress_;
    std::vector<Triangle> triangles_;
    std::vector<Vertex> corners_, vertices_, top_, bottom_;
    std::optional<TriangleCounts> counts_;
};
