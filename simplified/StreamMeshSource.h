#pragma once
// The mesh of a gray picture made as a writer asks for it, a row at a time, straight from
// the picture: the same points and polygons as the plug-in's mesh in memory, in the memory
// of a few rows.

#include <optional>
#include <vector>

#include "pictures/WideGray.h"
#include "plugin/export/MeshSource.h"
#include "plugin/mesh/PointRows.h"
#include "plugin/mesh/SampleGrayGrid.h"
#include "plugin/run/MeshSettings.h"

class StreamMeshSource final : public MeshSource {
  public:
    // settings: the run's, with the picture (imagePixels, imageRowBytes, imageRows,
    // imageCols), which outlives the source; meshRows and meshCols are set here from its
    // MeshRes. wide: null, or the same picture's 16-bit levels (imageCols x imageRows,
    // outliving the source), from which every row is then made instead of from imagePixels.
    // Levels of another size are not used.
    explicit StreamMeshSource(MeshSettings& settings, const WideGray* wide = nullptr);

    void Prepare(ProgressSink&) override {}
    // A pass over the cell rows the first time.
    PolygonTally Tally() override;
    void ForEachPointRow(const PointRowVisit& visit) override;
    void ForEachCellRow(const CellRowVisit& visit) override;

  private:
    // The grid's rows from the picture's 8-bit gray or its 16-bit levels, as the source has.
    class RowSampler {
      public:
        explicit RowSampler(const StreamMeshSource& source);
        void Make(const PointRowMaker& maker, std::uint32_t r, const PointRowSpan& out);

      private:
        std::optional<GrayRowSampler> gray_;
        std::optional<WideRowSampler> wide_;
    };

    // The points of row r in buffer `slot` (0 or 1).
    PointRow MakeRow(RowSampler& sampler, std::uint32_t r, int slot);

    const MeshSettings& settings_;
    const WideGray* wide_;
    GridSize grid_;
    std::uint32_t perRow_;
    PointRowMaker maker_;
    std::vector<float> coordinates_;  // x, y, z of two rows
    std::vector<std::uint8_t> solid_; // of two rows
    std::vector<PolygonRecord> polygons_;
    std::optional<PolygonTally> tally_;
};
