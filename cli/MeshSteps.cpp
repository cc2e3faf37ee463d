#include "cli/MeshSteps.h"

#include "cli/CliOptions.h"
#include "cli/TerminalProgress.h"
#include "common/EmbeddedResources.h"
#include "plugin/export/ExportMesh.h"
#include "plugin/export/StdioOutputFile.h"
#include "plugin/mesh/BuildPolygonList.h"
#include "plugin/mesh/MakePoints.h"
#include "plugin/mesh/SampleGrayGrid.h"
#include "plugin/preview/Statistics.h"

StepResult MakeMesh(const HostImage& picture, const std::string& name, MeshSettings& settings,
                    CliMesh& mesh) {
    // The plug-in receives rows of at most 65535 bytes.
    if (picture.Stride() > 0xFFFF)
        return Fail(kExitInput, name, "the picture is too wide for a mesh");
    settings.imagePixels = picture.Bits();
    settings.imageRowBytes = static_cast<std::uint16_t>(picture.Stride());
    settings.imageRows = picture.Height();
    settings.imageCols = picture.Width();
    settings.grayGrid = nullptr;
    if (!AllocateMeshBuffers(mesh.buffers, settings.imageRows, settings.imageCols, mesh.allocator))
        return Fail(kExitInput, name, "not enough memory for a mesh of this picture");
    SampleGrayGrid(settings, mesh.buffers);
    MakePoints(settings, mesh.buffers);
    return std::nullopt;
}

StepResult WritePreview(const PreviewOptions& options, MeshSettings& settings, CliMesh& mesh) {
    std::string error;
    if (!WritePreviewPicture(options, settings, mesh.buffers, error))
        return CliFailure{kExitOutput, "quorvmesh: " + error};
    return std::nullopt;
}

std::array<std::string, 4> MeshStatistics(MeshSettings settings, const CliMesh& mesh) {
    settings.polygonCount = static_cast<std::uint32_t>(TallyPolygons(settings, mesh.buffers).faces);
    return FormatStatistics(settings);
}

StepResult ExportFile(const std::string& path, MeshSettings& settings, CliMesh& mesh,
                      std::ostream& progressStream, bool showProgress) {
    FixedPathChooser chooser(path);
    StdioOutputFile file;
    TerminalProgress progress(progressStream, showProgress);
    RecordingMessages messages;
    EmbeddedResources resources;
    ExportServices services{chooser, file, progress, messages, resources};
    const ExportOutcome outcome = ExportMesh(settings, mesh.buffers, services);
    progress.Finish();
    switch (outcome) {
    case ExportOutcome::Written:
        return std::nullopt;
    case ExportOutcome::RefusedByLimit:
        return Fail(kExitFormat, path, messages.LastOr(kTooManyVerticesText));
    case ExportOutcome::Cancelled:
    case ExportOutcome::CannotCreate:
        return Fail(kExitOutput, path, messages.LastOr(kCannotCreateText));
    case ExportOutcome::WriteFailed:
        break;
    }
    return Fail(kExitOutput, path, messages.LastOr(kWriteFailedText));
}
