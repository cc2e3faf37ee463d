#include "plugin/mesh/BuildPolygonList.h"

#include <cstddef>

#include "plugin/mesh/CellQuad.h"

namespace {

// Height of a Rectangular point as exported.
float TurnedOver(double top, float z) {
    return static_cast<float>(top - double{z});
}

double ExportTop(const MeshSettings& s) {
    return double{s.MapAlt} * double{s.ModelScale};
}

// Visits every cell in order as a reduced CellQuad: visit(cell, cellIndex), and
// rowStarts(r) before each cell row. zOf(i) gives the export height of point i.
template <class ZOf, class RowStart, class Visit>
void ForEachReducedCell(const MeshSettings& s, const MeshBuffers& b, ZOf zOf, RowStart rowStarts,
                        Visit visit) {
    const std::uint32_t rows = s.meshRows, perRow = PointsPerRow(s);
    if (rows < 2 || perRow < 2)
        return;
    const bool blackHoles = s.BlackHoles != 0;
    std::size_t cellIndex = 0;
    for (std::uint32_t r = 0; r + 1 < rows; ++r) {
        rowStarts(r);
        for (std::uint32_t c = 0; c + 1 < perRow; ++c, ++cellIndex) {
            const std::int32_t i0 = static_cast<std::int32_t>(r * perRow + c);
            const std::int32_t corners[4] = {i0, i0 + 1, i0 + static_cast<std::int32_t>(perRow) + 1,
                                             i0 + static_cast<std::int32_t>(perRow)};
            CellQuad cell;
            cell.count = 4;
            for (int k = 0; k < 4; ++k) {
                const std::int32_t i = corners[k];
                cell.q[k] = {b.pointX[i], b.pointY[i], zOf(i), i};
                cell.solid[k] = b.solidFlags[i];
            }
            if (blackHoles)
                ReduceBlackHoles(cell);
            ReduceDegenerateCorners(cell);
            visit(cell, cellIndex);
        }
    }
}

bool IsPolygon(const CellQuad& cell) {
    return cell.count == 3 || cell.count == 4;
}

} // namespace

std::int32_t BuildPolygonList(MeshSettings& s, MeshBuffers& b, ProgressSink& progress) {
    if (s.Meshtype == kRectangular) {
        const double top = ExportTop(s);
        const std::size_t count = std::size_t{s.meshRows} * s.meshCols;
        for (std::size_t i = 0; i < count; ++i)
            b.pointZ[i] = TurnedOver(top, b.pointZ[i]);
    }
    const std::int32_t total = 2 * static_cast<std::int32_t>(s.meshRows) - 2;
    std::int32_t faces = 0;
    ForEachReducedCell(
        s, b, [&](std::int32_t i) { return b.pointZ[i]; },
        [&](std::uint32_t r) { progress.Report(static_cast<std::int32_t>(r), total); },
        [&](const CellQuad& cell, std::size_t at) {
            PolygonRecord& record = b.polygonBlock[at].record;
            if (!IsPolygon(cell)) {
                record = PolygonRecord{};
                return;
            }
            record.count = cell.count;
            for (int k = 0; k < 4; ++k)
                record.index[k] = k < cell.count ? cell.q[k].index : 0;
            ++faces;
        });
    return faces;
}

PolygonTally TallyPolygons(const MeshSettings& s, const MeshBuffers& b) {
    PolygonTally tally{};
    const bool turnOver = s.Meshtype == kRectangular;
    const double top = ExportTop(s);
    ForEachReducedCell(
        s, b, [&](std::int32_t i) { return turnOver ? TurnedOver(top, b.pointZ[i]) : b.pointZ[i]; },
        [](std::uint32_t) {},
        [&](const CellQuad& cell, std::size_t) {
            if (!IsPolygon(cell))
                return;
            ++tally.faces;
            tally.triangles += cell.count == 4 ? 2 : 1;
            tally.cornerCount += static_cast<std::uint64_t>(cell.count);
        });
    return tally;
}
