// The start, finish and about selectors.

#include "common/ExportCodes.h"
#include "common/win32/Win32MessageReporter.h"
#include "plugin/run/Parameters.h"
#include "plugin/run/PolygonLimit.h"
#include "plugin/run/win32/PluginServices.h"
#include "plugin/run/win32/SelectorHandlers.h"
#include "plugin/run/win32/Win32Profile.h"
#include "plugin/ui/win32/AboutBox.h"
#include "plugin/ui/win32/AboutSound.h"

void DoStart(FilterGlobals& globals) {
    ExportRecord& record = ExportRecordOf(globals);
    if (record.imageMode != grayScaleMode) {
        globals.result = exportBadMode;
        return;
    }
    const auto rows = static_cast<std::uint16_t>(record.imageSize.v);
    const auto columns = static_cast<std::uint16_t>(record.imageSize.h);
    const std::uint16_t limit = ReadPolygonLimit(Win32Profile(kProfileFileUpper));
    if (NeedsPolygonQuestion(FullResolutionPolygonCount(rows, columns), limit)) {
        Win32MessageReporter unowned(nullptr);
        if (!unowned.AskYesNo(PolygonQuestionText(limit), "", MessageIcon::Question)) {
            globals.result = userDeclined;
            return;
        }
    }
    // The whole image, plane 0, in one piece.
    record.theRect = ExportRect{0, 0, record.imageSize.v, record.imageSize.h};
    record.loPlane = record.hiPlane = 0;
    LoadParameters(Win32Profile(kProfileFile), globals.settings, rememberedSettings, Orient);
    globals.parametersLoaded = true;
}

void DoFinish(FilterGlobals& globals) {
    ExportRecord& record = ExportRecordOf(globals);
    // A profile that cannot be written loses only the remembered values; the run is done.
    if (globals.parametersLoaded) {
        Win32Profile profile(kProfileFile);
        SaveParameters(profile, globals.settings, rememberedSettings, Orient);
    }
    record.dirty = 0;
    globals.result = 1; // finish always leaves 1; hosts ignore it
}

void DoAbout(FilterGlobals& globals) {
    const auto* about = static_cast<const AboutRecord*>(globals.record);
    ShowAboutBox(PluginInstance(), HostWindow(about ? about->platformData : nullptr), "qmesh.hlp",
                 SystemAboutSound());
    globals.result = noErr;
}
