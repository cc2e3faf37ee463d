#include "plugin/mesh/BuildPolygonList.h"

#include <cstddef>
#include <vector>

#include "plugin/mesh/CellRows.h"
#include "plugin/mesh/PointRows.h"

namespace {

PointRowView RowOf(const MeshBuffers& b, std::uint32_t perRow, std::uint32_t r,
                   const float* z = nullptr) {
    const std::size_t base = std::size_t{r} * perRow;
    return {b.pointX + base, b.pointY + base, z ? z : b.pointZ + base, b.solidFlags + base};
}

bool HasCells(const MeshSettings& s) {
    return s.meshRows >= 2 && PointsPerRow(s) >= 2;
}

} // namespace

std::int32_t BuildPolygonList(MeshSettings& s, MeshBuffers& b, ProgressSink& progress) {
    if (s.Meshtype == kRectangular) {
        const double top = ExportTop(s);
        const std::size_t count = std::size_t{s.meshRows} * s.meshCols;
        for (std::size_t i = 0; i < count; ++i)
            b.pointZ[i] = TurnedOver(top, b.pointZ[i]);
    }
    if (!HasCells(s))
        return 0;
    const std::int32_t total = 2 * static_cast<std::int32_t>(s.meshRows) - 2;
    const std::uint32_t perRow = PointsPerRow(s);
    std::int32_t faces = 0;
    for (std::uint32_t r = 0; r + 1 < s.meshRows; ++r) {
        progress.Report(static_cast<std::int32_t>(r), total);
        PolygonSlot* slots = b.polygonBlock + std::size_t{r} * (perRow - 1);
        ReduceCellRow(RowOf(b, perRow, r), RowOf(b, perRow, r + 1), perRow,
                      static_cast<std::int32_t>(r * perRow), s.BlackHoles != 0,
                      [&](std::uint32_t c, std::int16_t count, const std::int32_t* corners) {
                          PolygonRecord& record = slots[c].record;
                          if (!IsPolygon(count)) {
                              record = PolygonRecord{};
                              return;
                          }
                          record.count = count;
                          for (int k = 0; k < 4; ++k)
                              record.index[k] = k < count ? corners[k] : 0;
                          ++faces;
                      });
    }
    return faces;
}

PolygonTally TallyPolygons(const MeshSettings& s, const MeshBuffers& b) {
    PolygonTally tally{};
    if (!HasCells(s))
        return tally;
    const std::uint32_t perRow = PointsPerRow(s);
    // Rectangular heights are compared as exported, without changing the points.
    const bool turnOver = s.Meshtype == kRectangular;
    const double top = ExportTop(s);
    std::vector<float> turned[2] = {std::vector<float>(perRow), std::vector<float>(perRow)};
    auto heights = [&](std::uint32_t r) -> const float* {
        const float* z = b.pointZ + std::size_t{r} * perRow;
        if (!turnOver)
            return z;
        float* out = turned[r % 2].data();
        for (std::uint32_t c = 0; c < perRow; ++c)
            out[c] = TurnedOver(top, z[c]);
        return out;
    };
    const float* above = heights(0);
    for (std::uint32_t r = 0; r + 1 < s.meshRows; ++r) {
        const float* under = heights(r + 1);
        ReduceCellRow(RowOf(b, perRow, r, above), RowOf(b, perRow, r + 1, under), perRow,
                      static_cast<std::int32_t>(r * perRow), s.BlackHoles != 0,
                      [&](std::uint32_t, std::int16_t count, const std::int32_t*) {
                          AddToTally(tally, count);
                      });
        above = under;
    }
    return tally;
}
