#include "plugin/preview/PaintCanvas.h"

#include "plugin/preview/ShadedRenderer.h"
#include "plugin/preview/Statistics.h"
#include "plugin/preview/WireframeRenderer.h"

void PaintCanvas(PreviewHost& host, DrawingSurface& surface, MeshSettings& settings,
                 const MeshBuffers& buffers, PreviewCache& cache) {
    ShowStatistics(host, settings);
    host.ShowDialogProgress(0, 100);
    if (settings.Shadetype != 0)
        RenderShaded(host, surface, settings, buffers, cache, settings.Shadetype);
    else
        RenderWireframe(host, surface, settings, buffers, cache);
    ShowStatistics(host, settings);
}
