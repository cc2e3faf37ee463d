#include "plugin/run/win32/GuardedHandler.h"

#include <new>

#include "common/ExportCodes.h"

void RunGuarded(SelectorHandler handler, FilterGlobals& globals) noexcept {
    try {
        handler(globals);
    } catch (const std::bad_alloc&) {
        globals.result = memFullErr;
    } catch (...) {
        globals.result = exportBadParameters;
    }
}
