#include "solids/SurfaceSurvey.h"

#include <algorithm>
#include <cmath>

void Extent::Add(const Vertex& v) {
    low = {std::min(low.x, v.x), std::min(low.y, v.y), std::min(low.z, v.z)};
    high = {std::max(high.x, v.x), std::max(high.y, v.y), std::max(high.z, v.z)};
}

Extent CornerExtent(MeshSource& surface, const SurfaceWeld& weld) {
    Extent extent;
    surface.ForEachCellRow([&](std::uint32_t row, const CellRow& cells) {
        for (const PolygonRecord& p : cells.polygons) {
            std::uint32_t index[4];
            Vertex at[4];
            for (int k = 0; k < p.count; ++k) {
                const std::int64_t point = p.index[k] - cells.firstPoint;
                const bool onTop = point < cells.perRow;
                const std::uint32_t r = onTop ? row : row + 1;
                const auto col = static_cast<std::uint32_t>(onTop ? point : point - cells.perRow);
                const PointRow& points = onTop ? cells.top : cells.bottom;
                const std::uint32_t c = weld.Representative(r, col);
                index[k] = weld.Index(r, col);
                at[k] = {points.x[c], points.y[c], points.z[c]};
            }
            // Split as the triangles are; one whose corners weld together is not written.
            constexpr int kSplits[2][3] = {{0, 1, 2}, {2, 3, 0}};
            for (int t = 0; t < (p.count == 4 ? 2 : 1); ++t) {
                const auto [a, b, c] = kSplits[t];
                if (index[a] == index[b] || index[b] == index[c] || index[a] == index[c])
                    continue;
                extent.Add(at[a]);
                extent.Add(at[b]);
                extent.Add(at[c]);
            }
        }
    });
    return extent;
}

SurfaceSurvey SurveySurface(MeshSource& surface, const SurfaceWeld& weld, std::uint32_t perRow,
                            Level level) {
    SurfaceSurvey survey;
    survey.lowest = std::numeric_limits<double>::infinity();
    const std::uint32_t rows = weld.Rows();
    surface.ForEachPointRow([&](std::uint32_t row, const PointRow& points) {
        if (level != Level::kHeight) {
            const float lowestY = *std::min_element(points.y, points.y + perRow);
            survey.rowLowestY.push_back(lowestY);
        }
        if (row >= rows)
            return;
        const auto at = [&](std::uint32_t c) -> IndexedVertex {
            return {weld.Index(row, c), {points.x[c], points.y[c], points.z[c]}};
        };
        const std::uint32_t kept = weld.ColumnsKept(row);
        for (std::uint32_t c = 0; c < kept; ++c) {
            const Vertex& v = at(c).at;
            survey.extent.Add(v);
            double height = v.z;
            if (level == Level::kAxisRadius)
                height = std::hypot(double{v.x}, double{v.z});
            else if (level == Level::kRadius)
                height = std::hypot(double{v.x}, double{v.y}, double{v.z});
            survey.lowest = std::min(survey.lowest, height);
        }
        if (row == 0 || row + 1 == rows) {
            Ring& ring = row == 0 ? survey.firstRow : survey.lastRow;
            for (std::uint32_t c = 0; c < kept; ++c)
                ring.push_back(at(c));
        }
        survey.firstColumn.push_back(at(0));
        survey.lastColumn.push_back(at(kept - 1));
    });
    return survey;
}

Ring GridRim(const SurfaceSurvey& survey) {
    const std::size_t rows = survey.firstColumn.size();
    Ring rim(survey.firstRow);
    for (std::size_t r = 1; r < rows; ++r)
        rim.push_back(survey.lastColumn[r]);
    for (std::size_t c = survey.lastRow.size() - 1; c-- > 0;)
        rim.push_back(survey.lastRow[c]);
    for (std::size_t r = rows - 1; --r > 0;)
        rim.push_back(survey.firstColumn[r]);
    return rim;
}
