#include "plugin/export/win32/PluginExport.h"

#include "common/win32/ModuleResources.h"
#include "plugin/export/win32/HostProgressSink.h"
#include "plugin/export/win32/Win32OutputFile.h"
#include "plugin/export/win32/Win32SaveFileChooser.h"

ExportOutcome ExportFromPlugin(MeshSettings& settings, MeshBuffers& buffers, HWND hostWindow,
                               ProgressProc progressProc, MessageReporter& reporter,
                               HMODULE module) {
    Win32SaveFileChooser chooser(hostWindow);
    Win32OutputFile file;
    HostProgressSink progress(progressProc);
    ModuleResources resources(module);
    ExportServices services{chooser, file, progress, reporter, resources};
    return ExportMesh(settings, buffers, services);
}
