#pragma once
// Where a writer takes its mesh from: the points row by row and the polygons cell row by cell
// row, both in order. The plug-in's mesh lies in memory (BufferMeshSource); the command-line
// tool makes its rows as the writer asks for them, so that no whole mesh is ever held.

#include <cstdint>
#include <functional>
#include <span>

#include "common/ProgressSink.h"
#include "plugin/mesh/BuildPolygonList.h"
#include "plugin/mesh/PolygonRecord.h"

// One row of points as the file holds them: PointsPerRow values in each array.
struct PointRow {
    const float* x;
    const float* y;
    const float* z;
};

struct CornerPoint {
    float x, y, z;
};

// The polygons of the cells between point rows `row` and `row + 1`.
struct CellRow {
    std::span<const PolygonRecord> polygons; // count 3 or 4 only, in cell order
    PointRow top, bottom;                    // the two rows the corners lie on
    std::int64_t firstPoint;                 // the index of top's first point
    std::uint32_t perRow;

    CornerPoint Corner(std::int32_t index) const {
        const std::int64_t at = index - firstPoint;
        const PointRow& row = at < perRow ? top : bottom;
        const std::int64_t col = at < perRow ? at : at - perRow;
        return {row.x[col], row.y[col], row.z[col]};
    }
};

using PointRowVisit = std::function<void(std::uint32_t row, const PointRow& points)>;
using CellRowVisit = std::function<void(std::uint32_t row, const CellRow& cells)>;

class MeshSource {
  public:
    virtual ~MeshSource() = default;
    // Called once the file is open, before any row is asked for.
    virtual void Prepare(ProgressSink& progress) = 0;
    // What the cell rows hold, counted before they are visited (a format whose counts come
    // first asks for it).
    virtual PolygonTally Tally() = 0;
    virtual void ForEachPointRow(const PointRowVisit& visit) = 0;
    virtual void ForEachCellRow(const CellRowVisit& visit) = 0;
};

// The counts of what source's cell rows hold, from a pass over them.
PolygonTally TallyCellRows(MeshSource& source);
