#pragma once
// Base of the format writers: the order of an export (format check, save-file choice, file
// creation, polygon list, the format's body, flush, length patches, close), the byte sink
// over outputBuffer and the progress of the rows.

#include <cstddef>
#include <cstdint>

#include "plugin/export/ByteSink.h"
#include "plugin/export/ExportServices.h"
#include "plugin/mesh/MeshBuffers.h"
#include "plugin/run/MeshSettings.h"

class MeshWriter {
  public:
    MeshWriter(const MeshWriter&) = delete;
    MeshWriter& operator=(const MeshWriter&) = delete;
    virtual ~MeshWriter();

    // The whole export: format check, save-file choice, file creation, polygon list, the
    // format's body, flush, length patches, close. A failed write removes the file.
    ExportOutcome Export();

  protected:
    // filterList: the save dialog's filter pairs, ending with an empty text.
    MeshWriter(const char* filterList, MeshSettings& settings, MeshBuffers& buffers,
               ExportServices& services);

    // Whether the format can hold this mesh; asked before any file is chosen.
    virtual bool Accepts() = 0;
    // Writes the file through Sink(), after the polygon list is built.
    virtual void WriteBody() = 0;
    // Fixes length fields through Sink() after everything is flushed (only when nothing
    // failed).
    virtual void PatchLengths() {}

    ByteSink& Sink() { return sink_; }

    // Calls visit(record) for every polygon record with a polygon, in cell order, reporting
    // each cell row as the second half of the export's progress.
    template <class Visit> void ForEachPolygon(Visit visit) {
        const std::int64_t total = 2 * std::int64_t{rows_} - 2;
        const PolygonSlot* slot = buffers_.polygonBlock;
        for (std::uint32_t row = 0; row < CellRows(); ++row) {
            ReportRow(rows_ - 1 + row, total);
            for (const PolygonSlot* end = slot + CellsPerRow(); slot != end; ++slot) {
                const PolygonRecord& p = slot->record;
                if (p.count == 3 || p.count == 4)
                    visit(p);
            }
        }
    }
    // Progress of one row of work; skipped when there is nothing to measure (total 0).
    void ReportRow(std::int64_t done, std::int64_t total);

    const MeshSettings& Settings() const { return settings_; }
    const MeshBuffers& Buffers() const { return buffers_; }
    const PolygonRecord& Polygon(std::size_t cell) const {
        return buffers_.polygonBlock[cell].record;
    }
    float X(std::size_t point) const { return buffers_.pointX[point]; }
    float Y(std::size_t point) const { return buffers_.pointY[point]; }
    float Z(std::size_t point) const { return buffers_.pointZ[point]; }

    std::uint16_t Rows() const { return rows_; }
    // meshCols, plus the seam column of round meshes
    std::uint32_t PointsPerRow() const { return pointsPerRow_; }
    std::uint64_t PointCount() const { return std::uint64_t{rows_} * pointsPerRow_; }
    std::uint32_t CellsPerRow() const { return pointsPerRow_ > 0 ? pointsPerRow_ - 1 : 0; }
    std::uint32_t CellRows() const { return rows_ > 0 ? rows_ - 1u : 0; }
    // Polygon records with a polygon, once the list is built.
    std::int32_t FaceCount() const { return faceCount_; }

  private:
    const char* filterList_;
    MeshSettings& settings_;
    MeshBuffers& buffers_;
    ExportServices& services_;
    ByteSink sink_;
    bool fileOpen_ = false;
    std::int32_t faceCount_ = 0;
    std::uint16_t rows_;
    std::uint32_t pointsPerRow_;
};
