#include "plugin/preview/PreviewGrid.h"

PreviewGridShape PreviewGrid(const MeshSettings& settings, const MeshBuffers& buffers) {
    const std::uint64_t rows = settings.meshRows;
    const std::uint64_t points = PointsPerRow(settings);
    // Settings that disagree with the buffers must not make the passes run past them.
    if (rows * points > buffers.capacity)
        return {0, 0};
    return {static_cast<std::uint32_t>(rows), static_cast<std::uint32_t>(points)};
}

ViewArrays PackedViewArrays(const MeshBuffers& buffers, PreviewGridShape grid) {
    const std::uint32_t size = grid.rows * grid.points;
    return {buffers.viewX, buffers.viewX + size, buffers.viewX + 2 * size};
}

void ProjectPoints(const MeshSettings& settings, const MeshBuffers& buffers,
                   const ViewAngles& angles, std::uint32_t first, std::uint32_t count,
                   const ViewArrays* view) {
    for (std::uint32_t i = first; i < first + count; ++i) {
        const ViewPoint p = TransformPoint(buffers.pointX[i], buffers.pointY[i], buffers.pointZ[i],
                                           angles, settings.viewDistance);
        if (view) {
            view->x[i] = p.x;
            view->y[i] = p.y;
            view->depth[i] = p.depth;
        }
        if (const auto pixel = ProjectPoint(p, settings)) {
            buffers.screenX[i] = pixel->x;
            buffers.screenY[i] = pixel->y;
        }
    }
}
