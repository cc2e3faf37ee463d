#pragma once
// The user's parameters (named by their INI keys) together with the geometry and view
// state of one run. Plain data in the order the plug-in has always kept it.

#include <cstdint>

#include "common/CanvasGeometry.h"

enum MeshType : std::int32_t { kRectangular = 0, kCylindrical = 1, kSpherical = 2 };

enum DiskFormatId : std::int32_t {
    kNxmDxf = 1,
    kFaceDxf = 2,
    kPolylineDxf = 3,
    kTds = 4,
    kCob = 5,
    kLwo = 6,
};

// viewCenterX holds this until the preview has placed the view.
inline constexpr float kViewNotPlaced = -666.0f;

struct MeshSettings {
    std::int32_t Meshtype;
    std::uint16_t imageRows, imageCols;
    std::uint16_t meshRows, meshCols;
    std::int32_t MeshRes;
    CanvasRect canvasRect;
    const std::uint8_t* imagePixels;
    std::uint8_t* grayGrid;
    std::uint16_t imageRowBytes, grayRowBytes;
    std::uint32_t polygonCount;
    std::int32_t DoLatitude, DoLongitude, DoPerspective, BlackHoles;
    float Xrot, Yrot, Zrot;
    float maxX, minX, maxY, minY, maxZ, minZ;
    float viewZoom, viewCenterX, viewCenterY, homeCenterX, homeCenterY;
    float viewDistance;
    float MapAlt, RadOff, ModelScale, CylLen;
    std::int32_t DiskFormat;
    std::int32_t Tooltype, Shadetype;
};

// Points per grid row: Cylindrical and Spherical meshes repeat column 0 to close the seam.
inline std::uint32_t PointsPerRow(const MeshSettings& s) {
    return s.Meshtype == kRectangular ? s.meshCols : s.meshCols + 1u;
}

// The grid's meshRows x PointsPerRow points, and its cells, one between every four.
inline std::uint64_t GridPoints(const MeshSettings& s) {
    return std::uint64_t{s.meshRows} * PointsPerRow(s);
}
inline std::uint64_t GridCells(const MeshSettings& s) {
    const std::uint64_t rows = s.meshRows, perRow = PointsPerRow(s);
    return rows > 0 && perRow > 0 ? (rows - 1) * (perRow - 1) : 0;
}
