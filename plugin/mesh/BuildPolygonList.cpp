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

// Visits every cell in order as a reduced polygon: visit(count, corners, cellIndex) with
// count 4, 3 or less (no polygon), and rowStarts(r) before each cell row. zOf(i) gives the
// export height of point i.
template <class ZOf, class RowStart, class Visit>
void ForEachReducedCell(const MeshSettings& s, const MeshBuffers& b, ZOf zOf, RowStart rowStarts,
                        Visit visit) {
    const std::uint32_t rows = s.meshRows, perRow = PointsPerRow(s);
    if (rows < 2 || perRow < 2)
        return;
    const bool blackHoles = s.BlackHoles != 0;
    const std::uint8_t* solid = b.solidFlags;
    std::size_t cellIndex = 0;
    for (std::uint32_t r = 0; r + 1 < rows; ++r) {
        rowStarts(r);
        for (std::uint32_t c = 0; c + 1 < perRow; ++c, ++cellIndex) {
            const auto i0 = static_cast<std::int32_t>(r * perRow + c);
            const auto below = static_cast<std::int32_t>(perRow);
            const std::int32_t corners[4] = {i0, i0 + 1, i0 + below + 1, i0 + below};
            const float z[4] = {zOf(corners[0]), zOf(corners[1]), zOf(corners[2]), zOf(corners[3])};
            // The common case: nothing to drop and no two corners alike, so the quad stays
            // as it is (every reduction rule needs a pair of equal corners).
            const bool allSolid = !blackHoles || (solid[corners[0]] & solid[corners[1]] &
                                                  solid[corners[2]] & solid[corners[3]]);
            const auto same = [&](int a, int j) {
                return z[a] == z[j] && b.pointX[corners[a]] == b.pointX[corners[j]] &&
                       b.pointY[corners[a]] == b.pointY[corners[j]];
            };
            if (allSolid && !same(0, 1) && !same(0, 2) && !same(0, 3) && !same(1, 2) &&
                !same(1, 3) && !same(2, 3)) {
                visit(4, corners, cellIndex);
                continue;
            }
            CellQuad cell;
            cell.count = 4;
            for (int k = 0; k < 4; ++k) {
                const std::int32_t i = corners[k];
                cell.q[k] = {b.pointX[i], b.pointY[i], z[k], i};
                cell.solid[k] = solid[i];
            }
            if (blackHoles)
                ReduceBlackHoles(cell);
            ReduceDegenerateCorners(cell);
            const std::int32_t reduced[4] = {cell.q[0].index, cell.q[1].index, cell.q[2].index,
                                             cell.q[3].index};
            visit(cell.count, reduced, cellIndex);
        }
    }
}

bool IsPolygon(std::int16_t count) {
    return count == 3 || count == 4;
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
        [&](std::int16_t count, const std::int32_t* corners, std::size_t at) {
            PolygonRecord& record = b.polygonBlock[at].record;
            if (!IsPolygon(count)) {
                record = PolygonRecord{};
                return;
            }
            record.count = count;
            for (int k = 0; k < 4; ++k)
                record.index[k] = k < count ? corners[k] : 0;
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
        [&](std::int16_t count, const std::int32_t*, std::size_t) {
            if (!IsPolygon(count))
                return;
            ++tally.faces;
            tally.triangles += count == 4 ? 2 : 1;
            tally.cornerCount += static_cast<std::uint64_t>(count);
        });
    return tally;
}
