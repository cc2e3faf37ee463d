#pragma once
// The export's polygon list: one PolygonRecord per grid cell, in cell order, in polygonBlock.

#include <cstdint>

#include "common/ProgressSink.h"
#include "plugin/mesh/MeshBuffers.h"
#include "plugin/mesh/PolygonRecord.h"
#include "plugin/run/MeshSettings.h"

// What a polygon list holds, counted without building it.
struct PolygonTally {
    std::uint64_t faces;       // records with a polygon
    std::uint64_t triangles;   // 1 per triangle, 2 per quad
    std::uint64_t cornerCount; // sum of the polygons' corner counts
};

// Rectangular meshes are turned over for export first (z becomes MapAlt * ModelScale - z,
// so bright is high); this is the last use of the points. Then every cell of the
// meshRows x PointsPerRow grid becomes a record: black corners dropped when BlackHoles is
// on, coincident corners always removed; count 0 where nothing is left. Reports
// (row, 2 * meshRows - 2) per cell row. Returns the number of records with a polygon.
std::int32_t BuildPolygonList(MeshSettings& settings, MeshBuffers& buffers, ProgressSink& progress);

// The counts BuildPolygonList will produce for the current points, computed without
// changing anything, so that a format can refuse a mesh before a file is chosen.
PolygonTally TallyPolygons(const MeshSettings& settings, const MeshBuffers& buffers);

// Counts one reduced cell of `count` corners (no polygon below 3).
inline void AddToTally(PolygonTally& tally, std::int16_t count) {
    if (!IsPolygon(count))
        return;
    ++tally.faces;
    tally.triangles += count == 4 ? 2 : 1;
    tally.cornerCount += static_cast<std::uint64_t>(count);
}
