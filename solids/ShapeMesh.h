#pragma once
// What turns a surface into the triangles of a file: open as it is, or closed into a solid,
// turned to the file's axes and placed where the options say.

#include <optional>
#include <string>

#include "plugin/export/MeshSource.h"
#include "plugin/run/MeshSettings.h"
#include "solids/ModelFrame.h"
#include "solids/SolidParts.h"
#include "solids/SurfaceSurvey.h"
#include "solids/SurfaceWeld.h"

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

// How a surface is closed, whatever vertices its rims keep: MakeParts builds the parts from
// the rims, so that a surface with fewer vertices along them closes the same way.
struct SolidPlan {
    enum Kind { kOpen, kFlat, kTube, kShell } kind = kOpen;
    Extent extent;      // kFlat: the surface's, whose middle the base is fanned from
    double level = 0;   // kFlat: the base's height; kTube: the inner wall's radius
    ShellShape shell{}; // kShell: the hollow globe's inside and opening
    double wall = 0;    // kTube, kShell: from the surface's lowest point to the inside
};

// The most a surface with fewer triangles may stray from the full mesh for its solid to stay
// whole: half the wall of a tube or hollow globe; infinity for any other.
double LargestSurfaceError(const SolidPlan& plan);

// The rims of a surface, each in the plug-in's column order: a flat surface's one loop (as
// GridRim orders it), and its first and last kept rows (a tube's ends, the rim of a hollow
// globe's opening).
struct SurfaceRims {
    Ring loop, firstRow, lastRow;
};

// The parts that close a surface along its rims, numbered from firstVertex (none when open).
SolidParts MakeParts(const SolidPlan& plan, const SurfaceRims& rims, std::uint32_t firstVertex);

struct MeshShape {
    WeldPlan weld;
    std::uint32_t rows = 0; // the surface's rows that are kept (an opening drops the last)
    SolidPlan plan;         // how it closes
    SolidParts parts;       // along the grid's rims, in the plug-in's coordinates
    ModelFrame frame;       // to the file's axes and place
};

// The smallest grid (rows, points a row without the seam) of a mesh of meshType that makes
// triangles: 2 x 2 flat, 2 x 3 round (a ring needs three points), 3 x 3 for a sphere (a
// pole at each end and a belt between).
struct GridMinimum {
    std::uint32_t rows, cols;
};
GridMinimum SmallestGrid(std::int32_t meshType);

// A length as the refusals give it: "2.5 mm" (3 significant digits).
std::string Millimetres(double value);

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

// Sets shape.frame.offset so that a model whose surface spans extent (in the plug-in's
// coordinates), with shape.parts, stands where options.origin says in the file's frame.
void PlaceModel(const ShapeOptions& options, std::int32_t meshType, Extent extent,
                MeshShape& shape);

// Fills shape for the surface (with settings' meshRows, meshCols and Meshtype, a grid of at
// least SmallestGrid), after a pass (two for an opening) over its points when a solid or a
// placement needs one. Black holes are the caller's to refuse.
std::optional<ShapeRefusal> ShapeMesh(MeshSource& surface, const MeshSettings& settings,
                                      const ShapeOptions& options, MeshShape& shape);
