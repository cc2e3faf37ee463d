#include "cli/TriangleExport.h"

#include <utility>

#include "cli/StreamMeshSource.h"
#include "cli/TerminalProgress.h"
#include "cli/TriangleStatistics.h"
#include "cli/formats/TriangleFile.h"
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

StepResult WriteTriangleMesh(const CliOptions& options, const MeshSettings& settings,
                             const WideGray* wide, StatisticsLines& statistics,
                             std::ostream& progressStream, bool showProgress,
                             const FreeSpaceQuery& freeSpace) {
    const std::string& path = options.output;
    if (options.solid && settings.BlackHoles)
        return Fail(kExitUsage, path,
                    "--solid cannot close a mesh with black holes; add --no-black-holes");
    MeshSettings s = settings;
    const GridSize grid = SampledGridSize(s.imageRows, s.imageCols, s.MeshRes);
    if (auto reason = ApplyModelUnits(options.widthMm, options.reliefMm, grid, s))
        return Fail(kExitUsage, path, *reason);
    StreamMeshSource surface(s, wide);
    MeshShape shape;
    if (auto reason = ShapeMesh(surface, s, {options.solid, options.baseMm, options.origin}, shape))
        return Fail(kExitFormat, path, *reason);
    TerminalProgress progress(progressStream, showProgress);
    PictureTriangles triangles(surface, s, shape.weld, std::move(shape.parts), shape.offset,
                               progress);
    const std::int32_t format = *TriangleFormatOf(options);
    if (options.quiet)
        return WriteTriangleFile(path, format, options.asciiStl, triangles, freeSpace);
    TriangleStatistics watched(triangles);
    if (auto failure = WriteTriangleFile(path, format, options.asciiStl, watched, freeSpace))
        return failure;
    progress.Finish();
    statistics = watched.Lines(path);
    return std::nullopt;
}
