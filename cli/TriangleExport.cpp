#include "cli/TriangleExport.h"

#include <utility>

#include "cli/StreamMeshSource.h"
#include "cli/TerminalProgress.h"
#include "cli/TriangleStatistics.h"
#include "cli/formats/TriangleFile.h"
#include "cli/simplified/SimplifiedTriangles.h"
#include "cli/solid/ModelUnits.h"
#include "cli/solid/PictureTriangles.h"
#include "cli/solid/ShapeMesh.h"

std::optional<std::int32_t> TriangleFormatOf(const CliOptions& options) {
    const std::optional<std::int32_t> format =
        options.diskFormat ? options.diskFormat : FormatOfExtension(options.output);
    if (options.output.empty() || !format || !IsTriangleFormat(*format))
        return std::nullopt;
    return format;
}

namespace {

// Writes source to the output, keeping its statistics unless the run is quiet.
StepResult WriteSource(const CliOptions& options, TriangleSource& source,
                       TerminalProgress& progress, StatisticsLines& statistics) {
    const std::int32_t format = *TriangleFormatOf(options);
    if (options.quiet)
        return WriteTriangleFile(options.output, format, options.asciiStl, source);
    TriangleStatistics watched(source);
    if (auto failure = WriteTriangleFile(options.output, format, options.asciiStl, watched))
        return failure;
    progress.Finish();
    statistics = watched.Lines(options.output);
    return std::nullopt;
}

// The picture's surface with fewer triangles, and its error in the statistics.
StepResult WriteSimplified(const CliOptions& options, const MeshSettings& s, const WideGray* wide,
                           StatisticsLines& statistics, TerminalProgress& progress) {
    const std::string& path = options.output;
    if (s.Meshtype != kRectangular)
        return Fail(kExitUsage, path,
                    "--max-error and --triangles simplify the rectangular mesh only; write the "
                    "cylindrical and spherical meshes without them");
    if (options.maxTriangles && s.BlackHoles)
        return Fail(kExitUsage, path,
                    "--triangles cannot keep black holes; use --max-error, or --no-black-holes");
    const SimplifiedPicture picture =
        SimplifyPicture(s, wide, options.maxError, options.maxTriangles, WriterThreads(options));
    SimplifiedTriangles triangles(picture, {options.solid, options.baseMm, options.origin},
                                  progress);
    if (auto failure = WriteSource(options, triangles, progress, statistics))
        return failure;
    if (!options.quiet)
        statistics.insert(statistics.begin() + 2,
                          "Max error: " + StatisticNumber(picture.MaxError()) + " (surface of " +
                              std::to_string(picture.mesh.triangles.size()) + " triangles)");
    return std::nullopt;
}

} // namespace

StepResult WriteTriangleMesh(const CliOptions& options, const MeshSettings& settings,
                             const WideGray* wide, StatisticsLines& statistics,
                             std::ostream& progressStream, bool showProgress) {
    const std::string& path = options.output;
    if (options.solid && settings.BlackHoles)
        return Fail(kExitUsage, path,
                    "--solid cannot close a mesh with black holes; add --no-black-holes");
    MeshSettings s = settings;
    const GridSize grid = SampledGridSize(s.imageRows, s.imageCols, s.MeshRes);
    if (auto reason = ApplyModelUnits(options.widthMm, options.reliefMm, grid, s))
        return Fail(kExitUsage, path, *reason);
    TerminalProgress progress(progressStream, showProgress);
    if (options.Simplifies())
        return WriteSimplified(options, s, wide, statistics, progress);
    StreamMeshSource surface(s, wide);
    MeshShape shape;
    if (auto reason = ShapeMesh(surface, s, {options.solid, options.baseMm, options.origin}, shape))
        return Fail(kExitFormat, path, *reason);
    PictureTriangles triangles(surface, s, shape.weld, std::move(shape.parts), shape.offset,
                               progress);
    return WriteSource(options, triangles, progress, statistics);
}
