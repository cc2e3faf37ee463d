#include "plugin/mesh/ComputeBounds.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

void ComputeBounds(MeshSettings& s, const MeshBuffers& b) {
    const std::size_t count = std::size_t{s.meshRows} * PointsPerRow(s);
    float maxX = 0, minX = 0, maxY = 0, minY = 0, maxZ = 0, minZ = 0;
    for (std::size_t i = 0; i < count; ++i) {
        maxX = std::max(maxX, b.pointX[i]);
        minX = std::min(minX, b.pointX[i]);
        maxY = std::max(maxY, b.pointY[i]);
        minY = std::min(minY, b.pointY[i]);
        maxZ = std::max(maxZ, b.pointZ[i]);
        minZ = std::min(minZ, b.pointZ[i]);
    }
    s.maxX = maxX, s.minX = minX, s.maxY = maxY, s.minY = minY, s.maxZ = maxZ, s.minZ = minZ;

    double farthest = 0;
    for (float x : {maxX, minX})
        for (float y : {maxY, minY})
            for (float z : {maxZ, minZ})
                farthest =
                    std::max(farthest, std::sqrt(double{x} * x + double{y} * y + double{z} * z));
    s.viewDistance = static_cast<float>(3.0 * farthest);
}
