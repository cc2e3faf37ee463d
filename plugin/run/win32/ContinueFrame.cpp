// The continue selector: the run's memory around the work, released on every path.

#include "common/win32/Win32MessageReporter.h"
#include "plugin/resources/ResourceIds.h"
#include "plugin/run/ContinueWork.h"
#include "plugin/run/PluginState.h"
#include "plugin/run/win32/PluginMemory.h"
#include "plugin/run/win32/PluginServices.h"
#include "plugin/run/win32/SelectorHandlers.h"

void DoContinue(FilterGlobals& globals) {
    globals.result = 0;
    const HCURSOR previousCursor =
        SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));

    ExportRecord& record = ExportRecordOf(globals);
    MeshSettings& settings = globals.settings;
    settings.imagePixels = static_cast<const std::uint8_t*>(record.data);
    settings.imageRowBytes = static_cast<std::uint16_t>(record.rowBytes);
    settings.imageRows = static_cast<std::uint16_t>(record.imageSize.v);
    settings.imageCols = static_cast<std::uint16_t>(record.imageSize.h);
    settings.grayGrid = nullptr;

    MeshBuffers buffers{};
    GlobalBlockAllocator allocator;
    // A host that gave no pixels leaves nothing to read; the run still ends normally.
    if (settings.imagePixels) {
        if (AllocateMeshBuffers(buffers, settings.imageRows, settings.imageCols, allocator)) {
            const HWND hostWindow = HostWindow(record.platformData);
            Win32MessageReporter reporter(hostWindow);
            RunContinueWork(globals, buffers,
                            ContinueContext{hostWindow, reporter, previousCursor});
        } else {
            SetCursor(previousCursor);
            ShowError(IDS_NOT_ENOUGH_MEMORY, globals);
        }
    }
    ReleaseMeshBuffers(buffers, allocator);
    settings.grayGrid = nullptr;
    SetCursor(previousCursor);
    record.theRect = ExportRect{0, 0, 0, 0};
}
