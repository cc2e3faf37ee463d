#include "cli/solid/ShapeMesh.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "cli/solid/SurfaceSurvey.h"

namespace {

WeldKind SolidWeld(std::int32_t meshType) {
    switch (meshType) {
    case kCylindrical:
        return WeldKind::kSeam;
    case kSpherical:
        return WeldKind::kSeamAndPoles;
    default:
        return WeldKind::kNone;
    }
}

// Why the grid cannot close, if it cannot: a sphere needs three rows to have a pole at each
// end and a belt between; round meshes three columns to go round.
std::optional<std::string> TooSmallToClose(const MeshSettings& s) {
    const std::uint32_t rowsNeeded = s.Meshtype == kSpherical ? 3 : 2;
    const std::uint32_t colsNeeded = s.Meshtype == kRectangular ? 2 : 3;
    if (s.meshRows >= rowsNeeded && s.meshCols >= colsNeeded)
        return std::nullopt;
    return "a solid needs a grid of at least " + std::to_string(rowsNeeded) + " x " +
           std::to_string(colsNeeded) + " points; this one has " + std::to_string(s.meshRows) +
           " x " + std::to_string(s.meshCols);
}

// Why a base (or a tube's wall) baseMm below (inside) a level of the surface cannot be made
// there: single precision cannot tell the two apart, and the walls between them would have no
// area. A few steps of a float at that level are needed.
std::optional<std::string> TooThin(double level, float baseMm) {
    const auto at = static_cast<float>(std::fabs(level));
    const float thinnest = 4 * (std::nextafter(at, std::numeric_limits<float>::infinity()) - at);
    if (baseMm >= thinnest)
        return std::nullopt;
    char text[128];
    std::snprintf(text, sizeof text,
                  "--base %g is too thin to tell apart from a surface %g from the origin; give "
                  "--base %g or more",
                  double{baseMm}, double{at}, double{thinnest});
    return text;
}

Vertex Placement(ModelOrigin origin, const Extent& e) {
    switch (origin) {
    case ModelOrigin::kCenter:
        return {-(e.low.x + e.high.x) / 2, -(e.low.y + e.high.y) / 2, -e.low.z};
    case ModelOrigin::kCorner:
        return {-e.low.x, -e.low.y, -e.low.z};
    default:
        return {0, 0, 0};
    }
}

} // namespace

std::optional<std::string> ShapeMesh(MeshSource& surface, const MeshSettings& s,
                                     const ShapeOptions& options, MeshShape& shape) {
    shape = MeshShape{};
    if (options.solid) {
        if (auto reason = TooSmallToClose(s))
            return reason;
        shape.weld = SolidWeld(s.Meshtype);
    }
    if (!options.solid && options.origin == ModelOrigin::kAsMade)
        return std::nullopt;
    const std::uint32_t rows = s.meshRows, perRow = PointsPerRow(s);
    const SurfaceWeld weld(shape.weld, rows, perRow);
    const SurfaceSurvey survey =
        SurveySurface(surface, weld, rows, perRow, s.Meshtype != kRectangular);
    if (options.solid && s.Meshtype != kSpherical)
        if (auto reason = TooThin(survey.lowest, options.baseMm))
            return reason;
    if (options.solid && s.Meshtype == kRectangular) {
        const auto base = static_cast<float>(survey.lowest - options.baseMm);
        shape.parts = BoxParts(survey, weld, rows, perRow, base);
    } else if (options.solid && s.Meshtype == kCylindrical) {
        const double inner = survey.lowest - options.baseMm;
        if (!(inner > 0))
            return "the tube's wall, --base thick inside its lowest point, would reach its "
                   "axis; lower --base or raise --radial-offset";
        shape.parts = TubeParts(survey, weld, rows, s.meshCols, inner);
    }
    // The model is what its triangles cover: points that black holes leave out do not count.
    Extent extent = survey.extent;
    if (s.BlackHoles)
        if (const Extent covered = CornerExtent(surface); !covered.IsEmpty())
            extent = covered;
    for (const Vertex& v : shape.parts.vertices)
        extent.Add(v);
    shape.offset = Placement(options.origin, extent);
    return std::nullopt;
}
