#pragma once
// The largest mesh each file format can hold, checked from the grid alone (before any
// memory is taken) or from the made mesh (as the writers do before the save dialog).

#include <cstdint>

#include "plugin/export/MeshSource.h"
#include "plugin/mesh/SampleGrayGrid.h"
#include "plugin/run/MeshSettings.h"

enum class FormatLimitKind {
    kNone,        // the format has no limit this mesh could reach
    kGridSide,    // NxM DXF: rows and points per row, each
    kPoints,      // 3DS and LWO (16-bit indices), Polyline DXF (vertex numbers)
    kTriangles,   // 3DS: the face list's 16-bit count
    kObjectBytes, // COB: the object chunk's 32-bit size
};

enum class FormatVerdict {
    kFits,             // whatever the picture
    kTooLarge,         // whatever the picture
    kDependsOnPicture, // only the polygon list can tell (black holes, collapsed corners)
};

struct FormatFit {
    FormatVerdict verdict;
    FormatLimitKind kind;  // the limit that decided; kNone when nothing is near a limit
    std::uint64_t count;   // what the mesh has of it (kGridSide: the larger side)
    std::uint64_t largest; // the most the format takes
    std::uint32_t rows, pointsPerRow;
};

// The verdict from the shape alone: rows x points per row of the mesh type (the seam
// column of round meshes included) and, for face limits, the most faces the cells can give.
FormatFit FitGrid(std::int32_t diskFormat, std::int32_t meshType, GridSize grid);

// The exact verdict for the mesh as made (never kDependsOnPicture); the source counts its
// polygons (before it is prepared) only when the shape alone cannot tell. Agrees with the
// writers' own refusal.
FormatFit FitMesh(const MeshSettings& settings, MeshSource& source);

// The MeshRes (1..8) of the highest resolution at or below `fromMeshRes` whose grid fits
// the format whatever the picture, or 0 when none does.
std::int32_t LargestFittingMeshRes(std::int32_t diskFormat, std::int32_t meshType,
                                   std::uint16_t imageRows, std::uint16_t imageCols,
                                   std::int32_t fromMeshRes);
