#include "cli/solid/SolidParts.h"

#include <cmath>

namespace {

struct GridPoint {
    std::uint32_t row, col;
};

// The rim of the surface once round: along the first row, down the last column, back along
// the last row and up the first column. Seen from above this runs clockwise (rows go down
// in y, columns up in x), against the surface's own counter-clockwise triangles.
std::vector<GridPoint> Rim(std::uint32_t rows, std::uint32_t perRow) {
    std::vector<GridPoint> rim;
    for (std::uint32_t c = 0; c < perRow; ++c)
        rim.push_back({0, c});
    for (std::uint32_t r = 1; r < rows; ++r)
        rim.push_back({r, perRow - 1});
    for (std::uint32_t c = perRow - 1; c-- > 0;)
        rim.push_back({rows - 1, c});
    for (std::uint32_t r = rows - 1; --r > 0;)
        rim.push_back({r, 0});
    return rim;
}

Vertex RimPoint(const SurfaceSurvey& survey, GridPoint p, std::uint32_t rows) {
    if (p.row == 0)
        return survey.firstRow[p.col];
    if (p.row == rows - 1)
        return survey.lastRow[p.col];
    return p.col == 0 ? survey.firstColumn[p.row] : survey.lastColumn[p.row];
}

// The point's direction about the y axis at radius.
Vertex AtRadius(const Vertex& v, double radius) {
    const double scale = radius / std::hypot(double{v.x}, double{v.z});
    return {static_cast<float>(v.x * scale), v.y, static_cast<float>(v.z * scale)};
}

} // namespace

SolidParts WallsAndBase(const std::vector<RimVertex>& rim, float baseZ, Vertex centre,
                        std::uint32_t first) {
    const auto count = static_cast<std::uint32_t>(rim.size());
    SolidParts parts;
    for (const RimVertex& r : rim)
        parts.vertices.push_back({r.at.x, r.at.y, baseZ});
    parts.vertices.push_back({centre.x, centre.y, baseZ});
    const std::uint32_t middle = first + count;
    const std::vector<Vertex>& base = parts.vertices;
    for (std::uint32_t k = 0; k < count; ++k) {
        const std::uint32_t n = (k + 1) % count;
        // The wall below the rim's edge k, and the base's slice under it.
        parts.Add(rim[k].index, rim[n].index, first + n, rim[k].at, rim[n].at, base[n]);
        parts.Add(rim[k].index, first + n, first + k, rim[k].at, base[n], base[k]);
        parts.Add(middle, first + k, first + n, base[count], base[k], base[n]);
    }
    return parts;
}

SolidParts BoxParts(const SurfaceSurvey& survey, const SurfaceWeld& weld, std::uint32_t rows,
                    std::uint32_t perRow, float baseZ) {
    std::vector<RimVertex> rim;
    for (const GridPoint& p : Rim(rows, perRow))
        rim.push_back({weld.Index(p.row, p.col), RimPoint(survey, p, rows)});
    const Extent& e = survey.extent;
    const Vertex centre{(e.low.x + e.high.x) / 2, (e.low.y + e.high.y) / 2, baseZ};
    return WallsAndBase(rim, baseZ, centre, static_cast<std::uint32_t>(weld.VertexCount()));
}

SolidParts TubeParts(const SurfaceSurvey& survey, const SurfaceWeld& weld, std::uint32_t rows,
                     std::uint32_t columns, double innerRadius) {
    const auto first = static_cast<std::uint32_t>(weld.VertexCount());
    const std::vector<Vertex>&top = survey.firstRow, &end = survey.lastRow;
    SolidParts parts;
    for (std::uint32_t c = 0; c < columns; ++c)
        parts.vertices.push_back(AtRadius(top[c], innerRadius));
    for (std::uint32_t c = 0; c < columns; ++c)
        parts.vertices.push_back(AtRadius(end[c], innerRadius));
    const std::vector<Vertex>& v = parts.vertices;
    for (std::uint32_t c = 0; c < columns; ++c) {
        const std::uint32_t n = (c + 1) % columns;
        const std::uint32_t top0 = weld.Index(0, c), top1 = weld.Index(0, n);
        const std::uint32_t end0 = weld.Index(rows - 1, c), end1 = weld.Index(rows - 1, n);
        const std::uint32_t in0 = first + c, in1 = first + n;
        const std::uint32_t out0 = first + columns + c, out1 = first + columns + n;
        const Vertex &i0 = v[c], &i1 = v[n], &o0 = v[columns + c], &o1 = v[columns + n];
        // The first row's ring, the inner wall, the last row's ring.
        parts.Add(top1, top0, in0, top[n], top[c], i0);
        parts.Add(top1, in0, in1, top[n], i0, i1);
        parts.Add(in1, in0, out0, i1, i0, o0);
        parts.Add(in1, out0, out1, i1, o0, o1);
        parts.Add(end0, end1, out1, end[c], end[n], o1);
        parts.Add(end0, out1, out0, end[c], o1, o0);
    }
    return parts;
}
