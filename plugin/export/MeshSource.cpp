#include "plugin/export/MeshSource.h"

PolygonTally TallyCellRows(MeshSource& source) {
    PolygonTally tally{};
    source.ForEachCellRow([&](std::uint32_t, const CellRow& cells) {
        for (const PolygonRecord& p : cells.polygons)
            AddToTally(tally, p.count);
    });
    return tally;
}
