#pragma once
// Base of the format writers: the order of an export (format check, save-file choice, file
// creation, the source's preparation, the format's body, flush, length patches, close), the
// byte sink over the output buffer and the progress of the rows.

#include <cstddef>
#include <cstdint>
#include <span>

#include "plugin/export/ByteSink.h"
#include "plugin/export/ExportServices.h"
#include "plugin/export/MeshSource.h"
#include "plugin/run/MeshSettings.h"

class MeshWriter {
  public:
    MeshWriter(const MeshWriter&) = delete;
    MeshWriter& operator=(const MeshWriter&) = delete;
    virtual ~MeshWriter();

    // The whole export: format check, save-file choice, file creation, the source's
    // preparation, the format's body, flush, length patches, close. A failed write removes
    // the file.
    ExportOutcome Export();

  protected:
    // filterList: the save dialog's filter pairs, ending with an empty text. settings: with
    // meshRows and meshCols of the source's mesh. sinkSetup: the sink's memory and
    // threads.
    MeshWriter(const char* filterList, const MeshSettings& settings, MeshSource& source,
               ExportServices& services, const SinkSetup& sinkSetup);

    // Whether the format can hold this mesh; asked before any file is chosen.
    virtual bool Accepts() = 0;
    // Writes the file through Sink(), after the source is prepared.
    virtual void WriteBody() = 0;
    // Fixes length fields through Sink() after everything is flushed (only when nothing
    // failed).
    virtual void PatchLengths() {}

    ByteSink& Sink() { return sink_; }
    MeshSource& Source() { return source_; }

    // Calls visit(record) for every polygon, in cell order, reporting each cell row as the
    // second half of the export's progress.
    template <class Visit> void ForEachPolygon(Visit visit) {
        ForEachCellRow([&](const CellRow& cells) {
            for (const PolygonRecord& p : cells.polygons)
                visit(p);
        });
    }
    // The same a cell row at a time, for formats that need the corners' points.
    void ForEachCellRow(const std::function<void(const CellRow&)>& visit);
    // Progress of one row of work; skipped when there is nothing to measure (total 0).
    void ReportRow(std::int64_t done, std::int64_t total);

    const MeshSettings& Settings() const { return settings_; }
    // Whether a second thread may put text together (see SharedText).
    bool SharesText() const { return textThreads_ > 1; }

    std::uint16_t Rows() const { return rows_; }
    // meshCols, plus the seam column of round meshes
    std::uint32_t PointsPerRow() const { return pointsPerRow_; }
    std::uint64_t PointCount() const { return std::uint64_t{rows_} * pointsPerRow_; }
    std::uint32_t CellsPerRow() const { return pointsPerRow_ > 0 ? pointsPerRow_ - 1 : 0; }
    std::uint32_t CellRows() const { return rows_ > 0 ? rows_ - 1u : 0; }

  private:
    const char* filterList_;
    const MeshSettings& settings_;
    MeshSource& source_;
    ExportServices& services_;
    ByteSink sink_;
    bool fileOpen_ = false;
    int textThreads_;
    std::uint16_t rows_;
    std::uint32_t pointsPerRow_;
};
