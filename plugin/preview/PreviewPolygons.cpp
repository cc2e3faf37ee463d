#include "plugin/preview/PreviewPolygons.h"

#include "plugin/preview/Shading.h"

namespace {

std::int16_t ShadePoints(const ViewArrays& v, std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    const float t[9] = {v.x[a], v.x[b],     v.x[c],     v.y[a],    v.y[b],
                        v.y[c], v.depth[a], v.depth[b], v.depth[c]};
    return ShadeTriangle(t);
}

CanvasPoint Pixel(const MeshBuffers& buffers, std::uint32_t i) {
    return {buffers.screenX[i], buffers.screenY[i]};
}

// Corner lists and shading triangles of a cell with one black corner, by the missing
// corner (0 = P00, 1 = P01, 2 = P11, 3 = P10); entries index {P00, P01, P11, P10}.
struct TriangleCell {
    int corners[4];
    int shade[3];
};
constexpr TriangleCell kTriangleCells[4] = {
    {{1, 2, 3, 3}, {3, 2, 1}},
    {{0, 2, 3, 3}, {0, 3, 2}},
    {{0, 1, 3, 3}, {1, 0, 3}},
    {{0, 1, 2, 0}, {2, 1, 0}},
};

} // namespace

void BuildPolygonRow(const MeshSettings& settings, const MeshBuffers& buffers,
                     PreviewGridShape grid, const ViewArrays& view, std::uint32_t t) {
    const std::uint32_t p = grid.points;
    for (std::uint32_t u = 0; u + 1 < p; ++u) {
        const std::uint32_t cell[4] = {t * p + u, t * p + u + 1, (t + 1) * p + u + 1,
                                       (t + 1) * p + u};
        PreviewPolygon& polygon = buffers.polygonBlock[(p - 1) * t + u].preview;
        polygon.depthKey =
            view.depth[cell[0]] + view.depth[cell[1]] + view.depth[cell[2]] + view.depth[cell[3]];
        // A corner behind the eye has no pixel of this view: leave the cell out.
        const bool inFront = view.depth[cell[0]] > 0 && view.depth[cell[1]] > 0 &&
                             view.depth[cell[2]] > 0 && view.depth[cell[3]] > 0;
        polygon.visible = inFront ? 1 : 0;

        int solid = 0;
        int missing = 0;
        for (int k = 0; k < 4; ++k) {
            if (buffers.solidFlags[cell[k]])
                ++solid;
            else
                missing = k;
        }
        if (settings.BlackHoles && solid == 3) {
            const TriangleCell& shape = kTriangleCells[missing];
            for (int k = 0; k < 4; ++k)
                polygon.corners[k] = Pixel(buffers, cell[shape.corners[k]]);
            polygon.shade =
                ShadePoints(view, cell[shape.shade[0]], cell[shape.shade[1]], cell[shape.shade[2]]);
            continue;
        }
        for (int k = 0; k < 4; ++k)
            polygon.corners[k] = Pixel(buffers, cell[k]);
        polygon.shade = ShadePoints(view, cell[1], cell[0], cell[3]);
        if (settings.BlackHoles && solid < 3)
            polygon.visible = 0;
    }
}

void ShadePoleRow(const MeshBuffers& buffers, PreviewGridShape grid, const ViewArrays& view) {
    const std::uint32_t p = grid.points;
    for (std::uint32_t u = 0; u + 1 < p; ++u)
        buffers.polygonBlock[u].preview.shade = ShadePoints(view, u, p + u, p + u + 1);
}
