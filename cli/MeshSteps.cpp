#include "cli/MeshSteps.h"

#include "cli/TerminalProgress.h"
#include "cli/preview/PreviewCommand.h"
#include "common/EmbeddedResources.h"
#include "plugin/export/ExportMesh.h"
#include "plugin/export/StdioOutputFile.h"
#include "plugin/mesh/BuildPolygonList.h"
#include "plugin/preview/Statistics.h"

namespace {

StepResult WritePreview(const PreviewOptions& options, PictureMesh& mesh) {
    std::string error;
    if (!WritePreviewPicture(options, mesh.Settings(), mesh.Buffers(), error))
        return CliFailure{kExitOutput, "quorvmesh: " + error};
    return std::nullopt;
}

StatisticsLines MeshStatistics(const PictureMesh& mesh) {
    MeshSettings settings = mesh.Settings();
    settings.polygonCount =
        static_cast<std::uint32_t>(TallyPolygons(settings, mesh.Buffers()).faces);
    return FormatStatistics(settings);
}

// Exit code 3 when the mesh does not fit the format, 4 when the file cannot be created or
// written.
StepResult ExportFile(const std::string& path, PictureMesh& mesh, std::ostream& progressStream,
                      bool showProgress) {
    FixedPathChooser chooser(path);
    StdioOutputFile file;
    TerminalProgress progress(progressStream, showProgress);
    CliMessages messages;
    EmbeddedResources resources;
    ExportServices services{chooser, file, progress, messages, resources};
    const ExportOutcome outcome = ExportMesh(mesh.Settings(), mesh.Buffers(), services);
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

} // namespace

StepResult MakeMesh(const HostImage& picture, const std::string& name, PictureMesh& mesh) {
    // The plug-in receives rows of at most 65535 bytes.
    if (picture.Stride() > 0xFFFF)
        return Fail(kExitInput, name, "the picture is too wide for a mesh");
    const GrayPixels gray{picture.Bits(), static_cast<std::uint16_t>(picture.Stride()),
                          picture.Height(), picture.Width()};
    if (mesh.Make(gray) != MeshOutcome::Made)
        return Fail(kExitInput, name, "not enough memory for a mesh of this picture");
    return std::nullopt;
}

StepResult UseMesh(const CliOptions& options, PictureMesh& mesh, StatisticsLines& statistics,
                   std::ostream& progressStream, bool showProgress) {
    if (auto failure = WritePreview(options.preview, mesh))
        return failure;
    statistics = MeshStatistics(mesh);
    if (options.output.empty())
        return std::nullopt;
    return ExportFile(options.output, mesh, progressStream, showProgress);
}
