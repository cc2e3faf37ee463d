#include "tests/plugin/preview/HandBuiltMesh.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

HandBuiltMesh::HandBuiltMesh(std::uint16_t rows, std::uint16_t cols, MeshType type) {
    if (!AllocateMeshBuffers(buffers, rows, cols, allocator_))
        throw std::runtime_error("test mesh buffers");
    settings.Meshtype = type;
    settings.meshRows = rows;
    settings.meshCols = cols;
    settings.DoLatitude = settings.DoLongitude = 1;
    settings.canvasRect = {0, 0, 200, 200};
    settings.viewCenterX = kViewNotPlaced;
    settings.viewZoom = 1.0f;
    for (std::uint32_t i = 0; i < rows * Points(); ++i)
        buffers.solidFlags[i] = 1;
}

HandBuiltMesh::~HandBuiltMesh() {
    ReleaseMeshBuffers(buffers, allocator_);
}

void HandBuiltMesh::Set(std::uint32_t row, std::uint32_t col, float x, float y, float z, bool solid) {
    const std::uint32_t i = Index(row, col);
    buffers.pointX[i] = x;
    buffers.pointY[i] = y;
    buffers.pointZ[i] = z;
    buffers.solidFlags[i] = solid ? 1 : 0;
}

void HandBuiltMesh::MakeFlat(float step) {
    for (std::uint32_t r = 0; r < settings.meshRows; ++r)
        for (std::uint32_t c = 0; c < Points(); ++c)
            Set(r, c, c * step, -(r * step), 0.0f);
    FinishBounds();
}

void HandBuiltMesh::FinishBounds() {
    MeshSettings& s = settings;
    s.maxX = s.minX = s.maxY = s.minY = s.maxZ = s.minZ = 0.0f;
    for (std::uint32_t i = 0; i < settings.meshRows * Points(); ++i) {
        s.maxX = std::max(s.maxX, buffers.pointX[i]);
        s.minX = std::min(s.minX, buffers.pointX[i]);
        s.maxY = std::max(s.maxY, buffers.pointY[i]);
        s.minY = std::min(s.minY, buffers.pointY[i]);
        s.maxZ = std::max(s.maxZ, buffers.pointZ[i]);
        s.minZ = std::min(s.minZ, buffers.pointZ[i]);
    }
    double farthest = 0.0;
    for (float x : {s.minX, s.maxX})
        for (float y : {s.minY, s.maxY})
            for (float z : {s.minZ, s.maxZ})
                farthest =
                    std::max(farthest, std::sqrt(double(x) * x + double(y) * y + double(z) * z));
    s.viewDistance = static_cast<float>(3.0 * farthest);
}

void HandBuiltMesh::PlaceView(float zoom, float centerX, float centerY) {
    settings.viewZoom = zoom;
    settings.viewCenterX = settings.homeCenterX = centerX;
    settings.viewCenterY = settings.homeCenterY = centerY;
}
