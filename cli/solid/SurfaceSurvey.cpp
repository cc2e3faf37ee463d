#include "cli/solid/SurfaceSurvey.h"

#include <algorithm>
#include <cmath>

void Extent::Add(const Vertex& v) {
    low = {std::min(low.x, v.x), std::min(low.y, v.y), std::min(low.z, v.z)};
    high = {std::max(high.x, v.x), std::max(high.y, v.y), std::max(high.z, v.z)};
}

Extent CornerExtent(MeshSource& surface) {
    Extent extent;
    surface.ForEachCellRow([&extent](std::uint32_t, const CellRow& cells) {
        for (const PolygonRecord& p : cells.polygons)
            for (int k = 0; k < p.count; ++k) {
                const CornerPoint corner = cells.Corner(p.index[k]);
                extent.Add({corner.x, corner.y, corner.z});
            }
    });
    return extent;
}

SurfaceSurvey SurveySurface(MeshSource& surface, const SurfaceWeld& weld, std::uint32_t rows,
                            std::uint32_t perRow, bool round) {
    SurfaceSurvey survey;
    survey.lowest = std::numeric_limits<double>::infinity();
    survey.firstColumn.reserve(rows);
    survey.lastColumn.reserve(rows);
    surface.ForEachPointRow([&](std::uint32_t row, const PointRow& points) {
        for (std::uint32_t c = 0; c < weld.ColumnsKept(row); ++c) {
            const Vertex v{points.x[c], points.y[c], points.z[c]};
            survey.extent.Add(v);
            const double level =
                round ? std::hypot(double{v.x}, double{v.z}) : static_cast<double>(v.z);
            survey.lowest = std::min(survey.lowest, level);
        }
        const auto copy = [&] {
            std::vector<Vertex> all(perRow);
            for (std::uint32_t c = 0; c < perRow; ++c)
                all[c] = {points.x[c], points.y[c], points.z[c]};
            return all;
        };
        if (row == 0)
            survey.firstRow = copy();
        if (row + 1 == rows)
            survey.lastRow = copy();
        survey.firstColumn.push_back({points.x[0], points.y[0], points.z[0]});
        const std::uint32_t last = perRow - 1;
        survey.lastColumn.push_back({points.x[last], points.y[last], points.z[last]});
    });
    return survey;
}
