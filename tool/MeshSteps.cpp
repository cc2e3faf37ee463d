#include "tool/MeshSteps.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <ostream>
#include <sstream>
#include <utility>

#include "plugin/export/BufferMeshSource.h"
#include "plugin/export/ExportServices.h"
#include "plugin/export/FormatLimits.h"
#include "plugin/mesh/BuildPolygonList.h"
#include "plugin/mesh/PolygonRecord.h"
#include "plugin/preview/Statistics.h"
#include "simplified/SimplifyPicture.h"
#include "simplified/StreamMeshSource.h"
#include "tool/ExportFile.h"
#include "tool/TriangleExport.h"
#include "tool/preview/PreviewCommand.h"
#include "toolbase/OutputBuffer.h"

namespace {

constexpr const char* kFormatNames[] = {"",    "NxM DXF", "3D Face DXF", "Polyline DXF",
                                        "3DS", "COB",     "LWO"};
constexpr int kPercents[] = {100, 75, 66, 50, 33, 25, 20, 10}; // MeshRes 1..8

const char* FormatName(std::int32_t diskFormat) {
    return diskFormat >= kNxmDxf && diskFormat <= kLwo ? kFormatNames[diskFormat] : "";
}

std::string Sizes(std::uint64_t bytes) {
    constexpr double kMega = 1e6;
    char text[32];
    if (bytes >= 1000 * 1000 * 1000)
        std::snprintf(text, sizeof text, "%.1f GB", bytes / (kMega * 1000.0));
    else
        std::snprintf(text, sizeof text, "%.0f MB", std::max(1.0, bytes / kMega));
    return text;
}

// "3DS holds at most 65535 vertices; this mesh has 66049"
std::string LimitText(std::int32_t diskFormat, const FormatFit& fit) {
    std::ostringstream text;
    text << FormatName(diskFormat) << " holds at most ";
    switch (fit.kind) {
    case FormatLimitKind::kGridSide:
        text << fit.largest << " rows and " << fit.largest << " points per row; this mesh has "
             << fit.rows << " rows of " << fit.pointsPerRow << " points";
        break;
    case FormatLimitKind::kTriangles:
        text << fit.largest << " triangles; this mesh has " << fit.count;
        break;
    case FormatLimitKind::kObjectBytes:
        text << fit.largest << " bytes of mesh data; this mesh needs " << fit.count;
        break;
    default:
        text << fit.largest << " vertices; this mesh has " << fit.count;
        break;
    }
    return text.str();
}

std::string PercentText(std::int32_t meshRes) {
    return std::to_string(kPercents[meshRes - 1]) + " %";
}

// The highest resolution below the settings' one that fits. decide(res) tells whether a
// resolution the grid alone cannot decide fits; nothing when it cannot tell either (before
// the points exist), and then the text names it as one that may fit.
template <class Decide> std::string FittingResolution(const MeshSettings& s, Decide decide) {
    std::int32_t mayFit = 0;
    for (std::int32_t res = s.MeshRes + 1; res <= 8; ++res) {
        const GridSize grid = SampledGridSize(s.imageRows, s.imageCols, res);
        const FormatFit fit = FitGrid(s.DiskFormat, s.Meshtype, grid);
        std::optional<bool> fits;
        if (fit.verdict == FormatVerdict::kFits)
            fits = true;
        else if (fit.verdict == FormatVerdict::kDependsOnPicture)
            fits = decide(res);
        else
            fits = false;
        if (!fits && mayFit == 0)
            mayFit = res;
        if (fits && *fits) {
            const std::string percent = std::to_string(kPercents[res - 1]);
            std::string text = "the largest resolution that fits is " + percent +
                               " % (--resolution " + percent + ")";
            if (mayFit != 0)
                text += "; " + PercentText(mayFit) + " may fit, depending on the picture";
            return text;
        }
    }
    return mayFit != 0 ? PercentText(mayFit) + " may fit, depending on the picture"
                       : "no resolution makes it fit";
}

CliFailure TooLargeForFormat(const std::string& output, const MeshSettings& s, const FormatFit& fit,
                             const std::string& resolution) {
    return Fail(kExitFormat, output,
                std::string("the mesh is too large for ") + FormatName(s.DiskFormat) + ": " +
                    LimitText(s.DiskFormat, fit) + "; " + resolution);
}

bool NoHolesInFile(const CliOptions& options, const MeshSettings& s) {
    return !options.output.empty() && !TriangleFormatOf(options) && s.DiskFormat == kNxmDxf &&
           s.BlackHoles;
}

StepResult WritePreview(const CliOptions& options, PictureMesh& mesh) {
    if (options.preview.path.empty())
        return std::nullopt;
    std::string error;
    bool drawn;
    if (NoHolesInFile(options, mesh.Settings())) {
        // Drawn as the file will be; the mesh's own settings keep what the user asked.
        MeshSettings asWritten = mesh.Settings();
        asWritten.BlackHoles = 0;
        drawn = WritePreviewPicture(options.preview, asWritten, mesh.Buffers(), error);
    } else {
        drawn = WritePreviewPicture(options.preview, mesh.Settings(), mesh.Buffers(), error);
    }
    if (!drawn)
        return CliFailure{kExitOutput, "quorvmesh: " + error};
    return std::nullopt;
}

// The mesh as the dialog shows it, for a run that writes no mesh file.
StatisticsLines MeshStatistics(const PictureMesh& mesh) {
    MeshSettings settings = mesh.Settings();
    settings.polygonCount =
        static_cast<std::uint32_t>(TallyPolygons(settings, mesh.Buffers()).faces);
    const auto lines = FormatStatistics(settings);
    StatisticsLines result(lines.begin(), lines.end());
    if (settings.polygonCount == 0)
        result[0] = "Polygons:  0";
    return result;
}

// Refuses a mesh its format cannot hold before a file is chosen. fitsAt(res) tells whether
// a lower resolution the grid cannot decide fits this picture.
template <class FitsAt>
StepResult CheckFormat(const CliOptions& options, const MeshSettings& s, MeshSource& source,
                       FitsAt fitsAt) {
    const FormatFit fit = FitMesh(s, source);
    if (fit.verdict == FormatVerdict::kFits)
        return std::nullopt;
    const std::string resolution =
        FittingResolution(s, [&](std::int32_t res) { return std::optional<bool>(fitsAt(res)); });
    return TooLargeForFormat(options.output, s, fit, resolution);
}

// Writes the file from source, keeping its statistics unless the run is quiet.
StepResult WriteMeshFile(const CliOptions& options, const MeshSettings& s, MeshSource& source,
                         StatisticsLines& statistics, std::ostream& progressStream,
                         bool showProgress, ProgressSink* progress,
                         const FreeSpaceQuery& freeSpace) {
    const int threads = WriterThreads(options);
    if (options.quiet)
        return ExportFile(options.output, s, source, progressStream, showProgress, progress,
                          threads, freeSpace);
    WrittenStatistics watched(source, s);
    if (auto failure = ExportFile(options.output, s, watched, progressStream, showProgress,
                                  progress, threads, freeSpace))
        return failure;
    statistics = watched.Lines(options.output);
    return std::nullopt;
}

StepResult StreamMeshFile(const CliOptions& options, MeshSettings& s, StatisticsLines& statistics,
                          std::ostream& progressStream, bool showProgress, ProgressSink* progress,
                          const FreeSpaceQuery& freeSpace) {
    StreamMeshSource source(s);
    const auto fitsAt = [&](std::int32_t res) {
        MeshSettings lower = s;
        lower.MeshRes = res;
        StreamMeshSource other(lower);
        return FitMesh(lower, other).verdict == FormatVerdict::kFits;
    };
    if (auto refusal = CheckFormat(options, s, source, fitsAt))
        return refusal;
    return WriteMeshFile(options, s, source, statistics, progressStream, showProgress, progress,
                         freeSpace);
}

// Points a polygon of the streamed mesh can number (32-bit signed indices).
constexpr std::uint64_t kLargestPointCount = 0x7FFFFFFF;

} // namespace

std::uint64_t MachineMemoryBytes() {
    std::ifstream meminfo("/proc/meminfo");
    std::string key;
    std::uint64_t kilobytes = 0;
    while (meminfo >> key >> kilobytes) {
        if (key == "MemAvailable:")
            return kilobytes * 1024;
        meminfo.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    }
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pages > 0 && pageSize > 0)
        return std::uint64_t(pages) * std::uint64_t(pageSize);
    return std::numeric_limits<std::uint64_t>::max();
}

std::uint64_t RunMemoryBytes(const CliOptions& options, std::uint16_t rows, std::uint16_t cols) {
    const std::uint64_t canvas = std::uint64_t(std::max(options.preview.size.width, 0)) *
                                 std::uint64_t(std::max(options.preview.size.height, 0));
    const std::uint64_t cells = (std::uint64_t{rows} + 1) * (std::uint64_t{cols} + 1);
    // Fewer triangles need the whole grid and its working meshes.
    const std::uint64_t simplify =
        options.Simplifies() && TriangleFormatOf(options) ? SimplifyMemoryBytes(rows, cols) : 0;
    if (StreamsTheMesh(options)) {
        // Two rows of points and their cells' polygons, the gray sampler's rows, the buffer,
        // and about as much again for the 3D faces a second thread puts together; the
        // triangles of a cell row with their corners and two rows of placed vertices.
        constexpr std::uint64_t kBytesPerColumn = 2 * 13 + sizeof(PolygonRecord) + 12;
        constexpr std::uint64_t kTriangleBytesPerColumn = 2 * (12 + 36) + 2 * 12;
        const std::uint64_t perColumn =
            kBytesPerColumn + (TriangleFormatOf(options) ? kTriangleBytesPerColumn : 0);
        std::uint64_t bytes =
            simplify + perColumn * (std::uint64_t{cols} + 1) + 2 * kCliOutputBufferSize;
        // A triangle file's preview: the picture, its depth buffer and its encoded file.
        if (!options.preview.path.empty())
            bytes += 6 * canvas;
        // A 3MF model's text, two triangles and a vertex a cell, and its packed copy.
        constexpr std::uint64_t kThreeMfBytesPerCell = 200;
        if (TriangleFormatOf(options) == kThreeMf)
            bytes += kThreeMfBytesPerCell * cells;
        return bytes;
    }
    // The mesh, the surface, the encoded picture, and two 8-byte sort keys per cell.
    return simplify + MeshBufferBytes(rows, cols) + 2 * canvas + 16 * cells;
}

StepResult CheckMeshNeeds(const CliOptions& options, std::uint16_t rows, std::uint16_t cols,
                          const MeshSettings& settings, const std::string& name,
                          std::uint64_t availableBytes) {
    if (!options.output.empty() && !TriangleFormatOf(options)) {
        MeshSettings s = settings;
        s.imageRows = rows;
        s.imageCols = cols;
        const FormatFit fit =
            FitGrid(s.DiskFormat, s.Meshtype, SampledGridSize(rows, cols, s.MeshRes));
        if (fit.verdict == FormatVerdict::kTooLarge) {
            // No points yet: a resolution only the polygon list could decide is named as one
            // that may fit.
            const std::string resolution =
                FittingResolution(s, [](std::int32_t) { return std::optional<bool>(); });
            return TooLargeForFormat(options.output, s, fit, resolution);
        }
    }
    if (StreamsTheMesh(options)) {
        const GridSize grid = SampledGridSize(rows, cols, settings.MeshRes);
        MeshSettings s = settings;
        s.meshCols = grid.cols;
        if (std::uint64_t{grid.rows} * PointsPerRow(s) > kLargestPointCount)
            return Fail(kExitInput, name, "the picture is too large for a mesh");
    }
    const std::uint64_t need = RunMemoryBytes(options, rows, cols);
    if (need > availableBytes)
        return Fail(kExitInput, name,
                    "a mesh of this picture needs " + Sizes(need) + " of memory; " +
                        Sizes(availableBytes) + " are available");
    return std::nullopt;
}

StepResult MakeMesh(const CliOptions& options, const HostImage& picture, const std::string& name,
                    PictureMesh& mesh) {
    if (picture.Width() > kWidestPicture)
        return Fail(kExitInput, name,
                    "the picture is " + std::to_string(picture.Width()) +
                        " pixels wide; a mesh is made of pictures at most " +
                        std::to_string(kWidestPicture) + " pixels wide");
    if (auto refusal = CheckMeshNeeds(options, picture.Height(), picture.Width(), mesh.Settings(),
                                      name, MachineMemoryBytes()))
        return refusal;
    const GrayPixels gray{picture.Bits(), static_cast<std::uint16_t>(picture.Stride()),
                          picture.Height(), picture.Width()};
    if (StreamsTheMesh(options)) {
        MeshSettings& s = mesh.Settings();
        s.imagePixels = gray.pixels;
        s.imageRowBytes = gray.rowBytes;
        s.imageRows = gray.rows;
        s.imageCols = gray.cols;
        return std::nullopt;
    }
    if (mesh.Make(gray) != MeshOutcome::Made)
        return Fail(kExitInput, name, "not enough memory for a mesh of this picture");
    return std::nullopt;
}

StepResult UseMesh(const CliOptions& options, PictureMesh& mesh, const WideGray* wide,
                   StatisticsLines& statistics, std::ostream& progressStream, bool showProgress,
                   ProgressSink* progress, const FreeSpaceQuery& freeSpace) {
    if (TriangleFormatOf(options))
        // Made from the picture row by row, the preview too.
        return WriteTriangleMesh(options, mesh.Settings(), wide, statistics, progressStream,
                                 showProgress, progress, freeSpace);
    if (NoHolesInFile(options, mesh.Settings()))
        progressStream << "quorvmesh: warning: an NxM DXF grid cannot leave holes, so "
                          "--black-holes has no effect on "
                       << options.output << "; the preview shows it as written\n";
    if (StreamsTheMesh(options))
        return StreamMeshFile(options, mesh.Settings(), statistics, progressStream, showProgress,
                              progress, freeSpace);
    if (auto failure = WritePreview(options, mesh))
        return failure;
    if (options.output.empty()) {
        statistics = MeshStatistics(mesh);
        return std::nullopt;
    }
    MeshSettings& s = mesh.Settings();
    BufferMeshSource source(s, mesh.Buffers());
    // A lower resolution is tried on the picture itself; the mesh is not used again after a
    // refusal.
    const auto fitsAt = [&](std::int32_t res) {
        s.MeshRes = res;
        mesh.Remake();
        BufferMeshSource remade(s, mesh.Buffers());
        return FitMesh(s, remade).verdict == FormatVerdict::kFits;
    };
    if (auto refusal = CheckFormat(options, MeshSettings(s), source, fitsAt))
        return refusal;
    return WriteMeshFile(options, s, source, statistics, progressStream, showProgress, progress,
                         freeSpace);
}
