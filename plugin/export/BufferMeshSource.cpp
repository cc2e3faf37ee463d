#include "plugin/export/BufferMeshSource.h"

#include <cstddef>

BufferMeshSource::BufferMeshSource(MeshSettings& settings, MeshBuffers& buffers)
    : settings_(settings), buffers_(buffers) {}

void BufferMeshSource::Prepare(ProgressSink& progress) {
    BuildPolygonList(settings_, buffers_, progress);
    listBuilt_ = true;
}

PolygonTally BufferMeshSource::Tally() {
    return listBuilt_ ? TallyCellRows(*this) : TallyPolygons(settings_, buffers_);
}

PointRow BufferMeshSource::RowOf(std::uint32_t row) const {
    const std::size_t base = std::size_t{row} * PointsPerRow(settings_);
    return {buffers_.pointX + base, buffers_.pointY + base, buffers_.pointZ + base};
}

void BufferMeshSource::ForEachPointRow(const PointRowVisit& visit) {
    for (std::uint32_t row = 0; row < settings_.meshRows; ++row)
        visit(row, RowOf(row));
}

void BufferMeshSource::ForEachCellRow(const CellRowVisit& visit) {
    const std::uint32_t perRow = PointsPerRow(settings_);
    if (settings_.meshRows < 2 || perRow < 2)
        return;
    const PolygonSlot* slot = buffers_.polygonBlock;
    for (std::uint32_t row = 0; row + 1 < settings_.meshRows; ++row) {
        rowPolygons_.clear();
        for (const PolygonSlot* end = slot + perRow - 1; slot != end; ++slot)
            if (IsPolygon(slot->record.count))
                rowPolygons_.push_back(slot->record);
        visit(row, {rowPolygons_, RowOf(row), RowOf(row + 1), std::int64_t{row} * perRow, perRow});
    }
}
