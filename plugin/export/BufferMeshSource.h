#pragma once
// The plug-in's mesh in memory as a writer's source: its points as made, and the polygon
// list that Prepare builds (turning Rectangular heights over, the last use of the points).

#include <vector>

#include "plugin/export/MeshSource.h"
#include "plugin/mesh/MeshBuffers.h"
#include "plugin/run/MeshSettings.h"

class BufferMeshSource final : public MeshSource {
  public:
    // Both outlive the source; the points are made (MakePoints).
    BufferMeshSource(MeshSettings& settings, MeshBuffers& buffers);

    // Builds the polygon list, reporting the first half of the export's progress.
    void Prepare(ProgressSink& progress) override;
    // Before Prepare: counted on the points as they would be exported; after: the list.
    PolygonTally Tally() override;
    void ForEachPointRow(const PointRowVisit& visit) override;
    void ForEachCellRow(const CellRowVisit& visit) override;

  private:
    PointRow RowOf(std::uint32_t row) const;

    MeshSettings& settings_;
    MeshBuffers& buffers_;
    bool listBuilt_ = false;
    std::vector<PolygonRecord> rowPolygons_;
};
