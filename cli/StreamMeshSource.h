#pragma once
// The mesh of a gray picture made as a writer asks for it, a row at a time, straight from
// the picture: the same points and polygons as the plug-in's mesh in memory, in the memory
// of a few rows.

#include <optional>
#include <vector>

#include "plugin/export/MeshSource.h"
#include "plugin/mesh/PointRows.h"
#include "plugin/mesh/SampleGrayGrid.h"
#include "plugin/run/MeshSettings.h"

class StreamMeshSource final : public MeshSource {
  public:
    // settings: the run's, with the picture (imagePixels, imageRowBytes, imageRows,
    // imageCols), which outlives the source; meshRows and meshCols are set here from its
    // MeshRes.
    explicit StreamMeshSource(MeshSettings& settings);

    void Prepare(ProgressSink&) override {}
    // A pass over the cell rows the first time.
    PolygonTally Tally() override;
    void ForEachPointRow(const PointRowVisit& visit) override;
    void ForEachCellRow(const CellRowVisit& visit) override;

  private:
    // The points of row r in buffer `slot` (0 or 1).
    PointRow MakeRow(GrayRowSampler& sampler, std::uint32_t r, int slot);

    const MeshSettings& settings_;
    GridSize grid_;
    std::uint32_t perRow_;
    PointRowMaker maker_;
    std::vector<float> coordinates_;  // x, y, z of two rows
    std::vector<std::uint8_t> solid_; // of two rows
    std::vector<PolygonRecord> polygons_;
    std::optional<PolygonTally> tally_;
};
