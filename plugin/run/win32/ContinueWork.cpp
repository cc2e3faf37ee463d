#include "plugin/run/win32/ContinueWork.h"

#include "plugin/export/win32/PluginExport.h"
#include "plugin/run/win32/PluginServices.h"

void RunContinueWork(FilterGlobals& globals, PictureMesh& mesh, const ContinueContext& context) {
    SetCursor(context.previousCursor);
    ExportFromPlugin(mesh.Settings(), mesh.Buffers(), context.hostWindow,
                     ExportRecordOf(globals).progressProc, context.reporter, PluginInstance());
}
