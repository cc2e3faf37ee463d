#pragma once
// What turns a surface into the triangles of a file: open as it is, or closed into a solid,
// and placed where the options say.

#include <optional>
#include <string>

#include "cli/CliOptions.h"
#include "cli/solid/SolidParts.h"
#include "cli/solid/SurfaceSurvey.h"
#include "cli/solid/SurfaceWeld.h"
#include "plugin/export/MeshSource.h"
#include "plugin/run/MeshSettings.h"

struct ShapeOptions {
    bool solid = false;
    float baseMm = 1.0f;
    ModelOrigin origin = ModelOrigin::kAsMade;
};

struct MeshShape {
    WeldKind weld = WeldKind::kNone;
    SolidParts parts;
    Vertex offset{0, 0, 0};
};

// What --center or --corner adds to every vertex of a model of this extent.
Vertex Placement(ModelOrigin origin, const Extent& extent);

// Fills shape for the surface (with settings' meshRows, meshCols and Meshtype), after a pass
// over its points when a solid or a placement needs one. Returns why the surface cannot be
// closed: a grid too small to close, or a tube whose wall would reach its axis. Black holes
// are the caller's to refuse.
std::optional<std::string> ShapeMesh(MeshSource& surface, const MeshSettings& settings,
                                     const ShapeOptions& options, MeshShape& shape);
