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

// Prepare only allocates the block; every other selector but about needs a record.
void Dispatch(std::int16_t step, FilterGlobals& globals, bool& release) {
    release = true;
    if (!globals.record && step != exportSelectorAbout && step != exportSelectorPrepare) {
        globals.result = exportBadParameters; // nothing to work on
        return;
    }
    switch (step) {
    case exportSelectorAbout:
        RunGuarded(DoAbout, globals);
        break;
    case exportSelectorStart:
        RunGuarded(DoStart, globals);
        release = globals.result != noErr;
        break;
    case exportSelectorContinue:
        RunGuarded(DoContinue, globals);
        release = globals.result < 0; // a failed continue ends the run: hosts stop there
        break;
    case exportSelectorFinish:
        RunGuarded(DoFinish, globals);
        break;
    case exportSelectorPrepare:
        release = false;
        break;
    default:
        globals.result = exportBadParameters;
        break;
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
    bool release = true;
    Dispatch(SelectorFromSlot(selector), *globals, release);
    callRunning = false;

    *result = globals->result;
    if (release) {
        ReleaseFixed(globals);
        *data = 0;
    }
}
