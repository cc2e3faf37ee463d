#include "cli/solid/ShapeMesh.h"

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

} // namespace

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
    Extent extent = survey.extent;
    for (const Vertex& v : shape.parts.vertices)
        extent.Add(v);
    shape.offset = Placement(options.origin, extent);
    return std::nullopt;
}
