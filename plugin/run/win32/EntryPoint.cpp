// The module's one export and its load hook.

#include <windows.h>

#include <cstdint>

#include "common/ExportCodes.h"
#include "plugin/run/win32/GuardedHandler.h"
#include "plugin/run/win32/PluginMemory.h"
#include "plugin/run/win32/PluginServices.h"
#include "plugin/run/win32/SelectorHandlers.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        SetPluginInstance(instance);
    return TRUE;
}

namespace {

// Set while a call runs. A host callback that calls back in (a progress procedure calling
// finish, say) would otherwise release the block the running call still works on.
bool callRunning = false;

// Runs one selector; true when the run's block is to be released afterwards. Prepare only
// allocates the block; every other selector but about needs a record.
bool Dispatch(std::int16_t step, FilterGlobals& globals) {
    if (!globals.record && step != exportSelectorAbout && step != exportSelectorPrepare) {
        globals.result = exportBadParameters; // nothing to work on
        return true;
    }
    switch (step) {
    case exportSelectorAbout:
        RunGuarded(DoAbout, globals);
        return true;
    case exportSelectorStart:
        RunGuarded(DoStart, globals);
        return globals.result != noErr;
    case exportSelectorContinue:
        RunGuarded(DoContinue, globals);
        return globals.result < 0; // a failed continue ends the run: hosts stop there
    case exportSelectorFinish:
        RunGuarded(DoFinish, globals);
        return true;
    case exportSelectorPrepare:
        return false;
    default:
        globals.result = exportBadParameters;
        return true;
    }
}

} // namespace

// The host's data word holds the FilterGlobals address from the first call of a run until
// the block is released, which writes 0 back.
extern "C" __declspec(dllexport) void __cdecl ENTRYPOINT1(std::int32_t selector, void* record,
                                                          std::intptr_t* data,
                                                          std::int16_t* result) {
    if (!data || !result)
        return;
    if (callRunning) {
        *result = exportBadParameters;
        return;
    }
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

    callRunning = true;
    const bool release = Dispatch(SelectorFromSlot(selector), *globals);
    callRunning = false;

    *result = globals->result;
    if (release) {
        ReleaseFixed(globals);
        *data = 0;
    }
}
