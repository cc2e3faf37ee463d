#include "plugin/run/ContinueWork.h"

#include "plugin/export/win32/PluginExport.h"
#include "plugin/mesh/MakePoints.h"
#include "plugin/mesh/SampleGrayGrid.h"
#include "plugin/run/win32/PluginServices.h"

void RunContinueWork(FilterGlobals& globals, MeshBuffers& buffers, const ContinueContext& context) {
    MeshSettings& settings = globals.settings;
    settings.polygonCount = 0;
    // A host that lends no pixels, or rows shorter than the image, gets nothing made.
    if (!settings.imagePixels || settings.imageRowBytes < settings.imageCols) {
        SetCursor(context.previousCursor);
        return;
    }
    SampleGrayGrid(settings, buffers);
    MakePoints(settings, buffers);
    SetCursor(context.previousCursor);
    // Until the filter dialog exists, the export goes ahead as if it had been confirmed.
    ExportFromPlugin(settings, buffers, context.hostWindow, ExportRecordOf(globals).progressProc,
                     context.reporter, PluginInstance());
}
