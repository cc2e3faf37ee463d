// The module's one export and its load hook.

#include <windows.h>

#include <cstdint>

#include "common/ExportCodes.h"
#include "plugin/run/win32/PluginMemory.h"
#include "plugin/run/win32/PluginServices.h"
#include "plugin/run/win32/SelectorHandlers.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        SetPluginInstance(instance);
    return TRUE;
}

// The host's data word holds the FilterGlobals address from the first call of a run until
// the block is released, which writes 0 back.
extern "C" __declspec(dllexport) void __cdecl ENTRYPOINT1(std::int32_t selector, void* record,
                                                          std::intptr_t* data,
                                                          std::int16_t* result) {
    if (!data || !result)
        return;
    auto* globals = reinterpret_cast<FilterGlobals*>(*data);
    if (!globals) {
        globals = static_cast<FilterGlobals*>(AllocateFixed(sizeof(FilterGlobals)));
        if (!globals) {
            *result = memFullErr;
            return;
        }
        *data = reinterpret_cast<std::intptr_t>(globals);
    }
    globals->record = record;
    globals->result = noErr;

    const std::int16_t step = SelectorFromSlot(selector);
    bool release = true;
    if (!record && step != exportSelectorAbout && step != exportSelectorPrepare) {
        globals->result = exportBadParameters; // nothing to work on
    } else {
        switch (step) {
        case exportSelectorAbout:
            DoAbout(*globals);
            break;
        case exportSelectorStart:
            DoStart(*globals);
            release = globals->result != noErr;
            break;
        case exportSelectorContinue:
            DoContinue(*globals);
            release = false;
            break;
        case exportSelectorFinish:
            DoFinish(*globals);
            break;
        case exportSelectorPrepare:
            release = false;
            break;
        default:
            globals->result = exportBadParameters;
            break;
        }
    }
    *result = globals->result;
    if (release) {
        ReleaseFixed(globals);
        *data = 0;
    }
}
