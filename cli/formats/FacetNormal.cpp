#include "cli/formats/FacetNormal.h"

#include <cmath>

Vertex FacetNormalInDouble(const Vertex& a, const Vertex& b, const Vertex& c) {
    const double ux = double(b.x) - a.x, uy = double(b.y) - a.y, uz = double(b.z) - a.z;
    const double vx = double(c.x) - a.x, vy = double(c.y) - a.y, vz = double(c.z) - a.z;
    const double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
    const double length = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (!(length > 0.0) || !std::isfinite(length))
        return {0.0f, 0.0f, 0.0f};
    return {float(nx / length), float(ny / length), float(nz / length)};
}
