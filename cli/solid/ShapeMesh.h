#pragma once
// What turns a surface into the triangles of a file: open as it is, or closed into a solid,
// turned to the file's axes and placed where the options say.

#include <optional>
#include <string>

#include "cli/solid/ModelFrame.h"
#include "cli/solid/SolidParts.h"
#include "cli/solid/SurfaceWeld.h"
#include "plugin/export/MeshSource.h"
#include "plugin/run/MeshSettings.h"

struct ShapeOptions {
    bool solid = false;
    // Flat relief: the base below the lowest point; tube: the wall inside the lowest radius;
    // globe: hollow with this wall inside its lowest radius (none: a full ball). In mm.
    std::optional<float> wallMm;
    std::optional<float> openingMm; // a hollow globe's opening at its south pole, diameter
    bool mirror = false;
    UpAxis up = UpAxis::kZ;
    ModelOrigin origin = ModelOrigin::kAsMade;
};

struct MeshShape {
    WeldPlan weld;
    std::uint32_t rows = 0; // the surface's rows that are kept (an opening drops the last)
    SolidParts parts;       // in the plug-in's coordinates
    ModelFrame frame;       // to the file's axes and place
};

// The smallest grid (rows, points a row without the seam) of a mesh of meshType that makes
// triangles: 2 x 2 flat, 2 x 3 round (a ring needs three points), 3 x 3 for a sphere (a
// pole at each end and a belt between).
struct GridMinimum {
    std::uint32_t rows, cols;
};
GridMinimum SmallestGrid(std::int32_t meshType);

// Why a solid cannot be closed, and in what words.
struct ShapeRefusal {
    enum Kind {
        kWallReachesAxis,       // the inside would reach a tube's axis or a globe's middle
        kWallThinnerThanFacets, // a globe's facets would cut through its wall
        kOpeningTooWide,        // the opening is not narrower than the globe's inside
        kWallTooThin,           // single precision cannot tell the wall from the surface
    } kind;
    std::string text;
};

// Fills shape for the surface (with settings' meshRows, meshCols and Meshtype, a grid of at
// least SmallestGrid), after a pass (two for an opening) over its points when a solid or a
// placement needs one. Black holes are the caller's to refuse.
std::optional<ShapeRefusal> ShapeMesh(MeshSource& surface, const MeshSettings& settings,
                                      const ShapeOptions& options, MeshShape& shape);
