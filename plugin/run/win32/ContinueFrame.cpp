// The continue selector: the run's memory around the work, released on every path.

#include "common/win32/Win32MessageReporter.h"
#include "plugin/resources/ResourceIds.h"
#include "plugin/run/PluginState.h"
#include "plugin/run/win32/ContinueWork.h"
#include "plugin/run/win32/PluginMemory.h"
#include "plugin/run/win32/PluginServices.h"
#include "plugin/run/win32/SelectorHandlers.h"

void DoContinue(FilterGlobals& globals) {
    globals.result = 0;
    const HCURSOR previousCursor =
        SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));

    ExportRecord& record = ExportRecordOf(globals);
    MeshSettings& settings = globals.settings;
    settings.polygonCount = 0;
    const GrayPixels picture{static_cast<const std::uint8_t*>(record.data),
                             static_cast<std::uint16_t>(record.rowBytes),
                             static_cast<std::uint16_t>(record.imageSize.v),
                             static_cast<std::uint16_t>(record.imageSize.h)};
    {
        GlobalBlockAllocator allocator;
        PictureMesh mesh(settings, allocator);
        // A host that lends no pixels, or rows shorter than the image, gets nothing made and
        // a box that says why; the run still ends normally.
        switch (mesh.Make(picture)) {
        case MeshOutcome::Made: {
            const HWND hostWindow = HostWindow(record.platformData);
            Win32MessageReporter reporter(hostWindow);
            RunContinueWork(globals, mesh, ContinueContext{hostWindow, reporter, previousCursor});
            break;
        }
        case MeshOutcome::NoMemory:
            SetCursor(previousCursor);
            ShowError(IDS_NOT_ENOUGH_MEMORY, globals);
            break;
        case MeshOutcome::NoPixels:
            SetCursor(previousCursor);
            ShowError(IDS_NO_PIXELS, globals);
            break;
        case MeshOutcome::ShortRows:
            SetCursor(previousCursor);
            ShowError(IDS_SHORT_ROWS, globals);
            break;
        }
    }
    SetCursor(previousCursor);
    record.theRect = ExportRect{0, 0, 0, 0};
}
