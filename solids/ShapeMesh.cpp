#include "solids/ShapeMesh.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <numbers>

#include "solids/SurfaceSurvey.h"

namespace {

// How far the smooth inside of a hollow globe may lie within the true sphere between its
// vertices: well below what a printer can show.
constexpr double kInsideChordMm = 0.01;
// How far above the opening's plane the last kept row must stand, as a share of the radius,
// so that the ring that drops to the plane has some height everywhere.
constexpr double kOpeningClearance = 1e-5;

WeldPlan SolidWeld(std::int32_t meshType) {
    switch (meshType) {
    case kCylindrical:
        return {true, false, false};
    case kSpherical:
        return {true, true, true};
    default:
        return {};
    }
}

// The angle between the farthest corners of a cell of the round grid, seen from its axis.
double CellSpread(const MeshSettings& s) {
    const double longitude = 2 * std::numbers::pi / s.meshCols;
    const double latitude = std::numbers::pi / (s.meshRows - 1);
    return std::hypot(longitude, latitude);
}

// Why a wall (a flat solid's base) wallMm inside a level of the surface cannot be made there:
// single precision cannot tell the two apart, and the parts between them would have no area.
// A few steps of a float at that level are needed.
std::optional<ShapeRefusal> TooThin(double level, float wallMm) {
    const auto at = static_cast<float>(std::fabs(level));
    const float thinnest = 4 * (std::nextafter(at, std::numeric_limits<float>::infinity()) - at);
    if (wallMm >= thinnest)
        return std::nullopt;
    char text[160];
    std::snprintf(text, sizeof text,
                  "a wall of %g mm is too thin to tell apart from a surface %g mm from the "
                  "origin; it needs %g mm or more",
                  double{wallMm}, double{at}, double{thinnest});
    return ShapeRefusal{ShapeRefusal::kWallTooThin, text};
}

Vertex Offset(ModelOrigin origin, const Extent& e) {
    switch (origin) {
    case ModelOrigin::kCenter:
        return {-(e.low.x + e.high.x) / 2, -(e.low.y + e.high.y) / 2, -e.low.z};
    case ModelOrigin::kCorner:
        return {-e.low.x, -e.low.y, -e.low.z};
    default:
        return {0, 0, 0};
    }
}

Extent Mapped(const Extent& e, const AxisMap& axes) {
    Extent mapped;
    mapped.Add(axes.Apply(e.low));
    mapped.Add(axes.Apply(e.high));
    return mapped;
}

// The last row (from the first) whose points all stand above the plane y = plane.
std::uint32_t LastRowAbove(const std::vector<float>& rowLowestY, double plane) {
    std::uint32_t last = 0;
    while (last + 1 < rowLowestY.size() && rowLowestY[last + 1] > plane)
        ++last;
    return last;
}

// A hollow globe's inside, and the rows of the surface it keeps.
std::optional<ShapeRefusal> PlanShell(MeshSource& surface, const MeshSettings& s,
                                      const ShapeOptions& options, MeshShape& shape,
                                      SurfaceSurvey& survey) {
    const std::uint32_t perRow = PointsPerRow(s);
    const double lowest = survey.lowest;
    const double wall = *options.wallMm;
    const double inner = lowest - wall;
    if (!(inner > 0))
        return ShapeRefusal{ShapeRefusal::kWallReachesAxis,
                            "the globe's wall, " + Millimetres(wall) +
                                " thick inside its lowest point, would reach its middle"};
    if (!(lowest * std::cos(CellSpread(s)) > inner))
        return ShapeRefusal{
            ShapeRefusal::kWallThinnerThanFacets,
            "the globe's wall of " + Millimetres(wall) + " is thinner than its facets are deep, " +
                Millimetres(lowest * (1 - std::cos(CellSpread(s)))) + " at this resolution"};
    ShellShape shell{inner, s.meshCols,
                     std::max(2 * std::acos(std::max(-1.0, 1 - kInsideChordMm / inner)),
                              std::numbers::pi / (s.meshRows - 1))};
    if (options.openingMm) {
        const double hole = *options.openingMm / 2;
        if (!(hole < inner))
            return ShapeRefusal{ShapeRefusal::kOpeningTooWide,
                                "an opening of " + Millimetres(2 * hole) +
                                    " is not narrower than the globe's inside, " +
                                    Millimetres(2 * inner)};
        shell.opening = true;
        shell.openingY = -std::sqrt(inner * inner - hole * hole);
        const std::uint32_t last =
            LastRowAbove(survey.rowLowestY, shell.openingY + kOpeningClearance * inner);
        if (last == 0)
            return ShapeRefusal{ShapeRefusal::kOpeningTooWide,
                                "an opening of " + Millimetres(2 * hole) +
                                    " leaves no row of the picture above it"};
        shape.weld = {true, true, false};
        shape.rows = last + 1;
        survey = SurveySurface(surface, SurfaceWeld(shape.weld, shape.rows, perRow), perRow,
                               Level::kRadius);
    }
    shape.plan.kind = SolidPlan::kShell;
    shape.plan.shell = shell;
    shape.plan.wall = wall;
    return std::nullopt;
}

} // namespace

GridMinimum SmallestGrid(std::int32_t meshType) {
    switch (meshType) {
    case kCylindrical:
        return {2, 3};
    case kSpherical:
        return {3, 3};
    default:
        return {2, 2};
    }
}

SolidParts MakeParts(const SolidPlan& plan, const SurfaceRims& rims, std::uint32_t firstVertex) {
    switch (plan.kind) {
    case SolidPlan::kFlat:
        return FlatParts(rims.loop, plan.extent, static_cast<float>(plan.level), firstVertex);
    case SolidPlan::kTube:
        return TubeParts(rims.firstRow, rims.lastRow, plan.level, firstVertex);
    case SolidPlan::kShell:
        return ShellParts(plan.shell, rims.lastRow, firstVertex);
    default:
        return {};
    }
}

std::string Millimetres(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3g mm", value);
    return text;
}

double LargestSurfaceError(const SolidPlan& plan) {
    if (plan.kind == SolidPlan::kTube || plan.kind == SolidPlan::kShell)
        return plan.wall / 2;
    return std::numeric_limits<double>::infinity();
}

void PlaceModel(const ShapeOptions& options, std::int32_t meshType, Extent extent,
                MeshShape& shape) {
    for (const Vertex& v : shape.parts.vertices)
        extent.Add(v);
    // Placed in the Z-up frame, then turned with the model when Y is up.
    const Vertex offset = Offset(options.origin, Mapped(extent, ZUpAxes(meshType, options.mirror)));
    shape.frame.offset = options.up == UpAxis::kY ? kYUpFromZUp.Apply(offset) : offset;
}

std::optional<ShapeRefusal> ShapeMesh(MeshSource& surface, const MeshSettings& s,
                                      const ShapeOptions& options, MeshShape& shape) {
    shape = MeshShape{};
    shape.rows = s.meshRows;
    // An open sphere's pole rows are single points too, so that no sliver is left there.
    shape.weld = options.solid ? SolidWeld(s.Meshtype) : WeldPlan{false, true, true};
    if (s.Meshtype != kSpherical && !options.solid)
        shape.weld = {};
    const AxisMap zUp = ZUpAxes(s.Meshtype, options.mirror);
    shape.frame.axes = options.up == UpAxis::kY ? zUp.Then(kYUpFromZUp) : zUp;
    if (!options.solid && options.origin == ModelOrigin::kAsMade)
        return std::nullopt;

    const std::uint32_t perRow = PointsPerRow(s);
    const Level level = s.Meshtype == kCylindrical ? Level::kAxisRadius
                        : s.Meshtype == kSpherical ? Level::kRadius
                                                   : Level::kHeight;
    SurfaceSurvey survey =
        SurveySurface(surface, SurfaceWeld(shape.weld, shape.rows, perRow), perRow, level);
    const float wall = options.wallMm.value_or(1.0f);
    if (options.solid && s.Meshtype != kSpherical)
        if (auto refusal = TooThin(survey.lowest, wall))
            return refusal;
    if (options.solid && s.Meshtype == kRectangular) {
        shape.plan = {SolidPlan::kFlat, survey.extent, survey.lowest - wall};
    } else if (options.solid && s.Meshtype == kCylindrical) {
        const double inner = survey.lowest - wall;
        if (!(inner > 0))
            return ShapeRefusal{ShapeRefusal::kWallReachesAxis,
                                "the tube's wall, " + Millimetres(wall) +
                                    " thick inside its lowest point, would reach its axis"};
        shape.plan = {SolidPlan::kTube, {}, inner, {}, wall};
    } else if (options.solid && options.wallMm) {
        if (auto refusal = PlanShell(surface, s, options, shape, survey))
            return refusal;
    }
    SurfaceRims rims{{}, survey.firstRow, survey.lastRow};
    if (shape.plan.kind == SolidPlan::kFlat)
        rims.loop = GridRim(survey);
    shape.parts = MakeParts(
        shape.plan, rims,
        static_cast<std::uint32_t>(SurfaceWeld(shape.weld, shape.rows, perRow).VertexCount()));
    // The model is what its triangles cover: points that black holes leave out do not count.
    Extent extent = survey.extent;
    if (s.BlackHoles)
        if (const Extent covered =
                CornerExtent(surface, SurfaceWeld(shape.weld, shape.rows, perRow));
            !covered.IsEmpty())
            extent = covered;
    PlaceModel(options, s.Meshtype, extent, shape);
    return std::nullopt;
}
