#include "tool/TriangleExport.h"

#include <cmath>
#include <memory>
#include <ostream>
#include <utility>

#include "simplified/SimplifiedTriangles.h"
#include "simplified/StreamMeshSource.h"
#include "solids/ModelUnits.h"
#include "solids/PictureTriangles.h"
#include "solids/ShapeMesh.h"
#include "tool/TerminalProgress.h"
#include "tool/TriangleStatistics.h"
#include "tool/preview/TrianglePreview.h"
#include "triangles/TriangleFile.h"

namespace {

constexpr const char* kMeshNames[] = {"rectangular", "cylindrical", "spherical"};

void Warn(std::ostream& out, const std::string& text) {
    out << "quorvmesh: warning: " << text << '\n';
}

// The shape options asks for, for a mesh of s's type: usage errors for what cannot be asked
// of it, warnings for what it does not use.
StepResult ResolveShape(const CliOptions& o, const MeshSettings& s, ShapeOptions& shape,
                        std::ostream& warnings) {
    const std::string& path = o.output.empty() ? o.preview.path : o.output;
    const bool globe = s.Meshtype == kSpherical;
    if (o.solid && s.BlackHoles)
        return Fail(kExitUsage, path,
                    "--solid cannot close a mesh with black holes; add --no-black-holes");
    if (o.openingMm && !globe)
        return Fail(kExitUsage, path,
                    "--opening opens a hollow globe; this mesh is " +
                        std::string(kMeshNames[s.Meshtype]) + " (use --mesh spherical)");
    if (o.openingMm && !o.wallMm)
        return Fail(kExitUsage, path, "--opening needs a hollow globe: give its --wall MM");
    if (globe && o.baseMm)
        Warn(warnings, "a globe needs no base, so --base is not used; --wall MM makes it hollow");
    if (o.heightMm && s.Meshtype != kCylindrical)
        Warn(warnings, "--height sets a tube's length; a " + std::string(kMeshNames[s.Meshtype]) +
                           " mesh does not use it");
    if (o.cylLen && s.Meshtype == kCylindrical)
        Warn(warnings, "--cyl-length applies to the classic formats; in " + path +
                           " the tube keeps the picture's proportions unless --height is given");
    shape.solid = o.solid;
    shape.wallMm = o.wallMm ? o.wallMm : globe ? std::nullopt : o.baseMm;
    shape.openingMm = o.openingMm;
    shape.mirror = o.mirror;
    // A solid rests on the plate unless asked otherwise; an open surface stays where it was
    // made.
    shape.origin = o.origin.value_or(o.solid ? ModelOrigin::kCenter : ModelOrigin::kAsMade);
    return std::nullopt;
}

// What helps when the solid cannot be closed.
std::string Remedy(const ShapeRefusal& refusal, const CliOptions& o) {
    switch (refusal.kind) {
    case ShapeRefusal::kWallReachesAxis:
        return o.widthMm ? "lower --wall or --relief, or raise --width"
                         : "lower --wall, or raise --radial-offset or --width";
    case ShapeRefusal::kWallTooThin:
        return o.baseMm && !o.wallMm ? "raise --base" : "raise --wall";
    case ShapeRefusal::kWallThinnerThanFacets:
        return "raise --wall, or mesh a larger picture or at a higher --resolution";
    default:
        return "lower --opening or --wall, or raise --width";
    }
}

// The surface with fewer triangles, unless the solid's wall or the budget refuse it.
StepResult Simplify(const CliOptions& o, const MeshSettings& s, const WideGray* wide,
                    const MeshShape& shape, const std::string& path,
                    std::optional<SimplifiedSurface>& simplified) {
    const double largest = LargestSurfaceError(shape.plan);
    if (o.maxError && *o.maxError > largest)
        return Fail(kExitSolid, path,
                    "the surface may stray up to --max-error, more than half the wall of " +
                        Millimetres(shape.plan.wall) +
                        ", and would cut into it; lower --max-error or raise --wall");
    // The error is measured for the statistics alone.
    simplified = SimplifyPicture(s, wide, shape,
                                 {o.maxError, o.maxTriangles, WriterThreads(o), largest, !o.quiet});
    if (simplified->fewestTriangles != 0)
        return Fail(kExitUsage, path,
                    "--triangles " + std::to_string(*o.maxTriangles) + " is fewer than this " +
                        kMeshNames[s.Meshtype] + " surface can be made of, " +
                        std::to_string(simplified->fewestTriangles) +
                        (std::isfinite(largest) ? " with its wall kept whole"
                         : s.BlackHoles         ? " around its black holes"
                                                : ""));
    return std::nullopt;
}

std::string GridText(std::uint32_t rows, std::uint32_t cols) {
    return std::to_string(rows) + " x " + std::to_string(cols);
}

} // namespace

UpAxis FileUpAxis(std::int32_t format, bool solid) {
    return format == kObj && !solid ? UpAxis::kY : UpAxis::kZ;
}

StepResult WriteTriangleMesh(const CliOptions& options, const MeshSettings& settings,
                             const WideGray* wide, StatisticsLines& statistics,
                             std::ostream& progressStream, bool showProgress,
                             ProgressSink* progress, const FreeSpaceQuery& freeSpace) {
    const std::int32_t format = *TriangleFormatOf(options);
    const std::string& path = options.output.empty() ? options.preview.path : options.output;
    ShapeOptions shapeOptions;
    if (auto failure = ResolveShape(options, settings, shapeOptions, progressStream))
        return failure;
    shapeOptions.up = FileUpAxis(format, options.solid);

    MeshSettings s = settings;
    const GridSize grid = SampledGridSize(s.imageRows, s.imageCols, s.MeshRes);
    const GridMinimum least = SmallestGrid(s.Meshtype);
    if (grid.rows < least.rows || grid.cols < least.cols)
        return Fail(kExitInput, path,
                    "the picture is too small for a " + std::string(kMeshNames[s.Meshtype]) +
                        " mesh of triangles: it needs at least " +
                        GridText(least.rows, least.cols) + " samples (rows x columns); " +
                        "this one has " + GridText(grid.rows, grid.cols));
    if (auto reason =
            ApplyModelUnits({options.widthMm, options.reliefMm, options.heightMm}, grid, s))
        return Fail(kExitUsage, path, *reason);
    StreamMeshSource surface(s, wide);
    MeshShape shape;
    if (auto refusal = ShapeMesh(surface, s, shapeOptions, shape))
        return Fail(kExitSolid, path, refusal->text + "; " + Remedy(*refusal, options));

    const bool writes = !options.output.empty();
    TerminalProgress bar(progressStream, showProgress && writes && progress == nullptr);
    ProgressSink& reports = progress && writes ? *progress : bar;
    std::optional<SimplifiedSurface> simplified;
    std::unique_ptr<TriangleSource> made;
    if (options.Simplifies()) {
        if (auto failure = Simplify(options, s, wide, shape, path, simplified))
            return failure;
        made = std::make_unique<SimplifiedTriangles>(*simplified, s.Meshtype, shapeOptions,
                                                     std::move(shape), reports);
    } else {
        made = std::make_unique<PictureTriangles>(surface, s, std::move(shape), reports);
    }
    TriangleSource& triangles = *made;
    if (triangles.Count().triangles == 0)
        return Fail(kExitInput, path,
                    "every cell of the mesh is a black hole: no triangle is left");
    // The statistics watch a pass that is made anyway; a preview needs the extent they find.
    const bool preview = !options.preview.path.empty();
    TriangleStatistics watched(triangles);
    TriangleSource& source =
        options.quiet && !preview ? static_cast<TriangleSource&>(triangles) : watched;
    if (!options.output.empty()) {
        if (auto failure =
                WriteTriangleFile(options.output, format, options.asciiStl, source, freeSpace))
            return failure;
        bar.Finish();
    } else {
        watched.ForEachVertexBlock([](std::span<const Vertex>) {});
    }
    if (preview) {
        const AxisMap toView = shapeOptions.up == UpAxis::kY ? kPreviewFromYUp : kPreviewFromZUp;
        std::string error;
        if (!WriteTrianglePreview(options.preview, settings, triangles, watched.Range(), toView,
                                  error))
            return CliFailure{kExitOutput, "quorvmesh: " + error};
    }
    if (options.quiet)
        return std::nullopt;
    statistics = watched.Lines(options.output);
    if (simplified)
        statistics.insert(statistics.begin() + 2,
                          "Max error: " + StatisticNumber(simplified->maxError) + " (surface of " +
                              std::to_string(simplified->triangles.size()) + " triangles)");
    return std::nullopt;
}
