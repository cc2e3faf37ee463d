#include "cli/preview/PreviewCommand.h"

#include "cli/preview/PictureFile.h"
#include "plugin/preview/PaintCanvas.h"
#include "plugin/preview/QuietPreviewHost.h"
#include "plugin/preview/SoftwareSurface.h"
#include "plugin/preview/ViewSetup.h"

namespace {

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
    QuietPreviewHost host;
    PreviewCache cache;
    PaintCanvas(host, surface, settings, buffers, cache);

    return WriteGrayPicture(options.path, {surface.Width(), surface.Height(), surface.Pixels()},
                            error);
}
