#include "cli/preview/PreviewCommand.h"

#include "cli/preview/PictureFile.h"
#include "plugin/preview/PaintCanvas.h"
#include "plugin/preview/SoftwareSurface.h"
#include "plugin/preview/ViewSetup.h"

namespace {

// Nobody watches a picture being drawn: no status, no progress, no clicks, and a clock
// that stands still so that no pass stops to report.
class QuietHost final : public PreviewHost {
  public:
    void SetStatus(const char*) override {}
    void ShowDialogProgress(std::uint32_t, std::uint32_t) override {}
    void SetStatisticsLine(int, const char*) override {}
    bool CheckAbort() override { return false; }
    std::uint32_t TickCount() override { return 0; }
};

void ApplyOverrides(const PreviewOptions& options, MeshSettings& settings) {
    if (options.shadetype)
        settings.Shadetype = *options.shadetype;
    if (options.rotation) {
        settings.Xrot = (*options.rotation)[0];
        settings.Yrot = (*options.rotation)[1];
        settings.Zrot = (*options.rotation)[2];
    }
    if (options.perspective)
        settings.DoPerspective = *options.perspective;
    if (options.latitude)
        settings.DoLatitude = *options.latitude;
    if (options.longitude)
        settings.DoLongitude = *options.longitude;
}

} // namespace

bool WritePreviewPicture(const PreviewOptions& options, MeshSettings& settings,
                         MeshBuffers& buffers, std::string& error) {
    if (options.path.empty())
        return true;
    ApplyOverrides(options, settings);

    // As the dialog opens: a fresh canvas, the view placed and fitted on it, nothing cached.
    settings.canvasRect = {0, 0, options.size.width, options.size.height};
    settings.viewCenterX = kViewNotPlaced;
    InitView(settings);
    SoftwareSurface surface(options.size.width, options.size.height);
    QuietHost host;
    PreviewCache cache;
    PaintCanvas(host, surface, settings, buffers, cache);

    return WriteGrayPicture(options.path, {surface.Width(), surface.Height(), surface.Pixels()},
                            error);
}
