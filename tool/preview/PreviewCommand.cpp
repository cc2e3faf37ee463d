#include "tool/preview/PreviewCommand.h"

#include <algorithm>

#include "plugin/preview/PaintCanvas.h"
#include "plugin/preview/QuietPreviewHost.h"
#include "plugin/preview/SoftwareSurface.h"
#include "plugin/preview/ViewSetup.h"
#include "plugin/preview/ViewTransform.h"
#include "tool/preview/PictureFile.h"

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

// The dialog fits the box's larger extent to the canvas's width, which suits its own canvas;
// on a wider one the box's height is fitted too, so that nothing is cut off.
void FitHeight(MeshSettings& s) {
    const ViewAngles angles = MakeViewAngles(s);
    float low = 0, high = 0, left = 0, right = 0;
    bool any = false;
    for (const ModelPoint& c : BoundingBoxCorners(s)) {
        const auto p = ProjectExact(TransformPoint(c.x, c.y, c.z, angles, s.viewDistance), s);
        if (!p)
            continue;
        low = any ? std::min(low, p->y) : p->y;
        high = any ? std::max(high, p->y) : p->y;
        left = any ? std::min(left, p->x) : p->x;
        right = any ? std::max(right, p->x) : p->x;
        any = true;
    }
    const auto height = static_cast<float>(s.canvasRect.bottom - s.canvasRect.top);
    if (!any || !(high - low > height))
        return;
    const float scale = height / (high - low);
    s.viewZoom *= scale;
    s.viewCenterX = (s.viewCenterX - (left + right) / 2) * scale + s.homeCenterX;
    s.viewCenterY = (s.viewCenterY - (low + high) / 2) * scale + s.homeCenterY;
}

} // namespace

void PlacePreviewView(const PreviewOptions& options, MeshSettings& settings) {
    ApplyOverrides(options, settings);
    // As the dialog opens: a fresh canvas, the view placed and fitted on it.
    settings.canvasRect = {0, 0, options.size.width, options.size.height};
    settings.viewCenterX = kViewNotPlaced;
    InitView(settings);
    FitHeight(settings);
}

bool WritePreviewPicture(const PreviewOptions& options, MeshSettings& settings,
                         MeshBuffers& buffers, std::string& error) {
    if (options.path.empty())
        return true;
    PlacePreviewView(options, settings);
    SoftwareSurface surface(options.size.width, options.size.height);
    QuietPreviewHost host;
    PreviewCache cache;
    PaintCanvas(host, surface, settings, buffers, cache);

    return WriteGrayPicture(options.path, {surface.Width(), surface.Height(), surface.Pixels()},
                            error);
}
