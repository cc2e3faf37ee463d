#include "cli/MeshSteps.h"

#include "cli/ExportFile.h"
#include "cli/preview/PreviewCommand.h"
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
